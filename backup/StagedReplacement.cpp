#include "StagedReplacement.h"

#include "ArchiveFormat.h"
#include "RestorePaths.h"
#include "records/PrivateFiles.h"
#include "records/TableFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace iksa {

namespace {

const QString kTempPrefix = QLatin1String(kProgramFilePrefix) + QLatin1String("restore-");
const QLatin1String kJournalHeader("iksa-restore-journal 1");

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

void removePath(const QString& path) {
    ::unlink(native(path).constData());
}

bool renamePath(const QString& from, const QString& to) {
    return ::rename(native(from).constData(), native(to).constData()) == 0;
}

void syncDirectory(const QString& dir) {
    const int fd = ::open(native(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool syncFile(QFile& file) {
    return file.flush() && ::fsync(file.handle()) == 0;
}

// A restore's failure to create, fill or put in place a file is code 1.
[[noreturn]] void fail() {
    throw ArchiveError(errCannotReadFile);
}

} // namespace

StagedReplacement::StagedReplacement(QString rootDir)
    : root_(QDir::cleanPath(QDir(rootDir).absolutePath())) {}

StagedReplacement::~StagedReplacement() {
    discard();
}

QString StagedReplacement::journalName() {
    return kTempPrefix + QLatin1String("journal");
}

bool StagedReplacement::makeDirectory(const QString& dir) {
    const QString path = QDir::cleanPath(dir);
    if (QFileInfo(path).isDir())
        return true;
    const QString parent = QFileInfo(path).path();
    if (parent == path || !makeDirectory(parent))
        return false;
    if (!makePrivateDirectory(path))
        return false;
    madeDirectories_.append(path);
    return true;
}

QFile& StagedReplacement::stage(const QString& target) {
    if (current_)
        current_->remove();
    const QString dir = QFileInfo(target).path();
    current_ = std::make_unique<QTemporaryFile>(dir + QLatin1Char('/') + kTempPrefix +
                                                QLatin1String("XXXXXX.tmp"));
    current_->setAutoRemove(false);
    if (!current_->open())
        fail();
    current_->setProperty("target", target);
    return *current_;
}

void StagedReplacement::finishStaged(const std::optional<QDateTime>& time) {
    if (!current_)
        fail();
    const QString temp = current_->fileName();
    const QString target = current_->property("target").toString();
    const bool written = takeOverAttributes(*current_, target) && syncFile(*current_) &&
                         (!time || current_->setFileTime(*time, QFileDevice::FileModificationTime));
    current_->close();
    current_.reset();
    if (!written) {
        removePath(temp);
        fail();
    }
    for (Staged& staged : staged_) {
        if (staged.target == target) {
            removePath(staged.temp);
            staged.temp = temp;
            return;
        }
    }
    staged_.append({target, temp, QString()});
}

void StagedReplacement::writeJournal() const {
    const QDir root(root_);
    QSaveFile journal(root.filePath(journalName()));
    if (!journal.open(QIODevice::WriteOnly) || !takeOverAttributes(journal, journal.fileName()))
        fail();
    QByteArray text = QByteArray(kJournalHeader.data()) + '\n';
    for (const Staged& staged : staged_) {
        text += native(root.relativeFilePath(staged.target)) + '\t' +
                native(root.relativeFilePath(staged.temp)) + '\t' +
                (staged.old.isEmpty() ? QByteArray() : native(root.relativeFilePath(staged.old))) +
                '\n';
    }
    if (journal.write(text) != text.size() || !journal.commit())
        fail();
}

// Keeps the previous target under a second name, as a hard link where the
// file system has them and as a copy with the same date otherwise.
void StagedReplacement::preserve(const Staged& staged) const {
    if (::link(native(staged.target).constData(), native(staged.old).constData()) == 0)
        return;
    QFile copy(staged.old);
    if (!QFile::copy(staged.target, staged.old) || !copy.open(QIODevice::ReadWrite) ||
        !copy.setFileTime(QFileInfo(staged.target).lastModified(),
                          QFileDevice::FileModificationTime) ||
        !syncFile(copy))
        fail();
}

void StagedReplacement::syncDirectories() const {
    QSet<QString> dirs{root_};
    for (const Staged& staged : staged_)
        dirs.insert(QFileInfo(staged.target).path());
    for (const QString& dir : dirs)
        syncDirectory(dir);
}

void StagedReplacement::rollBack(const QList<Staged>& staged) {
    for (const Staged& entry : staged) {
        if (!entry.old.isEmpty()) {
            // Puts the previous file back; when the replacing rename has not
            // happened, both names are one file and only the second goes.
            if (pathExists(entry.old)) {
                renamePath(entry.old, entry.target);
                removePath(entry.old);
            }
        } else if (!pathExists(entry.temp)) {
            removePath(entry.target); // new, and already renamed into place
        }
        removePath(entry.temp);
    }
}

void StagedReplacement::commit() {
    if (current_)
        fail();
    if (staged_.isEmpty()) {
        committed_ = true;
        return;
    }
    for (Staged& staged : staged_) {
        if (pathExists(staged.target)) {
            staged.old = staged.temp;
            staged.old.replace(staged.old.size() - 4, 4, QLatin1String(".old"));
        }
    }
    writeJournal();
    syncDirectories();
    const QString journal = QDir(root_).filePath(journalName());
    try {
        for (const Staged& staged : staged_)
            if (!staged.old.isEmpty())
                preserve(staged);
        int replaced = 0;
        for (const Staged& staged : staged_) {
            if (!renamePath(staged.temp, staged.target))
                fail();
            if (afterReplace)
                afterReplace(++replaced);
        }
        syncDirectories();
    } catch (const ArchiveError&) {
        rollBack(staged_);
        removePath(journal);
        discard();
        throw;
    }
    removePath(journal); // the commit is complete from here on
    syncDirectory(root_);
    for (const Staged& staged : staged_)
        if (!staged.old.isEmpty())
            removePath(staged.old);
    committed_ = true;
    staged_.clear();
}

void StagedReplacement::discard() {
    if (current_) {
        current_->remove();
        current_.reset();
    }
    if (committed_)
        return;
    for (const Staged& staged : staged_)
        removePath(staged.temp);
    staged_.clear();
    for (auto dir = madeDirectories_.crbegin(); dir != madeDirectories_.crend(); ++dir)
        QDir().rmdir(*dir);
    madeDirectories_.clear();
}

void StagedReplacement::recover(const QString& rootDir) {
    const QDir root(QDir::cleanPath(QDir(rootDir).absolutePath()));
    QFile journal(root.filePath(journalName()));
    if (journal.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> lines = journal.readAll().split('\n');
        journal.close();
        const auto inside = [&](const QByteArray& relative) {
            if (relative.isEmpty())
                return QString();
            const QString path = QDir::cleanPath(root.filePath(QFile::decodeName(relative)));
            return path.startsWith(root.path() + QLatin1Char('/')) ? path : QString();
        };
        QList<Staged> staged;
        if (!lines.isEmpty() && lines.first() == QByteArray(kJournalHeader.data())) {
            for (const QByteArray& line : lines.mid(1)) {
                const QList<QByteArray> fields = line.split('\t');
                if (fields.size() != 3)
                    continue;
                Staged entry{inside(fields[0]), inside(fields[1]), inside(fields[2])};
                if (!entry.target.isEmpty() && !entry.temp.isEmpty())
                    staged.append(entry);
            }
        }
        rollBack(staged);
        for (const Staged& entry : staged)
            syncDirectory(QFileInfo(entry.target).path());
        journal.remove();
        syncDirectory(root.path());
    }
    const QStringList leftovers =
        root.entryList({kTempPrefix + QLatin1String("*")}, QDir::Files | QDir::Hidden);
    for (const QString& name : leftovers)
        removePath(root.filePath(name));
}

} // namespace iksa
