#include "PreviewTestSupport.h"
#include "TestSupport.h"
#include "preview/PageSurface.h"
#include "preview/PrintTarget.h"
#include "records/UserError.h"

#include <QPdfWriter>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace iksa;
using namespace iksa::test;

namespace {

struct Conversion {
    int value;
    TUnits from;
    TUnits to;
    int expected;
};

TEST(SurfaceUnits, ConvertValuesWithRoundedMulDiv) {
    const Conversion cases[] = {
        {350, TUnits::mmLoMetric, TUnits::mmHiMetric, 3500},
        {38, TUnits::mmLoMetric, TUnits::mmHiMetric, 380},
        {3505, TUnits::mmHiMetric, TUnits::mmLoMetric, 351}, // half rounds away from zero
        {-3505, TUnits::mmHiMetric, TUnits::mmLoMetric, -351},
        {3504, TUnits::mmHiMetric, TUnits::mmLoMetric, 350},
        {72, TUnits::mmPoints, TUnits::mmHiMetric, 2540},
        {400, TUnits::mmPixel, TUnits::mmHiMetric, 10583}, // 10583.3 at 96 dpi
        {74, TUnits::mmPixel, TUnits::mmHiMetric, 1958},   // 1957.9
        {21000, TUnits::mmHiMetric, TUnits::mmPixel, 794},
        {29700, TUnits::mmHiMetric, TUnits::mmPixel, 1123},
        {1440, TUnits::mmTWIPS, TUnits::mmLoEnglish, 100},
        {1000, TUnits::mmHiEnglish, TUnits::mmHiMetric, 2540},
    };
    for (const Conversion& c : cases)
        EXPECT_EQ(convertValue(c.value, c.from, c.to), c.expected)
            << c.value << " from " << int(c.from) << " to " << int(c.to);
    EXPECT_EQ(PageSurface::convertPoint(350, 38, TUnits::mmLoMetric, TUnits::mmHiMetric),
              QPoint(3500, 380));
}

TEST(SurfaceUnits, MulDivKeepsSixtyFourBitsAndReportsFailures) {
    EXPECT_EQ(mulDiv(2000000000, 3, 4), 1500000000); // the product exceeds 32 bits
    EXPECT_EQ(mulDiv(2000000000, 2, 1), -1);         // the result does not fit
    EXPECT_EQ(mulDiv(5, 1, 0), -1);
    EXPECT_EQ(mulDiv(-5, 1, 2), -3);
}

TEST(SurfaceUnits, PaperSizes) {
    EXPECT_EQ(paperSize(TPaperType::pA4, TPrinterOrientation::poPortrait, TUnits::mmHiMetric),
              QSize(21000, 29700));
    EXPECT_EQ(paperSize(TPaperType::pA4, TPrinterOrientation::poLandscape, TUnits::mmLoMetric),
              QSize(2970, 2100));
    PageSurface surface;
    EXPECT_EQ(surface.paperWidth(), 21000);
    EXPECT_EQ(surface.paperHeight(), 29700);
    EXPECT_EQ(surface.pageBounds(), QRect(0, 0, 21000, 29700));
}

struct Placement {
    QRect rect;
    QSize natural;
    bool centre, shrinkOnly, proportional;
    QRect expected;
};

TEST(SurfacePaintPicture, PlacesThePictureIntoTheRectangle) {
    const QSize logo(10583, 1958); // 400 × 74 pixels at 96 dpi
    const Placement cases[] = {
        // Fits: keeps its natural size, centred.
        {QRect(0, 0, 21000, 2000), logo, true, true, true, QRect(5208, 21, 10583, 1958)},
        // Too wide: shrunk to the width, aspect kept, centred vertically.
        {QRect(0, 0, 5000, 2000), logo, true, true, true, QRect(0, 537, 5000, 925)},
        // Offset rectangle, too tall: height-limited.
        {QRect(1000, 500, 8000, 1000), logo, true, true, true, QRect(2297, 500, 5405, 1000)},
        // Not shrink-only: enlarged to fill the width.
        {QRect(0, 0, 21000, 8000), logo, true, false, true, QRect(0, 2057, 21000, 3885)},
        // Not proportional: stretched to the rectangle.
        {QRect(0, 0, 5000, 2000), logo, true, true, false, QRect(0, 0, 5000, 2000)},
        // Not centred: at the top-left corner.
        {QRect(100, 200, 21000, 2000), logo, false, true, true, QRect(100, 200, 10583, 1958)},
    };
    for (const Placement& c : cases)
        EXPECT_EQ(
            PageSurface::pictureRect(c.rect, c.natural, c.centre, c.shrinkOnly, c.proportional),
            c.expected)
            << c.rect.width() << "x" << c.rect.height();
}

TEST(SurfacePaintPicture, DrawsAtTheNaturalSizeFromScreenPixels) {
    PageSurface surface;
    QImage logo(400, 74, QImage::Format_RGB32);
    logo.fill(Qt::red);
    surface.beginDoc();
    surface.paintPicture(QRect(0, 0, 21000, 2000), logo, true, true, true);
    surface.endDoc();

    // At 254 dpi one pixel is 10 page units.
    const QImage page = surface.renderPage(0, 254);
    ASSERT_EQ(page.size(), QSize(2100, 2970));
    QRect red;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixel(x, y) == qRgb(255, 0, 0))
                red |= QRect(x, y, 1, 1);
    EXPECT_NEAR(red.left(), 521, 1);
    EXPECT_NEAR(red.right() + 1, 1579, 1);
    EXPECT_NEAR(red.top(), 2, 1);
    EXPECT_NEAR(red.bottom() + 1, 198, 1);
}

