#pragma once

#include <QString>
#include <QStringList>

namespace iksa {

class ExamineeRecord;
class EvaluationOptions;
class EvaluationPage;
class UserMessages;
struct NormSet;

// The evaluation run of the button "Vyhodnotit" (Button2Click) over the
// current record of Table3: the age check, the raw-score checks with their
// messages, the scaled scores, the sums, the reference-group texts, the
// composite lookups, and finally the subtest means (Prumer_subtestu). It
// leaves Table3 in edit state and does not post.
//
// A subtest whose raw score is empty was not entered: it keeps its message
// but is not reset, and its scaled score, every sum that holds it and the
// composites of those sums are left empty. A last message names what could
// not be computed (missingCompositesMessage).
class EvaluationRun {
public:
    EvaluationRun(ExamineeRecord& record, const EvaluationOptions& options, EvaluationPage& page,
                  UserMessages& messages);
    // The same over another norm set than the one built into the program.
    EvaluationRun(ExamineeRecord& record, const EvaluationOptions& options, EvaluationPage& page,
                  UserMessages& messages, const NormSet& norms);

    // Returns false when the age check stopped the run (nothing written).
    bool Button2Click();

    // Prumer_subtestu: the sums, counts and means of the marked scaled scores
    // of the current record into the page's mean panel.
    void Prumer_subtestu();

    // The fields of Table3 the last run wrote into the record buffer, in the
    // order of their first write: the raw scores it reset to "0", the scaled
    // scores, the sums and the composite fields (empty where not computed).
    const QStringList& writtenFields() const { return written_; }

    // The messages of the run: the age check, and the raw-score check of a
    // subtest 1 … 14 (texts with their blanks).
    static QString ageMessage();
    static QString rawScoreMessage(int subtest);

private:
    void write(const QString& field, const QString& text);

    ExamineeRecord& record_;
    const EvaluationOptions& options_;
    EvaluationPage& page_;
    UserMessages& messages_;
    const NormSet* norms_ = nullptr; // nullptr: the built-in set
    QStringList written_;
};

// TabSheet15Show: showing the evaluation page keeps SO_neadministrovan and
// the hidden state of the three SO cells in step with HS_14_SO of the
// current record (−1: not administered, cells hidden).
void TabSheet15Show(ExamineeRecord& record);

} // namespace iksa
