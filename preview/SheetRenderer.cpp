#include "SheetRenderer.h"

#include "PageSurface.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>

namespace iksa {

SheetRenderer::SheetRenderer(const TPaperPreviewOptions& options)
    : options_(options) {}

QSize SheetRenderer::sheetSize(QSize paperPixels) const {
    const int extra = 2 * options_.BorderWidth + options_.ShadowWidth;
    return paperPixels + QSize(extra, extra);
}

QPoint SheetRenderer::paperOffset() const {
    return QPoint(options_.BorderWidth, options_.BorderWidth);
}

void SheetRenderer::paint(QPainter& painter, QPoint origin, QSize paperPixels,
                          const PageSurface& surface, int pageIndex) const {
    const int border = options_.BorderWidth;
    const QSize framed = paperPixels + QSize(2 * border, 2 * border);
    if (options_.ShadowWidth > 0) {
        const QColor shadow = options_.ShadowColor.isValid()
                                  ? options_.ShadowColor
                                  : QApplication::palette().color(QPalette::Dark);
        const QPoint offset(options_.ShadowWidth, options_.ShadowWidth);
        painter.fillRect(QRect(origin + offset, framed), shadow);
    }
    painter.fillRect(QRect(origin, framed), options_.BorderColor);
    const QRect paper(origin + paperOffset(), paperPixels);
    painter.fillRect(paper, options_.PaperColor);
    if (pageIndex >= 0 && pageIndex < surface.pageCount()) {
        painter.save();
        painter.setClipRect(paper, Qt::IntersectClip);
        surface.playPage(painter, pageIndex, QRectF(paper));
        painter.restore();
    }
}

QImage SheetRenderer::render(QSize paperPixels, const PageSurface& surface, int pageIndex,
                             qreal devicePixelRatio) const {
    const QSize size = sheetSize(paperPixels);
    QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paint(painter, QPoint(0, 0), paperPixels, surface, pageIndex);
    return image;
}

} // namespace iksa
