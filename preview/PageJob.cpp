#include "PageJob.h"

#include "PagePicture.h"
#include "SurfaceMessages.h"
#include "records/UserError.h"

#include <QPageLayout>
#include <QPagedPaintDevice>

namespace iksa {

namespace {

QPageLayout fullPageLayout(TPaperType paper, TPrinterOrientation orientation,
                           QSize customLoMetric) {
    const QPageSize size = paper == TPaperType::pCustom
                               ? QPageSize(QSizeF(customLoMetric) / 10.0, QPageSize::Millimeter)
                               : QPageSize(QPageSize::id(int(paper)));
    QPageLayout layout(size,
                       orientation == TPrinterOrientation::poLandscape ? QPageLayout::Landscape
                                                                       : QPageLayout::Portrait,
                       QMarginsF(), QPageLayout::Millimeter);
    layout.setMode(QPageLayout::FullPageMode);
    return layout;
}

} // namespace

PageJob::PageJob(QPagedPaintDevice& device, const QString& startFailure, TPaperType paper,
                 TPrinterOrientation orientation, QSize paperUnits, int unitsPerInch,
                 QSize customLoMetric)
    : device_(device)
    , paperUnits_(paperUnits)
    , unitsPerInch_(unitsPerInch) {
    device_.setPageLayout(fullPageLayout(paper, orientation, customLoMetric));
    if (!painter_.begin(&device_))
        throw UserError(startFailure);
}

PageJob::~PageJob() {
    if (painter_.isActive())
        painter_.end();
}

void PageJob::startNextSheet() {
    if (!device_.newPage())
        throw UserError(SurfaceMessages::pageNotCreated());
}

void PageJob::playPage(const QPicture& page) {
    const QRectF sheet(0, 0, qreal(paperUnits_.width()) * device_.logicalDpiX() / unitsPerInch_,
                       qreal(paperUnits_.height()) * device_.logicalDpiY() / unitsPerInch_);
    iksa::playPage(painter_, page, paperUnits_, sheet);
}

void PageJob::finish() {
    if (painter_.isActive())
        painter_.end();
}

} // namespace iksa
