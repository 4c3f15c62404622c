#pragma once

#include "PrintTarget.h"

#include <functional>
#include <memory>

class QPrinter;

namespace iksa {

// Direct printing to a QPrinter: the system's default printer, or one given
// by the caller (a PDF-format printer in tests). The printer prints the whole
// sheet (full page), so the page's (0, 0) is the paper's corner even where
// the printer cannot print.
class PrinterTarget : public PrintTarget {
public:
    // Makes the printer of a job; the default one finds the system's
    // default printer.
    using PrinterFactory = std::function<std::unique_ptr<QPrinter>()>;

    PrinterTarget();
    explicit PrinterTarget(QPrinter& printer);
    // While the printer made last has no printer behind it, each job makes
    // a new one, so that a printer installed meanwhile is found.
    explicit PrinterTarget(PrinterFactory makePrinter);
    ~PrinterTarget() override;

    QPagedPaintDevice& openDevice(const QString& jobTitle) override;

private:
    static bool canPrint(const QPrinter& printer);

    QPrinter* printer_ = nullptr;
    PrinterFactory makePrinter_;
    std::unique_ptr<QPrinter> own_;
};

} // namespace iksa
