#pragma once

#include <QDir>
#include <QList>
#include <QString>

namespace iksa {

// One program owns the tables of a directory: it holds an exclusive flock on
// each table file for as long as it has the table open for writing. Work
// that replaces the files (a restore) takes the same locks first.

enum class TableLockResult { Taken, HeldElsewhere, Failed };

// Tries to lock the open file `fd` for up to `waitMs`; on Failed, errno
// tells the cause.
TableLockResult lockTableFile(int fd, int waitMs);

// The message for tables that another running program holds.
QString tablesInUseMessage(const QDir& dir, const QString& fileName);

// True while `path` still names the file open as `fd`: a file locked after
// a wait may have been replaced under its name in the meantime.
bool stillNamedBy(int fd, const QString& path);

// Holds the locks of the three table files present in `dir` (found without
// regard to case) while the tables are replaced. Throws UserError, with
// nothing locked, when another program holds one or a file cannot be
// locked. Missing files are passed over.
class TablesLock {
public:
    TablesLock(const QDir& dir, int waitMs);
    ~TablesLock();
    TablesLock(const TablesLock&) = delete;
    TablesLock& operator=(const TablesLock&) = delete;

private:
    void release();
    QList<int> fds_;
};

} // namespace iksa
