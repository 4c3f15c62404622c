#pragma once

#include "PageCanvas.h"
#include "PagePicture.h"
#include "Units.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPainter>
#include <QPicture>
#include <QRect>
#include <memory>

class QPagedPaintDevice;

namespace iksa {

class PrintTarget;

// The page surface the protocol is drawn on. A document is begun, drawn page
// by page on canvas() and ended; without DirectPrint its pages are recorded
// (one QPicture each) for the preview, with DirectPrint they go to the print
// target. The drawing code is the same in both cases.
//
// States: idle, recording, printing. begin is ignored while a document is
// open, so a document left open by a failed drawing collects the pages of
// the next one until endDoc closes it. A document for the printer reaches
// the printer as one job when it ends, and only then. A printed document
// leaves the recorded pages as they were.
class PageSurface : public QObject {
    Q_OBJECT
public:
    enum class State { Idle, Recording, Printing };

    explicit PageSurface(QObject* parent = nullptr);
    ~PageSurface() override;

    // Settings; changed only while no document is open.
    TUnits units() const { return units_; }
    void setUnits(TUnits units);
    TPaperType paperType() const { return paperType_; }
    void setPaperType(TPaperType type, QSize customLoMetric = {});
    TPrinterOrientation orientation() const { return orientation_; }
    void setOrientation(TPrinterOrientation orientation);
    bool directPrint() const { return directPrint_; }
    void setDirectPrint(bool direct) { directPrint_ = direct; }
    QString printJobTitle() const { return printJobTitle_; }
    void setPrintJobTitle(const QString& title) { printJobTitle_ = title; }
    // The font every page's canvas starts with (Arial 8 pt).
    QFont font() const { return font_; }
    void setFont(const QFont& font) { font_ = font; }
    // Where DirectPrint documents go; not owned. Without one, printing fails
    // with a Czech UserError.
    void setPrintTarget(PrintTarget* target) { printTarget_ = target; }
    PrintTarget* printTarget() const { return printTarget_; }

    // The document. beginDoc throws UserError when a print job cannot be
    // started; beginDoc and newPage throw UserError "Not enough memory to
    // create a new page" when a page cannot be created.
    void beginDoc();
    void newPage();
    void endDoc();
    // Ends a document whose drawing stopped with an error. A preview keeps
    // the pages drawn so far, as endDoc does; a document for the printer is
    // dropped and nothing of it reaches the printer.
    void abortDoc();
    State state() const { return state_; }
    bool isDocOpen() const { return state_ != State::Idle; }

    // The canvas of the page in work; only while a document is open.
    PageCanvas& canvas();

    // Paper size in page units (21000 × 29700 for A4 portrait in 0.01 mm).
    int paperWidth() const { return paper_.width(); }
    int paperHeight() const { return paper_.height(); }
    QSize paperSize() const { return paper_; }
    // (0, 0, paper width, paper height).
    QRect pageBounds() const { return QRect(QPoint(0, 0), paper_); }
    // A point in units `from` expressed in units `to` (mmPixel: ScreenDpi).
    static QPoint convertPoint(int x, int y, TUnits from, TUnits to) {
        return iksa::convertPoint(x, y, from, to);
    }

    // Draws `picture` into `rect` (page units) on the page in work. Its
    // natural size is its pixel size at ScreenDpi; see pictureRect.
    void paintPicture(const QRect& rect, const QImage& picture, bool centre, bool shrinkOnly,
                      bool proportional);
    // Where a picture of the given natural size lands inside `rect`: scaled
    // when it is larger than rect or shrinkOnly is false (keeping its aspect
    // ratio when proportional, else stretched), then centred or put at the
    // top-left corner.
    static QRect pictureRect(const QRect& rect, QSize natural, bool centre, bool shrinkOnly,
                             bool proportional);

    // Recorded pages, index 0 … pageCount() - 1.
    int pageCount() const { return int(pages_.size()); }
    const QPicture& page(int index) const { return pages_.at(index); }
    // Plays a recorded page so that the sheet fills `target`.
    void playPage(QPainter& painter, int index, const QRectF& target) const;
    // The page as an image of the whole sheet at `dpi`, on white.
    QImage renderPage(int index, int dpi) const;

    // The recorded pages as a vector PDF; throws UserError when there are no
    // pages or the file cannot be written.
    void writePdf(const QString& path) const;
    // The recorded pages onto a paged device (a printer), as one job.
    void print(QPagedPaintDevice& device, const QString& startFailure) const;

signals:
    // The recorded pages were cleared by a new document for the preview.
    void pagesCleared();
    // A page was added to the recorded pages; count is the new number.
    void pageAdded(int count);

private:
    void startPage();
    void closePage();
    // Plays the pages of a complete document onto the printer as one job.
    void deliverPrintedPages();
    // Drops the pages of a print document and releases the target's device.
    void closeJob();
    void requireIdle(const char* what) const;

    TUnits units_ = TUnits::mmHiMetric;
    TPaperType paperType_ = TPaperType::pA4;
    QSize customLoMetric_;
    TPrinterOrientation orientation_ = TPrinterOrientation::poPortrait;
    QSize paper_;
    bool directPrint_ = false;
    QString printJobTitle_;
    QFont font_;
    PrintTarget* printTarget_ = nullptr;

    State state_ = State::Idle;
    QList<QPicture> pages_;
    std::unique_ptr<PagePicture> pageInWork_;
    QPainter painter_;
    PageCanvas canvas_{painter_};
    // A document for the printer: its device and its pages, held back until
    // the document is complete.
    QPagedPaintDevice* printDevice_ = nullptr;
    QList<QPicture> printPages_;
};

} // namespace iksa
