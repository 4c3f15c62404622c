#include "EntryRules.h"

#include "Catalogue.h"
#include "records/ExamineeRecord.h"
#include "records/TextConversion.h"

#include <QVector>
#include <algorithm>

namespace iksa {

namespace {

QVector<const ItemCell*> trialsOf(const Item& item) {
    QVector<const ItemCell*> trials;
    for (const ItemCell& cell : item.cells)
        if (cell.role == CellRole::Trial)
            trials.append(&cell);
    std::sort(trials.begin(), trials.end(),
              [](const ItemCell* a, const ItemCell* b) { return a->trial < b->trial; });
    return trials;
}

// A row such as ROB "1_2": a further trial of the item whose row is "1".
bool isRepeatRow(const Item& item) {
    return item.number > 0 && item.key != QString::number(item.number);
}

bool isDerivedFromTrials(const Catalogue::CellRef& ref) {
    const ItemCell* score = ref.item->cell(CellRole::Score);
    return score && score->domain.kind == ScoreKind::Derived;
}

// Whether a change of the cell's text runs a rule.
bool runsRule(const Catalogue::CellRef& ref) {
    if (!ref.cell)
        return false;
    switch (ref.cell->role) {
    case CellRole::Trial:
    case CellRole::Option:
        return isDerivedFromTrials(ref);
    case CellRole::Score:
        return ref.cell->domain.kind == ScoreKind::Chosen && isRepeatRow(*ref.item);
    default:
        return false;
    }
}

// The cell bound to a field when a mouse press toggles it; nullptr otherwise.
const ItemCell* toggleCellOf(const QString& field) {
    const ItemCell* cell = Catalogue::instance().cellOf(field).cell;
    return cell && cell->clickToggle ? cell : nullptr;
}

} // namespace

EntryRules::EntryRules(ExamineeRecord& record)
    : record_(record) {}

bool EntryRules::handlesSource(const QString& field) {
    return runsRule(Catalogue::instance().cellOf(field));
}

void EntryRules::sourceChanged(const QString& field) {
    const Catalogue::CellRef ref = Catalogue::instance().cellOf(field);
    if (!runsRule(ref))
        return;
    switch (ref.cell->role) {
    case CellRole::Trial:
        trialChanged(*ref.item, ref.cell->trial);
        break;
    case CellRole::Option:
        optionChanged(*ref.item);
        break;
    default:
        repeatTrialChosen(*ref.subtest, *ref.item);
        break;
    }
}

// When trial j changes: all trials filled gives their sum; trials 1 … j
// filled gives their sum (trial 1 alone is copied as it stands); otherwise
// the item score stays, unless it follows its first trial and that was cleared.
void EntryRules::trialChanged(const Item& item, int trial) {
    const ItemCell* score = item.cell(CellRole::Score);
    const QVector<const ItemCell*> trials = trialsOf(item);
    QStringList texts;
    for (const ItemCell* cell : trials)
        texts.append(record_.text(cell->qualifiedField()));

    const auto filled = [&texts](int count) {
        return std::all_of(texts.begin(), texts.begin() + count,
                           [](const QString& t) { return !t.isEmpty(); });
    };
    const auto sum = [&texts](int count) {
        int total = 0;
        for (int i = 0; i < count; ++i)
            total += toWholeNumber(texts[i]);
        return QString::number(total);
    };

    const int all = int(texts.size());
    QString result;
    if (filled(all))
        result = sum(all);
    else if (trial == 1 && (filled(1) || score->firstTrialClears))
        result = texts.first();
    else if (trial > 1 && filled(trial))
        result = sum(trial);
    else
        return;
    record_.setText(score->qualifiedField(), result);
}

// The key button scores "1", any other button "0"; a code that matches no
// button (nothing selected) leaves the score as it is.
void EntryRules::optionChanged(const Item& item) {
    const ItemCell* option = item.cell(CellRole::Option);
    const ItemCell* score = item.cell(CellRole::Score);
    const int button = int(option->optionCodes.indexOf(record_.text(option->qualifiedField())));
    if (button < 0)
        return;
    const bool isKey = button + 1 == item.content.keyOption;
    record_.setText(score->qualifiedField(), isKey ? QStringLiteral("1") : QStringLiteral("0"));
}

// A scoring button chosen for a further trial sets the item's first trial to
// its failure button, so that the item counts once.
void EntryRules::repeatTrialChosen(const Subtest& subtest, const Item& item) {
    const ItemCell* repeat = item.cell(CellRole::Score);
    if (repeat->domain.buttons.indexOf(record_.text(repeat->qualifiedField())) <= 0)
        return;
    for (const Item* first : subtest.items()) {
        if (first->number != item.number || isRepeatRow(*first))
            continue;
        const ItemCell* score = first->cell(CellRole::Score);
        record_.setText(score->qualifiedField(), score->domain.buttons.first());
        return;
    }
}

bool EntryRules::hasClickToggle(const QString& field) {
    return toggleCellOf(field) != nullptr;
}

void EntryRules::click(const QString& field) {
    const ItemCell* cell = toggleCellOf(field);
    if (!cell)
        return;
    const QString name = cell->qualifiedField();
    record_.tableOf(name).edit();
    const QString text = record_.text(name);
    if (text.isEmpty() || text == QLatin1String("1"))
        record_.setText(name, QStringLiteral("0"));
    else if (text == QLatin1String("0"))
        record_.setText(name, QStringLiteral("1"));
}

} // namespace iksa
