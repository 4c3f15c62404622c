#pragma once

#include <QFile>
#include <QString>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

namespace iksa::test {

// Sets the process's umask for one scope and puts the previous one back.
class UmaskScope {
public:
    explicit UmaskScope(mode_t mask)
        : previous_(::umask(mask)) {}
    ~UmaskScope() { ::umask(previous_); }
    UmaskScope(const UmaskScope&) = delete;
    UmaskScope& operator=(const UmaskScope&) = delete;

private:
    mode_t previous_;
};

// The permission bits, owner and group of a file or directory; all zero
// when it is not there.
struct FileAttributes {
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
    bool operator==(const FileAttributes&) const = default;
};

inline FileAttributes attributesOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {mode_t(info.st_mode & 07777), info.st_uid, info.st_gid};
}

inline mode_t modeOf(const QString& path) {
    return attributesOf(path).mode;
}

inline bool setMode(const QString& path, mode_t mode) {
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

// Gives `path` an owner and a group of a clinic's shared folder where the
// process may (as root); else it keeps its own. Whether it could.
inline bool giveToAnotherOwner(const QString& path) {
    return ::geteuid() == 0 && ::chown(QFile::encodeName(path).constData(), 4321, 4322) == 0;
}

inline void PrintTo(const FileAttributes& a, std::ostream* os) {
    *os << "mode " << std::oct << a.mode << std::dec << " owner " << a.owner << " group "
        << a.group;
}

} // namespace iksa::test
