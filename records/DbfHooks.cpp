#include "DbfHooks.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace iksa::dbfio {

namespace {

struct Mapping {
    QByteArray base;
    int fd = -1;
    QByteArray createPath;
    bool created = false;
};

thread_local Mapping* currentMapping = nullptr;
thread_local bool errorSeen = false;
thread_local QString errorText;

// shapelib keeps SAFile as an opaque pointer; ours carries the descriptor.
struct HookFile {
    int fd;
};

HookFile* file(SAFile f) {
    return reinterpret_cast<HookFile*>(f);
}

void fail(const QString& text) {
    errorSeen = true;
    if (errorText.isEmpty())
        errorText = text;
}

bool isTableRequest(const char* filename, const Mapping& m) {
    const QByteArray name(filename);
    return name.size() == m.base.size() + 4 && name.startsWith(m.base) &&
           name.right(4).toLower() == ".dbf";
}

SAFile hookOpen(const char* filename, const char* access) {
    Mapping* m = currentMapping;
    if (!m || !isTableRequest(filename, *m)) {
        errno = ENOENT; // the .cpg beside a table and anything else: not there
        return nullptr;
    }
    int fd = -1;
    if (m->fd >= 0) {
        fd = ::fcntl(m->fd, F_DUPFD_CLOEXEC, 0);
    } else if (!m->createPath.isEmpty()) {
        const bool truncate = access[0] == 'w';
        if (truncate && m->created) {
            errno = EEXIST; // only the first creation may make the file
            return nullptr;
        }
        const int flags = truncate ? O_RDWR | O_CREAT | O_EXCL : O_RDWR;
        fd = ::open(m->createPath.constData(), flags | O_CLOEXEC, 0644);
        if (fd >= 0 && truncate)
            m->created = true;
    }
    if (fd < 0) {
        fail(QString::fromLocal8Bit(std::strerror(errno)));
        return nullptr;
    }
    return reinterpret_cast<SAFile>(new HookFile{fd});
}

SAOffset hookRead(void* p, SAOffset size, SAOffset nmemb, SAFile f) {
    const SAOffset wanted = size * nmemb;
    SAOffset done = 0;
    auto* bytes = static_cast<char*>(p);
    while (done < wanted) {
        const ssize_t n = ::read(file(f)->fd, bytes + done, wanted - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail(QString::fromLocal8Bit(std::strerror(errno)));
        if (n <= 0)
            break;
        done += static_cast<SAOffset>(n);
    }
    return size ? done / size : 0;
}

SAOffset hookWrite(void* p, SAOffset size, SAOffset nmemb, SAFile f) {
    const SAOffset wanted = size * nmemb;
    SAOffset done = 0;
    const auto* bytes = static_cast<const char*>(p);
    while (done < wanted) {
        const ssize_t n = ::write(file(f)->fd, bytes + done, wanted - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            fail(QString::fromLocal8Bit(std::strerror(n < 0 ? errno : EIO)));
            break;
        }
        done += static_cast<SAOffset>(n);
    }
    return size ? done / size : 0;
}

SAOffset hookSeek(SAFile f, SAOffset offset, int whence) {
    return ::lseek(file(f)->fd, static_cast<off_t>(offset), whence) < 0 ? 1 : 0;
}

SAOffset hookTell(SAFile f) {
    return static_cast<SAOffset>(::lseek(file(f)->fd, 0, SEEK_CUR));
}

int hookFlush(SAFile f) {
    // A flush ends every write of a row and of the header: make it durable.
    if (::fsync(file(f)->fd) != 0) {
        fail(QString::fromLocal8Bit(std::strerror(errno)));
        return -1;
    }
    return 0;
}

int hookClose(SAFile f) {
    HookFile* hf = file(f);
    const int result = ::close(hf->fd);
    delete hf;
    return result;
}

int hookRemove(const char*) {
    return 0; // shapelib only removes a stale .cpg on creation; we keep every file
}

void hookError(const char* message) {
    fail(QString::fromLocal8Bit(message));
}

double hookAtof(const char* text) {
    return QByteArray(text).trimmed().toDouble(); // C locale, whatever the program's locale
}

} // namespace

FileMapping::FileMapping(const QByteArray& base, int fd, const QByteArray& createPath) {
    currentMapping = new Mapping{base, fd, createPath, false};
}

FileMapping::~FileMapping() {
    delete currentMapping;
    currentMapping = nullptr;
}

bool FileMapping::created() const {
    return currentMapping && currentMapping->created;
}

SAHooks* hooks() {
    static SAHooks h = [] {
        SAHooks s{};
        s.FOpen = hookOpen;
        s.FRead = hookRead;
        s.FWrite = hookWrite;
        s.FSeek = hookSeek;
        s.FTell = hookTell;
        s.FFlush = hookFlush;
        s.FClose = hookClose;
        s.Remove = hookRemove;
        s.Error = hookError;
        s.Atof = hookAtof;
        return s;
    }();
    return &h;
}

void clearErrors() {
    errorSeen = false;
    errorText.clear();
}

bool failed() {
    return errorSeen;
}

QString lastError() {
    return errorText;
}

} // namespace iksa::dbfio
