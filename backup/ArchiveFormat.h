#pragma once

#include <QString>
#include <exception>

namespace iksa {

// The backup archive: 32-bit little-endian integers, strings as a length and
// 8-bit text, every data section "EC2\0" followed by blocks of at most
// kArchiveBlockSize input bytes, each compressed on its own.
inline constexpr int kArchiveBlockSize = 16384;
inline constexpr char kSectionMark[4] = {'E', 'C', '2', '\0'};

// Longest title or entry name the reader accepts; anything longer is not an
// archive of this program, and the reader never allocates by a length it has
// not bounded.
inline constexpr int kMaxArchiveString = 65536;

// Reserved entry names.
inline constexpr char kFileListEntry[] = "FILE:LIST";
inline constexpr char kNextDiskEntry[] = "NEXT:DISK";

// Error codes of a backup or restore run.
enum ArchiveErrorCode {
    errNone = 0,
    errCannotReadFile = 1,
    errOverwriteFailed = 2,
    errCannotReadArchive = 3,
    errCannotWriteArchive = 4,
    errInvalidArchive = 5,
    errCompression = 6,
    errFileIdTemp = 7,
};

// The English text shown for an error code ("" for 0 and unknown codes).
QString archiveErrorText(int code);

// Ends a backup or restore run with one of the codes above.
class ArchiveError : public std::exception {
public:
    explicit ArchiveError(int code)
        : code_(code) {}
    int code() const noexcept { return code_; }
    const char* what() const noexcept override;

private:
    int code_;
};

} // namespace iksa
