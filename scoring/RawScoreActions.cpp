#include "RawScoreActions.h"

#include "Catalogue.h"
#include "records/ExamineeRecord.h"
#include "records/TextConversion.h"
#include "records/UserError.h"

#include <QVector>

namespace iksa {

namespace {

// Raw scores, part totals, spans and counts all live in Table3.
constexpr int resultTable = 3;

QString resultField(const QString& field) {
    return qualifiedField(resultTable, field);
}

// Where an action sits in the catalogue.
struct Located {
    const Subtest* subtest = nullptr;
    const Section* section = nullptr;  // OPA part totals
    const FieldGroup* group = nullptr; // CSK, HS
    const ScoreAction* action = nullptr;
};

QVector<Located> actionsOf(const Subtest& subtest) {
    QVector<Located> list;
    for (const Section& section : subtest.sections)
        if (!section.totalAction.handler.isEmpty())
            list.append({&subtest, &section, nullptr, &section.totalAction});
    for (const FieldGroup& group : subtest.groups)
        for (const ScoreAction& action : group.actions)
            list.append({&subtest, nullptr, &group, &action});
    for (const ScoreAction& action : subtest.actions)
        list.append({&subtest, nullptr, nullptr, &action});
    return list;
}

Located locate(const QString& handler) {
    for (const Subtest& subtest : Catalogue::instance().subtests())
        for (const Located& found : actionsOf(subtest))
            if (found.action->handler == handler)
                return found;
    throw UserError(QStringLiteral("Neznámá akce výpočtu hrubého skóru: %1").arg(handler));
}

// The item score cells of the action's OPA part, or of its whole page.
QVector<const ItemCell*> scoreCells(const Located& at) {
    QVector<const ItemCell*> cells;
    for (const Section& section : at.subtest->sections)
        if (!at.section || &section == at.section)
            for (const Item& item : section.items)
                if (const ItemCell* score = item.cell(CellRole::Score))
                    cells.append(score);
    return cells;
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// What a chosen value adds: a single digit up to the group's check, or (SO)
// any value that starts with a digit, taken whole.
int chosenPoints(const ScoreDomain& domain, const QString& value) {
    if (domain.sumCheck < 0)
        return !value.isEmpty() && isDigit(value.front()) ? toWholeNumber(value) : 0;
    if (value.size() != 1 || !isDigit(value.front()))
        return 0;
    const int digit = value.front().unicode() - u'0';
    return digit <= domain.sumCheck ? digit : 0;
}

class ActionRun {
public:
    ActionRun(ExamineeRecord& record, const Located& at)
        : record_(record)
        , at_(at) {}

    QStringList run() {
        switch (at_.action->rule) {
        case ScoreRule::Sum:
            sum();
            break;
        case ScoreRule::PartTotal:
            partTotal();
            break;
        case ScoreRule::SumOfParts:
            sumOfParts();
            break;
        case ScoreRule::Difference:
        case ScoreRule::PositiveDifference:
            difference();
            break;
        case ScoreRule::TrialCount:
            trialCount();
            break;
        }
        return written_;
    }

private:
    QString text(const QString& field) const { return record_.text(field); }

    void startEditing() { record_.press(NavigatorButton::Edit); }

    void write(const QString& field, const QString& qualified, int value) {
        record_.setText(qualified, QString::number(value));
        written_.append(field);
    }
    void writeResult(const QString& field, int value) { write(field, resultField(field), value); }

    // Typed boxes count by their literal text; "2" counts only where the
    // page's boxes allow 2.
    int sumOf(const QVector<const ItemCell*>& cells) const {
        bool twoCounts = false;
        for (const ItemCell* cell : cells)
            if (cell->domain.kind != ScoreKind::Chosen && cell->domain.maximum >= 2)
                twoCounts = true;
        int total = 0;
        for (const ItemCell* cell : cells) {
            const QString value = text(cell->qualifiedField());
            if (cell->domain.kind == ScoreKind::Chosen)
                total += chosenPoints(cell->domain, value);
            else if (value == QLatin1String("1"))
                total += 1;
            else if (twoCounts && value == QLatin1String("2"))
                total += 2;
        }
        return total;
    }

    void sum() {
        const int total = sumOf(scoreCells(at_));
        startEditing();
        writeResult(at_.subtest->rawField, total);
    }

    // The span is the number of items before the first score "0"; an empty
    // score does not end it.
    void partTotal() {
        const QVector<const ItemCell*> cells = scoreCells(at_);
        const int total = sumOf(cells);
        startEditing();
        writeResult(at_.section->totalField, total);
        int span = 0;
        while (span < cells.size() && text(cells[span]->qualifiedField()) != QLatin1String("0"))
            ++span;
        writeResult(at_.section->spanField, span);
    }

    // The stored part totals are added as they stand; they are not recomputed.
    void sumOfParts() {
        QStringList totals;
        for (const Section& section : at_.subtest->sections)
            if (!section.totalField.isEmpty())
                totals.append(text(resultField(section.totalField)));
        for (const QString& total : totals)
            if (total.isEmpty())
                return;
        startEditing();
        int sum = 0;
        for (const QString& total : totals)
            sum += toWholeNumber(total);
        writeResult(at_.subtest->rawField, sum);
    }

    // HS enters editing before it reads the counts; CSK reads them first and
    // changes nothing unless more were filled than wrong.
    void difference() {
        QStringList counts;
        for (const GroupField& field : at_.group->fields)
            if (field.role == CellRole::Count)
                counts.append(text(qualifiedField(field.table, field.field)));
        if (counts.size() < 2 || counts[0].isEmpty() || counts[1].isEmpty())
            return;
        if (at_.action->rule == ScoreRule::PositiveDifference) {
            const int filled = toWholeNumber(counts[0]);
            const int wrong = toWholeNumber(counts[1]);
            if (filled <= wrong)
                return;
            startEditing();
            writeResult(at_.subtest->rawField, filled - wrong);
        } else {
            startEditing();
            writeResult(at_.subtest->rawField, toWholeNumber(counts[0]) - toWholeNumber(counts[1]));
        }
    }

    // An item with all trials empty keeps its score box and adds nothing.
    void trialCount() {
        startEditing();
        int total = 0;
        for (const Item* item : at_.subtest->items()) {
            int passed = 0;
            bool anyFilled = false;
            for (const ItemCell& cell : item->cells) {
                if (cell.role != CellRole::Trial)
                    continue;
                const QString value = text(cell.qualifiedField());
                anyFilled = anyFilled || !value.isEmpty();
                passed += value == QLatin1String("1") ? 1 : 0;
            }
            if (anyFilled) {
                const ItemCell* score = item->cell(CellRole::Score);
                write(score->field, score->qualifiedField(), passed);
            }
            total += passed;
        }
        writeResult(at_.subtest->rawField, total);
    }

    ExamineeRecord& record_;
    const Located& at_;
    QStringList written_;
};

} // namespace

RawScoreActions::RawScoreActions(ExamineeRecord& record)
    : record_(record) {}

QStringList RawScoreActions::handlers() {
    QStringList names;
    for (const Subtest& subtest : Catalogue::instance().subtests())
        names += handlersOf(subtest.number);
    return names;
}

QStringList RawScoreActions::handlersOf(int subtest) {
    QStringList names;
    for (const Located& found : actionsOf(Catalogue::instance().subtest(subtest)))
        names.append(found.action->handler);
    return names;
}

QStringList RawScoreActions::run(const QString& handler) {
    const Located at = locate(handler);
    return ActionRun(record_, at).run();
}

} // namespace iksa
