// Fuzz target: any bytes as a backup archive. The reader walks it from
// memory, checking what restoreComponents makes of every name; then the whole
// restore runs into a scratch directory, beside which nothing may appear.
#include "backup/ArchiveReader.h"
#include "backup/RestorePaths.h"
#include "backup/TBackupFile.h"
#include "records/UserError.h"
#include "records/UserMessages.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

void checkComponents(const QString& name, bool fullPath) {
    const std::optional<QStringList> parts = iksa::restoreComponents(name, fullPath);
    if (!parts)
        return;
    check(!parts->isEmpty() && (fullPath || parts->size() == 1));
    for (const QString& part : *parts) {
        check(!part.isEmpty() && part != QLatin1String(".") && part != QLatin1String(".."));
        check(!part.contains(QLatin1Char('/')) && !part.contains(QLatin1Char('\\')));
    }
}

void walkInMemory(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    iksa::ArchiveReader reader(buffer);
    try {
        reader.readHeader();
        for (int entry = 0;; ++entry) {
            const std::optional<iksa::ArchiveEntryHead> head = reader.readEntryHead();
            if (!head)
                break;
            check(head->name.size() <= iksa::kMaxArchiveString);
            const QString name = QFile::decodeName(head->name);
            checkComponents(name, false);
            checkComponents(name, true);
            if (entry % 2 == 0) {
                const iksa::SectionSize size = reader.readSection([](const char*, int length) {
                    check(length >= 0 && length <= iksa::kArchiveBlockSize);
                });
                check(size.stored <= bytes.size());
            } else {
                check(reader.skipSection() <= bytes.size());
            }
        }
    } catch (const iksa::ArchiveError& error) {
        check(error.code() >= 3 && error.code() <= 6);
    }
}

// tmpfs where there is one: the restore writes its files through to disk.
const QTemporaryDir& scratch() {
    static const QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                       ? QStringLiteral("/dev/shm/iksa-fuzz-XXXXXX")
                                       : QDir::tempPath() + QStringLiteral("/iksa-fuzz-XXXXXX"));
    return dir;
}

void restoreFromFile(const QByteArray& bytes, bool fullPath) {
    const QDir root(scratch().path());
    const QString archive = root.filePath(QStringLiteral("archive.zal"));
    const QString target = root.filePath(QStringLiteral("target"));
    QFile file(archive);
    check(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    QDir(target).removeRecursively();
    check(root.mkdir(QStringLiteral("target")));

    iksa::SilentMessages messages;
    iksa::TBackupFile backupFile(messages);
    backupFile.RestoreFullPath = fullPath;
    try {
        backupFile.Restore(archive, target);
    } catch (const iksa::UserError&) {
    }
    check(root.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot) ==
          (QStringList{QStringLiteral("archive.zal"), QStringLiteral("target")}));
    check(QDir(target)
              .entryList({QStringLiteral(".iksa-restore-*")}, QDir::AllEntries | QDir::Hidden)
              .isEmpty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    walkInMemory(bytes);
    restoreFromFile(bytes, size > 0 && (data[size - 1] & 1));
    return 0;
}
