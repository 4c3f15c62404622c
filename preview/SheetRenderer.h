#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <Qt>

class QPainter;

namespace iksa {

class PageSurface;

// The look of a sheet in the page views.
struct TPaperPreviewOptions {
    QColor PaperColor = Qt::white;
    QColor BorderColor = Qt::black;
    int BorderWidth = 1;
    QColor ShadowColor; // the style's button shadow unless set
    int ShadowWidth = 3;
    Qt::CursorShape Cursor = Qt::ArrowCursor;
    Qt::CursorShape DragCursor = Qt::OpenHandCursor;
    Qt::CursorShape GrabCursor = Qt::ClosedHandCursor;
};

// Draws a sheet: shadow, border, paper colour, then the recorded page over
// the paper area.
class SheetRenderer {
public:
    explicit SheetRenderer(const TPaperPreviewOptions& options);

    // The whole sheet (paper, border on both sides, shadow) for this paper size.
    QSize sheetSize(QSize paperPixels) const;
    // The paper area's offset inside the sheet.
    QPoint paperOffset() const;

    // Paints the sheet with its top-left corner at `origin`; pageIndex < 0
    // paints blank paper.
    void paint(QPainter& painter, QPoint origin, QSize paperPixels, const PageSurface& surface,
               int pageIndex) const;
    // The sheet as an image for the given device pixel ratio.
    QImage render(QSize paperPixels, const PageSurface& surface, int pageIndex,
                  qreal devicePixelRatio) const;

private:
    const TPaperPreviewOptions& options_;
};

} // namespace iksa
