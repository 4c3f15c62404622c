#pragma once

#include <QString>

namespace iksa::tools {

// Writes the printable record form of the symbol-search subtest
// ("Iksa_kodovani.pdf"): a title, the examinee's identification lines and,
// over two A4 pages, the 60 item rows with their answer boxes. The symbols
// are neutral placeholder shapes, not the test's material. Needs a
// QGuiApplication. Returns false when the file cannot be written.
bool writeCodingForm(const QString& path);

} // namespace iksa::tools
