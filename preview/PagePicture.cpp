#include "PagePicture.h"

#include <QPainter>

namespace iksa {

PagePicture::PagePicture(QSize paperUnits, int unitsPerInch)
    : paper_(paperUnits)
    , unitsPerInch_(unitsPerInch) {}

int PagePicture::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return paper_.width();
    case PdmHeight:
        return paper_.height();
    case PdmWidthMM:
        return qRound(paper_.width() * 25.4 / unitsPerInch_);
    case PdmHeightMM:
        return qRound(paper_.height() * 25.4 / unitsPerInch_);
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return unitsPerInch_;
    default:
        return QPicture::metric(metric);
    }
}

void playPage(QPainter& painter, const QPicture& page, QSize paperUnits, const QRectF& target) {
    if (paperUnits.isEmpty())
        return;
    // QPicture::play scales by the target's dots per inch over Qt's default;
    // that factor is taken out again so that only the sheet mapping remains.
    static const QPicture probe;
    const QPaintDevice* device = painter.device();
    const qreal unscaleX = device ? qreal(probe.logicalDpiX()) / device->logicalDpiX() : 1.0;
    const qreal unscaleY = device ? qreal(probe.logicalDpiY()) / device->logicalDpiY() : 1.0;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / paperUnits.width() * unscaleX,
                  target.height() / paperUnits.height() * unscaleY);
    painter.drawPicture(0, 0, page);
    painter.restore();
}

} // namespace iksa
