#include "PreviewTestSupport.h"
#include "TestSupport.h"
#include "preview/PageSurface.h"
#include "preview/PrinterTarget.h"
#include "records/UserError.h"

#include <QPrinter>
#include <gtest/gtest.h>
#include <memory>

using namespace iksa;
using namespace iksa::test;

namespace {

// A PDF-format QPrinter stands in for a printer; its margins play the part
// of the area a real printer cannot print on.
TEST(PrinterOutput, TheSheetCornerIsTheOriginDespiteUnprintableMargins) {
    TempDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.file("printer.pdf"));
    printer.setPageMargins(QMarginsF(20, 15, 20, 15), QPageLayout::Millimeter);
    PrinterTarget target(printer);

    PageSurface surface;
    surface.setPrintTarget(&target);
    surface.setDirectPrint(true);
    surface.setPrintJobTitle(QStringLiteral("Protokol IKSA-III"));
    surface.beginDoc();
    surface.canvas().setFontSize(12);
    surface.canvas().textOut(0, 0, QStringLiteral("Roh"));
    surface.canvas().textOut(1000, 20000, QStringLiteral("Bod"));
    surface.newPage();
    surface.canvas().textOut(1000, 1000, QStringLiteral("Druhá"));
    surface.endDoc();

    EXPECT_EQ(printer.docName(), QStringLiteral("Protokol IKSA-III"));
    const PdfText pdf = readPdf(dir.file("printer.pdf"));
    ASSERT_EQ(pdf.pageCount, 2);
    EXPECT_NEAR(pdf.pageSize.width(), 595.3, 0.5); // A4
    EXPECT_NEAR(pdf.pageSize.height(), 841.9, 0.5);
    const PdfWord* corner = pdf.find(QStringLiteral("Roh"));
    const PdfWord* point = pdf.find(QStringLiteral("Bod"));
    const PdfWord* second = pdf.find(QStringLiteral("Druhá"));
    ASSERT_TRUE(corner && point && second);
    EXPECT_NEAR(corner->box.left(), 0.0, 0.5);
    EXPECT_NEAR(corner->box.top(), 0.0, 0.5);
    EXPECT_NEAR(point->box.left(), toPoints(1000), 0.5);
    EXPECT_NEAR(point->box.top(), toPoints(20000), 0.5);
    EXPECT_EQ(second->page, 2);
}

TEST(PrinterOutput, RecordedPagesPrintAsOneJob) {
    TempDir dir;
    PageSurface surface;
    drawSampleDocument(surface, 3);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.file("recorded.pdf"));
    printer.setFullPage(true);
    surface.print(printer, QStringLiteral("chyba"));

    const PdfText pdf = readPdf(dir.file("recorded.pdf"));
    EXPECT_EQ(pdf.pageCount, 3);
    const PdfWord* text = pdf.find(QStringLiteral("Strana"));
    ASSERT_TRUE(text);
    EXPECT_NEAR(text->box.left(), toPoints(2000), 0.5);
}

TEST(PrinterOutput, WithoutAPrinterPrintingFailsAndTheRecordedPagesStay) {
    PageSurface surface;
    drawSampleDocument(surface, 3);

    // No printer installed: Qt offers a PDF printer without a file.
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    PrinterTarget target(printer);
    surface.setPrintTarget(&target);
    surface.setDirectPrint(true);
    try {
        surface.beginDoc();
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_EQ(error.message(),
                  QStringLiteral("Není nainstalována žádná tiskárna. Protokol nelze vytisknout."));
    }
    EXPECT_EQ(surface.state(), PageSurface::State::Idle);
    EXPECT_EQ(surface.pageCount(), 3);

    // Recording for the preview needs no printer.
    surface.setDirectPrint(false);
    drawSampleDocument(surface, 2);
    EXPECT_EQ(surface.pageCount(), 2);
}

TEST(PrinterOutput, ADocumentThatStopsSendsNothingToThePrinter) {
    RecordingTarget target;
    PageSurface surface;
    drawSampleDocument(surface, 2);
    surface.setPrintTarget(&target);
    surface.setDirectPrint(true);

    surface.beginDoc();
    surface.canvas().textOut(1000, 1000, QStringLiteral("První"));
    surface.newPage();
    surface.canvas().textOut(1000, 1000, QStringLiteral("Druhá"));
    surface.abortDoc(); // the drawing stopped here
    EXPECT_EQ(surface.state(), PageSurface::State::Idle);
    EXPECT_EQ(target.opened, 1);
    EXPECT_EQ(target.finished, 0);
    EXPECT_EQ(target.closed, 1);
    EXPECT_TRUE(target.printed.isEmpty()) << "no page reached the printer";
    EXPECT_EQ(surface.pageCount(), 2) << "the preview's pages stay";

    // The next document prints whole, as one job.
    surface.beginDoc();
    surface.canvas().textOut(1000, 1000, QStringLiteral("Celá"));
    surface.newPage();
    surface.endDoc();
    EXPECT_EQ(target.finished, 1);
    EXPECT_EQ(target.closed, 2);
    EXPECT_TRUE(target.printed.startsWith("%PDF"));
    EXPECT_EQ(target.printed.count("/Type /Page\n"), 2);
}

TEST(PrinterOutput, APrinterInstalledAfterAFailedJobIsFoundAtTheNextOne) {
    TempDir dir;
    int made = 0;
    bool installed = false;
    PrinterTarget target([&] {
        ++made;
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // Without a printer Qt offers a PDF printer without a file.
        printer->setOutputFormat(QPrinter::PdfFormat);
        if (installed)
            printer->setOutputFileName(dir.file(QStringLiteral("installed.pdf")));
        return printer;
    });
    PageSurface surface;
    surface.setPrintTarget(&target);
    surface.setDirectPrint(true);
    EXPECT_THROW(surface.beginDoc(), UserError);
    EXPECT_THROW(surface.beginDoc(), UserError);
    EXPECT_EQ(made, 2) << "looked for again at each job";

    installed = true;
    for (int job = 0; job < 2; ++job) {
        surface.beginDoc();
        surface.canvas().textOut(1000, 1000, QStringLiteral("Tisk"));
        surface.endDoc();
    }
    EXPECT_EQ(made, 3) << "kept once found";
    EXPECT_EQ(readPdf(dir.file(QStringLiteral("installed.pdf"))).pageCount, 1);
}

} // namespace
