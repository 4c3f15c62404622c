#pragma once

#include "SheetRenderer.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QImage>
#include <QList>
#include <QPointer>

namespace iksa {

class TPrintPreview;

// A column with every recorded page of the linked preview as a small sheet,
// its number under it and the current page outlined; a click makes a page
// current.
class TThumbnailPreview : public QAbstractScrollArea {
    Q_OBJECT
    Q_PROPERTY(int Zoom READ zoom WRITE setZoom)
    Q_PROPERTY(int Margin READ margin WRITE setMargin)
    Q_PROPERTY(QColor MarkerColor READ markerColor WRITE setMarkerColor)
public:
    explicit TThumbnailPreview(QWidget* parent = nullptr);

    TPrintPreview* printPreview() const { return preview_; }
    void setPrintPreview(TPrintPreview* preview);

    int zoom() const { return zoom_; }
    void setZoom(int percent);
    int margin() const { return margin_; }
    void setMargin(int pixels);
    QColor markerColor() const { return markerColor_; }
    void setMarkerColor(const QColor& color);

    int thumbnailCount() const;
    // The paper of page `page` (from 1) and its marker, in viewport coordinates.
    QRect paperRect(int page) const;
    QRect markerRect(int page) const;
    // The page under a viewport point, 0 for none.
    int pageAt(QPoint pos) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void rebuild();
    void onCurrentPageChanged(int page);
    QSize thumbnailPaper() const;
    int cellHeight() const;
    QPoint sheetOrigin(int page) const;

    QPointer<TPrintPreview> preview_;
    TPaperPreviewOptions paperView_;
    SheetRenderer renderer_{paperView_};
    int zoom_ = 10;
    int margin_ = 6;
    QColor markerColor_ = QColor(0, 0, 255);
    QList<QImage> sheets_;
};

} // namespace iksa
