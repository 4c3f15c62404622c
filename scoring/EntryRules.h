#pragma once

#include <QString>

namespace iksa {

class ExamineeRecord;
struct Item;
struct Subtest;

// The rules that fill item scores while the examiner enters a record, working
// on the texts of the current record:
// - the trial rules of OPA and RPC (trial boxes → the item's score box),
// - the MAT answer key (an item's option → its score box "1" or "0"),
// - ROB item 1 (choosing "1" for the second trial sets the first to "0"),
// - the click toggle of the score boxes S_1_7 and S_1_9.
// The window calls them for the examiner's own changes only: showing another
// record displays its stored texts and changes nothing.
class EntryRules {
public:
    explicit EntryRules(ExamineeRecord& record);

    // Whether a change of the field's text runs a rule.
    static bool handlesSource(const QString& field);

    // The examiner has changed the field (typed, clicked, chose a button); its
    // new text is in the record. A trial text that is not a whole number
    // throws UserError and the item's score box keeps its text.
    void sourceChanged(const QString& field);

    static bool hasClickToggle(const QString& field);

    // A mouse press in a toggle box: its table enters editing as typing would,
    // and "" becomes "0", "0" becomes "1", "1" becomes "0"; other texts stay.
    void click(const QString& field);

private:
    void trialChanged(const Item& item, int trial);
    void optionChanged(const Item& item);
    void repeatTrialChosen(const Subtest& subtest, const Item& item);

    ExamineeRecord& record_;
};

} // namespace iksa
