#include "DataModule.h"

#include "DbfHooks.h"
#include "TableFiles.h"
#include "UserError.h"
#include "UserMessages.h"

#include <QFile>

namespace iksa {

namespace {

// "LDID/200": the language-driver byte 0xC8 of code page 1250, no .cpg file.
constexpr const char* codePage1250 = "LDID/200";

void createTable(const QDir& dir, const TableSchema& schema) {
    const QString path = dir.filePath(schema.fileName);
    const QByteArray native = QFile::encodeName(path);
    const QByteArray base = native.left(native.lastIndexOf('.'));
    dbfio::clearErrors();
    DBFHandle dbf = nullptr;
    bool created = false;
    {
        dbfio::FileMapping mapping(base, -1, native);
        dbf = DBFCreateLL(native.constData(), codePage1250, dbfio::hooks());
        created = mapping.created();
    }
    const auto failure = [&](const QString& cause) {
        if (created) // only a file this call made; never one that was there
            QFile::remove(path);
        return UserError(QStringLiteral("Tabulku „%1“ nelze vytvořit: %2.").arg(path, cause));
    };
    if (!dbf)
        throw failure(dbfio::lastError().isEmpty() ? QStringLiteral("chyba zápisu")
                                                   : dbfio::lastError());
    for (const ColumnDef& column : schema.columns) {
        const DBFFieldType type = column.type == ColumnType::Text    ? FTString
                                  : column.type == ColumnType::Int16 ? FTInteger
                                                                     : FTDouble;
        if (DBFAddField(dbf, column.name.toLatin1().constData(), type, column.width,
                        column.decimals) < 0) {
            DBFClose(dbf);
            throw failure(QStringLiteral("sloupec „%1“ nelze založit").arg(column.name));
        }
    }
    DBFClose(dbf);
    if (dbfio::failed())
        throw failure(dbfio::lastError());
}

} // namespace

struct DataModule::Private {
    explicit Private(DataModule* owner)
        : table1(table1Schema(), owner)
        , table2(table2Schema(), owner)
        , table3(table3Schema(), owner) {}

    Table table1;
    Table table2;
    Table table3;
    QDir startDir;
};

DataModule::DataModule(QObject* parent)
    : QObject(parent)
    , d(std::make_unique<Private>(this)) {
    setObjectName(QStringLiteral("DataModule3"));
}

DataModule::~DataModule() {
    close();
}

Table& DataModule::table1() {
    return d->table1;
}

Table& DataModule::table2() {
    return d->table2;
}

Table& DataModule::table3() {
    return d->table3;
}

const Table& DataModule::table1() const {
    return d->table1;
}

const Table& DataModule::table2() const {
    return d->table2;
}

const Table& DataModule::table3() const {
    return d->table3;
}

void DataModule::open(const QDir& startDir, UserMessages& messages, Access access, int waitMs) {
    Table::OpenOptions options;
    options.readOnly = access == Access::ReadOnly;
    options.lock = access == Access::ReadWrite;
    options.lockWaitMs = waitMs;
    d->startDir = startDir;
    bool openedAny = false;
    for (Table* table : {&d->table3, &d->table2, &d->table1}) {
        if (table->isOpen())
            continue;
        table->open(startDir, options);
        openedAny = true;
    }
    // The tables do not repair themselves; the examiner must know that the
    // rows of one examinee no longer line up.
    const int n3 = d->table3.recordCount();
    if (openedAny && (d->table1.recordCount() != n3 || d->table2.recordCount() != n3))
        messages.show(QStringLiteral("Tabulky v adresáři „%1“ mají různý počet záznamů "
                                     "(%2: %3, %4: %5, %6: %7). Záznamy jednotlivých tabulek si "
                                     "proto neodpovídají.")
                          .arg(QDir::toNativeSeparators(startDir.absolutePath()))
                          .arg(d->table3.schema().fileName)
                          .arg(n3)
                          .arg(d->table1.schema().fileName)
                          .arg(d->table1.recordCount())
                          .arg(d->table2.schema().fileName)
                          .arg(d->table2.recordCount()));
}

void DataModule::close() {
    d->table1.close();
    d->table2.close();
    d->table3.close();
}

bool DataModule::isOpen() const {
    return d->table1.isOpen() && d->table2.isOpen() && d->table3.isOpen();
}

QDir DataModule::startDir() const {
    return d->startDir;
}

void DataModule::createEmptyTables(const QDir& dir) {
    const QStringList existing = tableFilesIn(dir);
    if (!existing.isEmpty()) {
        QStringList names;
        for (const QString& path : existing)
            names.append(QFileInfo(path).fileName());
        throw UserError(QStringLiteral("V adresáři „%1“ už tabulky jsou (%2); prázdné tabulky se "
                                       "nezaložily.")
                            .arg(QDir::toNativeSeparators(dir.absolutePath()),
                                 names.join(QStringLiteral(", "))));
    }
    QStringList created;
    try {
        for (const TableSchema* schema : tableSchemas()) {
            createTable(dir, *schema);
            created.append(dir.filePath(schema->fileName));
        }
    } catch (const UserError&) {
        // All three or none.
        for (const QString& path : created)
            QFile::remove(path);
        throw;
    }
}

} // namespace iksa
