#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPoint>
#include <QRect>

namespace iksa {

// The drawing canvas of the page in work, in page units over the whole
// sheet: (0, 0) is the sheet's top-left corner, x grows to the right and y
// downwards. The device reports as many dots per inch as the page units have
// per inch, so a font of 8 pt is 8 pt on paper, on screen and in PDF alike.
//
// The canvas keeps the state the protocol draws with: a font with its
// colour, a pen (width in page units, style, colour) and a brush colour,
// which is also the opaque background of text. painter() gives the QPainter
// itself for anything else.
class PageCanvas {
public:
    explicit PageCanvas(QPainter& painter);

    QPainter& painter() { return painter_; }

    // Resets font, pen and brush to the start of a page.
    void reset(const QFont& font);

    QFont font() const { return font_; }
    void setFont(const QFont& font);
    void setFontSize(qreal points);
    void setFontBold(bool bold);
    QColor fontColor() const { return fontColor_; }
    void setFontColor(const QColor& color) { fontColor_ = color; }

    QPen pen() const { return painter_.pen(); }
    void setPenWidth(int pageUnits);
    void setPenStyle(Qt::PenStyle style);
    void setPenColor(const QColor& color);

    QColor brushColor() const { return brushColor_; }
    void setBrushColor(const QColor& color);

    // Text with its top-left corner at (x, y), in the current font, on an
    // opaque background of the brush colour.
    void textOut(int x, int y, const QString& text);
    // The same text turned by 90° to read upwards; (x, y) is the corner that
    // is top-left before the turn.
    void verticalTextOut(int x, int y, const QString& text);
    // The text cell's width and height in page units.
    QSize textExtent(const QString& text) const;

    // The page's clipping rectangle: the whole sheet.
    QRect clipRect() const;

    void moveTo(int x, int y) { position_ = QPoint(x, y); }
    void lineTo(int x, int y);
    // Fills the rectangle (left, top, right, bottom) with the brush colour.
    void fillRect(int left, int top, int right, int bottom);

private:
    void drawTextCell(const QString& text);

    QPainter& painter_;
    QFont font_;
    QColor fontColor_ = Qt::black;
    QColor brushColor_ = Qt::white;
    QPoint position_;
};

} // namespace iksa
