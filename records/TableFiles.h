#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

namespace iksa {

// Files in `dir` whose name equals `fileName` without regard to case, as the
// tables coming from Windows are named (IKSA.DBF, iksa.dbf, Iksa.Dbf).
QStringList filesNamed(const QDir& dir, const QString& fileName);

// The files of the three tables that `dir` holds, found the same way.
QStringList tableFilesIn(const QDir& dir);

// Files the program keeps beside the tables (journals, recovery and staging
// files) have names beginning with this prefix, in any letter case; nothing
// else there does, so a restore refuses archived files named so.
inline constexpr char kProgramFilePrefix[] = ".iksa-";
bool isProgramFileName(const QString& name);

} // namespace iksa
