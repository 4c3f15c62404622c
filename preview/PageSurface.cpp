#include "PageSurface.h"

#include "PageJob.h"
#include "PrintTarget.h"
#include "SurfaceMessages.h"
#include "records/UserError.h"

#include <QPagedPaintDevice>
#include <stdexcept>

namespace iksa {

PageSurface::PageSurface(QObject* parent)
    : QObject(parent)
    , font_(QStringLiteral("Arial"), 8) {
    paper_ = iksa::paperSize(paperType_, orientation_, units_);
}

PageSurface::~PageSurface() {
    if (painter_.isActive())
        painter_.end();
    if (printDevice_)
        closeJob(); // a job that was never ended does not reach the printer
}

void PageSurface::requireIdle(const char* what) const {
    if (isDocOpen())
        throw std::logic_error(std::string("PageSurface: ") + what +
                               " cannot change while a document is open");
}

void PageSurface::setUnits(TUnits units) {
    requireIdle("units");
    units_ = units;
    paper_ = iksa::paperSize(paperType_, orientation_, units_, customLoMetric_);
}

void PageSurface::setPaperType(TPaperType type, QSize customLoMetric) {
    requireIdle("paper");
    paperType_ = type;
    customLoMetric_ = customLoMetric;
    paper_ = iksa::paperSize(paperType_, orientation_, units_, customLoMetric_);
}

void PageSurface::setOrientation(TPrinterOrientation orientation) {
    requireIdle("orientation");
    orientation_ = orientation;
    paper_ = iksa::paperSize(paperType_, orientation_, units_, customLoMetric_);
}

void PageSurface::beginDoc() {
    if (isDocOpen())
        return;
    if (directPrint_) {
        if (!printTarget_)
            throw UserError(SurfaceMessages::noPrinter());
        // The device is opened here, so that a missing printer stops the
        // document before anything is drawn; the job itself starts only
        // when the document is complete.
        printDevice_ = &printTarget_->openDevice(printJobTitle_);
        state_ = State::Printing;
    } else {
        pages_.clear();
        emit pagesCleared();
        state_ = State::Recording;
    }
    try {
        startPage();
    } catch (...) {
        // Nothing was drawn yet: the document did not start at all.
        if (printDevice_)
            closeJob();
        state_ = State::Idle;
        throw;
    }
}

void PageSurface::newPage() {
    if (!isDocOpen())
        return;
    closePage();
    startPage();
}

void PageSurface::endDoc() {
    if (!isDocOpen())
        return;
    const State closing = state_;
    state_ = State::Idle;
    try {
        closePage();
    } catch (...) {
        if (closing == State::Printing)
            closeJob();
        throw;
    }
    if (closing == State::Printing) {
        try {
            deliverPrintedPages();
            printTarget_->finishDevice();
        } catch (...) {
            closeJob();
            throw;
        }
        closeJob();
    }
}

void PageSurface::abortDoc() {
    if (state_ != State::Printing) {
        endDoc();
        return;
    }
    state_ = State::Idle;
    if (painter_.isActive())
        painter_.end();
    pageInWork_.reset();
    closeJob();
}

void PageSurface::deliverPrintedPages() {
    PageJob job(*printDevice_, printTarget_->startFailedMessage(), paperType_, orientation_, paper_,
                unitsPerInch(units_), customLoMetric_);
    for (qsizetype index = 0; index < printPages_.size(); ++index) {
        if (index > 0)
            job.startNextSheet();
        job.playPage(printPages_.at(index));
    }
    job.finish();
}

void PageSurface::closeJob() {
    printPages_.clear();
    printDevice_ = nullptr;
    if (printTarget_)
        printTarget_->closeDevice();
}

PageCanvas& PageSurface::canvas() {
    if (!pageInWork_)
        throw std::logic_error("PageSurface::canvas() needs an open document");
    return canvas_;
}

void PageSurface::startPage() {
    pageInWork_ = std::make_unique<PagePicture>(paper_, unitsPerInch(units_));
    if (!painter_.begin(pageInWork_.get())) {
        pageInWork_.reset();
        throw UserError(SurfaceMessages::pageNotCreated());
    }
    canvas_.reset(font_);
}

void PageSurface::closePage() {
    if (!pageInWork_)
        return;
    const bool closed = painter_.end();
    const QPicture page = *pageInWork_;
    pageInWork_.reset();
    if (!closed)
        throw UserError(SurfaceMessages::pageNotCreated());
    if (printDevice_) {
        printPages_.append(page);
    } else {
        pages_.append(page);
        emit pageAdded(int(pages_.size()));
    }
}

QRect PageSurface::pictureRect(const QRect& rect, QSize natural, bool centre, bool shrinkOnly,
                               bool proportional) {
    QSize size = natural;
    if (!shrinkOnly || natural.width() > rect.width() || natural.height() > rect.height()) {
        if (!proportional) {
            size = rect.size();
        } else if (qint64(rect.height()) * natural.width() >
                   qint64(natural.height()) * rect.width()) {
            size = QSize(rect.width(), mulDiv(natural.height(), rect.width(), natural.width()));
        } else {
            size = QSize(mulDiv(natural.width(), rect.height(), natural.height()), rect.height());
        }
    }
    QPoint topLeft = rect.topLeft();
    if (centre)
        topLeft += QPoint((rect.width() - size.width()) / 2, (rect.height() - size.height()) / 2);
    return QRect(topLeft, size);
}

void PageSurface::paintPicture(const QRect& rect, const QImage& picture, bool centre,
                               bool shrinkOnly, bool proportional) {
    PageCanvas& target = canvas();
    if (picture.isNull())
        return;
    const QSize natural(convertValue(picture.width(), TUnits::mmPixel, units_),
                        convertValue(picture.height(), TUnits::mmPixel, units_));
    const QRect placed = pictureRect(rect, natural, centre, shrinkOnly, proportional);
    QPainter& painter = target.painter();
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(placed), picture);
    painter.restore();
}

void PageSurface::playPage(QPainter& painter, int index, const QRectF& target) const {
    iksa::playPage(painter, pages_.at(index), paper_, target);
}

QImage PageSurface::renderPage(int index, int dpi) const {
    const int perInch = unitsPerInch(units_);
    QImage image(mulDiv(paper_.width(), dpi, perInch), mulDiv(paper_.height(), dpi, perInch),
                 QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    playPage(painter, index, QRectF(image.rect()));
    return image;
}

void PageSurface::print(QPagedPaintDevice& device, const QString& startFailure) const {
    PageJob job(device, startFailure, paperType_, orientation_, paper_, unitsPerInch(units_),
                customLoMetric_);
    for (int index = 0; index < pages_.size(); ++index) {
        if (index > 0)
            job.startNextSheet();
        job.playPage(pages_.at(index));
    }
    job.finish();
}

void PageSurface::writePdf(const QString& path) const {
    if (pages_.isEmpty())
        throw UserError(SurfaceMessages::noPages());
    PdfFileTarget target(path);
    QPagedPaintDevice& device = target.openDevice(printJobTitle_);
    try {
        print(device, target.startFailedMessage());
        target.finishDevice();
    } catch (...) {
        target.closeDevice();
        throw;
    }
    target.closeDevice();
}

} // namespace iksa
