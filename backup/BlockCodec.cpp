#include "BlockCodec.h"

#include <zlib.h>

namespace iksa {

namespace {

Bytef* bytes(const char* data) {
    return reinterpret_cast<Bytef*>(const_cast<char*>(data));
}

} // namespace

int BlockCompressor::compress(const char* data, int size) {
    z_stream stream{};
    if (deflateInit2(&stream, level_, Z_DEFLATED, MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw ArchiveError(errCompression);
    stream.next_in = bytes(data);
    stream.avail_in = uInt(size);
    stream.next_out = bytes(out_.data());
    stream.avail_out = uInt(out_.size());
    const int result = deflate(&stream, Z_FINISH);
    const int produced = int(out_.size() - stream.avail_out);
    deflateEnd(&stream);
    if (result == Z_STREAM_END)
        return produced;
    if (result == Z_OK || result == Z_BUF_ERROR)
        return 0; // the output buffer is full: the block goes raw
    throw ArchiveError(errCompression);
}

int BlockInflater::inflate(const char* data, int size) {
    z_stream stream{};
    if (inflateInit2(&stream, MAX_WBITS) != Z_OK)
        throw ArchiveError(errCompression);
    stream.next_in = bytes(data);
    stream.avail_in = uInt(size);
    stream.next_out = bytes(out_.data());
    stream.avail_out = uInt(out_.size());
    int result = Z_OK;
    while (result == Z_OK && stream.avail_out > 0 && stream.avail_in > 0)
        result = ::inflate(&stream, Z_NO_FLUSH);
    const int produced = int(out_.size() - stream.avail_out);
    const bool trailing = stream.avail_in > 0;
    inflateEnd(&stream);
    if (result != Z_STREAM_END || trailing || produced > kArchiveBlockSize)
        throw ArchiveError(errCompression);
    return produced;
}

} // namespace iksa
