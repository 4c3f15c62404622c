// The three protocol pages, read back from the PDF with pdftotext -bbox.
#include "ProtocolFixture.h"
#include "evaluation/SubtestMeans.h"
#include "norms/CompiledNorms.h"
#include "records/UserError.h"
#include "report/DiscrepancyAnalysis.h"
#include "report/ProtocolPrinting.h"
#include "report/ReportCanvas.h"

#include <QPainter>

using namespace iksa;
using namespace iksa::test;

namespace {

class Protocol : public ProtocolFixture {};

TEST_F(Protocol, ReportUnitsFollowThePaper) {
    struct Case {
        TPaperType paper;
        TUnits units;
        quint16 sx;
        quint16 sy;
    };
    // A4 in 0.01 mm: x counts inches, y counts 24.76 mm. Letter: 21590 ×
    // 27940. A4 in 0.1 mm: a tenth.
    const Case cases[] = {{TPaperType::pA4, TUnits::mmHiMetric, 2540, 2476},
                          {TPaperType::pLetter, TUnits::mmHiMetric, 2611, 2330},
                          {TPaperType::pA4, TUnits::mmLoMetric, 254, 248}};
    for (const Case& c : cases) {
        PageSurface paper;
        paper.setPaperType(c.paper);
        paper.setUnits(c.units);
        paper.beginDoc();
        ReportCanvas canvas(paper);
        canvas.startPage();
        EXPECT_EQ(canvas.sx(), c.sx);
        EXPECT_EQ(canvas.sy(), c.sy);
        paper.endDoc();
    }
    PageSurface a4;
    a4.beginDoc();
    ReportCanvas canvas(a4);
    canvas.startPage();
    // Each coordinate rounded to the nearest page unit.
    EXPECT_EQ(canvas.point(1.5, 0.6), QPoint(3810, 1486));
    EXPECT_EQ(canvas.point(3.455, 12.56 - 0.05 * 155), QPoint(8776, 11910));
    a4.endDoc();
}

TEST_F(Protocol, ThreePagesWithTheirValuesAtTheirPoints) {
    composeSample();
    EXPECT_EQ(surface.state(), PageSurface::State::Idle);
    const PdfText pdf = pdfOfSurface();
    ASSERT_EQ(pdf.pageCount, 3);
    for (int page = 1; page <= 3; ++page) {
        EXPECT_TRUE(hasWordAt(pdf, page, QStringLiteral("IKSA-III"), 1.5, 0.6)) << page;
        EXPECT_TRUE(hasWordAt(pdf, page, QString::number(page), 3.9 + 0.07, 11.5)) << page;
        EXPECT_TRUE(hasWord(pdf, page, QStringLiteral("Ilustrativní"))) << page;
    }

    // Page 1: identity, the IQ table, the score scale, a subtest mark.
    EXPECT_TRUE(hasWordAt(pdf, 1, QStringLiteral("Nováková"), 1.8, 1.09));
    EXPECT_TRUE(hasWordAt(pdf, 1, QStringLiteral("Alžběta"), 4.2, 1.115));
    EXPECT_TRUE(hasWordAt(pdf, 1, QStringLiteral("Příjmení:"), 1.0, 1.2));
    EXPECT_TRUE(hasWordAt(pdf, 1, QStringLiteral("34"), 1.9, 1.8));
    EXPECT_TRUE(hasWordAt(pdf, 1, QStringLiteral("VIQ"), 3.35 + 1.0, 2.6));
    EXPECT_TRUE(hasWordAt(pdf, 1, QStringLiteral("IRZ"), 3.35 + 4.0, 2.6));
    EXPECT_TRUE(hasWordAt(pdf, 1, text("VER_SVS"), 3.35 + 1.0, 2.9));
    EXPECT_TRUE(hasWordAt(pdf, 1, text("IPU_IQ_IS"), 3.35 + 3.0, 3.2));
    EXPECT_TRUE(hasWordAt(pdf, 1, text("CIQ_PER"), 3.35 + 2.0, 3.5));
    EXPECT_TRUE(hasWordAt(pdf, 1, QStringLiteral("100"), 4.0, 12.5 - 0.05 * 100));
    EXPECT_TRUE(hasWordAt(pdf, 1, QStringLiteral("155"), 7.75, 12.5 - 0.05 * 155));
    const int vocabulary = record.integer(QStringLiteral("VER_S"));
    EXPECT_TRUE(
        hasWordAt(pdf, 1, QStringLiteral("X"), 0.4 + 0.08, 4.9 + 0.05 + 0.23 * (21 - vocabulary)));
    const int objects = record.integer(QStringLiteral("PER_SO"));
    EXPECT_TRUE(hasWordAt(pdf, 1, QStringLiteral("X"), 2.22 + 6 * 0.22 + 0.08,
                          4.9 + 0.05 + 0.23 * (21 - objects)));
    EXPECT_TRUE(hasWordAt(pdf, 1, QStringLiteral("Průměr"), 0.74, 10.24));

    // Page 2: the score table, the optional procedures, the means box and
    // the strengths table.
    const auto scoreCell = [](int c, int r) {
        return std::pair{0.4 + 0.4 * c + 0.15, 1.2 + 0.23 * r + 0.05};
    };
    auto [x, y] = scoreCell(3, 2);
    EXPECT_TRUE(hasWordAt(pdf, 2, QStringLiteral("18"), x, y));
    std::tie(x, y) = scoreCell(5, 15);
    EXPECT_TRUE(hasWordAt(pdf, 2, QStringLiteral("(%1)").arg(objects), x, y));
    std::tie(x, y) = scoreCell(9, 16);
    EXPECT_TRUE(hasWordAt(pdf, 2, text("RZ_SVS"), x, y));
    std::tie(x, y) = scoreCell(10, 2);
    EXPECT_TRUE(hasWordAt(pdf, 2, page.referenceText(1), x, y));
    EXPECT_TRUE(hasWordAt(pdf, 2, text("CIQ_SVS"), 2.3, 1.2 + 19 * 0.23 + 0.05));
    EXPECT_TRUE(hasWordAt(pdf, 2, QStringLiteral("14"), 6.85, 3.5));
    EXPECT_TRUE(hasWordAt(pdf, 2, QStringLiteral("110"), 6.85, 4.3));
    EXPECT_TRUE(hasWordAt(pdf, 2, page.meanPanel().totalSum, 4.4, 5.95));
    EXPECT_TRUE(hasWordAt(pdf, 2, page.meanPanel().overallMean.trimmed(), 4.4, 6.45) ||
                hasWord(pdf, 2, page.meanPanel().overallMean.trimmed()));
    EXPECT_TRUE(hasWordAt(pdf, 2, QStringLiteral("Slovník"), 2.1, 7.1 + 0.25 * 2 + 0.05));
    EXPECT_TRUE(hasWordAt(pdf, 2, QString::number(vocabulary), 3.68, 7.1 + 0.25 * 2 + 0.05));
    EXPECT_TRUE(hasWordAt(pdf, 2, QStringLiteral("0.05"), 5.3, 7.1 + 0.35));
    EXPECT_TRUE(hasWordAt(pdf, 2, QStringLiteral("Tabulka"), 2.3, 6.85));

    // Page 3: the comparisons, the digit span, the headings.
    EXPECT_TRUE(hasWordAt(pdf, 3, QStringLiteral("Diskrepanční"), 0.7, 1.3));
    EXPECT_TRUE(hasWordAt(pdf, 3, QStringLiteral("Verbální"), 0.55, 1.5 + 0.35 * 2 + 0.05));
    EXPECT_TRUE(hasWordAt(pdf, 3, text("VIQ_IQ_IS"), 3.74, 1.5 + 0.35 * 2 + 0.05));
    EXPECT_TRUE(hasWordAt(pdf, 3, text("IRZ_IQ_IS"), 4.67, 1.5 + 0.35 * 8 + 0.05));
    EXPECT_TRUE(hasWordAt(pdf, 3, QStringLiteral("7"), 3.74, 1.5 + 0.35 * 10 + 0.05));
    EXPECT_TRUE(hasWordAt(pdf, 3, QStringLiteral("DZ"), 4.27, 1.5 + 0.35 * 12 + 0.05));
    EXPECT_TRUE(hasWordAt(pdf, 3, QStringLiteral("2"), 5.6, 1.5 + 0.35 * 12 + 0.05));
    EXPECT_TRUE(hasWordAt(pdf, 3, QStringLiteral("0.15"), 6.26, 1.9));
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join('\n').toStdString();
}

TEST_F(Protocol, SubtestNotAdministeredLeavesNoMarkAndNoRowFifteen) {
    composeSample({{"HS_14_SO", "-1"}});
    ASSERT_TRUE(record.soNotAdministered());
    const PdfText pdf = pdfOfSurface();
    ASSERT_EQ(pdf.pageCount, 3);
    int marks = 0;
    for (const PdfWord& word : wordsOnPage(pdf, 1))
        marks += word.text == QStringLiteral("X");
    EXPECT_EQ(marks, 13);
    // Nothing in row 15 right of the subtest name.
    const QPointF rowTop = reportPointInPdf(1.6, 1.2 + 0.23 * 15);
    const QPointF rowBottom = reportPointInPdf(4.97, 1.2 + 0.23 * 16);
    for (const PdfWord& word : wordsOnPage(pdf, 2)) {
        const QPointF centre = word.box.center();
        EXPECT_FALSE(centre.x() > rowTop.x() && centre.x() < rowBottom.x() &&
                     centre.y() > rowTop.y() && centre.y() < rowBottom.y())
            << word.text.toStdString();
    }
    EXPECT_TRUE(hasWord(pdf, 2, QStringLiteral("objektů")));
}

TEST_F(Protocol, WithoutTheMeanPage1LosesLinesAndLegendOnly) {
    composeSample();
    const PdfText withMean = pdfOfSurface();
    const QImage page1WithMean = surface.renderPage(0, 100);
    options.setShowMean(false);
    composer().Rozbal_data_IKSA();
    const PdfText withoutMean = pdfOfSurface();
    ASSERT_EQ(withoutMean.pageCount, 3);
    EXPECT_TRUE(hasWord(withMean, 1, QStringLiteral("jedince")));
    EXPECT_FALSE(hasWord(withoutMean, 1, QStringLiteral("jedince")));
    EXPECT_NE(surface.renderPage(0, 100), page1WithMean);
    for (const int page : {2, 3}) {
        const QList<PdfWord> before = wordsOnPage(withMean, page);
        const QList<PdfWord> after = wordsOnPage(withoutMean, page);
        ASSERT_EQ(before.size(), after.size()) << page;
        for (qsizetype i = 0; i < before.size(); ++i)
            EXPECT_EQ(before[i].text, after[i].text);
    }
}

TEST_F(Protocol, IqProfileJoinsTheScalesButNotFullScaleToTheIndexes) {
    composeSample();
    const QImage page1 = surface.renderPage(0, 100);
    const auto inkAt = [&](double x, int score) {
        // The line is 1 mm thick; look at its middle.
        const QPointF p(2540 * x * 100 / 2540.0, 2476 * (12.56 - 0.05 * score) * 100 / 2540.0);
        return qGray(page1.pixel(p.toPoint())) < 80;
    };
    const int piq = record.integer(QStringLiteral("PIQ_IQ_IS"));
    const int ciq = record.integer(QStringLiteral("CIQ_IQ_IS"));
    const int ivp = record.integer(QStringLiteral("IVP_IQ_IS"));
    const int ipu = record.integer(QStringLiteral("IPU_IQ_IS"));
    EXPECT_TRUE(inkAt(5.2, (piq + ciq) / 2));
    EXPECT_TRUE(inkAt(6.2, (ivp + ipu) / 2));
    // Between CIQ (x 5.45) and IVP (x 5.95) on the straight line between them.
    EXPECT_FALSE(inkAt(5.6, ciq + (ivp - ciq) * 3 / 10));
    EXPECT_FALSE(inkAt(5.8, ciq + (ivp - ciq) * 7 / 10));
}

TEST_F(Protocol, AgeOutsideTheBoundsEndsTheDocumentOnPage3) {
    composeSample({{"VEK", "101"}});
    EXPECT_EQ(surface.state(), PageSurface::State::Idle);
    EXPECT_EQ(messages.shown.count(comparisonAgeMessage()), 1);
    const PdfText pdf = pdfOfSurface();
    ASSERT_EQ(pdf.pageCount, 3);
    EXPECT_TRUE(hasWord(pdf, 3, QStringLiteral("Diskrepanční")));
    EXPECT_FALSE(hasWord(pdf, 3, QStringLiteral("Verbální")));
    EXPECT_FALSE(hasWord(pdf, 3, QStringLiteral("Porovnání")));
}

TEST_F(Protocol, EmptyEntriesAreReportedResetAndStoredByTiskIksa) {
    addRecord(sampleExaminee());
    record.setText(QStringLiteral("PAR_3"), QString());
    record.setText(QStringLiteral("RAD_DOZ_8"), QString());
    evaluate();
    ReportComposer report = composer();
    Tisk_IKSA(report, record, messages);
    EXPECT_EQ(messages.shown,
              QStringList({QStringLiteral("Chybná hodnota 3.Symboly párování"),
                           QStringLiteral("Chybná hodnota max  řady  cisel dopredu")}));
    EXPECT_EQ(table3().state(), TableState::Browse);
    EXPECT_EQ(table3().storedText(1, table3().fieldIndex(QStringLiteral("PAR_3"))),
              QStringLiteral("0"));
    EXPECT_EQ(table3().storedText(1, table3().fieldIndex(QStringLiteral("RAD_DOZ_8"))),
              QStringLiteral("0"));
    EXPECT_EQ(table3().storedText(1, table3().fieldIndex(QStringLiteral("VIQ_IQ_IS"))),
              text("VIQ_IQ_IS"));
}

TEST_F(Protocol, ConversionFailureEndsTheDocumentAndTheNextOneWorks) {
    addRecord(sampleExaminee());
    evaluate();
    record.setText(QStringLiteral("RAD_DOP_8"), QStringLiteral("7a"));
    ReportComposer report = composer();
    EXPECT_THROW(Tisk_IKSA(report, record, messages), UserError);
    EXPECT_EQ(surface.state(), PageSurface::State::Idle);
    EXPECT_EQ(surface.pageCount(), 3); // page 3 stopped at the digit span
    // The bad entry keeps the row from being stored; it stays pending.
    EXPECT_EQ(table3().state(), TableState::Edit);

    record.setText(QStringLiteral("RAD_DOP_8"), QStringLiteral("7"));
    Tisk_IKSA(report, record, messages);
    EXPECT_EQ(table3().state(), TableState::Browse);
    const PdfText pdf = pdfOfSurface();
    ASSERT_EQ(pdf.pageCount, 3);
    EXPECT_TRUE(hasWord(pdf, 3, QStringLiteral("Porovnání")));
}

TEST_F(Protocol, TiskIksaRepeatsTheAgeMessageAfterStoring) {
    addRecord(sampleExaminee());
    evaluate();
    record.setText(QStringLiteral("VEK"), QStringLiteral("12"));
    ReportComposer report = composer();
    Tisk_IKSA(report, record, messages);
    EXPECT_EQ(messages.shown, QStringList({comparisonAgeMessage(), comparisonAgeMessage()}));
    EXPECT_EQ(table3().storedText(1, table3().fieldIndex(QStringLiteral("VEK"))),
              QStringLiteral("12"));
}

TEST(ReportPictures, BuiltInWithTheirSizesAndColours) {
    const QImage logo = reportLogo();
    EXPECT_EQ(logo.size(), QSize(400, 74));
    EXPECT_LE(logo.colorCount(), 16);
    EXPECT_GT(logo.colorCount(), 2);
    const QImage curve = reportCurve();
    EXPECT_EQ(curve.size(), QSize(2282, 1361));
    EXPECT_LE(curve.colorCount(), 256);
    EXPECT_GT(curve.colorCount(), 16);
}

} // namespace
