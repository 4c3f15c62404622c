#include "ArchiveFormat.h"

namespace iksa {

namespace {

const char* const kErrorTexts[] = {
    "",
    "Cannot read file",
    "Overwriting file failed",
    "Cannot read archive",
    "Cannot write to archive",
    "Invalid archive type",
    "Compression error",
    "Cannot create temporary file to save the file IDs",
};

const char* rawErrorText(int code) {
    if (code < 0 || code >= int(std::size(kErrorTexts)))
        return "";
    return kErrorTexts[code];
}

} // namespace

QString archiveErrorText(int code) {
    return QString::fromLatin1(rawErrorText(code));
}

const char* ArchiveError::what() const noexcept {
    return rawErrorText(code_);
}

} // namespace iksa