TEST(SurfaceDocument, RecordsOnePicturePerPageAndReplacesThemOnTheNextDocument) {
    PageSurface surface;
    QSignalSpy cleared(&surface, &PageSurface::pagesCleared);
    QSignalSpy added(&surface, &PageSurface::pageAdded);
    EXPECT_EQ(surface.state(), PageSurface::State::Idle);
    EXPECT_THROW(surface.canvas(), std::logic_error);

    drawSampleDocument(surface, 3);
    EXPECT_EQ(surface.pageCount(), 3);
    EXPECT_EQ(surface.state(), PageSurface::State::Idle);
    EXPECT_EQ(cleared.count(), 1);
    EXPECT_EQ(added.count(), 3);

    drawSampleDocument(surface, 2);
    EXPECT_EQ(surface.pageCount(), 2);
    EXPECT_EQ(cleared.count(), 2);
}

TEST(SurfaceDocument, ADocumentLeftOpenCollectsTheNextDrawing) {
    PageSurface surface;
    surface.beginDoc();
    surface.newPage(); // the drawing stops here without endDoc
    EXPECT_EQ(surface.state(), PageSurface::State::Recording);

    surface.beginDoc(); // ignored
    surface.newPage();
    surface.endDoc();
    EXPECT_EQ(surface.pageCount(), 3);
    EXPECT_EQ(surface.state(), PageSurface::State::Idle);

    surface.newPage(); // outside a document: nothing happens
    surface.endDoc();
    EXPECT_EQ(surface.pageCount(), 3);
}

