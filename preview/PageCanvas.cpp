#include "PageCanvas.h"

#include <QFontMetricsF>

namespace iksa {

PageCanvas::PageCanvas(QPainter& painter)
    : painter_(painter) {}

void PageCanvas::reset(const QFont& font) {
    fontColor_ = Qt::black;
    brushColor_ = Qt::white;
    position_ = QPoint();
    setFont(font);
    // Lines end and join round, as geometric pens do on paper.
    painter_.setPen(QPen(QBrush(Qt::black), 0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter_.setBrush(brushColor_);
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
}

void PageCanvas::setFont(const QFont& font) {
    font_ = font;
    painter_.setFont(font_);
}

void PageCanvas::setFontSize(qreal points) {
    font_.setPointSizeF(points);
    painter_.setFont(font_);
}

void PageCanvas::setFontBold(bool bold) {
    font_.setBold(bold);
    painter_.setFont(font_);
}

void PageCanvas::setPenWidth(int pageUnits) {
    QPen pen = painter_.pen();
    pen.setWidth(pageUnits);
    painter_.setPen(pen);
}

void PageCanvas::setPenStyle(Qt::PenStyle style) {
    QPen pen = painter_.pen();
    pen.setStyle(style);
    painter_.setPen(pen);
}

void PageCanvas::setPenColor(const QColor& color) {
    QPen pen = painter_.pen();
    pen.setColor(color);
    painter_.setPen(pen);
}

void PageCanvas::setBrushColor(const QColor& color) {
    brushColor_ = color;
    painter_.setBrush(color);
}

QSize PageCanvas::textExtent(const QString& text) const {
    const QFontMetricsF metrics(font_, painter_.device());
    return QSizeF(metrics.horizontalAdvance(text), metrics.height()).toSize();
}

void PageCanvas::drawTextCell(const QString& text) {
    // The cell at (0, 0) in the current coordinates: background, then text
    // on its baseline.
    const QFontMetricsF metrics(font_, painter_.device());
    painter_.fillRect(QRectF(0, 0, metrics.horizontalAdvance(text), metrics.height()), brushColor_);
    const QPen linePen = painter_.pen();
    painter_.setPen(fontColor_);
    painter_.drawText(QPointF(0, metrics.ascent()), text);
    painter_.setPen(linePen);
}

void PageCanvas::textOut(int x, int y, const QString& text) {
    painter_.save();
    painter_.translate(x, y);
    drawTextCell(text);
    painter_.restore();
}

void PageCanvas::verticalTextOut(int x, int y, const QString& text) {
    painter_.save();
    painter_.translate(x, y);
    painter_.rotate(-90);
    drawTextCell(text);
    painter_.restore();
}

QRect PageCanvas::clipRect() const {
    const QPaintDevice* device = painter_.device();
    return device ? QRect(0, 0, device->width(), device->height()) : QRect();
}

void PageCanvas::lineTo(int x, int y) {
    painter_.drawLine(position_, QPoint(x, y));
    position_ = QPoint(x, y);
}

void PageCanvas::fillRect(int left, int top, int right, int bottom) {
    painter_.fillRect(QRectF(left, top, right - left, bottom - top), brushColor_);
}

} // namespace iksa
