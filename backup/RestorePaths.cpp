#include "RestorePaths.h"

#include "records/TableFiles.h"

#include <QFile>
#include <QRegularExpression>
#include <sys/stat.h>

namespace iksa {

namespace {

bool isDotName(const QString& component) {
    return component == QLatin1String(".") || component == QLatin1String("..");
}

} // namespace

std::optional<QStringList> restoreComponents(const QString& archivedName, bool fullPath) {
    for (const QChar c : archivedName)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return std::nullopt;
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    QString name = archivedName;
    if (name.size() >= 2 && name.at(1) == QLatin1Char(':'))
        name.remove(0, 2); // the drive
    const QStringList parts = name.split(separators);
    const QString last = parts.constLast();
    if (last.isEmpty() || isDotName(last))
        return std::nullopt;
    if (!fullPath)
        return QStringList{last};
    QStringList components;
    for (const QString& part : parts) {
        if (part == QLatin1String(".."))
            return std::nullopt;
        if (!part.isEmpty() && part != QLatin1String("."))
            components.append(part);
    }
    return components;
}

QString matchNameIgnoringCase(const QDir& dir, const QString& name) {
    if (pathExists(dir.filePath(name)))
        return name;
    const QStringList entries = dir.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    return name;
}

QString RestoreNameCheck::refusal(const QStringList& components) {
    const QString path = components.join(QLatin1Char('/'));
    for (const QString& component : components)
        if (isProgramFileName(component))
            return QStringLiteral("Archiv nelze obnovit: obsahuje soubor „%1“, jaký si program "
                                  "zakládá sám (deník, obnova neuložených změn). Tabulky "
                                  "zůstaly beze změny.")
                .arg(path);
    const QString key = path.toLower();
    const auto earlier = seen_.constFind(key);
    if (earlier != seen_.constEnd() && *earlier != path)
        return QStringLiteral("Archiv nelze obnovit: obsahuje soubory „%1“ a „%2“, které se liší "
                              "jen velikostí písmen. Tabulky zůstaly beze změny.")
            .arg(*earlier, path);
    seen_.insert(key, path);
    return {};
}

bool pathExists(const QString& path) {
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

} // namespace iksa