TEST(SurfaceDocument, EveryPageStartsWithTheSurfaceFontAndAWhiteBrush) {
    PageSurface surface;
    surface.beginDoc();
    surface.canvas().setFontSize(18);
    surface.canvas().setFontBold(true);
    surface.canvas().setBrushColor(Qt::black);
    surface.newPage();
    EXPECT_EQ(surface.canvas().font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(surface.canvas().font().pointSize(), 8);
    EXPECT_FALSE(surface.canvas().font().bold());
    EXPECT_EQ(surface.canvas().brushColor(), QColor(Qt::white));
    EXPECT_EQ(surface.canvas().pen().style(), Qt::SolidLine);
    EXPECT_EQ(surface.canvas().clipRect(), QRect(0, 0, 21000, 29700));
    surface.endDoc();
}

TEST(SurfaceCanvas, TextHasAnOpaqueBackgroundOfTheBrushColour) {
    PageSurface surface;
    surface.beginDoc();
    PageCanvas& canvas = surface.canvas();
    canvas.setBrushColor(QColor(210, 210, 240));
    canvas.setFontSize(10);
    canvas.textOut(2540, 2540, QStringLiteral("i i"));
    const QSize cell = canvas.textExtent(QStringLiteral("i i"));
    surface.endDoc();

    const QImage page = surface.renderPage(0, 254); // 10 page units a pixel
    // The space between the letters shows the brush colour.
    const int midX = 254 + cell.width() / 20;
    EXPECT_EQ(page.pixel(midX, 254 + cell.height() / 20), qRgb(210, 210, 240));
    EXPECT_EQ(page.pixel(254 + cell.width() / 10 + 3, 254 + cell.height() / 20),
              qRgb(255, 255, 255));
}

TEST(SurfaceCanvas, VerticalTextReadsUpwardsFromItsPoint) {
    PageSurface surface;
    surface.beginDoc();
    surface.canvas().setFontSize(10);
    surface.canvas().verticalTextOut(10000, 10000, QStringLiteral("Kombinovaná úroveň"));
    const QSize cell = surface.canvas().textExtent(QStringLiteral("Kombinovaná úroveň"));
    surface.endDoc();

    const QImage page = surface.renderPage(0, 254);
    QRect ink;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GT(ink.height(), 3 * ink.width());
    EXPECT_GE(ink.left(), 1000);
    EXPECT_LE(ink.right(), 1000 + cell.height() / 10);
    EXPECT_LE(ink.bottom(), 1000);
    EXPECT_GE(ink.top(), 1000 - cell.width() / 10 - 1);
}

TEST(SurfacePdf, TextKeepsItsTruePointSizeAndTheSheetCornerIsTheOrigin) {
    TempDir dir;
    PageSurface surface;
    surface.beginDoc();
    PageCanvas& canvas = surface.canvas();
    canvas.setFontSize(18);
    canvas.textOut(0, 0, QStringLiteral("Roh"));
    canvas.textOut(2540, 5080, QStringLiteral("Osmnáct"));
    canvas.setFontSize(9);
    canvas.textOut(2540, 10160, QStringLiteral("Devět"));
    surface.endDoc();
    surface.writePdf(dir.file("surface.pdf"));

    // The same texts drawn by Qt straight into a PDF at 72 dpi, as reference.
    {
        QPdfWriter reference(dir.file("reference.pdf"));
        reference.setPageSize(QPageSize(QPageSize::A4));
        reference.setPageMargins(QMarginsF());
        reference.setResolution(72);
        QPainter painter(&reference);
        painter.setFont(QFont(QStringLiteral("Arial"), 18));
        painter.drawText(QPointF(72, 200), QStringLiteral("Osmnáct"));
    }
    const PdfText ours = readPdf(dir.file("surface.pdf"));
    const PdfText reference = readPdf(dir.file("reference.pdf"));
    ASSERT_EQ(ours.pageCount, 1);
    EXPECT_NEAR(ours.pageSize.width(), 595.3, 0.5);
    EXPECT_NEAR(ours.pageSize.height(), 841.9, 0.5);

    const PdfWord* corner = ours.find(QStringLiteral("Roh"));
    const PdfWord* large = ours.find(QStringLiteral("Osmnáct"));
    const PdfWord* small = ours.find(QStringLiteral("Devět"));
    const PdfWord* expected = reference.find(QStringLiteral("Osmnáct"));
    ASSERT_TRUE(corner && large && small && expected);
    EXPECT_NEAR(corner->box.left(), 0.0, 0.5);
    EXPECT_NEAR(corner->box.top(), 0.0, 0.5);
    EXPECT_NEAR(large->box.left(), 72.0, 0.5);
    EXPECT_NEAR(large->box.top(), 144.0, 0.5);
    EXPECT_NEAR(large->box.height(), expected->box.height(), 0.3);
    EXPECT_NEAR(large->box.width(), expected->box.width(), 0.5);
    EXPECT_NEAR(small->box.height() * 2, large->box.height(), 0.3);
}

TEST(SurfacePdf, WritingWithoutPagesOrToAnUnwritablePlaceFails) {
    PageSurface surface;
    EXPECT_THROW(surface.writePdf(QStringLiteral("/nonexistent/x.pdf")), UserError);
    drawSampleDocument(surface, 1);
    try {
        surface.writePdf(QStringLiteral("/nonexistent/dir/x.pdf"));
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("/nonexistent/dir/x.pdf")));
    }
    EXPECT_EQ(surface.pageCount(), 1);
}

