#include "ArchiveSurvey.h"

#include "ArchiveReader.h"
#include "RestorePaths.h"
#include "records/DbfLayout.h"
#include "records/TableFiles.h"
#include "records/TableSchema.h"

#include <QFile>
#include <QFileInfo>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace iksa {

namespace {

// A file descriptor closed with its holder.
class OwnedFd {
public:
    explicit OwnedFd(int fd)
        : fd_(fd) {}
    ~OwnedFd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    OwnedFd(const OwnedFd&) = delete;
    OwnedFd& operator=(const OwnedFd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

bool writeAll(int fd, const char* data, qint64 size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

bool isTable3(const QStringList& components) {
    return components.constLast().compare(table3Schema().fileName, Qt::CaseInsensitive) == 0;
}

} // namespace

std::optional<qint64> liveRowCount(int fd) {
    struct stat info;
    if (::fstat(fd, &info) != 0)
        return std::nullopt;
    DbfLayout layout;
    try {
        layout = readDbfLayout(fd, info.st_size);
    } catch (const DbfDamage&) {
        return std::nullopt;
    }
    // The deletion flag, the first byte of each row: ' ' live, '*' deleted.
    const qint64 rowsPerBlock = std::max<qint64>(1, (1 << 20) / layout.recordLength);
    std::vector<char> block;
    qint64 live = 0;
    for (qint64 first = 0; first < layout.recordCount; first += rowsPerBlock) {
        const qint64 rows = std::min(rowsPerBlock, layout.recordCount - first);
        block.resize(static_cast<std::size_t>(rows * layout.recordLength));
        const qint64 size = static_cast<qint64>(block.size());
        if (readFullyAt(fd, layout.recordOffset(first), block.data(), size) != size)
            return std::nullopt;
        for (qint64 row = 0; row < rows; ++row) {
            const char flag = block[static_cast<std::size_t>(row * layout.recordLength)];
            if (flag == ' ')
                ++live;
            else if (flag != '*')
                return std::nullopt;
        }
    }
    return live;
}

std::optional<qint64> examineesIn(const QString& dir) {
    const QStringList found = filesNamed(QDir(dir), table3Schema().fileName);
    if (found.size() != 1)
        return std::nullopt;
    QFile file(found.constFirst());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return liveRowCount(file.handle());
}

ArchiveSurvey ArchiveSurvey::of(const QString& archivePath) {
    ArchiveSurvey survey;
    QFile archive(archivePath);
    if (!archive.open(QIODevice::ReadOnly))
        return survey;
    survey.date = QFileInfo(archive).lastModified();
    ArchiveReader reader(archive);
    RestoreNameCheck names;
    try {
        reader.readHeader();
        while (const std::optional<ArchiveEntryHead> head = reader.readEntryHead()) {
            const QString name = QFile::decodeName(head->name);
            const std::optional<QStringList> components = restoreComponents(name, false);
            if (name == QLatin1String(kFileListEntry) ||
                name.startsWith(QLatin1String(kNextDiskEntry)) || !components) {
                // Passed over, or refused by the restore with its own error.
                reader.skipSection();
                continue;
            }
            if (survey.refusal.isEmpty())
                survey.refusal = names.refusal(*components);
            if (!isTable3(*components)) {
                reader.skipSection();
                continue;
            }
            // Held in memory only: examinee data never goes to a scratch file.
            const OwnedFd table(::memfd_create("iksa-survey", MFD_CLOEXEC));
            if (table.get() < 0)
                return survey;
            bool written = true;
            reader.readSection([&](const char* data, int size) {
                written = written && writeAll(table.get(), data, size);
            });
            // A later entry of the same name is the one a restore keeps.
            survey.examinees = written ? liveRowCount(table.get()) : std::nullopt;
        }
    } catch (const ArchiveError&) {
        return survey;
    }
    survey.readable = true;
    return survey;
}

} // namespace iksa
