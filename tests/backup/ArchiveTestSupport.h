#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QList>
#include <QMap>
#include <QString>

namespace iksa::test {

// Builds archives byte by byte, valid or not, for the reader's tests.
class ArchiveBuilder {
public:
    ArchiveBuilder& header(const QByteArray& title = {}, quint32 totalSize = 0, qint32 count = 1);
    ArchiveBuilder& integer(qint32 value);
    ArchiveBuilder& bytes(const QByteArray& data);
    ArchiveBuilder& entryHead(const QByteArray& name, quint32 dosDate = 0x52642000);
    ArchiveBuilder& mark(const QByteArray& mark = QByteArray("EC2\0", 4));
    ArchiveBuilder& rawBlock(const QByteArray& data);
    ArchiveBuilder& zlibBlock(const QByteArray& data); // zlib level 1 of data
    ArchiveBuilder& endSection() { return integer(0); }
    // A whole entry: head, mark, the data as raw blocks of 16384 bytes, end.
    ArchiveBuilder& file(const QByteArray& name, const QByteArray& data,
                         quint32 dosDate = 0x52642000);
    ArchiveBuilder& terminator() { return integer(0); }

    QByteArray data;
};

// An archive taken apart by a parser of the tests' own, independent of the
// component's reader.
struct ParsedBlock {
    qint32 length = 0;
    QByteArray stored;   // the block's bytes as stored
    QByteArray original; // the bytes of the file it stands for
};
struct ParsedEntry {
    QByteArray name;
    quint32 dosDate = 0;
    QList<ParsedBlock> blocks;
    QByteArray contents() const;
};
struct ParsedArchive {
    QByteArray title;
    quint32 totalSize = 0;
    qint32 fileCount = 0;
    QList<ParsedEntry> entries;
    qint64 dataBytes() const; // as the compression ratio counts them
};
// Fails the current test (and returns what it has) on anything malformed.
ParsedArchive parseArchive(const QByteArray& archive);

QByteArray randomBytes(int size, quint32 seed);
// Text rows such as a dBASE table holds: compressible, not trivially so.
QByteArray tableLikeBytes(int size, quint32 seed);

void writeFile(const QString& path, const QByteArray& data,
               const QDateTime& modified = QDateTime());
QByteArray readFile(const QString& path);

// Every entry below `dir` (hidden ones too) with its contents and date, to
// see that a run changed nothing.
struct FileState {
    QByteArray contents;
    QDateTime modified;
    bool operator==(const FileState&) const = default;
};
QMap<QString, FileState> snapshot(const QDir& dir);

} // namespace iksa::test
