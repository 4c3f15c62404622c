#include "BlockCodec.h"

#include <zlib.h>

namespace iksa {

namespace {

Bytef* bytes(const char* data) {
    return reinterpret_cast<Bytef*>(const_cast<char*>(data));
}

} // namespace

struct ZlibStream {
    z_stream z{};
    bool ready = false;
};

BlockCompressor::BlockCompressor(int zlibLevel)
    : stream_(std::make_unique<ZlibStream>()) {
    stream_->ready =
        deflateInit2(&stream_->z, zlibLevel, Z_DEFLATED, MAX_WBITS, 8, Z_DEFAULT_STRATEGY) == Z_OK;
}

BlockCompressor::~BlockCompressor() {
    if (stream_->ready)
        deflateEnd(&stream_->z);
}

int BlockCompressor::compress(const char* data, int size) {
    z_stream& z = stream_->z;
    if (!stream_->ready || deflateReset(&z) != Z_OK)
        throw ArchiveError(errCompression);
    z.next_in = bytes(data);
    z.avail_in = uInt(size);
    z.next_out = bytes(out_.data());
    z.avail_out = uInt(out_.size());
    const int result = deflate(&z, Z_FINISH);
    if (result == Z_STREAM_END)
        return int(out_.size() - z.avail_out);
    if (result == Z_OK || result == Z_BUF_ERROR)
        return 0; // the output buffer is full: the block goes raw
    throw ArchiveError(errCompression);
}

BlockInflater::BlockInflater()
    : stream_(std::make_unique<ZlibStream>()) {
    stream_->ready = inflateInit2(&stream_->z, MAX_WBITS) == Z_OK;
}

BlockInflater::~BlockInflater() {
    if (stream_->ready)
        inflateEnd(&stream_->z);
}

int BlockInflater::inflate(const char* data, int size) {
    z_stream& z = stream_->z;
    if (!stream_->ready || inflateReset(&z) != Z_OK)
        throw ArchiveError(errCompression);
    z.next_in = bytes(data);
    z.avail_in = uInt(size);
    z.next_out = bytes(out_.data());
    z.avail_out = uInt(out_.size());
    int result = Z_OK;
    while (result == Z_OK && z.avail_out > 0 && z.avail_in > 0)
        result = ::inflate(&z, Z_NO_FLUSH);
    const int produced = int(out_.size() - z.avail_out);
    if (result != Z_STREAM_END || z.avail_in > 0 || produced > kArchiveBlockSize)
        throw ArchiveError(errCompression);
    return produced;
}

} // namespace iksa
