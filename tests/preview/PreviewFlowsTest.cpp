#include "PreviewTestSupport.h"
#include "TestSupport.h"
#include "preview/Form2.h"
#include "preview/PrintPreview.h"
#include "preview/PrinterTarget.h"
#include "preview/ThumbnailPreview.h"

#include <QComboBox>
#include <QFile>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace iksa;
using namespace iksa::test;

namespace {

// The report window as the program shows it after "Preview": a sample
// document of three pages drawn into its page view.
class PreviewWindow : public ::testing::Test {
protected:
    void SetUp() override {
        form.setWindowState(Qt::WindowNoState);
        form.resize(1000, 800);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        drawSampleDocument(preview().surface(), 3);
        QCoreApplication::processEvents();
    }

    TPrintPreview& preview() { return *form.PrintPreview1; }
    TThumbnailPreview& thumbnails() { return *form.ThumbnailPreview1; }

    void choose(const QString& item) {
        const int index = form.ComboBox1->findText(item);
        ASSERT_GE(index, 0) << item.toStdString();
        form.ComboBox1->setCurrentIndex(index);
        emit form.ComboBox1->activated(index);
    }

    // The colour of the thumbnail column at a point.
    QRgb thumbnailPixel(QPoint pos) { return thumbnails().viewport()->grab().toImage().pixel(pos); }

    bool markerAround(int page) {
        const QRect marker = thumbnails().markerRect(page);
        const QRgb blue = qRgb(0, 0, 255);
        return thumbnailPixel(marker.topLeft()) == blue &&
               thumbnailPixel(QPoint(marker.center().x(), marker.bottom())) == blue;
    }

