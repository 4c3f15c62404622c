#include "PrinterTarget.h"

#include "SurfaceMessages.h"
#include "records/UserError.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace iksa {

PrinterTarget::PrinterTarget()
    : PrinterTarget([] { return std::make_unique<QPrinter>(QPrinter::HighResolution); }) {}

PrinterTarget::PrinterTarget(QPrinter& printer)
    : printer_(&printer) {}

PrinterTarget::PrinterTarget(PrinterFactory makePrinter)
    : makePrinter_(std::move(makePrinter)) {}

PrinterTarget::~PrinterTarget() = default;

bool PrinterTarget::canPrint(const QPrinter& printer) {
    // Without any printer Qt falls back to a PDF printer without a file.
    if (printer.outputFormat() == QPrinter::NativeFormat)
        return !QPrinterInfo::availablePrinters().isEmpty();
    return !printer.outputFileName().isEmpty();
}

QPagedPaintDevice& PrinterTarget::openDevice(const QString& jobTitle) {
    if (makePrinter_ && (!own_ || !canPrint(*own_))) {
        // Made on the first job, since finding the printers takes a moment,
        // and again while none was found.
        own_ = makePrinter_();
        printer_ = own_.get();
    }
    if (!printer_ || !canPrint(*printer_))
        throw UserError(SurfaceMessages::noPrinter());
    printer_->setDocName(jobTitle);
    printer_->setFullPage(true);
    return *printer_;
}

} // namespace iksa
