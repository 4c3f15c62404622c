#include "report/ReportCanvas.h"

#include "preview/PageSurface.h"

#include <cmath>

namespace iksa {

ReportCanvas::ReportCanvas(PageSurface& surface)
    : surface_(surface) {}

PageCanvas& ReportCanvas::canvas() {
    return surface_.canvas();
}

void ReportCanvas::startPage() {
    const QFont font = canvas().font();
    baseSize_ = font.pointSizeF();
    baseBold_ = font.bold();
    // The report units are 16-bit unsigned.
    sx_ = static_cast<quint16>(std::lround(surface_.paperWidth() / 8.268));
    sy_ = static_cast<quint16>(std::lround(surface_.paperHeight() / 11.993));
    const QRect bounds = surface_.pageBounds();
    canvas().fillRect(bounds.left(), bounds.top(), bounds.right() + 1, bounds.bottom() + 1);
}

void ReportCanvas::restoreBase() {
    canvas().setFontSize(baseSize_);
    canvas().setFontBold(baseBold_);
}

int ReportCanvas::pageX(double x) const {
    return static_cast<int>(std::lround(sx_ * x));
}

int ReportCanvas::pageY(double y) const {
    return static_cast<int>(std::lround(sy_ * y));
}

void ReportCanvas::font(qreal size, bool bold) {
    canvas().setFontSize(size);
    canvas().setFontBold(bold);
}

void ReportCanvas::fontSize(qreal size) {
    canvas().setFontSize(size);
}

void ReportCanvas::fontColour(const QColor& colour) {
    canvas().setFontColor(colour);
}

void ReportCanvas::brush(const QColor& colour) {
    canvas().setBrushColor(colour);
}

void ReportCanvas::pen(int width, Qt::PenStyle style) {
    canvas().setPenWidth(width);
    canvas().setPenStyle(style);
}

void ReportCanvas::text(double x, double y, const QString& text) {
    canvas().textOut(pageX(x), pageY(y), text);
}

void ReportCanvas::verticalText(double x, double y, const QString& text) {
    canvas().verticalTextOut(pageX(x), pageY(y), text);
}

void ReportCanvas::line(double x1, double y1, double x2, double y2) {
    canvas().moveTo(pageX(x1), pageY(y1));
    canvas().lineTo(pageX(x2), pageY(y2));
}

void ReportCanvas::fill(double left, double top, double right, double bottom) {
    canvas().fillRect(pageX(left), pageY(top), pageX(right), pageY(bottom));
}

void ReportCanvas::fill(double left, double top, double right, double bottom,
                        const QColor& colour) {
    brush(colour);
    fill(left, top, right, bottom);
}

void ReportCanvas::picture(int stepX, int stepY, const QImage& image) {
    const QPoint step = surface_.convertPoint(stepX, stepY, TUnits::mmLoMetric, surface_.units());
    const QRect bounds = surface_.pageBounds();
    const int left = bounds.left() + 2 * step.x();
    const int right = bounds.left() + bounds.width() - 2 * step.x();
    const int top = bounds.top() + 2 * step.y();
    surface_.paintPicture(QRect(left, top, right - left, 3 * step.y()), image, true, true, true);
}

} // namespace iksa
