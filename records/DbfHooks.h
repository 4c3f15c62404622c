#pragma once

#include <QByteArray>
#include <QString>
#include <shapefil.h>

namespace iksa::dbfio {

// File hooks for shapelib. shapelib swaps a table name's extension for
// ".dbf"/".DBF" and looks for a ".cpg" beside it; the hooks map every request
// for the table onto one file chosen by the caller and refuse all others, so
// the file shapelib reads is exactly the one we resolved and checked. Every
// flush also syncs the file to disk.

// While alive, requests whose path minus extension equals `base` and whose
// extension is .dbf in any case are served: by a duplicate of `fd` when it is
// not -1, otherwise by creating `createPath` (new files only, O_EXCL).
class FileMapping {
public:
    // `syncOnFlush` false leaves syncing to the system (bulk generators only).
    FileMapping(const QByteArray& base, int fd, const QByteArray& createPath = {},
                bool syncOnFlush = true);
    ~FileMapping();
    bool created() const; // the file was made through this mapping
    FileMapping(const FileMapping&) = delete;
    FileMapping& operator=(const FileMapping&) = delete;
};

SAHooks* hooks();

// While a group is alive on this thread, flushes only note their file; when
// the outermost group commits, the noted files are synced together, in
// parallel (one record operation writes three files; syncing them one after
// the other would cost three disk round trips). Nothing is held back from
// the file itself: every write has reached the system before post returns.
class SyncGroup {
public:
    SyncGroup();
    ~SyncGroup(); // syncs what commit() did not; errors are then only noted
    SyncGroup(const SyncGroup&) = delete;
    SyncGroup& operator=(const SyncGroup&) = delete;
    // Syncs the noted files; false when a sync failed (see lastError()).
    bool commit();

private:
    bool outermost_;
    bool committed_ = false;
};

// Errors reported by shapelib or by a hook since the last clearErrors().
void clearErrors();
bool failed();
QString lastError();

} // namespace iksa::dbfio
