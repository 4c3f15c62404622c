#include "UnsavedRecovery.h"

#include "ExamineeRecord.h"
#include "UnsavedEntries.h"
#include "UserError.h"
#include "UserMessages.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>

namespace iksa {

namespace {

const QString idField = QStringLiteral("ID");

Table* tableNamed(DataModule& data, const QString& name) {
    for (Table* table : {&data.table1(), &data.table2(), &data.table3()})
        if (table->name() == name)
            return table;
    return nullptr;
}

int commonRowCount(const DataModule& data) {
    return std::min(
        {data.table1().recordCount(), data.table2().recordCount(), data.table3().recordCount()});
}

bool rowHasId(DataModule& data, int row, const QString& id) {
    for (Table* table : {&data.table3(), &data.table1(), &data.table2()})
        if (table->storedText(row, table->fieldIndex(idField)).trimmed() != id)
            return false;
    return true;
}

// The row of the record: where it was, or where its ID stands now in all
// three tables (a record before it was deleted since); 0 when it is gone.
int locate(DataModule& data, const UnsavedEntries& unsaved) {
    const int rows = commonRowCount(data);
    if (unsaved.recNo >= 1 && unsaved.recNo <= rows && rowHasId(data, unsaved.recNo, unsaved.id))
        return unsaved.recNo;
    for (int row = 1; row <= rows; ++row)
        if (rowHasId(data, row, unsaved.id))
            return row;
    return 0;
}

QString storedAt(DataModule& data, int row, const QString& tableName, const QString& field) {
    Table* table = tableNamed(data, tableName);
    const int index = table ? table->fieldIndex(field) : -1;
    return index < 0 ? QString() : table->storedText(row, index);
}

QString examineeLine(const UnsavedEntries& unsaved) {
    const QString name =
        QStringList{unsaved.surname.trimmed(), unsaved.firstName.trimmed()}.join(u' ').trimmed();
    return QStringLiteral("%1, datum vyšetření %2, ID %3")
        .arg(name.isEmpty() ? QStringLiteral("(bez jména)") : name, unsaved.date.trimmed(),
             unsaved.id);
}

QString timeText(const UnsavedEntries& unsaved) {
    return unsaved.savedAt.isValid() ? unsaved.savedAt.toString(QStringLiteral("d.M.yyyy H:mm:ss"))
                                     : QStringLiteral("(neznámý čas)");
}

// Returns how many texts went into the buffer.
int apply(ExamineeRecord& record, int row, const QList<UnsavedEntries::Entry>& entries) {
    record.moveTo(row);
    record.press(NavigatorButton::Edit);
    DataModule& data = record.data();
    int applied = 0;
    for (const UnsavedEntries::Entry& entry : entries) {
        Table* table = tableNamed(data, entry.table);
        const int index = table ? table->fieldIndex(entry.field) : -1;
        if (index < 0)
            continue;
        table->setText(index, entry.text);
        ++applied;
    }
    return applied;
}

QString keepAside(RecoveryFile& file, const QDateTime& time, UserMessages& messages) {
    try {
        return file.setAside(time);
    } catch (const UserError& error) {
        messages.show(error.message());
        return RecoveryFile::fileName();
    }
}

void offer(RecoveryFile& file, ExamineeRecord& record, UserMessages& messages) {

    UnsavedEntries unsaved;
    try {
        unsaved = UnsavedEntries::fromJson(file.read());
    } catch (const UserError& error) {
        const QString aside = keepAside(file, {}, messages);
        messages.show(QStringLiteral("Soubor neuložených údajů z minulého běhu programu nelze "
                                     "přečíst (%1). Byl uschován jako „%2“.")
                          .arg(error.message(), aside));
        return;
    }

    DataModule& data = record.data();
    const int row = locate(data, unsaved);
    if (row == 0) {
        const QString aside = keepAside(file, unsaved.savedAt, messages);
        messages.show(QStringLiteral("Neuložené údaje vyšetřeného %1 zapsané %2 nelze vrátit: "
                                     "záznam v tabulkách už není. Údaje jsou uschovány v "
                                     "souboru „%3“.")
                          .arg(examineeLine(unsaved), timeText(unsaved), aside));
        return;
    }

    // What the tables hold already needs no offer; what changed since the
    // entries were typed is named in a warning.
    QList<UnsavedEntries::Entry> offered;
    QStringList changedSince;
    for (const UnsavedEntries::Entry& entry : std::as_const(unsaved.entries)) {
        const QString now = storedAt(data, row, entry.table, entry.field);
        if (now == entry.text)
            continue;
        offered.append(entry);
        if (now != entry.stored)
            changedSince.append(entry.field);
    }
    if (offered.isEmpty()) {
        file.remove();
        return;
    }
    const Table& t3 = data.table3();
    const bool otherIdentity =
        storedAt(data, row, t3.name(), QStringLiteral("PRIJM")) != unsaved.storedSurname ||
        storedAt(data, row, t3.name(), QStringLiteral("JMENO")) != unsaved.storedFirstName ||
        storedAt(data, row, t3.name(), QStringLiteral("DATUM")) != unsaved.storedDate;

    QString question;
    if (otherIdentity || !changedSince.isEmpty()) {
        QString what =
            otherIdentity ? QStringLiteral("jméno, příjmení nebo datum vyšetření") : QString();
        if (!changedSince.isEmpty())
            what += (what.isEmpty() ? QString() : QStringLiteral("; ")) +
                    QStringLiteral("pole %1").arg(changedSince.join(QStringLiteral(", ")));
        question = QStringLiteral("Pozor: záznam se od té doby změnil (%1). Vrácené údaje "
                                  "přepíší jeho nynější obsah.\n\n")
                       .arg(what);
    }
    question += QStringLiteral("Program minule skončil, aniž byly uloženy údaje zapsané u "
                               "vyšetřeného %1 (naposledy %2, polí: %3).\n\nChcete je vrátit do "
                               "záznamu? Vrácené údaje uložíte tlačítkem „potvrdit“. Při volbě "
                               "„Ne“ zůstanou uschovány v souboru s jiným jménem.")
                    .arg(examineeLine(unsaved), timeText(unsaved))
                    .arg(offered.size());
    const int answer = messages.ask(question, {QStringLiteral("Ano"), QStringLiteral("Ne")}, 0, 1);
    if (answer != 0 || apply(record, row, offered) == 0)
        keepAside(file, unsaved.savedAt, messages);
}

} // namespace

void offerUnsavedEntries(ExamineeRecord& record, const QDir& dataDir, UserMessages& messages) {
    RecoveryFile file(dataDir);
    if (!file.exists())
        return;
    try {
        offer(file, record, messages);
    } catch (const UserError& error) {
        // Whatever stopped the offer, the entries stay on disk.
        const QString aside = file.exists() ? keepAside(file, {}, messages) : QString();
        messages.show(aside.isEmpty() ? error.message()
                                      : QStringLiteral("%1\nNeuložené údaje jsou uschovány v "
                                                       "souboru „%2“.")
                                            .arg(error.message(), aside));
    }
}

} // namespace iksa