    TForm2 form;
};

TEST_F(PreviewWindow, ControlsCarryTheirNamesAndTexts) {
    EXPECT_EQ(form.objectName(), QStringLiteral("Form2"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Zobrazení protokolu"));
    EXPECT_EQ(form.findChild<TPrintPreview*>(QStringLiteral("PrintPreview1")), &preview());
    EXPECT_EQ(form.findChild<TThumbnailPreview*>(QStringLiteral("ThumbnailPreview1")),
              &thumbnails());
    EXPECT_EQ(thumbnails().width(), 105);
    QComboBox* combo = form.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    ASSERT_TRUE(combo);
    EXPECT_EQ(combo->width(), 121);
    EXPECT_EQ(combo->placeholderText(), QStringLiteral("velikost zobrazení"));
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    EXPECT_EQ(items,
              QStringList({"50 %", "100 %", "150 %", "200 %", "max šíře", "max výška", "zpět"}));
    QPushButton* back = form.findChild<QPushButton*>(QStringLiteral("Button1"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->text(), QStringLiteral("Zpět"));
    EXPECT_TRUE(form.findChild<QWidget*>(QStringLiteral("Image1")));
    EXPECT_TRUE(form.findChild<QWidget*>(QStringLiteral("Image2")));
    EXPECT_TRUE(TForm2().windowState() & Qt::WindowMaximized);
}

TEST_F(PreviewWindow, AfterPreviewPageOneOfThreeIsFittedWithThreeThumbnails) {
    EXPECT_EQ(preview().currentPage(), 1);
    EXPECT_EQ(preview().totalPages(), 3);
    EXPECT_EQ(preview().zoomState(), TPrintPreview::zsZoomToFit);
    const QRect paper = preview().paperRect();
    const QRect view = preview().viewport()->rect();
    EXPECT_TRUE(view.contains(paper));
    // Fitted: the sheet fills the view's height (the limiting side here).
    EXPECT_GE(paper.height() + 6, view.height());
    EXPECT_EQ(preview().zoom(), qRound(100.0 * paper.height() / 1123));
    EXPECT_EQ(preview().horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(preview().verticalScrollBar()->maximum(), 0);

    EXPECT_EQ(thumbnails().thumbnailCount(), 3);
    EXPECT_EQ(thumbnails().paperRect(1).size(), QSize(79, 112)); // 10 % of 794 × 1123
    EXPECT_TRUE(markerAround(1));
    EXPECT_FALSE(markerAround(2));
    EXPECT_FALSE(markerAround(3));

    // The shown sheet carries the page: the black block at (2000, 2000)-(6000, 4000).
    const QImage shown = preview().viewport()->grab().toImage();
    const QPointF block(paper.left() + 4000.0 * paper.width() / 21000,
                        paper.top() + 3000.0 * paper.height() / 29700);
    EXPECT_EQ(shown.pixel(block.toPoint()), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(paper.center()), qRgb(255, 255, 255));
    EXPECT_EQ(shown.pixel(paper.topLeft() - QPoint(1, 1)), qRgb(0, 0, 0)); // border
}

TEST_F(PreviewWindow, HalfSizeThenPageDownShowsPageTwo) {
    choose(QStringLiteral("50 %"));
    EXPECT_EQ(preview().zoomState(), TPrintPreview::zsZoomOther);
    EXPECT_EQ(preview().zoom(), 50);
    EXPECT_EQ(preview().paperPixels(), QSize(397, 562));

    QTest::keyClick(preview().viewport(), Qt::Key_PageDown);
    QTest::keyClick(&preview(), Qt::Key_PageDown);
    EXPECT_EQ(preview().currentPage(), 3);
    QTest::keyClick(&preview(), Qt::Key_PageUp);
    EXPECT_EQ(preview().currentPage(), 2);
    EXPECT_EQ(preview().paperPixels(), QSize(397, 562));
    EXPECT_TRUE(markerAround(2));
    EXPECT_FALSE(markerAround(1));
}

TEST_F(PreviewWindow, MaxWidthMakesTheSheetAsWideAsTheView) {
    choose(QStringLiteral("max šíře"));
    QCoreApplication::processEvents();
    EXPECT_EQ(preview().zoomState(), TPrintPreview::zsZoomToWidth);
    const QSize sheet = preview().paperPixels() + QSize(2 + 3, 2 + 3); // border, shadow
    EXPECT_EQ(sheet.width(), preview().viewport()->width());
    EXPECT_EQ(preview().horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(preview().verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(preview().zoom(), qRound(100.0 * preview().paperPixels().height() / 1123));

    choose(QStringLiteral("max výška"));
    EXPECT_EQ(preview().zoomState(), TPrintPreview::zsZoomToHeight);
    choose(QStringLiteral("zpět"));
    EXPECT_EQ(preview().zoomState(), TPrintPreview::zsZoomToFit);
}

TEST_F(PreviewWindow, ZoomIsClampedAndKeysAndWheelZoomAndTurnPages) {
    preview().setZoom(5);
    EXPECT_EQ(preview().zoom(), 10);
    preview().setZoom(900);
    EXPECT_EQ(preview().zoom(), 500);
    preview().setZoom(100);

    QTest::keyClick(&preview(), Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(preview().zoom(), 110);
    QTest::keyClick(&preview(), Qt::Key_Minus, Qt::KeypadModifier);
    QTest::keyClick(&preview(), Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(preview().zoom(), 90);

    auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
        const QPointF pos(50, 50);
        QWheelEvent event(pos, preview().viewport()->mapToGlobal(pos), QPoint(), QPoint(0, delta),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(preview().viewport(), &event);
    };
    wheel(-120, Qt::ControlModifier); // towards the user: out
    EXPECT_EQ(preview().zoom(), 80);
    wheel(60, Qt::ControlModifier); // half a notch waits for the other half
    EXPECT_EQ(preview().zoom(), 80);
    wheel(60, Qt::ControlModifier);
    EXPECT_EQ(preview().zoom(), 90);

    wheel(-120, Qt::ShiftModifier); // towards the user: next page
    EXPECT_EQ(preview().currentPage(), 2);
    QTest::keyClick(&preview(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(preview().currentPage(), 3);
    QTest::keyClick(&preview(), Qt::Key_PageDown);
    EXPECT_EQ(preview().currentPage(), 3);
    QTest::keyClick(&preview(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(preview().currentPage(), 1);

    const int top = preview().verticalScrollBar()->value();
    wheel(-120, Qt::NoModifier); // towards the user: down
    EXPECT_EQ(preview().verticalScrollBar()->value(),
              top + preview().verticalScrollBar()->singleStep());
    QTest::keyClick(&preview(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(preview().verticalScrollBar()->value(), preview().verticalScrollBar()->maximum());
    QTest::keyClick(&preview(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&preview(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(preview().verticalScrollBar()->value(), 0);
    QTest::keyClick(&preview(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(preview().verticalScrollBar()->value(), 1);
}

TEST_F(PreviewWindow, ZoomingKeepsTheSpotInTheMiddleOfTheView) {
    preview().setZoom(200);
    QScrollBar* h = preview().horizontalScrollBar();
    QScrollBar* v = preview().verticalScrollBar();
    h->setValue(h->maximum() / 4);
    v->setValue(v->maximum() / 3);
    auto centreOnPaper = [&] {
        const QRect paper = preview().paperRect();
        const QPointF centre = QRectF(preview().viewport()->rect()).center();
        return QPointF((centre.x() - paper.left()) / paper.width(),
                       (centre.y() - paper.top()) / paper.height());
    };
    const QPointF before = centreOnPaper();
    preview().setZoom(300);
    const QPointF after = centreOnPaper();
    EXPECT_NEAR(after.x(), before.x(), 0.005);
    EXPECT_NEAR(after.y(), before.y(), 0.005);

    preview().setZoomSavePos(false);
    preview().setZoom(400);
    EXPECT_NE(centreOnPaper().y(), QPointF(before).y());
}

TEST_F(PreviewWindow, GrabbingTheSheetScrollsIt) {
    preview().setZoom(200);
    QWidget* view = preview().viewport();
    EXPECT_EQ(view->cursor().shape(), Qt::OpenHandCursor);
    preview().horizontalScrollBar()->setValue(100);
    preview().verticalScrollBar()->setValue(100);
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_EQ(view->cursor().shape(), Qt::ClosedHandCursor);
    QMouseEvent move(QEvent::MouseMove, QPointF(280, 250), view->mapToGlobal(QPointF(280, 250)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &move);
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(280, 250));
    EXPECT_EQ(preview().horizontalScrollBar()->value(), 120);
    EXPECT_EQ(preview().verticalScrollBar()->value(), 150);
    EXPECT_EQ(view->cursor().shape(), Qt::OpenHandCursor);

    choose(QStringLiteral("zpět"));
    EXPECT_EQ(view->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(PreviewWindow, ClickingAThumbnailMakesItsPageCurrent) {
    QTest::mouseClick(thumbnails().viewport(), Qt::LeftButton, {},
                      thumbnails().paperRect(3).center());
    EXPECT_EQ(preview().currentPage(), 3);
    EXPECT_TRUE(markerAround(3));
}

TEST_F(PreviewWindow, ANewPreviewReplacesThePagesAndDirectPrintingLeavesThem) {
    preview().setCurrentPage(3);
    drawSampleDocument(preview().surface(), 2);
    EXPECT_EQ(preview().totalPages(), 2);
    EXPECT_EQ(preview().currentPage(), 1);
    EXPECT_EQ(thumbnails().thumbnailCount(), 2);

    TempDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.file("direct.pdf"));
    PrinterTarget target(printer);
    preview().surface().setPrintTarget(&target);
    preview().setDirectPrint(true);
    drawSampleDocument(preview().surface(), 3);
    EXPECT_EQ(preview().totalPages(), 2);
    EXPECT_EQ(thumbnails().thumbnailCount(), 2);
    EXPECT_EQ(readPdf(dir.file("direct.pdf")).pageCount, 3);
}

TEST_F(PreviewWindow, SavePdfWritesTheShownProtocolAndBackHides) {
    TempDir dir;
    form.setSavePathChooser([&] { return dir.file("protokol"); });
    form.SavePdfButton->click();
    const PdfText pdf = readPdf(dir.file("protokol.pdf"));
    EXPECT_EQ(pdf.pageCount, 3);
    ASSERT_TRUE(pdf.find(QStringLiteral("Strana")));

    RecordingMessages messages;
    form.setMessages(&messages);
    form.setSavePathChooser([] { return QStringLiteral("/nonexistent/dir/p.pdf"); });
    form.SavePdfButton->click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown.first().contains(QStringLiteral("/nonexistent/dir/p.pdf")));

    form.setSavePathChooser([] { return QString(); }); // the dialog was cancelled
    form.SavePdfButton->click();
    EXPECT_EQ(messages.shown.size(), 1);

    form.Button1->click();
    EXPECT_FALSE(form.isVisible());
}

} // namespace
