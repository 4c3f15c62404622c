#include "BackupFileList.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace iksa {

namespace {

class FileListBuilder {
public:
    explicit FileListBuilder(const QString& archivePath)
        : archiveKey_(key(archivePath)) {}

    void add(const QString& fileMask) {
        QString mask = fileMask.trimmed();
        bool recursive = false;
        // " /s" is a switch only at the end: on this file system "/s" may
        // also begin a directory name.
        if (mask.endsWith(QLatin1String("/s"), Qt::CaseInsensitive) &&
            (mask.size() == 2 || mask.at(mask.size() - 3).isSpace())) {
            recursive = true;
            mask = mask.chopped(2).trimmed();
        }
        mask.replace(QLatin1Char('\\'), QLatin1Char('/'));
        const int slash = mask.lastIndexOf(QLatin1Char('/'));
        const QString directory = slash < 0 ? QStringLiteral(".") : mask.left(slash + 1);
        const QString pattern = slash < 0 ? mask : mask.mid(slash + 1);
        if (pattern.isEmpty())
            return;
        addDirectory(QDir(QDir::current().absoluteFilePath(directory)), pattern, recursive);
    }

    QList<BackupListEntry> entries;

private:
    static QString key(const QString& path) {
        return QDir::cleanPath(QFileInfo(path).absoluteFilePath()).toLower();
    }

    void addDirectory(const QDir& dir, const QString& pattern, bool recursive) {
        if (recursive) {
            const QStringList subdirectories = dir.entryList(
                QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System | QDir::NoSymLinks,
                QDir::Name | QDir::IgnoreCase);
            for (const QString& name : subdirectories)
                addDirectory(QDir(dir.filePath(name)), pattern, true);
        }
        const QStringList files = dir.entryList(
            {pattern}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
        for (const QString& name : files) {
            const QString path = QDir::cleanPath(dir.absoluteFilePath(name));
            const QString archivedName = path.toLower();
            if (archivedName == archiveKey_ || seen_.contains(archivedName))
                continue;
            seen_.insert(archivedName);
            entries.append({path, archivedName});
        }
    }

    QString archiveKey_;
    QSet<QString> seen_;
};

} // namespace

QList<BackupListEntry> buildBackupFileList(const QStringList& masks, const QString& archivePath) {
    FileListBuilder builder(archivePath);
    for (const QString& mask : masks)
        builder.add(mask);
    return builder.entries;
}

} // namespace iksa
