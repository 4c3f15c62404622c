#pragma once

#include <QString>
#include <QStringList>

namespace iksa {

class ExamineeRecord;

// The "=" actions of the subtest pages, by handler name ("Label507Click" …
// "Button20Click"). Each reads the texts of the current record, puts the
// record into editing by the edit protocol (the main navigator's Edit) and
// writes decimal text; none posts. The rules come from the catalogue:
// - sum: "1" adds 1 and, on pages whose boxes allow 2, "2" adds 2; a chosen
//   value adds its number when it passes its group's check; empty boxes give "0";
// - OPA part totals: the sum and the longest span (items before the first "0");
// - OPA raw score: the two part totals, only when both are filled;
// - HS and CSK: the difference of two counts, only when both are filled
//   (CSK also only when positive; it changes nothing otherwise);
// - RPC: each item's trials scored "1" counted into its score box, and all of
//   them into the raw score.
class RawScoreActions {
public:
    explicit RawScoreActions(ExamineeRecord& record);

    static QStringList handlers();              // all, subtest by subtest
    static QStringList handlersOf(int subtest); // OPA: forward, backward, total

    // Runs the action; returns the fields written, in order (none when the
    // input was incomplete). An unknown handler, or a count or part total that
    // is not a whole number, throws UserError; nothing is written then.
    QStringList run(const QString& handler);

private:
    ExamineeRecord& record_;
};

} // namespace iksa
