#include "TableFiles.h"

#include "TableSchema.h"

namespace iksa {

QStringList filesNamed(const QDir& dir, const QString& fileName) {
    QStringList found;
    const QStringList entries =
        dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries)
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            found.append(dir.filePath(entry));
    return found;
}

QStringList tableFilesIn(const QDir& dir) {
    QStringList found;
    for (const TableSchema* schema : tableSchemas())
        found += filesNamed(dir, schema->fileName);
    return found;
}

bool isProgramFileName(const QString& name) {
    return name.startsWith(QLatin1String(kProgramFilePrefix), Qt::CaseInsensitive);
}

} // namespace iksa
