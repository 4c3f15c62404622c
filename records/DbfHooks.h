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
    FileMapping(const QByteArray& base, int fd, const QByteArray& createPath = {});
    ~FileMapping();
    bool created() const; // the file was made through this mapping
    FileMapping(const FileMapping&) = delete;
    FileMapping& operator=(const FileMapping&) = delete;
};

SAHooks* hooks();

// Errors reported by shapelib or by a hook since the last clearErrors().
void clearErrors();
bool failed();
QString lastError();

} // namespace iksa::dbfio
