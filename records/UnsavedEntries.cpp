#include "UnsavedEntries.h"

#include "ExamineeRecord.h"
#include "PrivateFiles.h"
#include "UserError.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace iksa {

namespace {

const QString formatName = QStringLiteral("IKSA-III unsaved entries");
constexpr int formatVersion = 1;
const QString timeFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

void syncDirectory(const QString& dir) {
    const int fd = ::open(native(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Writes `bytes` into a new private file (0600) and syncs it.
bool writePrivateFile(const QString& path, const QByteArray& bytes) {
    ::unlink(native(path).constData());
    const int fd = createPrivateFile(path, O_WRONLY);
    if (fd < 0)
        return false;
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int saved = errno;
            ::close(fd);
            errno = saved;
            return false;
        }
        done += n;
    }
    const bool synced = ::fsync(fd) == 0;
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return synced;
}

QJsonObject entryJson(const UnsavedEntries::Entry& entry) {
    return {{QStringLiteral("table"), entry.table},
            {QStringLiteral("field"), entry.field},
            {QStringLiteral("text"), entry.text},
            {QStringLiteral("stored"), entry.stored}};
}

} // namespace

UnsavedEntries UnsavedEntries::take(const ExamineeRecord& record) {
    const DataModule& data = record.data();
    UnsavedEntries unsaved;
    const Table& t3 = data.table3();
    if (!t3.isOpen())
        return unsaved;
    for (const Table* table : {&data.table3(), &data.table1(), &data.table2()}) {
        if (!table->isOpen() || table->state() != TableState::Edit)
            continue;
        for (int field : table->changedFields())
            unsaved.entries.append({table->name(), table->schema().columns[field].name,
                                    table->text(field), table->loadedText(field)});
    }
    if (unsaved.entries.isEmpty())
        return unsaved;
    const auto loaded = [&t3](const char* name) {
        return t3.loadedText(t3.fieldIndex(QString::fromLatin1(name)));
    };
    unsaved.savedAt = QDateTime::currentDateTime();
    unsaved.recNo = t3.recNo();
    unsaved.id = loaded("ID").trimmed();
    unsaved.surname = t3.text(QStringLiteral("PRIJM"));
    unsaved.firstName = t3.text(QStringLiteral("JMENO"));
    unsaved.date = t3.text(QStringLiteral("DATUM"));
    unsaved.storedSurname = loaded("PRIJM");
    unsaved.storedFirstName = loaded("JMENO");
    unsaved.storedDate = loaded("DATUM");
    return unsaved;
}

QByteArray UnsavedEntries::toJson() const {
    QJsonArray list;
    for (const Entry& entry : entries)
        list.append(entryJson(entry));
    const QJsonObject shown{{QStringLiteral("PRIJM"), surname},
                            {QStringLiteral("JMENO"), firstName},
                            {QStringLiteral("DATUM"), date}};
    const QJsonObject stored{{QStringLiteral("PRIJM"), storedSurname},
                             {QStringLiteral("JMENO"), storedFirstName},
                             {QStringLiteral("DATUM"), storedDate}};
    const QJsonObject root{{QStringLiteral("format"), formatName},
                           {QStringLiteral("version"), formatVersion},
                           {QStringLiteral("saved"), savedAt.toString(timeFormat)},
                           {QStringLiteral("recNo"), recNo},
                           {QStringLiteral("ID"), id},
                           {QStringLiteral("shown"), shown},
                           {QStringLiteral("stored"), stored},
                           {QStringLiteral("entries"), list}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

UnsavedEntries UnsavedEntries::fromJson(const QByteArray& bytes) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    const QJsonObject root = document.object();
    if (error.error != QJsonParseError::NoError ||
        root.value(QStringLiteral("format")) != formatName)
        throw UserError(QStringLiteral("soubor nemá podobu souboru neuložených údajů"));
    if (root.value(QStringLiteral("version")).toInt() != formatVersion)
        throw UserError(QStringLiteral("neznámá verze souboru neuložených údajů"));
    UnsavedEntries unsaved;
    unsaved.savedAt =
        QDateTime::fromString(root.value(QStringLiteral("saved")).toString(), timeFormat);
    unsaved.recNo = root.value(QStringLiteral("recNo")).toInt();
    unsaved.id = root.value(QStringLiteral("ID")).toString();
    const QJsonObject shown = root.value(QStringLiteral("shown")).toObject();
    unsaved.surname = shown.value(QStringLiteral("PRIJM")).toString();
    unsaved.firstName = shown.value(QStringLiteral("JMENO")).toString();
    unsaved.date = shown.value(QStringLiteral("DATUM")).toString();
    const QJsonObject stored = root.value(QStringLiteral("stored")).toObject();
    unsaved.storedSurname = stored.value(QStringLiteral("PRIJM")).toString();
    unsaved.storedFirstName = stored.value(QStringLiteral("JMENO")).toString();
    unsaved.storedDate = stored.value(QStringLiteral("DATUM")).toString();
    for (const QJsonValue& value : root.value(QStringLiteral("entries")).toArray()) {
        const QJsonObject entry = value.toObject();
        unsaved.entries.append({entry.value(QStringLiteral("table")).toString(),
                                entry.value(QStringLiteral("field")).toString(),
                                entry.value(QStringLiteral("text")).toString(),
                                entry.value(QStringLiteral("stored")).toString()});
    }
    return unsaved;
}

RecoveryFile::RecoveryFile(const QDir& dataDir)
    : dir_(dataDir) {}

QString RecoveryFile::fileName() {
    return QStringLiteral(".iksa-unsaved");
}

QString RecoveryFile::path() const {
    return dir_.absoluteFilePath(fileName());
}

bool RecoveryFile::exists() const {
    return QFileInfo::exists(path());
}

void RecoveryFile::write(const QByteArray& bytes) {
    const QString temporary = dir_.absoluteFilePath(fileName() + QStringLiteral(".new"));
    if (!writePrivateFile(temporary, bytes) ||
        ::rename(native(temporary).constData(), native(path()).constData()) != 0) {
        const QString cause = systemError();
        ::unlink(native(temporary).constData());
        throw UserError(QStringLiteral("Soubor „%1“ nelze zapsat: %2.").arg(path(), cause));
    }
    syncDirectory(dir_.absolutePath());
}

QByteArray RecoveryFile::read() const {
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly))
        throw UserError(
            QStringLiteral("Soubor „%1“ nelze přečíst: %2.").arg(path(), file.errorString()));
    return file.readAll();
}

void RecoveryFile::remove() {
    if (::unlink(native(path()).constData()) == 0)
        syncDirectory(dir_.absolutePath());
}

QString RecoveryFile::setAside(const QDateTime& time) {
    const QString stem = fileName() + u'-' +
                         (time.isValid() ? time : QDateTime::currentDateTime())
                             .toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = stem;
    for (int n = 2; QFileInfo::exists(dir_.absoluteFilePath(name)); ++n)
        name = stem + u'-' + QString::number(n);
    if (::rename(native(path()).constData(), native(dir_.absoluteFilePath(name)).constData()) != 0)
        throw UserError(
            QStringLiteral("Soubor „%1“ nelze přejmenovat: %2.").arg(path(), systemError()));
    syncDirectory(dir_.absolutePath());
    return name;
}

} // namespace iksa
