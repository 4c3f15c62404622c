#include "ArchiveTestSupport.h"

#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <QtEndian>
#include <gtest/gtest.h>
#include <zlib.h>

namespace iksa::test {

ArchiveBuilder& ArchiveBuilder::integer(qint32 value) {
    char raw[4];
    qToLittleEndian(value, raw);
    data.append(raw, 4);
    return *this;
}

ArchiveBuilder& ArchiveBuilder::bytes(const QByteArray& more) {
    data.append(more);
    return *this;
}

ArchiveBuilder& ArchiveBuilder::header(const QByteArray& title, quint32 totalSize, qint32 count) {
    return integer(qint32(title.size())).bytes(title).integer(qint32(totalSize)).integer(count);
}

ArchiveBuilder& ArchiveBuilder::entryHead(const QByteArray& name, quint32 dosDate) {
    return integer(qint32(name.size())).bytes(name).integer(qint32(dosDate));
}

ArchiveBuilder& ArchiveBuilder::mark(const QByteArray& sectionMark) {
    return bytes(sectionMark);
}

ArchiveBuilder& ArchiveBuilder::rawBlock(const QByteArray& block) {
    return integer(-qint32(block.size())).bytes(block);
}

ArchiveBuilder& ArchiveBuilder::zlibBlock(const QByteArray& block) {
    QByteArray packed(int(compressBound(uLong(block.size()))), '\0');
    uLongf size = uLongf(packed.size());
    compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
              reinterpret_cast<const Bytef*>(block.constData()), uLong(block.size()), 1);
    packed.resize(int(size));
    return integer(qint32(size)).bytes(packed);
}

ArchiveBuilder& ArchiveBuilder::file(const QByteArray& name, const QByteArray& contents,
                                     quint32 dosDate) {
    entryHead(name, dosDate).mark();
    for (qsizetype at = 0; at < contents.size(); at += 16384)
        rawBlock(contents.mid(at, 16384));
    return endSection();
}

QByteArray ParsedEntry::contents() const {
    QByteArray all;
    for (const ParsedBlock& block : blocks)
        all += block.original;
    return all;
}

qint64 ParsedArchive::dataBytes() const {
    qint64 total = 0;
    for (const ParsedEntry& entry : entries) {
        total += 4;
        for (const ParsedBlock& block : entry.blocks)
            total += 4 + block.stored.size();
    }
    return total;
}

namespace {

class Cursor {
public:
    explicit Cursor(const QByteArray& data)
        : data_(data) {}
    bool take(qsizetype size, QByteArray& into) {
        if (size < 0 || at_ + size > data_.size())
            return false;
        into = data_.mid(at_, size);
        at_ += size;
        return true;
    }
    bool integer(qint32& value) {
        QByteArray raw;
        if (!take(4, raw))
            return false;
        value = qFromLittleEndian<qint32>(raw.constData());
        return true;
    }
    bool atEnd() const { return at_ == data_.size(); }

private:
    const QByteArray& data_;
    qsizetype at_ = 0;
};

QByteArray inflated(const QByteArray& stream) {
    QByteArray out(16384, '\0');
    uLongf size = uLongf(out.size());
    const int result =
        uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                   reinterpret_cast<const Bytef*>(stream.constData()), uLong(stream.size()));
    EXPECT_EQ(result, Z_OK) << "a compressed block does not inflate into 16384 bytes";
    out.resize(int(size));
    return out;
}

} // namespace

ParsedArchive parseArchive(const QByteArray& archive) {
    ParsedArchive parsed;
    Cursor cursor(archive);
    qint32 length = 0, value = 0;
    if (!cursor.integer(length) || !cursor.take(length, parsed.title) || !cursor.integer(value) ||
        !cursor.integer(parsed.fileCount)) {
        ADD_FAILURE() << "archive header is short";
        return parsed;
    }
    parsed.totalSize = quint32(value);
    for (;;) {
        if (!cursor.integer(length)) {
            ADD_FAILURE() << "archive ends without its terminator";
            return parsed;
        }
        if (length == 0)
            break;
        ParsedEntry entry;
        QByteArray mark;
        if (length < 0 || !cursor.take(length, entry.name) || !cursor.integer(value) ||
            !cursor.take(4, mark) || mark != QByteArray("EC2\0", 4)) {
            ADD_FAILURE() << "malformed entry head";
            return parsed;
        }
        entry.dosDate = quint32(value);
        for (;;) {
            ParsedBlock block;
            if (!cursor.integer(block.length)) {
                ADD_FAILURE() << "section ends early";
                return parsed;
            }
            if (block.length == 0)
                break;
            if (!cursor.take(std::abs(block.length), block.stored)) {
                ADD_FAILURE() << "block runs past the end";
                return parsed;
            }
            block.original = block.length < 0 ? block.stored : inflated(block.stored);
            entry.blocks.append(block);
        }
        parsed.entries.append(entry);
    }
    EXPECT_TRUE(cursor.atEnd()) << "bytes after the terminator";
    return parsed;
}

QByteArray randomBytes(int size, quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray data(size, '\0');
    for (char& c : data)
        c = char(random.bounded(256));
    return data;
}

QByteArray tableLikeBytes(int size, quint32 seed) {
    static const char* const words[] = {"Novák", "Svobodová",    "1",       "0",
                                        "2",     "12",           "Praha",   "auto",
                                        "strom", "            ", "    3.00"};
    QRandomGenerator random(seed);
    QByteArray data;
    while (data.size() < size)
        data += QByteArray(words[random.bounded(int(std::size(words)))]).leftJustified(10, ' ');
    data.truncate(size);
    return data;
}

void writeFile(const QString& path, const QByteArray& data, const QDateTime& modified) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(data), data.size());
    if (modified.isValid()) {
        file.flush();
        ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
    }
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

QMap<QString, FileState> snapshot(const QDir& dir) {
    QMap<QString, FileState> state;
    QDirIterator it(dir.path(),
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        // A directory's own date changes with every temporary file made in it.
        if (info.isDir())
            state.insert(dir.relativeFilePath(path), {QByteArray("<dir>"), QDateTime()});
        else
            state.insert(dir.relativeFilePath(path), {readFile(path), info.lastModified()});
    }
    return state;
}

} // namespace iksa::test
