#include "ThumbnailPreview.h"

#include "PrintPreview.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace iksa {

TThumbnailPreview::TThumbnailPreview(QWidget* parent)
    : QAbstractScrollArea(parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAutoFillBackground(false);
}

void TThumbnailPreview::setPrintPreview(TPrintPreview* preview) {
    if (preview_)
        disconnect(preview_, nullptr, this, nullptr);
    preview_ = preview;
    if (preview_) {
        connect(preview_, &TPrintPreview::pagesChanged, this, &TThumbnailPreview::rebuild);
        connect(preview_, &TPrintPreview::currentPageChanged, this,
                &TThumbnailPreview::onCurrentPageChanged);
    }
    sheets_.clear();
    rebuild();
}

void TThumbnailPreview::setZoom(int percent) {
    zoom_ = std::max(1, percent);
    sheets_.clear();
    rebuild();
}

void TThumbnailPreview::setMargin(int pixels) {
    margin_ = std::max(0, pixels);
    rebuild();
}

void TThumbnailPreview::setMarkerColor(const QColor& color) {
    markerColor_ = color;
    viewport()->update();
}

int TThumbnailPreview::thumbnailCount() const {
    return preview_ ? preview_->totalPages() : 0;
}

QSize TThumbnailPreview::thumbnailPaper() const {
    if (!preview_)
        return {};
    const QSize natural = preview_->naturalPaperSize();
    return QSize(qRound(natural.width() * zoom_ / 100.0), qRound(natural.height() * zoom_ / 100.0))
        .expandedTo(QSize(1, 1));
}

int TThumbnailPreview::cellHeight() const {
    return margin_ + renderer_.sheetSize(thumbnailPaper()).height() + fontMetrics().height() +
           margin_;
}

QPoint TThumbnailPreview::sheetOrigin(int page) const {
    const QSize sheet = renderer_.sheetSize(thumbnailPaper());
    return {(viewport()->width() - sheet.width()) / 2,
            (page - 1) * cellHeight() + margin_ - verticalScrollBar()->value()};
}

QRect TThumbnailPreview::paperRect(int page) const {
    return QRect(sheetOrigin(page) + renderer_.paperOffset(), thumbnailPaper());
}

QRect TThumbnailPreview::markerRect(int page) const {
    // Just outside the sheet with its shadow, inside the margin.
    const QSize sheet = renderer_.sheetSize(thumbnailPaper());
    const int gap = std::max(1, margin_ / 2);
    return QRect(sheetOrigin(page) - QPoint(gap, gap), sheet + QSize(2 * gap, 2 * gap));
}

int TThumbnailPreview::pageAt(QPoint pos) const {
    const int cell = cellHeight();
    if (cell <= 0 || pos.y() < 0)
        return 0;
    const int page = (pos.y() + verticalScrollBar()->value()) / cell + 1;
    return page <= thumbnailCount() ? page : 0;
}

void TThumbnailPreview::rebuild() {
    const int count = thumbnailCount();
    sheets_.resize(count); // new pages get a null image, rendered when shown
    const int content = count * cellHeight();
    verticalScrollBar()->setRange(0, std::max(0, content - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(std::max(1, cellHeight() / 4));
    viewport()->update();
}

void TThumbnailPreview::onCurrentPageChanged(int page) {
    if (page > 0) {
        // Scroll the page's cell into view.
        const int top = (page - 1) * cellHeight();
        const int bottom = top + cellHeight();
        QScrollBar* bar = verticalScrollBar();
        if (top < bar->value())
            bar->setValue(top);
        else if (bottom > bar->value() + viewport()->height())
            bar->setValue(bottom - viewport()->height());
    }
    viewport()->update();
}

void TThumbnailPreview::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().color(QPalette::Mid));
    if (!preview_)
        return;
    const QSize paper = thumbnailPaper();
    const int current = preview_->currentPage();
    if (sheets_.size() != thumbnailCount())
        sheets_.resize(thumbnailCount());
    for (int page = 1; page <= thumbnailCount(); ++page) {
        const QPoint origin = sheetOrigin(page);
        const QRect cell(0, origin.y() - margin_, viewport()->width(), cellHeight());
        if (!cell.intersects(event->rect()))
            continue;
        QImage& sheet = sheets_[page - 1];
        if (sheet.isNull())
            sheet = renderer_.render(paper, preview_->surface(), page - 1, devicePixelRatioF());
        painter.drawImage(origin, sheet);
        const int textTop = origin.y() + renderer_.sheetSize(paper).height();
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(0, textTop, viewport()->width(), fontMetrics().height()),
                         Qt::AlignHCenter | Qt::AlignTop, QString::number(page));
        if (page == current) {
            painter.setPen(QPen(markerColor_, 1));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(markerRect(page).adjusted(0, 0, -1, -1));
        }
    }
}

void TThumbnailPreview::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    rebuild();
}

void TThumbnailPreview::mousePressEvent(QMouseEvent* event) {
    const int page = pageAt(event->position().toPoint());
    if (page > 0 && preview_)
        preview_->setCurrentPage(page);
    event->accept();
}

void TThumbnailPreview::scrollContentsBy(int, int) {
    viewport()->update();
}

} // namespace iksa
