#include "UndoArchives.h"

#include "records/PrivateFiles.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace iksa {

namespace {

const QRegularExpression& undoName() {
    static const QRegularExpression pattern(
        QStringLiteral("^pred-obnovou-(\\d{4}-\\d{2}-\\d{2}-\\d{4})(?:-(\\d{1,6}))?\\.zal$"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

struct Dated {
    QString stamp;
    int sequence = 1;
    QString name;
};

} // namespace

QString UndoArchives::reserve(const QDir& dir, const QDateTime& time) {
    const QString stamp = time.toString(QStringLiteral("yyyy-MM-dd-HHmm"));
    for (int sequence = 1; sequence < 1000; ++sequence) {
        const QString name =
            sequence == 1 ? QStringLiteral("pred-obnovou-%1.ZAL").arg(stamp)
                          : QStringLiteral("pred-obnovou-%1-%2.ZAL").arg(stamp).arg(sequence);
        const QString path = dir.filePath(name);
        const int fd = createPrivateFile(path, O_WRONLY);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST)
            return {};
    }
    return {};
}

QStringList UndoArchives::list(const QDir& dir) {
    QList<Dated> found;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
        const QRegularExpressionMatch match = undoName().match(name);
        if (match.hasMatch())
            found.append({match.captured(1),
                          match.captured(2).isEmpty() ? 1 : match.captured(2).toInt(), name});
    }
    std::sort(found.begin(), found.end(), [](const Dated& a, const Dated& b) {
        return std::tie(a.stamp, a.sequence) > std::tie(b.stamp, b.sequence);
    });
    QStringList names;
    for (const Dated& dated : found)
        names.append(dated.name);
    return names;
}

void UndoArchives::prune(const QDir& dir) {
    const QStringList names = list(dir);
    for (qsizetype i = kKept; i < names.size(); ++i)
        QFile::remove(dir.filePath(names[i]));
}

} // namespace iksa
