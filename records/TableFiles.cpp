#include "TableFiles.h"

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

} // namespace iksa
