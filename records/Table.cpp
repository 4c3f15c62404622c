#include "Table.h"

#include "DbfHooks.h"
#include "DbfLayout.h"
#include "TableFiles.h"
#include "TableLock.h"
#include "TextConversion.h"
#include "UserError.h"
#include "Windows1250.h"

#include <QDate>
#include <QHash>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace iksa {

namespace {

QString systemCause(int error) {
    switch (error) {
    case ENOENT:
        return QStringLiteral("soubor neexistuje");
    case EACCES:
    case EPERM:
        return QStringLiteral("chybí oprávnění k souboru");
    case EISDIR:
        return QStringLiteral("je to adresář");
    case EROFS:
        return QStringLiteral("soubor leží na disku jen pro čtení");
    default:
        return QStringLiteral("chyba systému: %1")
            .arg(QString::fromLocal8Bit(std::strerror(error)));
    }
}

bool compatible(ColumnType type, const DbfField& field) {
    if (type == ColumnType::Text)
        return field.type == 'C';
    return field.type == 'N' || field.type == 'F';
}

QString typeName(ColumnType type) {
    return type == ColumnType::Text ? QStringLiteral("text") : QStringLiteral("číslo");
}

QString fieldTypeName(const DbfField& field) {
    return field.type == 'C' ? QStringLiteral("text") : QStringLiteral("číslo");
}

// A numeric text of a row as the buffer shows it: "" when never written
// (blanks, or the stars some writers use), a whole number for int16 columns,
// the shortest form of the value for floats; an unreadable text as it stands.
QString numericText(QByteArrayView raw, ColumnType type) {
    const QByteArray trimmed = raw.toByteArray().trimmed();
    if (trimmed.isEmpty() || trimmed.count('*') == trimmed.size())
        return {};
    QByteArray normalised = trimmed;
    normalised.replace(',', '.');
    bool ok = false;
    const double value = normalised.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return QString::fromLatin1(trimmed);
    if (type == ColumnType::Int16)
        return QString::number(std::llround(value));
    if (value == 0)
        return QStringLiteral("0");
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

} // namespace

struct Table::Private {
    explicit Private(Table* table, const TableSchema& s)
        : q(table)
        , schema(s) {
        for (int i = 0; i < schema.columns.size(); ++i)
            index.insert(schema.columns[i].name.toUpper(), i);
    }

    Table* q;
    const TableSchema& schema;
    QHash<QString, int> index; // upper-case name → column

    QString path;
    int fd = -1;
    DBFHandle dbf = nullptr;
    bool readOnly = false;
    bool syncWrites = true;
    DbfLayout layout;

    std::vector<qint32> live; // file rows in natural order, deleted rows left out
    int pos = -1;             // index into live; -1 when empty
    bool bof = true;
    bool eof = true;
    int posBeforeInsert = -1;

    TableState state = TableState::Inactive;
    QByteArray raw;      // the current row as stored (flag byte first)
    QStringList texts;   // one text per schema column
    QVector<bool> dirty; // texts changed since the row was loaded
    bool modified = false;

    QString fileName() const { return QFileInfo(path).fileName(); }

    UserError openError(const QString& file, const QString& cause) const {
        return UserError(QStringLiteral("Tabulku „%1“ nelze otevřít: %2.").arg(file, cause));
    }

    UserError writeError(const QString& what) const {
        return UserError(QStringLiteral("Do tabulky „%1“ nelze zapsat %2: %3.")
                             .arg(path, what,
                                  dbfio::lastError().isEmpty() ? QStringLiteral("chyba zápisu")
                                                               : dbfio::lastError()));
    }

    void requireOpen() const {
        if (state == TableState::Inactive)
            throw UserError(QStringLiteral("Tabulka %1 („%2“) není otevřená.")
                                .arg(schema.tableName, schema.fileName));
    }

    void requireWritable() const {
        requireOpen();
        if (readOnly)
            throw UserError(
                QStringLiteral("Tabulka „%1“ je otevřena jen pro čtení.").arg(fileName()));
    }

