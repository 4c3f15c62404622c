#include "DbfHooks.h"

#include "PrivateFiles.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace iksa::dbfio {

namespace {

struct Mapping {
    QByteArray base;
    int fd = -1;
    QByteArray createPath;
    bool created = false;
    bool sync = true;
};

thread_local Mapping* currentMapping = nullptr;
thread_local int syncGroupDepth = 0;
thread_local std::vector<int> filesToSync;
thread_local bool errorSeen = false;
thread_local QString errorText;

// shapelib keeps SAFile as an opaque pointer; ours carries the descriptor.
struct HookFile {
    int fd;
    bool sync;
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
        fd = truncate ? createPrivateFile(QFile::decodeName(m->createPath), O_RDWR)
                      : ::open(m->createPath.constData(), O_RDWR | O_CLOEXEC);
        if (fd >= 0 && truncate)
            m->created = true;
    }
    if (fd < 0) {
        fail(QString::fromLocal8Bit(std::strerror(errno)));
        return nullptr;
    }
    return reinterpret_cast<SAFile>(new HookFile{fd, m->sync});
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
    if (!file(f)->sync)
        return 0;
    if (syncGroupDepth > 0) {
        if (std::find(filesToSync.begin(), filesToSync.end(), file(f)->fd) == filesToSync.end())
            filesToSync.push_back(file(f)->fd);
        return 0;
    }
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

FileMapping::FileMapping(const QByteArray& base, int fd, const QByteArray& createPath,
                         bool syncOnFlush) {
    currentMapping = new Mapping{base, fd, createPath, false, syncOnFlush};
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

SyncGroup::SyncGroup()
    : outermost_(syncGroupDepth++ == 0) {}

SyncGroup::~SyncGroup() {
    if (!committed_)
        commit();
    --syncGroupDepth;
}

bool SyncGroup::commit() {
    committed_ = true;
    if (!outermost_)
        return true;
    std::vector<int> fds;
    fds.swap(filesToSync);
    std::vector<int> results(fds.size(), 0);
    std::vector<std::thread> workers;
    for (std::size_t i = 1; i < fds.size(); ++i)
        workers.emplace_back([&, i] { results[i] = ::fsync(fds[i]) == 0 ? 0 : errno; });
    if (!fds.empty())
        results[0] = ::fsync(fds[0]) == 0 ? 0 : errno;
    for (std::thread& w : workers)
        w.join();
    for (const int error : results)
        if (error != 0) {
            fail(QString::fromLocal8Bit(std::strerror(error)));
            return false;
        }
    return true;
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
