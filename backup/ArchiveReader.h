#pragma once

#include "BlockCodec.h"

#include <QByteArray>
#include <QIODevice>
#include <array>
#include <functional>
#include <optional>

namespace iksa {

struct ArchiveHeader {
    QByteArray title;
    quint32 totalSize = 0; // of the input files, modulo 2^32
    qint32 fileCount = 0;
};

struct ArchiveEntryHead {
    QByteArray name; // 8-bit text as stored
    quint32 dosDateTime = 0;
};

struct SectionSize {
    qint64 stored = 0;   // the section mark, and each block's length field and bytes
    qint64 original = 0; // bytes of the file the section stands for
};

// Reads a backup archive from a device, part by part, trusting nothing it
// reads: every length is bounded before it is used, so memory stays the same
// whatever the archive claims. Failures throw ArchiveError:
//   errCannotReadArchive  the archive ends early (a length runs past its end)
//   errInvalidArchive     a wrong section mark, a block length beyond a block
//   errCompression        a damaged zlib block or one inflating beyond a block
class ArchiveReader {
public:
    explicit ArchiveReader(QIODevice& device)
        : device_(device) {}

    ArchiveHeader readHeader();

    // The next entry's name and date, or nothing at the terminator. A
    // negative name length is passed over and the next length read.
    std::optional<ArchiveEntryHead> readEntryHead();

    // Reads a data section, handing the file bytes of each block to `sink`
    // (which may be empty, to check the section only).
    using BlockSink = std::function<void(const char* data, int size)>;
    SectionSize readSection(const BlockSink& sink);

    // Passes over a data section by seeking over its blocks; returns its
    // stored size.
    qint64 skipSection();

private:
    qint32 readInt();
    void readBytes(char* into, qint64 size);
    void skipBytes(qint64 size);
    void readMark();
    int readBlockLength(); // 0 at the end of the section

    QIODevice& device_;
    BlockInflater inflater_;
    std::array<char, kArchiveBlockSize> block_{};
};

} // namespace iksa
