#include "PrintTarget.h"
#include "SurfaceMessages.h"
#include "records/PrivateFiles.h"
#include "records/UserError.h"

#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>

namespace iksa {

QString PrintTarget::startFailedMessage() const {
    return SurfaceMessages::printJobFailed();
}

PdfFileTarget::PdfFileTarget(QString path)
    : path_(std::move(path)) {}

PdfFileTarget::~PdfFileTarget() = default;

QPagedPaintDevice& PdfFileTarget::openDevice(const QString& jobTitle) {
    // QPdfWriter reports an unwritable file only by a painter that does not
    // start; the check here gives the examiner the file's name.
    const QFileInfo dir(QFileInfo(path_).absolutePath());
    if (!dir.isDir() || !dir.isWritable())
        throw UserError(SurfaceMessages::pdfNotWritten(path_));
    file_ = std::make_unique<QSaveFile>(path_);
    if (!file_->open(QIODevice::WriteOnly) || !takeOverAttributes(*file_, path_)) {
        file_.reset();
        throw UserError(SurfaceMessages::pdfNotWritten(path_));
    }
    writer_ = std::make_unique<QPdfWriter>(file_.get());
    writer_->setTitle(jobTitle);
    writer_->setCreator(QStringLiteral("IKSA-III"));
    writer_->setResolution(1200);
    return *writer_;
}

void PdfFileTarget::finishDevice() {
    writer_.reset();
    if (!file_ || !file_->commit())
        throw UserError(SurfaceMessages::pdfNotWritten(path_));
    file_.reset();
}

void PdfFileTarget::closeDevice() {
    writer_.reset();
    file_.reset(); // not committed: the file stays as it was
}

QString PdfFileTarget::startFailedMessage() const {
    return SurfaceMessages::pdfNotWritten(path_);
}

} // namespace iksa
