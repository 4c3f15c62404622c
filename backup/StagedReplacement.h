#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QTemporaryFile>
#include <functional>
#include <memory>
#include <optional>

namespace iksa {

// Replaces a set of files all at once or not at all. Each new file is first
// written to a temporary file beside its target; commit() then puts every
// one in place by an atomic rename. Should a rename fail, the files already
// replaced are put back. A journal in the root directory, written before the
// first rename and removed after the last, lets recover() undo a commit that
// the end of the process (a crash, a kill, a power cut) cut off.
//
// Every failure throws ArchiveError(errCannotReadFile); the files are then
// as they were before.
class StagedReplacement {
public:
    explicit StagedReplacement(QString rootDir);
    ~StagedReplacement(); // discards what has not been committed
    StagedReplacement(const StagedReplacement&) = delete;
    StagedReplacement& operator=(const StagedReplacement&) = delete;

    // Makes `dir` and its missing parents, remembering them so that a run
    // that is discarded removes them again. False when it cannot.
    bool makeDirectory(const QString& dir);

    // A new temporary file beside `target` (an absolute path below the
    // root), open for writing; on commit it replaces `target`. A target
    // staged again is replaced by its latest file.
    QFile& stage(const QString& target);

    // Completes the file of the last stage(): writes it through to the disk,
    // gives it `time` when there is one, and closes it.
    void finishStaged(const std::optional<QDateTime>& time);

    int count() const { return int(staged_.size()); }

    void commit();

    // Removes the temporary files and the directories made by this run.
    void discard();

    // Undoes a commit that was cut off and removes the temporary files that a
    // cut-off run left in `rootDir`. Runs before each restore; the program
    // also runs it at start-up, before it opens its tables.
    static void recover(const QString& rootDir);

    // Called after each replacing rename of a commit with the number done so
    // far; tests use it to cut a commit off part-way.
    std::function<void(int replaced)> afterReplace;

    static QString journalName();

private:
    struct Staged {
        QString target;
        QString temp;
        QString old; // the previous target kept during the commit; empty: there was none
    };

    void writeJournal() const;
    void preserve(const Staged& staged) const;
    static void rollBack(const QList<Staged>& staged);
    void syncDirectories() const;

    QString root_;
    QList<Staged> staged_;
    std::unique_ptr<QTemporaryFile> current_;
    QStringList madeDirectories_;
    bool committed_ = false;
};

} // namespace iksa
