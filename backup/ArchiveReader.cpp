#include "ArchiveReader.h"

#include <QtEndian>
#include <cstring>

namespace iksa {

void ArchiveReader::readBytes(char* into, qint64 size) {
    while (size > 0) {
        const qint64 got = device_.read(into, size);
        if (got <= 0)
            throw ArchiveError(errCannotReadArchive);
        into += got;
        size -= got;
    }
}

void ArchiveReader::skipBytes(qint64 size) {
    if (device_.isSequential()) {
        while (size > 0) {
            const qint64 chunk = std::min<qint64>(size, qint64(block_.size()));
            readBytes(block_.data(), chunk);
            size -= chunk;
        }
        return;
    }
    const qint64 target = device_.pos() + size;
    if (target > device_.size() || !device_.seek(target))
        throw ArchiveError(errCannotReadArchive);
}

qint32 ArchiveReader::readInt() {
    char bytes[4];
    readBytes(bytes, 4);
    return qFromLittleEndian<qint32>(bytes);
}

ArchiveHeader ArchiveReader::readHeader() {
    ArchiveHeader header;
    const qint32 titleLength = readInt();
    if (titleLength < 0 || titleLength > kMaxArchiveString)
        throw ArchiveError(errCannotReadArchive);
    header.title.resize(titleLength);
    readBytes(header.title.data(), titleLength);
    header.totalSize = quint32(readInt());
    header.fileCount = readInt();
    return header;
}

std::optional<ArchiveEntryHead> ArchiveReader::readEntryHead() {
    qint32 length = readInt();
    while (length < 0)
        length = readInt();
    if (length == 0)
        return std::nullopt;
    if (length > kMaxArchiveString)
        throw ArchiveError(errCannotReadArchive);
    ArchiveEntryHead head;
    head.name.resize(length);
    readBytes(head.name.data(), length);
    head.dosDateTime = quint32(readInt());
    return head;
}

void ArchiveReader::readMark() {
    char mark[4];
    readBytes(mark, 4);
    if (std::memcmp(mark, kSectionMark, 4) != 0)
        throw ArchiveError(errInvalidArchive);
}

int ArchiveReader::readBlockLength() {
    const qint32 length = readInt();
    // A compressed block that does not fit into a block is stored raw, so no
    // valid block is longer than kArchiveBlockSize either way.
    if (length < -kArchiveBlockSize || length > kArchiveBlockSize)
        throw ArchiveError(errInvalidArchive);
    return length;
}

SectionSize ArchiveReader::readSection(const BlockSink& sink) {
    SectionSize size;
    readMark();
    size.stored = 4;
    while (const int length = readBlockLength()) {
        const int stored = length > 0 ? length : -length;
        readBytes(block_.data(), stored);
        const char* data = block_.data();
        int produced = stored;
        if (length > 0) {
            produced = inflater_.inflate(block_.data(), stored);
            data = inflater_.output();
        }
        size.stored += 4 + stored;
        size.original += produced;
        if (sink)
            sink(data, produced);
    }
    return size;
}

qint64 ArchiveReader::skipSection() {
    readMark();
    qint64 size = 4;
    while (const int length = readBlockLength()) {
        const int stored = length > 0 ? length : -length;
        skipBytes(stored);
        size += 4 + stored;
    }
    return size;
}

} // namespace iksa
