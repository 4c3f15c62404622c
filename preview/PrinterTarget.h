#pragma once

#include "PrintTarget.h"

#include <memory>

class QPrinter;

namespace iksa {

// Direct printing to a QPrinter: the system's default printer, or one given
// by the caller (a PDF-format printer in tests). The printer prints the whole
// sheet (full page), so the page's (0, 0) is the paper's corner even where
// the printer cannot print.
class PrinterTarget : public PrintTarget {
public:
    PrinterTarget();
    explicit PrinterTarget(QPrinter& printer);
    ~PrinterTarget() override;

    QPagedPaintDevice& openDevice(const QString& jobTitle) override;

private:
    QPrinter* printer_ = nullptr;
    std::unique_ptr<QPrinter> own_;
};

} // namespace iksa