    int column(const QString& name) const {
        const int i = index.value(name.toUpper(), -1);
        if (i < 0)
            throw UserError(
                QStringLiteral("Pole „%1“ v tabulce „%2“ neexistuje.").arg(name, schema.fileName));
        return i;
    }

    void checkColumn(int i) const {
        if (i < 0 || i >= schema.columns.size())
            throw UserError(QStringLiteral("Pole č. %1 v tabulce „%2“ neexistuje.")
                                .arg(i + 1)
                                .arg(schema.fileName));
    }

    void setState(TableState s) {
        if (state == s)
            return;
        state = s;
        emit q->stateChanged(s);
    }

    // --- opening -------------------------------------------------------

    QString resolve(const QDir& dir) const {
        const QStringList found = filesNamed(dir, schema.fileName);
        if (found.isEmpty())
            throw openError(dir.filePath(schema.fileName),
                            QStringLiteral("soubor v adresáři „%1“ neexistuje")
                                .arg(QDir::toNativeSeparators(dir.absolutePath())));
        if (found.size() > 1) {
            QStringList names;
            for (const QString& f : found)
                names.append(QFileInfo(f).fileName());
            throw openError(dir.filePath(schema.fileName),
                            QStringLiteral("v adresáři je více souborů, které se liší jen "
                                           "velikostí písmen (%1)")
                                .arg(names.join(QStringLiteral(", "))));
        }
        return found.first();
    }

    void takeLock(const QDir& dir, int waitMs) {
        switch (lockTableFile(fd, waitMs)) {
        case TableLockResult::Taken:
            return;
        case TableLockResult::HeldElsewhere:
            throw UserError(tablesInUseMessage(dir, fileName()));
        case TableLockResult::Failed:
            throw openError(path, QStringLiteral("soubor nelze zamknout (%1)")
                                      .arg(QString::fromLocal8Bit(std::strerror(errno))));
        }
    }

    void checkSchema() const {
        const auto& columns = schema.columns;
        for (int i = 0; i < columns.size(); ++i) {
            if (i >= layout.fields.size())
                throw openError(path, QStringLiteral("chybí sloupec „%1“ (tabulka má jen %2 "
                                                     "sloupců, má jich mít %3)")
                                          .arg(columns[i].name)
                                          .arg(layout.fields.size())
                                          .arg(columns.size()));
            const DbfField& field = layout.fields[i];
            const QString stored = QString::fromLatin1(field.name);
            if (stored.compare(columns[i].name, Qt::CaseInsensitive) != 0)
                throw openError(path, QStringLiteral("sloupec č. %1 má být „%2“, v souboru je "
                                                     "„%3“")
                                          .arg(i + 1)
                                          .arg(columns[i].name, stored));
            if (!compatible(columns[i].type, field))
                throw openError(path, QStringLiteral("sloupec „%1“ má být %2, v souboru je %3")
                                          .arg(columns[i].name, typeName(columns[i].type),
                                               fieldTypeName(field)));
        }
    }

    // Natural order: every row whose deletion flag is not set. Only the flag
    // byte of each row is read.
    void mapLiveRows() {
        live.clear();
        live.reserve(static_cast<std::size_t>(layout.recordCount));
        // Small rows: read the rows in large blocks; large rows (a page or
        // more apart): read each flag byte on its own.
        constexpr int smallRow = 2048;
        constexpr qint64 blockSize = 1 << 20;
        std::vector<char> block;
        qint64 blockStart = 0;
        qint64 blockEnd = 0;
        for (qint64 row = 0; row < layout.recordCount; ++row) {
            const qint64 at = layout.recordOffset(row);
            char flag = 0;
            if (layout.recordLength < smallRow) {
                if (at >= blockEnd) {
                    const qint64 end = layout.recordOffset(layout.recordCount);
                    block.resize(static_cast<std::size_t>(std::min(blockSize, end - at)));
                    blockStart = at;
                    blockEnd =
                        at + readFullyAt(fd, at, block.data(), static_cast<qint64>(block.size()));
                    if (blockEnd <= at)
                        throw openError(path,
                                        QStringLiteral("záznam č. %1 nelze přečíst").arg(row + 1));
                }
                flag = block[static_cast<std::size_t>(at - blockStart)];
            } else if (readFullyAt(fd, at, &flag, 1) != 1) {
                throw openError(path, QStringLiteral("záznam č. %1 nelze přečíst").arg(row + 1));
            }
            if (flag == ' ')
                live.push_back(static_cast<qint32>(row));
            else if (flag != '*')
                throw openError(path, QStringLiteral("záznam č. %1 je poškozený (neplatný "
                                                     "příznak smazání)")
                                          .arg(row + 1));
        }
    }

