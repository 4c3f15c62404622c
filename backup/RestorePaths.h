#pragma once

#include <QDir>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace iksa {

// The path below the target directory that a restore may write for an
// archived name: its last path component, or with `fullPath` every component
// below the drive. "/" and "\" both separate components. Nothing is returned
// (the entry is refused) when the last component is empty, "." or "..", when
// a full path holds "..", or when the name holds a control character.
std::optional<QStringList> restoreComponents(const QString& archivedName, bool fullPath);

// The entry of `dir` called `name` in any letter case: the exact name when
// it exists, otherwise the first match ignoring case in name order, otherwise
// `name` itself. A restored iksa.dbf thus replaces IKSA.DBF, never a twin.
QString matchNameIgnoringCase(const QDir& dir, const QString& name);

// The entries of one archive, checked as they are read for names that a
// restore must not write: the program's own side files (see
// isProgramFileName), which would be taken for a journal or a recovery file
// of this directory, and a name that differs from an earlier entry's only in
// letter case, which would leave two files where the program opens one.
class RestoreNameCheck {
public:
    // Empty when the entry whose restored path is `components` (from
    // restoreComponents) may be written; otherwise the Czech reason why the
    // archive cannot be restored.
    QString refusal(const QStringList& components);

private:
    QHash<QString, QString> seen_; // the path in lower case → as archived
};

// Whether `path` is a directory entry of any kind, dangling symbolic links
// included.
bool pathExists(const QString& path);

} // namespace iksa