// A PDF file that refuses to start a second sheet.
class FullWriter : public QPdfWriter {
public:
    using QPdfWriter::QPdfWriter;
    bool newPage() override { return false; }
};

class FullTarget : public PrintTarget {
public:
    explicit FullTarget(QString path)
        : writer(std::move(path)) {}
    QPagedPaintDevice& openDevice(const QString&) override { return writer; }
    FullWriter writer;
};

TEST(SurfaceDirectPrint, PrintingLeavesTheRecordedPagesAlone) {
    TempDir dir;
    PageSurface surface;
    drawSampleDocument(surface, 2);
    QSignalSpy cleared(&surface, &PageSurface::pagesCleared);

    PdfFileTarget target(dir.file("printed.pdf"));
    surface.setPrintTarget(&target);
    surface.setDirectPrint(true);
    surface.setPrintJobTitle(QStringLiteral("IKSA-III"));
    drawSampleDocument(surface, 3);

    EXPECT_EQ(surface.pageCount(), 2);
    EXPECT_EQ(cleared.count(), 0);
    const PdfText printed = readPdf(dir.file("printed.pdf"));
    EXPECT_EQ(printed.pageCount, 3);
    const PdfWord* text = printed.find(QStringLiteral("Strana"));
    ASSERT_TRUE(text);
    EXPECT_NEAR(text->box.left(), toPoints(2000), 0.5);
}

TEST(SurfaceDirectPrint, WithoutAPrinterTheDocumentDoesNotStart) {
    PageSurface surface;
    drawSampleDocument(surface, 3);
    surface.setDirectPrint(true);
    EXPECT_THROW(surface.beginDoc(), UserError);
    EXPECT_EQ(surface.state(), PageSurface::State::Idle);
    EXPECT_EQ(surface.pageCount(), 3);
}

TEST(SurfaceDirectPrint, ASheetThatCannotBeStartedIsReported) {
    TempDir dir;
    FullTarget target(dir.file("full.pdf"));
    PageSurface surface;
    surface.setPrintTarget(&target);
    surface.setDirectPrint(true);
    surface.beginDoc();
    EXPECT_EQ(surface.state(), PageSurface::State::Printing);
    surface.newPage();
    // The pages go to the device when the document is complete; the sheet
    // that cannot be started is reported then.
    try {
        surface.endDoc();
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Not enough memory to create a new page"));
    }
    EXPECT_EQ(surface.state(), PageSurface::State::Idle);
}

TEST(SurfaceRender, APageAsAnImageAtAGivenResolution) {
    PageSurface surface;
    drawSampleDocument(surface, 1);
    const QImage image = surface.renderPage(0, 96);
    EXPECT_EQ(image.size(), QSize(794, 1123));
    // The black block (2000, 2000)-(6000, 4000) lands at 96 / 2540 pixels a unit.
    EXPECT_EQ(image.pixel(100, 100), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(60, 60), qRgb(255, 255, 255));
}

} // namespace
