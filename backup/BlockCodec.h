#pragma once

#include "ArchiveFormat.h"

#include <array>

namespace iksa {

// Compresses one archive block with a fresh zlib stream (deflate method,
// window bits 15, memory level 8, default strategy), so that no block refers
// to an earlier one.
class BlockCompressor {
public:
    explicit BlockCompressor(int zlibLevel)
        : level_(zlibLevel) {}

    // Compresses `size` bytes (1 … kArchiveBlockSize). Returns the length of
    // the finished zlib stream in output(), or 0 when the stream does not fit
    // into kArchiveBlockSize bytes and the block is to be stored raw. A zlib
    // failure throws ArchiveError(errCompression).
    int compress(const char* data, int size);
    const char* output() const { return out_.data(); }

private:
    int level_;
    std::array<char, kArchiveBlockSize> out_{};
};

// Inflates the zlib stream of one archive block.
class BlockInflater {
public:
    // Returns the number of bytes in output(). A damaged or incomplete
    // stream, bytes after its end, or more than kArchiveBlockSize bytes of
    // output throw ArchiveError(errCompression).
    int inflate(const char* data, int size);
    const char* output() const { return out_.data(); }

private:
    // One byte more than a block may hold, to see an oversized block.
    std::array<char, kArchiveBlockSize + 1> out_{};
};

} // namespace iksa
