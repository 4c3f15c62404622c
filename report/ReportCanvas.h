#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <Qt>

namespace iksa {

class PageCanvas;
class PageSurface;

// The protocol's colours (red, green, blue).
namespace ReportColour {
inline const QColor white{255, 255, 255};
inline const QColor black{0, 0, 0};
inline const QColor stripe{210, 210, 240};      // IQ/index table stripes
inline const QColor firstGroup{235, 230, 230};  // first index group, score block, page 3 rows 6–8
inline const QColor secondGroup{220, 230, 230}; // second index group of a profile chart
inline const QColor meanRow{180, 180, 180};     // the row of scaled score 10
inline const QColor header{220, 220, 220};      // header rows, grey cells, page 3 rows 0–5
inline const QColor empty{150, 150, 150};       // page 3 cells without content
} // namespace ReportColour

// Drawing in report units on the page in work of a surface. At the start of
// every page the units are taken from the paper: SX = round(paper width /
// 8.268), SY = round(paper height / 11.993), so that on A4 in 0.01 mm x
// counts inches and y counts 24.76 mm. A report point (x, y) is the page
// point (round(SX · x), round(SY · y)).
//
// Font, pen and brush carry over from one call to the next, as on the
// canvas itself; text is written on an opaque background of the brush.
class ReportCanvas {
public:
    explicit ReportCanvas(PageSurface& surface);

    // The start of a page: saves the canvas's font size and style as the
    // page's base, computes SX and SY, and fills the page with the brush.
    void startPage();
    // Puts the base size and style back (before a page ends).
    void restoreBase();

    quint16 sx() const { return sx_; }
    quint16 sy() const { return sy_; }
    int pageX(double x) const;
    int pageY(double y) const;
    QPoint point(double x, double y) const { return {pageX(x), pageY(y)}; }

    qreal baseSize() const { return baseSize_; }
    void font(qreal size, bool bold);
    void fontSize(qreal size);
    void baseFont(bool bold) { font(baseSize_, bold); }
    void fontColour(const QColor& colour);
    void brush(const QColor& colour);
    // Width in page units; solid unless said otherwise.
    void pen(int width, Qt::PenStyle style = Qt::SolidLine);

    void text(double x, double y, const QString& text);
    void verticalText(double x, double y, const QString& text);
    void line(double x1, double y1, double x2, double y2);
    // The rectangle (left, top, right, bottom) in the brush colour; each
    // edge is rounded on its own.
    void fill(double left, double top, double right, double bottom);
    void fill(double left, double top, double right, double bottom, const QColor& colour);
    // A picture in a band across the page, measured in steps of (stepX,
    // stepY) tenths of a millimetre: two steps in from each side, two steps
    // down, three steps tall; centred and, where larger, shrunk with its
    // proportions kept.
    void picture(int stepX, int stepY, const QImage& image);

    PageCanvas& canvas();

private:
    PageSurface& surface_;
    quint16 sx_ = 0;
    quint16 sy_ = 0;
    qreal baseSize_ = 8;
    bool baseBold_ = false;
};

} // namespace iksa
