#pragma once

#include "PageSurface.h"
#include "SheetRenderer.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <memory>

namespace iksa {

class PrinterTarget;

// The page view of the report window: shows the current recorded page of
// its surface as a sheet with border and shadow, centred when it is smaller
// than the view, scrolled otherwise; zoom, page navigation by keys and
// wheel, and grab-scrolling with the mouse. With DirectPrint the surface
// prints to the installed printer instead of recording.
class TPrintPreview : public QAbstractScrollArea {
    Q_OBJECT
    Q_PROPERTY(bool DirectPrint READ directPrint WRITE setDirectPrint)
    Q_PROPERTY(int Zoom READ zoom WRITE setZoom NOTIFY zoomChanged)
    Q_PROPERTY(int ZoomMin READ zoomMin WRITE setZoomMin)
    Q_PROPERTY(int ZoomMax READ zoomMax WRITE setZoomMax)
    Q_PROPERTY(int ZoomStep READ zoomStep WRITE setZoomStep)
    Q_PROPERTY(TZoomState ZoomState READ zoomState WRITE setZoomState)
    Q_PROPERTY(bool ZoomSavePos READ zoomSavePos WRITE setZoomSavePos)
    Q_PROPERTY(QString PrintJobTitle READ printJobTitle WRITE setPrintJobTitle)
public:
    enum TZoomState { zsZoomOther, zsZoomToWidth, zsZoomToHeight, zsZoomToFit };
    Q_ENUM(TZoomState)

    explicit TPrintPreview(QWidget* parent = nullptr);
    ~TPrintPreview() override;

    PageSurface& surface() { return surface_; }
    const PageSurface& surface() const { return surface_; }

    bool directPrint() const { return surface_.directPrint(); }
    void setDirectPrint(bool direct) { surface_.setDirectPrint(direct); }
    QString printJobTitle() const { return surface_.printJobTitle(); }
    void setPrintJobTitle(const QString& title) { surface_.setPrintJobTitle(title); }

    // Zoom in percent of the sheet's natural size at ScreenDpi. Setting it
    // clamps it into ZoomMin … ZoomMax and switches to zsZoomOther.
    int zoom() const { return zoom_; }
    void setZoom(int percent);
    int zoomMin() const { return zoomMin_; }
    void setZoomMin(int percent) { zoomMin_ = percent; }
    int zoomMax() const { return zoomMax_; }
    void setZoomMax(int percent) { zoomMax_ = percent; }
    int zoomStep() const { return zoomStep_; }
    void setZoomStep(int percent) { zoomStep_ = percent; }
    TZoomState zoomState() const { return zoomState_; }
    void setZoomState(TZoomState state);
    bool zoomSavePos() const { return zoomSavePos_; }
    void setZoomSavePos(bool save) { zoomSavePos_ = save; }

    TPaperPreviewOptions& paperView() { return paperView_; }

    // Pages, numbered from 1; 0 when there are none.
    int currentPage() const { return currentPage_; }
    void setCurrentPage(int page);
    int totalPages() const { return surface_.pageCount(); }

    // The page's size in screen pixels at 100 % and as shown now.
    QSize naturalPaperSize() const;
    QSize paperPixels() const { return paper_; }
    // The paper area of the shown sheet in viewport coordinates.
    QRect paperRect() const;

    // Repaints the shown sheet into `painter` as the view does (for the
    // benchmark); uses and fills the cached bitmap.
    void paintSheet(QPainter& painter, const QRect& exposed);
    // Drops the cached sheet bitmap, so the next paint draws the page anew.
    void invalidateSheet() { sheetCache_ = QImage(); }

signals:
    void currentPageChanged(int page);
    void pagesChanged();
    void zoomChanged(int percent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void onPagesCleared();
    void onPageAdded(int count);
    void updateLayout();
    QSize fittedPaper() const;
    QPoint sheetOrigin() const;
    bool isScrollable() const;
    void updateCursor();
    void scrollBy(int dx, int dy);

    PageSurface surface_;
    std::unique_ptr<PrinterTarget> printer_;
    TPaperPreviewOptions paperView_;
    SheetRenderer renderer_{paperView_};

    int zoom_ = 100;
    int zoomMin_ = 10;
    int zoomMax_ = 500;
    int zoomStep_ = 10;
    TZoomState zoomState_ = zsZoomToFit;
    bool zoomSavePos_ = true;

    int currentPage_ = 0;
    QSize paper_;
    QImage sheetCache_;
    int cachedPage_ = -1;
    int wheelDelta_ = 0;
    bool grabbing_ = false;
    QPoint grabPos_;
};

} // namespace iksa