    // Opens the file as `fd` and, when asked, takes its lock. A restore may
    // replace the file under its name while this waits for the lock; the
    // file now bearing the name is then opened instead.
    void openLockedFile(const QDir& dir, const OpenOptions& options) {
        const int flags = (options.readOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC;
        for (int attempt = 1;; ++attempt) {
            const QString resolved = resolve(dir);
            fd = ::open(QFile::encodeName(resolved).constData(), flags);
            if (fd < 0)
                throw openError(resolved, systemCause(errno));
            path = resolved;
            if (!options.lock)
                return;
            try {
                takeLock(dir, options.lockWaitMs);
            } catch (...) {
                ::close(fd);
                fd = -1;
                path.clear();
                throw;
            }
            if (stillNamedBy(fd, path) || attempt == 3)
                return;
            ::close(fd);
        }
    }

    void openFile(const QDir& dir, const OpenOptions& options) {
        openLockedFile(dir, options);
        const QByteArray native = QFile::encodeName(path);
        try {
            struct stat st {};
            if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
                throw openError(path, QStringLiteral("není to obyčejný soubor"));
            try {
                layout = readDbfLayout(fd, st.st_size);
            } catch (const DbfDamage& damage) {
                throw openError(path, damage.cause);
            }
            checkSchema();
            mapLiveRows();
            syncWrites = options.syncWrites;
            openHandle(native, options.readOnly);
        } catch (...) {
            ::close(fd);
            fd = -1;
            path.clear();
            live.clear();
            throw;
        }
        readOnly = options.readOnly;
    }

    void openHandle(const QByteArray& native, bool forReading) {
        const int dot = native.lastIndexOf('.');
        const int slash = native.lastIndexOf('/');
        const QByteArray base = dot > slash ? native.left(dot) : native;
        dbfio::clearErrors();
        {
            dbfio::FileMapping mapping(base, fd, {}, syncWrites);
            dbf = DBFOpenLL(native.constData(), forReading ? "rb" : "rb+", dbfio::hooks());
        }
        if (!dbf)
            throw openError(path, dbfio::lastError().isEmpty()
                                      ? QStringLiteral("knihovna shapelib tabulku odmítla")
                                      : dbfio::lastError());
        if (DBFGetRecordCount(dbf) != layout.recordCount ||
            DBFGetFieldCount(dbf) != layout.fields.size() ||
            dbf->nRecordLength != layout.recordLength) {
            DBFClose(dbf);
            dbf = nullptr;
            throw openError(path, QStringLiteral("knihovna shapelib čte hlavičku jinak"));
        }
    }

    // --- rows ----------------------------------------------------------

    QByteArray readRow(qint32 fileRow) const {
        dbfio::clearErrors();
        const char* tuple = DBFReadTuple(dbf, fileRow);
        if (!tuple)
            throw UserError(QStringLiteral("Záznam č. %1 tabulky „%2“ nelze přečíst%3.")
                                .arg(fileRow + 1)
                                .arg(path, dbfio::lastError().isEmpty()
                                               ? QString()
                                               : QStringLiteral(": ") + dbfio::lastError()));
        return QByteArray(tuple, layout.recordLength);
    }

    QString decode(const char* row, int i) const {
        const DbfField& field = layout.fields[i];
        const QByteArrayView bytes(row + field.offset, field.width);
        const ColumnType type = schema.columns[i].type;
        if (type != ColumnType::Text)
            return numericText(bytes, type);
        qsizetype end = bytes.size();
        while (end > 0 && (bytes[end - 1] == ' ' || bytes[end - 1] == '\0'))
            --end;
        return Windows1250::decode(bytes.first(end));
    }

    // Fills the buffer with a stored row, or with an empty row when `row` is
    // null; no text counts as changed.
    void fillBuffer(const QByteArray& row) {
        const bool empty = row.isNull();
        raw = empty ? QByteArray(layout.recordLength, ' ') : row;
        texts.clear();
        for (int i = 0; i < schema.columns.size(); ++i)
            texts.append(empty ? QString() : decode(raw.constData(), i));
        dirty.fill(false, schema.columns.size());
        modified = false;
    }

    void load() {
        fillBuffer(pos < 0 ? QByteArray() : readRow(live[static_cast<std::size_t>(pos)]));
        emit q->recordChanged();
    }

    UserError fieldError(int i, const QString& cause) const {
        return UserError(QStringLiteral("Pole „%1“ tabulky „%2“: %3")
                             .arg(schema.columns[i].name, schema.fileName, cause));
    }

    QByteArray encodeNumber(int i, const QString& text) const {
        const DbfField& field = layout.fields[i];
        const QString trimmed = text.trimmed();
        if (trimmed.isEmpty())
            return QByteArray(field.width, ' ');
        QString formatted;
        try {
            if (schema.columns[i].type == ColumnType::Int16) {
                const int value = toWholeNumber(trimmed);
                if (value < std::numeric_limits<qint16>::min() ||
                    value > std::numeric_limits<qint16>::max())
                    throw fieldError(i, QStringLiteral("hodnota „%1“ je mimo rozsah -32768 až "
                                                       "32767.")
                                            .arg(text));
                formatted = field.decimals > 0 ? QString::number(double(value), 'f', field.decimals)
                                               : QString::number(value);
            } else {
                formatted = QString::number(toRealNumber(trimmed), 'f', field.decimals);
            }
        } catch (const UserError& e) {
            if (e.message().startsWith(QStringLiteral("Pole „")))
                throw;
            throw fieldError(i, e.message());
        }
        if (formatted.size() > field.width)
            throw fieldError(i, QStringLiteral("hodnota „%1“ se do pole o šířce %2 nevejde.")
                                    .arg(text)
                                    .arg(field.width));
        return formatted.rightJustified(field.width).toLatin1();
    }

    QByteArray encodeText(int i, const QString& text) const {
        const DbfField& field = layout.fields[i];
        bool ok = false;
        QString bad;
        QByteArray bytes = Windows1250::encode(text, &ok, &bad);
        if (!ok)
            throw fieldError(i, QStringLiteral("znak „%1“ (U+%2) nelze uložit v kódové stránce "
                                               "Windows-1250.")
                                    .arg(bad)
                                    .arg(QString::number(bad.toUcs4().value(0), 16)
                                             .toUpper()
                                             .rightJustified(4, QLatin1Char('0'))));
        bytes.truncate(field.width);
        return bytes.leftJustified(field.width, ' ');
    }

    // The row to store: the loaded bytes with every changed text converted.
    QByteArray encodeRow() const {
        QByteArray row = raw;
        row[0] = ' ';
        for (int i = 0; i < schema.columns.size(); ++i) {
            if (!dirty[i])
                continue;
            const QByteArray bytes = schema.columns[i].type == ColumnType::Text
                                         ? encodeText(i, texts[i])
                                         : encodeNumber(i, texts[i]);
            std::memcpy(row.data() + layout.fields[i].offset, bytes.constData(),
                        static_cast<std::size_t>(bytes.size()));
        }
        return row;
    }

    void touchDate() {
        const QDate today = QDate::currentDate();
        DBFSetLastModifiedDate(dbf, today.year() - 1900, today.month(), today.day());
    }

    // Writes the row and the header's record count, then syncs the file.
    void store(qint32 fileRow, const QByteArray& row, bool appending) {
        dbfio::clearErrors();
        touchDate();
        const int ok = DBFWriteTuple(dbf, fileRow, const_cast<char*>(row.constData()));
        if (ok)
            DBFUpdateHeader(dbf);
        if (!ok || dbfio::failed()) {
            const UserError error = writeError(QStringLiteral("záznam"));
            resync(appending);
            throw error;
        }
    }

    // After a failed write the library's idea of the file may be ahead of
    // the file itself: open the handle again from the file.
    void resync(bool appending) {
        if (!appending)
            return;
        DBFClose(dbf);
        dbf = nullptr;
        struct stat st {};
        ::fstat(fd, &st);
        try {
            layout = readDbfLayout(fd, st.st_size);
            openHandle(QFile::encodeName(path), readOnly);
        } catch (...) {
            // The table stays usable for reading what it had; nothing more to do.
        }
    }

    void moveToIndex(int newPos) {
        q->finishEditing();
        if (live.empty()) {
            pos = -1;
            bof = eof = true;
        } else {
            pos = std::clamp(newPos, 0, static_cast<int>(live.size()) - 1);
        }
        load();
    }
};

Table::Table(const TableSchema& schema, QObject* parent)
    : QObject(parent)
    , d(std::make_unique<Private>(this, schema)) {
    setObjectName(schema.tableName);
}

Table::~Table() {
    close();
}

const TableSchema& Table::schema() const {
    return d->schema;
}

QString Table::name() const {
    return d->schema.tableName;
}

void Table::open(const QDir& directory) {
    open(directory, OpenOptions{});
}

void Table::open(const QDir& directory, const OpenOptions& options) {
    if (isOpen())
        return;
    d->openFile(directory, options);
    d->pos = d->live.empty() ? -1 : 0;
    d->bof = true;
    d->eof = d->live.empty();
    d->state = TableState::Browse;
    d->load();
    emit stateChanged(TableState::Browse);
}

void Table::close() {
    if (!isOpen())
        return;
    if (d->dbf)
        DBFClose(d->dbf);
    d->dbf = nullptr;
    ::close(d->fd); // releases the lock
    d->fd = -1;
    d->live.clear();
    d->live.shrink_to_fit();
    d->pos = -1;
    d->bof = d->eof = true;
    d->texts.clear();
    d->raw.clear();
    d->modified = false;
    d->path.clear();
    d->setState(TableState::Inactive);
}

bool Table::isOpen() const {
    return d->state != TableState::Inactive;
}

QString Table::filePath() const {
    return d->path;
}

int Table::recordCount() const {
    return static_cast<int>(d->live.size());
}

int Table::recNo() const {
    if (d->state == TableState::Insert)
        return recordCount() + 1;
    return d->pos + 1;
}

bool Table::bof() const {
    return d->bof;
}

bool Table::eof() const {
    return d->eof;
}

void Table::first() {
    d->requireOpen();
    d->moveToIndex(0);
    d->bof = true;
    d->eof = d->live.empty();
}

void Table::prior() {
    d->requireOpen();
    finishEditing();
    const bool atFirst = d->pos <= 0;
    d->moveToIndex(d->pos - 1);
    d->bof = atFirst;
    d->eof = d->live.empty();
}

void Table::next() {
    d->requireOpen();
    finishEditing();
    const bool atLast = d->pos + 1 >= recordCount();
    d->moveToIndex(d->pos + 1);
    d->eof = atLast;
    d->bof = d->live.empty();
}

void Table::last() {
    d->requireOpen();
    finishEditing();
    d->moveToIndex(recordCount() - 1);
    d->eof = true;
    d->bof = d->live.empty();
}

void Table::moveTo(int recNo) {
    d->requireOpen();
    d->moveToIndex(recNo - 1);
    d->bof = d->eof = d->live.empty();
}

Table::Bookmark Table::bookmark() const {
    if (d->pos < 0)
        return -1;
    return d->live[static_cast<std::size_t>(d->pos)];
}

void Table::gotoBookmark(Bookmark mark) {
    d->requireOpen();
    // A bookmarked row that was deleted since: the row that followed it.
    const auto it = std::lower_bound(d->live.begin(), d->live.end(), mark);
    d->moveToIndex(static_cast<int>(it - d->live.begin()));
    d->bof = d->eof = d->live.empty();
}

void Table::freeBookmark(Bookmark) {
    // A bookmark is a row number; it holds nothing to free.
}

TableState Table::state() const {
    return d->state;
}

bool Table::isModified() const {
    return d->modified;
}

void Table::edit() {
    d->requireWritable();
    if (d->state != TableState::Browse)
        return;
    if (d->pos < 0)
        throw UserError(QStringLiteral("Tabulka „%1“ je prázdná, není v ní záznam, který by šlo "
                                       "upravit.")
                            .arg(d->fileName()));
    d->setState(TableState::Edit);
}

void Table::insert() {
    d->requireWritable();
    finishEditing();
    d->posBeforeInsert = d->pos;
    d->fillBuffer({});
    d->setState(TableState::Insert);
    emit recordChanged();
}

void Table::post() {
    d->requireOpen();
    if (d->state == TableState::Browse)
        return;
    if (d->state == TableState::Edit && !d->modified) {
        d->setState(TableState::Browse);
        return;
    }
    const QByteArray row = d->encodeRow();
    if (d->state == TableState::Insert) {
        const auto fileRow = static_cast<qint32>(DBFGetRecordCount(d->dbf));
        d->store(fileRow, row, true);
        d->live.push_back(fileRow);
        d->pos = static_cast<int>(d->live.size()) - 1;
    } else {
        d->store(d->live[static_cast<std::size_t>(d->pos)], row, false);
    }
    d->bof = d->eof = false;
    d->setState(TableState::Browse);
    d->load();
}

void Table::cancel() {
    d->requireOpen();
    if (d->state == TableState::Browse)
        return;
    if (d->state == TableState::Insert)
        d->pos = d->posBeforeInsert;
    d->setState(TableState::Browse);
    d->load();
}

void Table::remove() {
    d->requireWritable();
    if (d->state == TableState::Insert) {
        cancel();
        return;
    }
    if (d->pos < 0)
        throw UserError(
            QStringLiteral("Z prázdné tabulky „%1“ nelze odstranit záznam.").arg(d->fileName()));
    const qint32 fileRow = d->live[static_cast<std::size_t>(d->pos)];
    dbfio::clearErrors();
    d->touchDate();
    if (!DBFMarkRecordDeleted(d->dbf, fileRow, 1))
        throw d->writeError(QStringLiteral("odstranění záznamu"));
    DBFUpdateHeader(d->dbf);
    if (dbfio::failed())
        throw d->writeError(QStringLiteral("odstranění záznamu"));
    d->live.erase(d->live.begin() + d->pos);
    if (d->pos >= recordCount())
        d->pos = recordCount() - 1;
    d->bof = d->eof = d->live.empty();
    d->setState(TableState::Browse);
    d->load();
}

void Table::validate() const {
    d->requireOpen();
    if (d->state != TableState::Browse && d->modified)
        (void)d->encodeRow();
}

void Table::finishEditing() {
    if (d->state == TableState::Edit || d->state == TableState::Insert) {
        if (d->modified)
            post();
        else
            cancel();
    }
}

int Table::fieldIndex(const QString& name) const {
    return d->index.value(name.toUpper(), -1);
}

QString Table::text(const QString& field) const {
    return text(d->column(field));
}

QString Table::text(int fieldIndex) const {
    d->checkColumn(fieldIndex);
    return d->texts.value(fieldIndex);
}

int Table::integer(const QString& field) const {
    const int i = d->column(field);
    try {
        return fieldTextAsInteger(d->texts.value(i));
    } catch (const UserError& e) {
        throw d->fieldError(i, e.message());
    }
}

void Table::setText(const QString& field, const QString& text) {
    setText(d->column(field), text);
}

void Table::setText(int fieldIndex, const QString& text) {
    d->checkColumn(fieldIndex);
    d->requireWritable();
    if (d->state == TableState::Browse)
        edit();
    if (d->texts[fieldIndex] == text && d->dirty[fieldIndex])
        return;
    d->texts[fieldIndex] = text;
    d->dirty[fieldIndex] = true;
    d->modified = true;
    emit fieldChanged(fieldIndex);
}

QList<int> Table::changedFields() const {
    QList<int> changed;
    if (!d->modified)
        return changed;
    for (int i = 0; i < d->dirty.size(); ++i)
        if (d->dirty[i])
            changed.append(i);
    return changed;
}

QString Table::loadedText(int fieldIndex) const {
    d->checkColumn(fieldIndex);
    if (d->raw.isEmpty() || d->state == TableState::Insert)
        return QString();
    return d->decode(d->raw, fieldIndex);
}

QString Table::storedText(int recNo, int fieldIndex) const {
    d->requireOpen();
    d->checkColumn(fieldIndex);
    if (recNo < 1 || recNo > recordCount())
        throw UserError(
            QStringLiteral("Tabulka „%1“ nemá záznam č. %2.").arg(d->fileName()).arg(recNo));
    // Only the field's bytes are read. Every write goes to the file before
    // post returns, so the file holds what the library would return.
    const qint32 fileRow = d->live[static_cast<std::size_t>(recNo - 1)];
    const DbfField& field = d->layout.fields[fieldIndex];
    QByteArray row(d->layout.recordLength, ' ');
    const qint64 at = d->layout.recordOffset(fileRow) + field.offset;
    if (readFullyAt(d->fd, at, row.data() + field.offset, field.width) != field.width)
        throw UserError(QStringLiteral("Záznam č. %1 tabulky „%2“ nelze přečíst.")
                            .arg(fileRow + 1)
                            .arg(d->path));
    return d->decode(row.constData(), fieldIndex);
}

QList<QStringList> Table::storedColumns(const QList<int>& fieldIndexes) const {
    d->requireOpen();
    for (const int i : fieldIndexes)
        d->checkColumn(i);
    const qint64 rowLength = d->layout.recordLength;
    const qint64 rowsPerBlock = std::max<qint64>(1, (1 << 20) / rowLength);
    std::vector<char> block;
    qint64 blockFirst = 0; // file rows [blockFirst, blockEnd) are in `block`
    qint64 blockEnd = 0;
    QList<QStringList> rows;
    rows.reserve(recordCount());
    // Rows appended since the open are past the header's count read then.
    const qint64 fileRows = d->live.empty() ? 0 : qint64(d->live.back()) + 1;
    for (const qint32 fileRow : d->live) {
        if (fileRow >= blockEnd) {
            blockFirst = fileRow;
            blockEnd = std::min<qint64>(fileRow + rowsPerBlock, fileRows);
            block.resize(static_cast<std::size_t>((blockEnd - blockFirst) * rowLength));
            const qint64 wanted = static_cast<qint64>(block.size());
            if (readFullyAt(d->fd, d->layout.recordOffset(blockFirst), block.data(), wanted) !=
                wanted)
                throw UserError(QStringLiteral("Záznam č. %1 tabulky „%2“ nelze přečíst.")
                                    .arg(fileRow + 1)
                                    .arg(d->path));
        }
        const char* row = block.data() + (fileRow - blockFirst) * rowLength;
        QStringList texts;
        texts.reserve(fieldIndexes.size());
        for (const int i : fieldIndexes)
            texts.append(d->decode(row, i));
        rows.append(std::move(texts));
    }
    return rows;
}

} // namespace iksa
