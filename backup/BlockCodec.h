#pragma once

#include "ArchiveFormat.h"

#include <array>
#include <memory>

namespace iksa {

struct ZlibStream; // a z_stream and whether its init succeeded

// Compresses one archive block with a fresh zlib stream (deflate method,
// window bits 15, memory level 8, default strategy), so that no block refers
// to an earlier one. The stream is reset for each block rather than made
// anew: zlib defines the reset as equal to a new stream, and it spares
// allocating and clearing a quarter of a megabyte per block.
class BlockCompressor {
public:
    explicit BlockCompressor(int zlibLevel);
    ~BlockCompressor();
    BlockCompressor(const BlockCompressor&) = delete;
    BlockCompressor& operator=(const BlockCompressor&) = delete;

    // Compresses `size` bytes (1 … kArchiveBlockSize). Returns the length of
    // the finished zlib stream in output(), or 0 when the stream does not fit
    // into kArchiveBlockSize bytes and the block is to be stored raw. A zlib
    // failure throws ArchiveError(errCompression).
    int compress(const char* data, int size);
    const char* output() const { return out_.data(); }

private:
    std::unique_ptr<ZlibStream> stream_;
    std::array<char, kArchiveBlockSize> out_{};
};

// Inflates the zlib stream of one archive block, with a stream reset for each
// block as above.
class BlockInflater {
public:
    BlockInflater();
    ~BlockInflater();
    BlockInflater(const BlockInflater&) = delete;
    BlockInflater& operator=(const BlockInflater&) = delete;

    // Returns the number of bytes in output(). A damaged or incomplete
    // stream, bytes after its end, or more than kArchiveBlockSize bytes of
    // output throw ArchiveError(errCompression).
    int inflate(const char* data, int size);
    const char* output() const { return out_.data(); }

private:
    std::unique_ptr<ZlibStream> stream_;
    // One byte more than a block may hold, to see an oversized block.
    std::array<char, kArchiveBlockSize + 1> out_{};
};

} // namespace iksa
