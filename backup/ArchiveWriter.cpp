#include "ArchiveWriter.h"

#include <QtEndian>

namespace iksa {

ArchiveWriter::ArchiveWriter(QIODevice& device, int zlibLevel)
    : device_(device)
    , compressor_(zlibLevel) {}

void ArchiveWriter::writeInt(qint32 value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    writeBytes(bytes, 4);
}

void ArchiveWriter::writeBytes(const char* data, qint64 size) {
    if (size > 0 && device_.write(data, size) != size)
        throw ArchiveError(errCannotWriteArchive);
}

void ArchiveWriter::writeHeader(const QByteArray& title, quint32 totalSize, qint32 fileCount) {
    writeInt(qint32(title.size()));
    writeBytes(title.constData(), title.size());
    writeInt(qint32(totalSize));
    writeInt(fileCount);
}

void ArchiveWriter::writeEntryHead(const QByteArray& name, quint32 dosDateTime) {
    writeInt(qint32(name.size()));
    writeBytes(name.constData(), name.size());
    writeInt(qint32(dosDateTime));
}

void ArchiveWriter::beginSection() {
    writeBytes(kSectionMark, 4);
    dataBytes_ += 4;
}

void ArchiveWriter::writeBlock(const char* data, int size) {
    const int compressed = compressor_.compress(data, size);
    if (compressed > 0) {
        writeInt(compressed);
        writeBytes(compressor_.output(), compressed);
    } else {
        writeInt(-size);
        writeBytes(data, size);
    }
    dataBytes_ += 4 + (compressed > 0 ? compressed : size);
}

void ArchiveWriter::endSection() {
    writeInt(0);
}

void ArchiveWriter::writeTerminator() {
    writeInt(0);
}

} // namespace iksa
