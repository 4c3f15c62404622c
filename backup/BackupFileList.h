#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace iksa {

struct BackupListEntry {
    QString path;         // the file as found, for reading
    QString archivedName; // its absolute path in lower case, as the archive names it
};

// The files a backup stores, from file masks such as "*.dbf" or
// "/data/*.dbf". The directory part is taken as written (relative to the
// current directory), the pattern matches without regard to case, and hidden
// and system files match too. A trailing " /s" also searches every
// subdirectory, recursively, before the directory itself. A file already
// listed (by its lower-case path) or the archive itself is left out.
QList<BackupListEntry> buildBackupFileList(const QStringList& masks, const QString& archivePath);

} // namespace iksa
