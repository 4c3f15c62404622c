#pragma once

#include "BlockCodec.h"

#include <QByteArray>
#include <QIODevice>

namespace iksa {

// Writes the parts of a backup archive to a device. Every write failure
// throws ArchiveError(errCannotWriteArchive).
class ArchiveWriter {
public:
    ArchiveWriter(QIODevice& device, int zlibLevel);

    void writeHeader(const QByteArray& title, quint32 totalSize, qint32 fileCount);
    void writeEntryHead(const QByteArray& name, quint32 dosDateTime);

    // A data section: the mark, then one block per call of writeBlock (at
    // most kArchiveBlockSize bytes each), then the end mark.
    void beginSection();
    void writeBlock(const char* data, int size);
    void endSection();

    void writeTerminator();

    // Bytes of file data written so far: the section marks and, for every
    // block, its length field and its bytes (the compression ratio's measure).
    qint64 dataBytes() const { return dataBytes_; }

private:
    void writeInt(qint32 value);
    void writeBytes(const char* data, qint64 size);

    QIODevice& device_;
    BlockCompressor compressor_;
    qint64 dataBytes_ = 0;
};

} // namespace iksa
