#include "PrintPreview.h"

#include "PrinterTarget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

namespace iksa {

namespace {

// A wheel notch; smaller deltas (touch pads) add up to it.
constexpr int WheelNotch = 120;
constexpr int ScrollStep = 40;
// Larger sheets are painted straight into the view instead of a cached
// bitmap, which would otherwise take hundreds of megabytes at 500 %.
constexpr qint64 MaxCachedPixels = 16 * 1024 * 1024;

} // namespace

TPrintPreview::TPrintPreview(QWidget* parent)
    : QAbstractScrollArea(parent)
    , printer_(std::make_unique<PrinterTarget>()) {
    surface_.setPrintTarget(printer_.get());
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    connect(&surface_, &PageSurface::pagesCleared, this, &TPrintPreview::onPagesCleared);
    connect(&surface_, &PageSurface::pageAdded, this, &TPrintPreview::onPageAdded);
    updateLayout();
}

TPrintPreview::~TPrintPreview() = default;

QSize TPrintPreview::naturalPaperSize() const {
    return {convertValue(surface_.paperWidth(), surface_.units(), TUnits::mmPixel),
            convertValue(surface_.paperHeight(), surface_.units(), TUnits::mmPixel)};
}

void TPrintPreview::setZoom(int percent) {
    zoom_ = std::clamp(percent, zoomMin_, zoomMax_);
    zoomState_ = zsZoomOther;
    updateLayout();
    emit zoomChanged(zoom_);
}

void TPrintPreview::setZoomState(TZoomState state) {
    zoomState_ = state;
    updateLayout();
}

void TPrintPreview::setCurrentPage(int page) {
    page = totalPages() == 0 ? 0 : std::clamp(page, 1, totalPages());
    if (page == currentPage_)
        return;
    currentPage_ = page;
    viewport()->update();
    emit currentPageChanged(currentPage_);
}

void TPrintPreview::onPagesCleared() {
    invalidateSheet();
    currentPage_ = 0;
    viewport()->update();
    emit currentPageChanged(0);
    emit pagesChanged();
}

void TPrintPreview::onPageAdded(int count) {
    // Paper and units may differ from the previous document.
    updateLayout();
    if (count == 1) {
        invalidateSheet();
        currentPage_ = 1;
        viewport()->update();
        emit currentPageChanged(1);
    }
    emit pagesChanged();
}

QSize TPrintPreview::fittedPaper() const {
    const QSize natural = naturalPaperSize();
    if (natural.isEmpty())
        return {1, 1};
    const QSize extra = renderer_.sheetSize(QSize(0, 0));
    const QSize maxViewport = maximumViewportSize();
    const QSize free = maxViewport - extra;
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const qreal aspect = qreal(natural.height()) / natural.width();
    auto byWidth = [&](int width) { return QSize(width, qRound(width * aspect)); };
    auto byHeight = [&](int height) { return QSize(qRound(height / aspect), height); };

    QSize paper;
    switch (zoomState_) {
    case zsZoomOther:
        paper = QSize(qRound(natural.width() * zoom_ / 100.0),
                      qRound(natural.height() * zoom_ / 100.0));
        break;
    case zsZoomToWidth:
        paper = byWidth(free.width());
        if (paper.height() + extra.height() > maxViewport.height())
            paper = byWidth(free.width() - bar); // the vertical scroll bar takes its share
        break;
    case zsZoomToHeight:
        paper = byHeight(free.height());
        if (paper.width() + extra.width() > maxViewport.width())
            paper = byHeight(free.height() - bar);
        break;
    case zsZoomToFit:
        if (qint64(free.height()) * natural.width() > qint64(natural.height()) * free.width())
            paper = byWidth(free.width());
        else
            paper = byHeight(free.height());
        break;
    }
    return paper.expandedTo(QSize(1, 1));
}

void TPrintPreview::updateLayout() {
    const QSize oldSheet = renderer_.sheetSize(paper_);
    const QSize oldViewport = viewport()->size();
    const qreal centreX = (horizontalScrollBar()->value() + oldViewport.width() / 2.0) /
                          std::max(1, oldSheet.width());
    const qreal centreY = (verticalScrollBar()->value() + oldViewport.height() / 2.0) /
                          std::max(1, oldSheet.height());

    const QSize newPaper = fittedPaper();
    const bool resized = newPaper != paper_;
    paper_ = newPaper;
    if (zoomState_ != zsZoomOther) {
        const int fitted =
            qRound(100.0 * paper_.height() / std::max(1, naturalPaperSize().height()));
        if (fitted != zoom_) {
            zoom_ = fitted;
            emit zoomChanged(zoom_);
        }
    }

    // Scroll ranges for the viewport as it will be once the bars settle.
    const QSize sheet = renderer_.sheetSize(paper_);
    const QSize maxViewport = maximumViewportSize();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    bool needH = sheet.width() > maxViewport.width();
    bool needV = sheet.height() > maxViewport.height();
    if (needH && !needV)
        needV = sheet.height() > maxViewport.height() - bar;
    if (needV && !needH)
        needH = sheet.width() > maxViewport.width() - bar;
    const QSize view = maxViewport - QSize(needV ? bar : 0, needH ? bar : 0);

    horizontalScrollBar()->setRange(0, std::max(0, sheet.width() - view.width()));
    verticalScrollBar()->setRange(0, std::max(0, sheet.height() - view.height()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setPageStep(view.height());
    horizontalScrollBar()->setSingleStep(ScrollStep);
    verticalScrollBar()->setSingleStep(ScrollStep);
    if (resized && zoomSavePos_ && !oldSheet.isEmpty()) {
        horizontalScrollBar()->setValue(qRound(centreX * sheet.width() - view.width() / 2.0));
        verticalScrollBar()->setValue(qRound(centreY * sheet.height() - view.height() / 2.0));
    }
    if (resized)
        invalidateSheet();
    updateCursor();
    viewport()->update();
}

QPoint TPrintPreview::sheetOrigin() const {
    const QSize sheet = renderer_.sheetSize(paper_);
    const QSize view = viewport()->size();
    const int x = sheet.width() < view.width() ? (view.width() - sheet.width()) / 2
                                               : -horizontalScrollBar()->value();
    const int y = sheet.height() < view.height() ? (view.height() - sheet.height()) / 2
                                                 : -verticalScrollBar()->value();
    return {x, y};
}

QRect TPrintPreview::paperRect() const {
    return QRect(sheetOrigin() + renderer_.paperOffset(), paper_);
}

bool TPrintPreview::isScrollable() const {
    return horizontalScrollBar()->maximum() > 0 || verticalScrollBar()->maximum() > 0;
}

void TPrintPreview::updateCursor() {
    if (!grabbing_)
        viewport()->setCursor(isScrollable() ? paperView_.DragCursor : paperView_.Cursor);
}

void TPrintPreview::paintSheet(QPainter& painter, const QRect& exposed) {
    painter.fillRect(exposed, palette().color(QPalette::Mid));
    if (currentPage_ == 0)
        return;
    const QPoint origin = sheetOrigin();
    const QSize sheet = renderer_.sheetSize(paper_);
    const qreal ratio = devicePixelRatioF();
    if (qint64(sheet.width()) * sheet.height() * ratio * ratio > MaxCachedPixels) {
        painter.save();
        painter.setClipRect(exposed);
        renderer_.paint(painter, origin, paper_, surface_, currentPage_ - 1);
        painter.restore();
        return;
    }
    if (sheetCache_.isNull() || cachedPage_ != currentPage_ ||
        sheetCache_.devicePixelRatio() != ratio) {
        sheetCache_ = renderer_.render(paper_, surface_, currentPage_ - 1, ratio);
        cachedPage_ = currentPage_;
    }
    painter.drawImage(origin, sheetCache_);
}

void TPrintPreview::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    paintSheet(painter, event->rect());
}

void TPrintPreview::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateLayout();
}

void TPrintPreview::scrollContentsBy(int, int) {
    viewport()->update();
}

void TPrintPreview::scrollBy(int dx, int dy) {
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + dx);
    verticalScrollBar()->setValue(verticalScrollBar()->value() + dy);
}

