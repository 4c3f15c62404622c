#include "PrivateFiles.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace iksa {

namespace {

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

} // namespace

bool makePrivateDirectory(const QString& path) {
    const QByteArray name = native(path);
    // The umask may have taken bits away; it must not add any.
    return ::mkdir(name.constData(), privateDirectoryMode) == 0 &&
           ::chmod(name.constData(), privateDirectoryMode) == 0;
}

bool makePrivateDirectories(const QString& path) {
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    // Walks down from the root, so each directory made has its parent.
    const QStringList parts = clean.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current;
    for (const QString& part : parts) {
        current += QLatin1Char('/') + part;
        const QByteArray name = native(current);
        struct stat info;
        if (::stat(name.constData(), &info) == 0) {
            if (!S_ISDIR(info.st_mode))
                return false;
            continue;
        }
        if (!makePrivateDirectory(current) && errno != EEXIST) // EEXIST: made meanwhile
            return false;
    }
    return true;
}

int createPrivateFile(const QString& path, int flags) {
    const int fd =
        ::open(native(path).constData(), flags | O_CREAT | O_EXCL | O_CLOEXEC, privateFileMode);
    if (fd >= 0 && ::fchmod(fd, privateFileMode) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(native(path).constData());
        errno = error;
        return -1;
    }
    return fd;
}

bool takeOverAttributes(int fd, const QString& target) {
    struct stat info;
    if (::stat(native(target).constData(), &info) != 0)
        return ::fchmod(fd, privateFileMode) == 0;
    // Owner and group first: a change of owner may clear the set-id bits
    // that the mode then puts back. Without the right to give the file
    // away, the group alone may still be ours to set.
    const bool ownerKept =
        ::fchown(fd, info.st_uid, info.st_gid) == 0 || ::fchown(fd, uid_t(-1), info.st_gid) == 0;
    Q_UNUSED(ownerKept); // else the file keeps its writer's owner and group
    return ::fchmod(fd, info.st_mode & 07777) == 0;
}

bool takeOverAttributes(QFileDevice& file, const QString& target) {
    return file.handle() >= 0 && takeOverAttributes(file.handle(), target);
}

} // namespace iksa
