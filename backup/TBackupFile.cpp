#include "TBackupFile.h"

#include "ArchiveReader.h"
#include "ArchiveWriter.h"
#include "BackupFileList.h"
#include "DosDateTime.h"
#include "RestorePaths.h"
#include "StagedReplacement.h"
#include "records/PrivateFiles.h"
#include "records/UserError.h"
#include "records/UserMessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <zlib.h>

namespace iksa {

namespace {

// Thrown when OnProgress clears its continue flag.
struct RunCancelled {};

int zlibLevel(TCompressionLevel level) {
    switch (level) {
    case clNone:
        return Z_NO_COMPRESSION;
    case clDefault:
        return Z_DEFAULT_COMPRESSION;
    case clMax:
        return Z_BEST_COMPRESSION;
    case clFastest:
        break;
    }
    return Z_BEST_SPEED;
}

bool shouldRestore(TRestoreMode mode, bool exists, quint32 existingDate, quint32 archivedDate) {
    switch (mode) {
    case rmAll:
        return true;
    case rmNoOverwrite:
        return !exists;
    case rmNewer:
        return !exists || existingDate < archivedDate;
    case rmExisting:
        return exists;
    case rmExistingNewer:
        return exists && existingDate < archivedDate;
    }
    return false;
}

// Reads until `size` bytes or the end of the file; -1 on a read error.
qint64 readFully(QFile& file, char* into, qint64 size) {
    qint64 total = 0;
    while (total < size) {
        const qint64 got = file.read(into + total, size - total);
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        total += got;
    }
    return total;
}

} // namespace

// Marks a run as running and resets its state; a second run meanwhile (from
// the event processing between blocks) is refused.
class TBackupFile::RunScope {
public:
    explicit RunScope(TBackupFile& file)
        : file_(file) {
        file_.running_ = true;
        file_.continue_ = true;
        file_.fileCount_ = file_.filesDone_ = file_.errorCode_ = 0;
        file_.totalSize_ = file_.dataBytes_ = file_.progressBytes_ = 0;
    }
    ~RunScope() { file_.running_ = false; }

private:
    TBackupFile& file_;
};

struct TBackupFile::RestoreRun {
    ArchiveReader& reader;
    StagedReplacement& staging;
    QDir root;
    QHash<QString, quint32> stagedDates; // targets already staged, with their archived dates
    RestoreNameCheck names;
    int entriesWritten = 0;
};

TBackupFile::TBackupFile(UserMessages& messages)
    : messages_(messages) {}

TBackupFile::~TBackupFile() = default;

int compressionRatioPercent(qint64 dataBytes, qint64 totalSize) {
    if (totalSize <= 0)
        return 0;
    // round(100 × data ÷ total) in exact integers, a half to the even neighbour
    const qint64 scaled = 100 * dataBytes;
    qint64 rounded = scaled / totalSize;
    const qint64 twiceRest = 2 * (scaled % totalSize);
    if (twiceRest > totalSize || (twiceRest == totalSize && rounded % 2 != 0))
        ++rounded;
    return int(100 - rounded);
}

int TBackupFile::CompressionRatio() const {
    return compressionRatioPercent(dataBytes_, totalSize_);
}

void TBackupFile::reportError(int code) {
    errorCode_ = code;
    if (OnError)
        OnError(code, archiveErrorText(code));
    else
        messages_.show(archiveErrorText(code));
}

void TBackupFile::raise(int code) {
    errorCode_ = code;
    throw UserError(archiveErrorText(code));
}

void TBackupFile::afterBlock(const QString& fileName) {
    const qint64 done = progressBytes_;
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
    const int percent = totalSize_ > 0 ? int(std::min<qint64>(100, done * 100 / totalSize_)) : 100;
    if (OnProgress)
        OnProgress(fileName, percent, continue_);
    if (!continue_)
        throw RunCancelled();
}

bool TBackupFile::Backup(const QStringList& fileSpecifications, const QString& archiveName) {
    if (running_)
        return false;
    RunScope scope(*this);
    const QString archivePath = QFileInfo(archiveName).absoluteFilePath();
    const QList<BackupListEntry> files = buildBackupFileList(fileSpecifications, archivePath);
    fileCount_ = int(files.size());
    for (const BackupListEntry& entry : files)
        totalSize_ += QFileInfo(entry.path).size();

    QSaveFile archive(archivePath);
    try {
        if (!archive.open(QIODevice::WriteOnly) || !takeOverAttributes(archive, archivePath))
            throw ArchiveError(errCannotWriteArchive);
        ArchiveWriter writer(archive, zlibLevel(CompressionLevel));
        writer.writeHeader(BackupTitle.toLocal8Bit(), quint32(quint64(totalSize_)), fileCount_);
        for (const BackupListEntry& entry : files) {
            if (!QFileInfo::exists(entry.path))
                continue; // gone since the list was made
            backUpFile(writer, entry);
            ++filesDone_;
        }
        writer.writeTerminator();
        dataBytes_ = writer.dataBytes();
        if (!archive.commit())
            throw ArchiveError(errCannotWriteArchive);
    } catch (const ArchiveError& error) {
        archive.cancelWriting();
        reportError(error.code());
        return false;
    } catch (const RunCancelled&) {
        archive.cancelWriting();
        return false;
    }
    return filesDone_ == fileCount_;
}

void TBackupFile::backUpFile(ArchiveWriter& writer, const BackupListEntry& entry) {
    QFile input(entry.path);
    if (!input.open(QIODevice::ReadOnly))
        throw ArchiveError(errCannotReadFile);
    writer.writeEntryHead(QFile::encodeName(entry.archivedName),
                          packDosDateTime(QFileInfo(input).lastModified()));
    writer.beginSection();
    std::array<char, kArchiveBlockSize> buffer;
    char* const block = buffer.data();
    for (;;) {
        const qint64 got = readFully(input, block, kArchiveBlockSize);
        if (got < 0)
            throw ArchiveError(errCannotReadFile);
        if (got == 0)
            break;
        writer.writeBlock(block, int(got));
        progressBytes_ += got;
        afterBlock(entry.path);
    }
    writer.endSection();
}

bool TBackupFile::Restore(const QString& archiveName, const QString& targetDirectory) {
    if (running_)
        return false;
    RunScope scope(*this);
    if (!QFile::exists(archiveName))
        return false;
    const QDir root(QDir::cleanPath(QDir::current().absoluteFilePath(targetDirectory)));
    if (root.exists())
        StagedReplacement::recover(root.path());

    QFile archive(archiveName);
    if (!archive.open(QIODevice::ReadOnly))
        raise(errCannotReadArchive);
    ArchiveReader reader(archive);
    try {
        const ArchiveHeader header = reader.readHeader();
        fileCount_ = header.fileCount;
        totalSize_ = header.totalSize;
    } catch (const ArchiveError&) {
        raise(errCannotReadArchive);
    }

    StagedReplacement staging(root.path());
    RestoreRun run{reader, staging, root, {}, {}, 0};
    try {
        if (!staging.makeDirectory(root.path()))
            throw ArchiveError(errCannotReadFile);
        for (;;) {
            std::optional<ArchiveEntryHead> head;
            try {
                head = reader.readEntryHead();
            } catch (const ArchiveError&) {
                raise(errCannotReadArchive);
            }
            if (!head)
                break;
            restoreEntry(run, *head);
        }
        if (OnBeforeReplace && !OnBeforeReplace())
            return false;
        staging.commit();
        filesDone_ = run.entriesWritten;
    } catch (const ArchiveError& error) {
        reportError(error.code());
        return false;
    } catch (const RunCancelled&) {
        return false;
    }
    return true;
}

void TBackupFile::restoreEntry(RestoreRun& run, const ArchiveEntryHead& head) {
    const QString name = QFile::decodeName(head.name);
    if (name == QLatin1String(kFileListEntry)) {
        dataBytes_ += run.reader.skipSection();
        return;
    }
    if (name.startsWith(QLatin1String(kNextDiskEntry))) {
        errorCode_ = errInvalidArchive;
        throw UserError(QStringLiteral("Archiv pokračuje na další disketě (%1); archivy na více "
                                       "disketách program neobnovuje.")
                            .arg(name));
    }
    const std::optional<QStringList> components = restoreComponents(name, RestoreFullPath);
    if (!components)
        throw ArchiveError(errInvalidArchive);
    if (const QString refusal = run.names.refusal(*components); !refusal.isEmpty()) {
        errorCode_ = errInvalidArchive;
        throw UserError(refusal);
    }

    QDir dir = run.root;
    for (qsizetype i = 0; i + 1 < components->size(); ++i)
        dir.setPath(dir.filePath(matchNameIgnoringCase(dir, components->at(i))));
    const QString target = dir.filePath(matchNameIgnoringCase(dir, components->constLast()));

    const bool staged = run.stagedDates.contains(target);
    const bool exists = staged || pathExists(target);
    const quint32 existingDate =
        staged ? run.stagedDates.value(target)
               : (exists ? packDosDateTime(QFileInfo(target).lastModified()) : 0);
    if (!shouldRestore(RestoreMode, exists, existingDate, head.dosDateTime) ||
        !run.staging.makeDirectory(dir.path())) {
        dataBytes_ += run.reader.skipSection();
        return;
    }

    QFile& file = run.staging.stage(target);
    const SectionSize size = run.reader.readSection([&](const char* data, int length) {
        if (file.write(data, length) != length)
            throw ArchiveError(errCannotReadFile);
        progressBytes_ += length;
        afterBlock(name);
    });
    run.staging.finishStaged(unpackDosDateTime(head.dosDateTime));
    run.stagedDates.insert(target, head.dosDateTime);
    ++run.entriesWritten;
    dataBytes_ += size.stored;
}

} // namespace iksa
