#pragma once

namespace iksa {

class ExamineeRecord;
class EvaluationOptions;
class EvaluationPage;
class UserMessages;

// The evaluation run of the button "Vyhodnotit" (Button2Click) over the
// current record of Table3: the age check, the raw-score checks with their
// messages, the scaled scores, the sums, the reference-group texts, the
// composite lookups, and finally the subtest means (Prumer_subtestu). It
// leaves Table3 in edit state and does not post.
class EvaluationRun {
public:
    EvaluationRun(ExamineeRecord& record, const EvaluationOptions& options, EvaluationPage& page,
                  UserMessages& messages);

    // Returns false when the age check stopped the run (nothing written).
    bool Button2Click();

    // Prumer_subtestu: the sums, counts and means of the marked scaled scores
    // of the current record into the page's mean panel.
    void Prumer_subtestu();

private:
    ExamineeRecord& record_;
    const EvaluationOptions& options_;
    EvaluationPage& page_;
    UserMessages& messages_;
};

} // namespace iksa