void TPrintPreview::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    auto step = [&](QScrollBar* bar, int viewExtent) {
        return shift ? 1 : ctrl ? viewExtent : bar->singleStep();
    };
    switch (event->key()) {
    case Qt::Key_PageDown:
        setCurrentPage(ctrl ? totalPages() : currentPage_ + 1);
        break;
    case Qt::Key_PageUp:
        setCurrentPage(ctrl ? 1 : currentPage_ - 1);
        break;
    case Qt::Key_Left:
        scrollBy(-step(h, viewport()->width()), 0);
        break;
    case Qt::Key_Right:
        scrollBy(step(h, viewport()->width()), 0);
        break;
    case Qt::Key_Up:
        scrollBy(0, -step(v, viewport()->height()));
        break;
    case Qt::Key_Down:
        scrollBy(0, step(v, viewport()->height()));
        break;
    case Qt::Key_Home:
        (ctrl ? v : h)->setValue((ctrl ? v : h)->minimum());
        break;
    case Qt::Key_End:
        (ctrl ? v : h)->setValue((ctrl ? v : h)->maximum());
        break;
    case Qt::Key_Plus:
        if (!keypad)
            return QAbstractScrollArea::keyPressEvent(event);
        setZoom(zoom_ + zoomStep_);
        break;
    case Qt::Key_Minus:
        if (!keypad)
            return QAbstractScrollArea::keyPressEvent(event);
        setZoom(zoom_ - zoomStep_);
        break;
    default:
        return QAbstractScrollArea::keyPressEvent(event);
    }
    event->accept();
}

void TPrintPreview::wheelEvent(QWheelEvent* event) {
    const int delta =
        event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool paging =
        (event->modifiers() & Qt::ShiftModifier) || (event->buttons() & Qt::MiddleButton);
    wheelDelta_ += delta;
    while (std::abs(wheelDelta_) >= WheelNotch) {
        // A negative delta is the wheel turned towards the user.
        const int towardsUser = wheelDelta_ < 0 ? 1 : -1;
        wheelDelta_ += towardsUser * WheelNotch;
        if (ctrl)
            setZoom(zoom_ - towardsUser * zoomStep_);
        else if (paging)
            setCurrentPage(currentPage_ + towardsUser);
        else
            scrollBy(0, towardsUser * verticalScrollBar()->singleStep());
    }
    event->accept();
}

void TPrintPreview::mousePressEvent(QMouseEvent* event) {
    setFocus();
    if (event->button() == Qt::LeftButton && isScrollable()) {
        grabbing_ = true;
        grabPos_ = event->position().toPoint();
        viewport()->setCursor(paperView_.GrabCursor);
    }
    event->accept();
}

void TPrintPreview::mouseMoveEvent(QMouseEvent* event) {
    if (!grabbing_)
        return;
    const QPoint pos = event->position().toPoint();
    const QPoint moved = pos - grabPos_;
    grabPos_ = pos;
    scrollBy(-moved.x(), -moved.y());
}

void TPrintPreview::mouseReleaseEvent(QMouseEvent*) {
    grabbing_ = false;
    updateCursor();
}

} // namespace iksa
