#include "TableLock.h"

#include "TableFiles.h"
#include "UserError.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace iksa {

TableLockResult lockTableFile(int fd, int waitMs) {
    QDeadlineTimer deadline(waitMs);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR)
            return TableLockResult::Failed;
        if (deadline.hasExpired())
            return TableLockResult::HeldElsewhere;
        QThread::msleep(20);
    }
    return TableLockResult::Taken;
}

QString tablesInUseMessage(const QDir& dir, const QString& fileName) {
    return QStringLiteral("Adresář „%1“ používá jiný spuštěný program IKSA (tabulka „%2“ je "
                          "zamčená). Záznamy nelze otevřít ve dvou programech zároveň.")
        .arg(QDir::toNativeSeparators(dir.absolutePath()), fileName);
}

bool stillNamedBy(int fd, const QString& path) {
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::stat(QFile::encodeName(path).constData(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

TablesLock::TablesLock(const QDir& dir, int waitMs) {
    try {
        for (const QString& path : tableFilesIn(dir)) {
            const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
            if (fd < 0)
                continue; // gone or unreadable: the restore itself reports what matters
            fds_.append(fd);
            const TableLockResult result = lockTableFile(fd, waitMs);
            const int cause = errno;
            switch (result) {
            case TableLockResult::Taken:
                break;
            case TableLockResult::HeldElsewhere:
                throw UserError(tablesInUseMessage(dir, QFileInfo(path).fileName()));
            case TableLockResult::Failed:
                throw UserError(QStringLiteral("Tabulku „%1“ nelze zamknout (%2).")
                                    .arg(QDir::toNativeSeparators(path),
                                         QString::fromLocal8Bit(std::strerror(cause))));
            }
        }
    } catch (...) {
        release();
        throw;
    }
}

TablesLock::~TablesLock() {
    release();
}

void TablesLock::release() {
    for (const int fd : fds_)
        ::close(fd); // releases the lock
    fds_.clear();
}

} // namespace iksa
