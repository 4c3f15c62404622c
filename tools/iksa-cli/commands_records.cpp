// Record commands of iksa-cli: init, list, add, set, get, delete, search.
// Records are numbered 1… in the natural order of the tables.
#include "CliSupport.h"
#include "records/DataModule.h"
#include "records/ExamineeList.h"
#include "records/ExamineeRecord.h"
#include "records/PrivateFiles.h"
#include "records/SurnameSearch.h"
#include "records/UserError.h"

#include <QDir>
#include <utility>
#include <vector>

namespace iksa::cli {

namespace {

using Assignment = std::pair<QString, QString>;

// FIELD=TEXT arguments; every field must exist before anything is written.
std::vector<Assignment> assignments(const QStringList& args, ExamineeRecord& record) {
    std::vector<Assignment> list;
    for (const QString& arg : args) {
        const qsizetype eq = arg.indexOf(QLatin1Char('='));
        if (eq <= 0)
            throw UserError(QStringLiteral("„%1“ nemá tvar POLE=TEXT.").arg(arg));
        const QString field = arg.left(eq);
        (void)record.tableOf(field); // unknown names fail here
        list.emplace_back(field, arg.mid(eq + 1));
    }
    return list;
}

// Puts the texts into the record buffer and checks them against their
// columns; a text that does not fit fails here, before any table is written.
void putTexts(ExamineeRecord& record, const std::vector<Assignment>& list) {
    for (const auto& [field, text] : list)
        record.setText(field, text);
    record.validatePending();
}

// Puts the texts and stores the record as "potvrdit" does.
void putAndPost(ExamineeRecord& record, const std::vector<Assignment>& list) {
    putTexts(record, list);
    record.press(NavigatorButton::Post);
}

// Checks the texts against their columns on a new, unposted row of each
// table, so that `add` writes nothing when one of them is bad.
void checkTexts(DataModule& data, ExamineeRecord& record, const std::vector<Assignment>& list) {
    if (list.empty())
        return;
    for (Table* table : {&data.table3(), &data.table1(), &data.table2()})
        table->insert();
    cancelOnFailure(record, [&] { putTexts(record, list); });
    record.press(NavigatorButton::Cancel);
}

int runInit(const QStringList& args) {
    if (args.size() != 1)
        return usageError(QStringLiteral("init"));
    if (!makePrivateDirectories(args[0]))
        throw UserError(QStringLiteral("Adresář „%1“ nelze založit.").arg(args[0]));
    DataModule::createEmptyTables(QDir(args[0]));
    return 0;
}

// list DIR [--filter TEXT]: the records in natural order; with a filter only
// those that the examinee list of the window would show for it.
int runList(const QStringList& args) {
    const bool filtered = args.size() == 3 && args[1] == QLatin1String("--filter");
    if (args.size() != 1 && !filtered)
        return usageError(QStringLiteral("list"));
    OpenRecords open(args[0], DataModule::Access::ReadOnly);
    const ExamineeFilter filter(filtered ? args[2] : QString());
    const QList<ExamineeEntry> entries = readExamineeList(open.data.table3());
    for (const ExamineeEntry& entry : entries) {
        if (!filter.matches(entry))
            continue;
        out() << entry.recNo();
        for (const ExamineeColumn column :
             {ExamineeColumn::Id, ExamineeColumn::Surname, ExamineeColumn::FirstName,
              ExamineeColumn::Age, ExamineeColumn::Date})
            out() << '\t' << entry.text(column);
        out() << '\n';
    }
    return 0;
}

int runAdd(const QStringList& args) {
    if (args.isEmpty())
        return usageError(QStringLiteral("add"));
    OpenRecords open(args[0], DataModule::Access::ReadWrite);
    const auto list = assignments(args.mid(1), open.record);
    checkTexts(open.data, open.record, list);
    open.record.press(NavigatorButton::Insert);
    if (!list.empty())
        putAndPost(open.record, list);
    out() << open.record.recNo() << '\n';
    return 0;
}

int runSet(const QStringList& args) {
    if (args.size() < 3)
        return usageError(QStringLiteral("set"));
    OpenRecords open(args[0], DataModule::Access::ReadWrite);
    const int n = recordNumber(args[1], open.record);
    const auto list = assignments(args.mid(2), open.record);
    open.record.moveTo(n);
    open.record.press(NavigatorButton::Edit);
    cancelOnFailure(open.record, [&] { putAndPost(open.record, list); });
    return 0;
}

int runGet(const QStringList& args) {
    if (args.size() < 3)
        return usageError(QStringLiteral("get"));
    OpenRecords open(args[0], DataModule::Access::ReadOnly);
    const int n = recordNumber(args[1], open.record);
    open.record.moveTo(n);
    QStringList texts;
    for (const QString& field : args.mid(2))
        texts.append(open.record.text(field));
    for (const QString& text : texts)
        out() << text << '\n';
    return 0;
}

int runDelete(const QStringList& args) {
    if (args.size() != 2)
        return usageError(QStringLiteral("delete"));
    OpenRecords open(args[0], DataModule::Access::ReadWrite);
    open.record.moveTo(recordNumber(args[1], open.record));
    open.record.removeCurrent();
    return 0;
}

int runSearch(const QStringList& args) {
    if (args.size() != 2)
        return usageError(QStringLiteral("search"));
    OpenRecords open(args[0], DataModule::Access::ReadOnly);
    SurnameSearch search(open.record);
    bool found = false;
    while (search.press(args[1]).found) {
        out() << open.record.recNo() << '\n';
        found = true;
    }
    return found ? 0 : 1; // nothing found, as grep says it
}

const CommandRegistration registrations[] = {
    CommandRegistration({QStringLiteral("init"), QStringLiteral("init ADRESÁŘ"), runInit}),
    CommandRegistration(
        {QStringLiteral("list"), QStringLiteral("list ADRESÁŘ [--filter TEXT]"), runList}),
    CommandRegistration(
        {QStringLiteral("add"), QStringLiteral("add ADRESÁŘ [POLE=TEXT…]"), runAdd}),
    CommandRegistration(
        {QStringLiteral("set"), QStringLiteral("set ADRESÁŘ ČÍSLO POLE=TEXT…"), runSet}),
    CommandRegistration({QStringLiteral("get"), QStringLiteral("get ADRESÁŘ ČÍSLO POLE…"), runGet}),
    CommandRegistration(
        {QStringLiteral("delete"), QStringLiteral("delete ADRESÁŘ ČÍSLO"), runDelete}),
    CommandRegistration(
        {QStringLiteral("search"), QStringLiteral("search ADRESÁŘ PŘÍJMENÍ"), runSearch}),
};

} // namespace

} // namespace iksa::cli
