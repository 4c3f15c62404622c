#include "ExamineeRecord.h"

#include "DbfHooks.h"
#include "UserError.h"

#include <QDate>
#include <QStringList>
#include <array>
#include <limits>

namespace iksa {

namespace {

const QString idField = QStringLiteral("ID");
const QString surnameField = QStringLiteral("PRIJM");
const QString dateField = QStringLiteral("DATUM");
const QString soRawScoreField = QStringLiteral("HS_14_SO");

// Runs one record operation; the files it wrote are synced to disk together
// when it ends, so that "přidat" costs one disk round trip, not four.
template <typename Operation> void synced(Operation&& operation) {
    dbfio::SyncGroup group;
    operation();
    if (!group.commit())
        throw UserError(QStringLiteral("Záznam se nepodařilo bezpečně uložit na disk: %1.")
                            .arg(dbfio::lastError()));
}

} // namespace

ExamineeRecord::ExamineeRecord(DataModule& data, QObject* parent)
    : QObject(parent)
    , data_(data) {
    connect(&data_.table3(), &Table::stateChanged, this, &ExamineeRecord::table3StateChanged);
}

QString ExamineeRecord::noRecordYetMessage() {
    return QStringLiteral("Nejprve založte záznam tlačítkem „přidat“.");
}

void ExamineeRecord::table3StateChanged(TableState state) {
    if (state != TableState::Inactive)
        return;
    // Closed (a restore, the end): no record, so nothing of subtest 14 is hidden.
    soNotAdministered_ = false;
    setSoCellsHidden(false);
    emit currentRecordReplaced();
}

DataModule& ExamineeRecord::data() {
    return data_;
}

const DataModule& ExamineeRecord::data() const {
    return data_;
}

void ExamineeRecord::press(NavigatorButton button) {
    synced([&] { pressButton(button); });
}

void ExamineeRecord::pressButton(NavigatorButton button) {
    Table& t1 = data_.table1();
    Table& t2 = data_.table2();
    Table& t3 = data_.table3();
    switch (button) {
    case NavigatorButton::First:
    case NavigatorButton::Prior:
    case NavigatorButton::Next:
    case NavigatorButton::Last:
        move(button);
        break;
    case NavigatorButton::Insert:
        insertRecord();
        break;
    case NavigatorButton::Edit:
        if (t3.recordCount() == 0 && t1.recordCount() == 0 && t2.recordCount() == 0 &&
            t3.state() == TableState::Browse)
            throw UserError(noRecordYetMessage());
        t3.edit();
        t1.edit();
        t2.edit();
        break;
    case NavigatorButton::Post:
        postRecord();
        break;
    case NavigatorButton::Cancel:
        t3.cancel();
        t1.cancel();
        t2.cancel();
        break;
    }
}

template <typename Step> void ExamineeRecord::moveAll(Step step) {
    // A move stores the pending changes of the row it leaves.
    if (hasPendingChanges())
        requireAligned();
    validatePending();
    const Table::Bookmark before = data_.table3().bookmark();
    // Table3 first, then Table1 (DBNavigator2), then Table2 (DBNavigator3).
    for (Table* table : {&data_.table3(), &data_.table1(), &data_.table2()})
        step(*table);
    refreshNotAdministeredDisplay();
    if (data_.table3().bookmark() != before)
        emit currentRecordReplaced();
}

void ExamineeRecord::move(NavigatorButton button) {
    void (Table::*const step)() = button == NavigatorButton::First   ? &Table::first
                                  : button == NavigatorButton::Prior ? &Table::prior
                                  : button == NavigatorButton::Next  ? &Table::next
                                                                     : &Table::last;
    moveAll([step](Table& table) { (table.*step)(); });
}

// "přidat", step by step as the navigators' click handlers carry it out.
void ExamineeRecord::insertRecord() {
    Table& t1 = data_.table1();
    Table& t2 = data_.table2();
    Table& t3 = data_.table3();
    const int rowsBefore = t3.recordCount();
    // ID is an int16 column in Table2 and Table3: refuse before anything is
    // written rather than leave three half-made rows.
    if (rowsBefore > std::numeric_limits<qint16>::max())
        throw UserError(QStringLiteral("Nový záznam nelze přidat: tabulky už mají %1 záznamů a "
                                       "číslo záznamu (pole ID) může být nejvýš %2.")
                            .arg(rowsBefore)
                            .arg(std::numeric_limits<qint16>::max()));
    requireAligned();
    validatePending();

    t3.insert();
    t1.insert();
    t3.setText(idField, QString::number(rowsBefore));
    t2.insert();
    const QString id = t3.text(idField);
    t2.setText(idField, id);
    t1.setText(idField, id);
    const QString surname = t3.text(surnameField);
    t2.setText(surnameField, surname);
    t1.setText(surnameField, surname);
    t3.post();
    t1.post();
    t2.post();
    t1.edit();
    t2.edit();

    t3.edit();
    t3.setText(dateField, QDate::currentDate().toString(QStringLiteral("d.M.yyyy")));
    t3.post();
    refreshNotAdministeredDisplay();
    emit currentRecordReplaced();
}

// "potvrdit": Table3 is stored, then the surname of the header is copied
// into Table2 and Table1 and both are stored.
void ExamineeRecord::postRecord() {
    Table& t1 = data_.table1();
    Table& t2 = data_.table2();
    Table& t3 = data_.table3();
    const bool pending = t3.state() != TableState::Browse || t1.state() != TableState::Browse ||
                         t2.state() != TableState::Browse;
    if (!pending)
        return; // the button is disabled while nothing is being changed
    requireAligned();
    validatePending();
    t3.post();
    t1.edit();
    t2.edit();
    const QString surname = t3.text(surnameField);
    t2.setText(surnameField, surname);
    t1.setText(surnameField, surname);
    t1.validate();
    t2.validate();
    t1.post();
    t2.post();
}

void ExamineeRecord::removeCurrent() {
    synced([&] { removeRows(); });
}

void ExamineeRecord::removeRows() {
    Table& t1 = data_.table1();
    Table& t2 = data_.table2();
    Table& t3 = data_.table3();
    requireAligned();
    // Deleting from Table3 alone would leave the tables out of step.
    for (Table* table : {&t3, &t2, &t1})
        if (table->recordCount() == 0 && table->state() != TableState::Insert)
            table->remove(); // throws the empty-table refusal before anything is deleted
    t3.remove();
    t2.remove();
    t1.remove();
    refreshNotAdministeredDisplay();
    emit currentRecordReplaced();
}

void ExamineeRecord::moveTo(int recNo) {
    synced([&] { moveAll([recNo](Table& table) { table.moveTo(recNo); }); });
}

int ExamineeRecord::recordCount() const {
    return data_.table3().recordCount();
}

int ExamineeRecord::recNo() const {
    return data_.table3().recNo();
}

void ExamineeRecord::validatePending() const {
    data_.table3().validate();
    data_.table1().validate();
    data_.table2().validate();
}

void ExamineeRecord::storePendingChanges() {
    if (hasPendingChanges())
        requireAligned();
    validatePending();
    synced([&] {
        data_.table3().finishEditing();
        data_.table2().finishEditing();
        data_.table1().finishEditing();
    });
}

bool ExamineeRecord::hasPendingChanges() const {
    for (const Table* table : {&data_.table3(), &data_.table1(), &data_.table2()})
        if (table->isOpen() && (table->isModified() || table->state() == TableState::Insert))
            return true;
    return false;
}

void ExamineeRecord::requireAligned() const {
    const std::array<const Table*, 3> tables{&data_.table3(), &data_.table1(), &data_.table2()};
    const auto idOf = [](const Table& table) { return table.text(idField).trimmed(); };
    const Table& t3 = *tables[0];
    bool aligned = true;
    for (const Table* table : tables)
        aligned = aligned && table->recNo() == t3.recNo() && idOf(*table) == idOf(t3);
    if (aligned)
        return;
    QStringList rows;
    for (const Table* table : tables)
        rows.append(QStringLiteral("%1 („%2“): řádek %3, ID %4")
                        .arg(table->name(), table->schema().fileName)
                        .arg(table->recNo())
                        .arg(idOf(*table).isEmpty() ? QStringLiteral("prázdné") : idOf(*table)));
    throw UserError(
        QStringLiteral("Záznam nelze zapsat: aktuální řádky tabulek %1, %2 a %3 "
                       "nepatří jednomu vyšetřenému (%4). Nic nebylo zapsáno.")
            .arg(tables[1]->name(), tables[2]->name(), t3.name(), rows.join(QStringLiteral("; "))));
}

Table& ExamineeRecord::tableOf(const QString& field) {
    return const_cast<Table&>(*resolve(field).table);
}

QString ExamineeRecord::text(const QString& field) const {
    const ResolvedField resolved = resolve(field);
    return resolved.table->text(resolved.name);
}

int ExamineeRecord::integer(const QString& field) const {
    const ResolvedField resolved = resolve(field);
    return resolved.table->integer(resolved.name);
}

void ExamineeRecord::setText(const QString& field, const QString& text) {
    const ResolvedField resolved = resolve(field);
    const_cast<Table*>(resolved.table)->setText(resolved.name, text);
}

ExamineeRecord::ResolvedField ExamineeRecord::resolve(const QString& field) const {
    const DataModule& data = data_;
    if (field.size() > 2 && field[1] == QLatin1Char(':')) {
        const Table* named = field[0] == QLatin1Char('1')   ? &data.table1()
                             : field[0] == QLatin1Char('2') ? &data.table2()
                             : field[0] == QLatin1Char('3') ? &data.table3()
                                                            : nullptr;
        if (named) {
            const QString name = field.mid(2);
            if (named->fieldIndex(name) < 0)
                throw UserError(QStringLiteral("Pole „%1“ v tabulce %2 („%3“) neexistuje.")
                                    .arg(name, named->name(), named->schema().fileName));
            return {named, name};
        }
    }
    for (const Table* table : {&data.table3(), &data.table1(), &data.table2()})
        if (table->fieldIndex(field) >= 0)
            return {table, field};
    throw UserError(QStringLiteral("Pole „%1“ není v žádné z tabulek záznamu.").arg(field));
}

void ExamineeRecord::setNotAdministeredMark(bool ticked) {
    // The edit protocol: all three tables into edit state, then the text.
    press(NavigatorButton::Edit);
    data_.table3().setText(soRawScoreField, ticked ? QStringLiteral("-1") : QStringLiteral("0"));
}

bool ExamineeRecord::soNotAdministered() const {
    return soNotAdministered_;
}

void ExamineeRecord::setSoNotAdministered(bool on) {
    soNotAdministered_ = on;
}

bool ExamineeRecord::soCellsHidden() const {
    return soCellsHidden_;
}

void ExamineeRecord::setSoCellsHidden(bool hidden) {
    if (soCellsHidden_ == hidden)
        return;
    soCellsHidden_ = hidden;
    emit soCellsHiddenChanged(hidden);
}

void ExamineeRecord::refreshNotAdministeredDisplay() {
    const bool mark = data_.table3().text(soRawScoreField) == QLatin1String("-1");
    setSoCellsHidden(mark);
    soNotAdministered_ = mark;
}

} // namespace iksa
