#include "PrinterTarget.h"

#include "SurfaceMessages.h"
#include "records/UserError.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace iksa {

PrinterTarget::PrinterTarget() = default;

PrinterTarget::PrinterTarget(QPrinter& printer)
    : printer_(&printer) {}

PrinterTarget::~PrinterTarget() = default;

QPagedPaintDevice& PrinterTarget::openDevice(const QString& jobTitle) {
    if (!printer_) {
        // Created on the first job: finding the printers takes a moment.
        own_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_ = own_.get();
    }
    // Without any printer Qt falls back to a PDF printer without a file.
    const bool native = printer_->outputFormat() == QPrinter::NativeFormat;
    if ((native && QPrinterInfo::availablePrinters().isEmpty()) ||
        (!native && printer_->outputFileName().isEmpty()))
        throw UserError(SurfaceMessages::noPrinter());
    printer_->setDocName(jobTitle);
    printer_->setFullPage(true);
    return *printer_;
}

} // namespace iksa
