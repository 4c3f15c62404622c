#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

namespace iksa {

enum class Scale { Verbal, Performance };

// Whether a subtest enters a scale sum (core), only an index sum
// (supplementary) or nothing (optional).
enum class SubtestRole { Core, Supplementary, Optional };

// How an item score or trial score gets its value.
enum class ScoreKind {
    None,    // the cell is not a score
    Typed,   // a one-character box the examiner types into
    Chosen,  // a radio group whose buttons store their values
    Derived, // a box a rule fills from other boxes; still typable
};

// The score domain of a score or trial cell.
struct ScoreDomain {
    ScoreKind kind = ScoreKind::None;
    int maximum = 0;      // typed and derived: the highest digit allowed
    QStringList buttons;  // chosen: the stored value of each button, in order
    QStringList brackets; // chosen: the time bracket above each button ("" for none)
    QStringList headings; // chosen: a heading above each button ("" for none)
    // chosen: what the raw-score sum accepts of the group's value: a single
    // digit from 0 to sumCheck, or (-1) any value starting with a digit.
    int sumCheck = 0;
};

// The record's name of a field together with its table ("1:S_1_7"), the form
// ExamineeRecord reads and writes without searching the tables.
QString qualifiedField(int table, const QString& field);

enum class CellRole {
    Response, // free text of the examinee's answer or order
    Time,     // solution time in seconds
    Joins,    // number of correct joins (SO)
    Count,    // a count typed by the examiner (CSK, HS)
    Option,   // the chosen answer option (MAT)
    Trial,    // the score of one trial of an item
    Score,    // the item score
};

// One entry box or group of an item row, bound to one field.
struct ItemCell {
    CellRole role = CellRole::Response;
    QString field;              // e.g. "S_1_7"
    int table = 0;              // 1, 2 or 3: Table1 "IKSA.DBF" … Table3 "IKSA_HS_Vyp.DBF"
    int trial = 0;              // Trial cells: 1, 2 or 3
    int width = 0;              // characters that may be typed; 0: the field's width
    int maximum = 0;            // Joins: the item's number of joins
    QString heading;            // column heading above the cell
    ScoreDomain domain;         // Trial and Score cells
    QStringList optionCodes;    // Option cells: code stored by each button
    QStringList optionCaptions; // Option cells: caption of each button ("1" … "5", "N")
    bool clickToggle = false;   // a mouse press cycles the box: empty → "0" → "1" → "0"
    // Derived item scores: the box follows its first trial alone, so clearing
    // the first trial clears it (OPA).
    bool firstTrialClears = false;

    QString qualifiedField() const; // "1:S_1_7"
};

// The test content of an item. It comes from the battery's materials; the
// data shipped with the program is neutral placeholder content.
struct ItemContent {
    QString caption;            // name of the picture, word or task
    QString correctAnswer;      // POC
    int keyOption = 0;          // MAT: the bracketed button (1 … 5), 0 for none
    QStringList trialSequences; // OPA, RPC: what is read out, per trial
    QStringList trialAnswers;   // RPC: the correct reordering, per trial
    QString correctOrder;       // ROB, 2 points
    QString acceptableOrder;    // ROB items 5–9, 1 point
};

// One row of a subtest page.
struct Item {
    QString key;          // "1" … "33", "1_2" (ROB item 1, second trial), "A" (MAT sample)
    int number = 0;       // the item's number (1 for "1_2"); 0 for samples
    bool reverse = false; // before the start item: drawn shaded
    bool start = false;   // the start item, marked "ZAČÁTEK"
    int timeLimit = 0;    // seconds shown beside the item; 0 for none
    QString multiplier;   // SO: multiplier of the joins ("1", "1/2*")
    QVector<ItemCell> cells;
    ItemContent content;

    const ItemCell* cell(CellRole role, int trial = 0) const;
};

// How an "=" action computes what it writes.
enum class ScoreRule {
    Sum,                // the page's item scores, as typed or chosen
    PartTotal,          // an OPA part: the sum of its item scores and the longest span
    SumOfParts,         // the OPA raw score from the two stored part totals
    Difference,         // the two counts of a group: first − second (HS)
    PositiveDifference, // the same, written only when positive (CSK)
    TrialCount,         // RPC: item scores and raw score from the trials scored "1"
};

// A raw-score action: the "=" button and the boxes it writes.
struct ScoreAction {
    QString handler; // "Label507Click" …
    QStringList writes;
    ScoreRule rule = ScoreRule::Sum;
};

// A box bound to a field outside the item rows (counts, totals, spans).
struct GroupField {
    CellRole role = CellRole::Count;
    QString field;
    int table = 3;
    QString caption;
    int width = 0;
    int maximum = 0;
};

// A titled group of boxes on a page without items (CSK, HS).
struct FieldGroup {
    QString title;
    bool optional = false;
    int timeLimit = 0;
    QVector<GroupField> fields;
    QVector<ScoreAction> actions;
};

// A part of a page with item rows (OPA has two, MAT the samples and the items).
struct Section {
    QString key; // "forward", "backward", or ""
    QString title;
    QVector<Item> items;
    QString totalField;          // OPA: DOP_8 / POZ_8
    QString totalMaximumCaption; // OPA: "maximum = 16"
    ScoreAction totalAction;     // OPA: Label531Click / Label532Click
    QString spanField;           // OPA: RAD_DOP_8 / RAD_DOZ_8
    QString spanCaption;
};

struct Subtest {
    int number = 0;
    QString caption;  // page caption "1.Doplňování obrázků"
    QString name;     // "Doplňování obrázků"
    QString code;     // "DO"
    QString rawField; // "HS_1_DO"
    int maximum = 0;
    QString maximumCaption; // "(maximum = 25)"; empty for RPC
    int startItem = 0;      // 0: none marked
    int reverseItems = 0;   // items 1 … reverseItems are drawn shaded
    Scale scale = Scale::Verbal;
    SubtestRole role = SubtestRole::Core;
    QString index;                  // "VP", "PU", "PP", "RZ" or ""
    QString scaledField;            // "PER_DO", "VER_S" …
    QString notAdministeredCaption; // SO: "neadministrován"
    QString note;                   // POR: the administration note (test content)
    QVector<Section> sections;
    QVector<FieldGroup> groups;
    QVector<ScoreAction> actions; // the page's own "=" actions (OPA's total among them)

    // Every item row of the page in page order, across sections.
    QVector<const Item*> items() const;
    const Section* section(const QString& key) const;
};

// The catalogue of the 14 subtests, read from the data compiled into the
// program (scoring/catalogue/subtests.json and item-content.json).
class Catalogue {
public:
    static const Catalogue& instance();

    // Builds a catalogue from the two data files; throws UserError naming the
    // first fault of the data.
    static Catalogue fromJson(const QByteArray& subtests, const QByteArray& itemContent);

    const QVector<Subtest>& subtests() const { return subtests_; }
    const Subtest& subtest(int number) const; // 1 … 14
    const Subtest* byCode(const QString& code) const;

    // The cell bound to a field, with its subtest and item; nullptr when no
    // item cell is bound to it.
    struct CellRef {
        const Subtest* subtest = nullptr;
        const Item* item = nullptr;
        const ItemCell* cell = nullptr;
    };
    CellRef cellOf(const QString& field) const;

    bool contentIsPlaceholder() const { return placeholderContent_; }

private:
    QVector<Subtest> subtests_;
    bool placeholderContent_ = false;
};

} // namespace iksa
