// The three protocol pages, read back from the PDF with pdftotext -bbox.
#include "ProtocolFixture.h"
#include "evaluation/SubtestMeans.h"
#include "norms/CompiledNorms.h"
#include "records/UserError.h"
#include "report/DiscrepancyAnalysis.h"
#include "report/ProtocolPrinting.h"
#include "report/ReportCanvas.h"
#include "scoring/Catalogue.h"

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

// Words whose centre lies in the rectangle of report points (x1, y1)–(x2, y2).
QStringList wordsIn(const PdfText& pdf, int page, double x1, double y1, double x2, double y2) {
    const QRectF area(reportPointInPdf(x1, y1), reportPointInPdf(x2, y2));
    QStringList texts;
    for (const PdfWord& word : wordsOnPage(pdf, page))
        if (area.contains(word.box.center()))
            texts.append(word.text);
    return texts;
}

TEST_F(Protocol, IncompleteExaminationSaysWhatIsMissingOnEveryPage) {
    // Matrice and Informace not entered: VIQ, PIQ, CIQ, IVP and IPU cannot
    // be computed; IPP and IRZ can.
    composeSample({{"HS_7_MAT", ""}, {"HS_9_INF", ""}});
    ASSERT_EQ(text("VER_INF"), QString());
    ASSERT_EQ(text("CIQ_IQ_IS"), QString());
    ASSERT_FALSE(text("IPP_IQ_IS").isEmpty());
    const PdfText pdf = pdfOfSurface();
    ASSERT_EQ(pdf.pageCount, 3);
    for (int p = 1; p <= 3; ++p) {
        SCOPED_TRACE(p);
        EXPECT_TRUE(hasWordAt(pdf, p, QStringLiteral("Neúplné"), 0.6, 0.88));
        EXPECT_EQ(wordsIn(pdf, p, 0.5, 0.86, 7.7, 1.0),
                  (QStringList{"Neúplné", "vyšetření", "–", "chybí:", "Matrice,", "Informace"}));
    }

    // Page 1: no sum, score, percentile or interval in the columns not
    // computed; IPP (k = 7) keeps its texts.
    for (const int k : {2, 3, 4, 5, 6})
        EXPECT_EQ(wordsIn(pdf, 1, 3.2 + 0.5 * k, 2.85, 3.7 + 0.5 * k, 4.3), QStringList()) << k;
    EXPECT_TRUE(hasWordAt(pdf, 1, text("IPP_IQ_IS"), 3.35 + 3.5, 3.2));
    EXPECT_TRUE(hasWordAt(pdf, 1, text("PP_SVS"), 3.35 + 3.5, 2.9));
    int marks = 0;
    for (const PdfWord& word : wordsOnPage(pdf, 1))
        marks += word.text == QStringLiteral("X");
    EXPECT_EQ(marks, 12);

    // Page 2: rows 8 (Matrice) and 10 (Informace) keep only their names;
    // the sums that hold them and the total are empty.
    for (const int r : {8, 10})
        EXPECT_EQ(wordsIn(pdf, 2, 1.6, 1.2 + 0.23 * r, 4.97, 1.2 + 0.23 * (r + 1)), QStringList())
            << r;
    EXPECT_EQ(wordsIn(pdf, 2, 2.0, 1.2 + 0.23 * 16, 2.8, 1.2 + 0.23 * 17), QStringList());
    EXPECT_EQ(wordsIn(pdf, 2, 2.0, 1.2 + 0.23 * 19, 2.8, 1.2 + 0.23 * 20), QStringList());
    EXPECT_TRUE(hasWordAt(pdf, 2, text("PP_SVS"), 0.4 + 0.4 * 8 + 0.15, 1.2 + 0.23 * 16 + 0.05));
    // The strengths table: Informace (row 6) and Matrice (row 12) only by label.
    for (const int r : {6, 12}) {
        const QStringList row = wordsIn(pdf, 2, 2.0, 7.1 + 0.25 * r, 7.0, 7.1 + 0.25 * (r + 1));
        EXPECT_EQ(row,
                  QStringList{r == 6 ? QStringLiteral("Informace") : QStringLiteral("Matrice")})
            << r;
    }
    EXPECT_TRUE(hasWordAt(pdf, 2, text("VER_S"), 3.68, 7.1 + 0.25 * 2 + 0.05));

    // Page 3: comparisons 1 to 6 hold VIQ, PIQ, IVP or IPU and show only
    // their labels; comparison 7 (IPP - IRZ) is complete.
    const QStringList shortNames{"VIQ", "PIQ", "IVP", "IPU", "IPP", "IRZ"};
    for (int r = 2; r <= 7; ++r) {
        EXPECT_EQ(wordsIn(pdf, 3, 3.7, 1.5 + 0.35 * r, 7.94, 1.5 + 0.35 * (r + 1)), QStringList())
            << r;
        for (const QString& name : shortNames) {
            EXPECT_FALSE(hasWordAt(pdf, 3, name, 3.34, 1.5 + 0.35 * r + 0.05)) << r;
            EXPECT_FALSE(hasWordAt(pdf, 3, name, 4.27, 1.5 + 0.35 * r + 0.05)) << r;
        }
    }
    EXPECT_TRUE(hasWordAt(pdf, 3, QStringLiteral("IPP"), 3.34, 1.5 + 0.35 * 8 + 0.05));
    EXPECT_TRUE(hasWordAt(pdf, 3, text("IRZ_IQ_IS"), 4.67, 1.5 + 0.35 * 8 + 0.05));
}

TEST_F(Protocol, AllSubtestsMissingWrapTheNoticeWithinTheFrame) {
    QMap<QString, QString> empty;
    for (const Subtest& subtest : Catalogue::instance().subtests())
        empty[subtest.rawField] = QString();
    composeSample(empty);
    const PdfText pdf = pdfOfSurface();
    ASSERT_EQ(pdf.pageCount, 3);
    // Two lines, both within the page frame.
    const QRectF area(reportPointInPdf(0.5, 0.86), reportPointInPdf(8.3, 1.1));
    for (int p = 1; p <= 3; ++p) {
        SCOPED_TRACE(p);
        QStringList notice;
        QList<double> lineTops;
        for (const PdfWord& word : wordsOnPage(pdf, p)) {
            if (!area.contains(word.box.center()))
                continue;
            notice.append(word.text);
            EXPECT_LT(word.box.right(), reportPointInPdf(7.7, 0).x()) << word.text.toStdString();
            if (lineTops.isEmpty() || word.box.top() > lineTops.last() + 2)
                lineTops.append(word.box.top());
        }
        ASSERT_FALSE(notice.isEmpty());
        EXPECT_EQ(notice.first(), QStringLiteral("Neúplné"));
        EXPECT_EQ(notice.last(), QStringLiteral("objektů"));
        EXPECT_TRUE(notice.contains(QStringLiteral("Symboly,")));
        EXPECT_EQ(lineTops.size(), 2);
    }
    EXPECT_FALSE(hasWord(pdf, 1, QStringLiteral("X")));
}

TEST_F(Protocol, ProfileLinesBreakAtASubtestOrCompositeNotComputed) {
    options.setShowMean(false);
    composeSample();
    const QImage complete = surface.renderPage(0, 100);
    const std::array<int, 3> verbal{record.integer("VER_S"), record.integer("VER_PO"),
                                    record.integer("VER_INF")};
    const int viq = record.integer("VIQ_IQ_IS");
    const int piq = record.integer("PIQ_IQ_IS");

    composeSample({{"HS_9_INF", ""}});
    const QImage incomplete = surface.renderPage(0, 100);
    // A 1 mm profile line darkens three or more pixels of a pixel column
    // (100 dpi) around its centre; a thin grid line only one.
    const auto inkAt = [](const QImage& page, double x, double y) {
        const QPoint p(qRound(x * 100), qRound(2476 * y * 100 / 2540.0));
        int dark = 0;
        for (int dy = -3; dy <= 3; ++dy)
            dark += qGray(page.pixel(p + QPoint(0, dy))) < 80;
        return dark >= 3;
    };
    // Three eighths of the way along the verbal profile from column c to
    // c + 1, clear of the marks and the column lines.
    const auto onVerbalLine = [&](const QImage& page, int c) {
        const double x1 = 0.4 + 0.22 * c + 0.12;
        const double y1 = 4.9 + 0.13 + 0.23 * (21 - verbal[static_cast<size_t>(c)]);
        const double y2 = 4.9 + 0.13 + 0.23 * (21 - verbal[static_cast<size_t>(c + 1)]);
        return inkAt(page, x1 + 0.22 * 3 / 8, y1 + (y2 - y1) * 3 / 8);
    };
    EXPECT_TRUE(onVerbalLine(complete, 0));
    EXPECT_TRUE(onVerbalLine(complete, 1));
    EXPECT_TRUE(onVerbalLine(incomplete, 0));  // S – Pod stays
    EXPECT_FALSE(onVerbalLine(incomplete, 1)); // Pod – I is gone
    // VIQ is not computed: no VIQ – PIQ line.
    const double midY = 12.56 - 0.05 * (viq + piq) / 2.0;
    EXPECT_TRUE(inkAt(complete, (4.44 + 4.97) / 2, midY));
    EXPECT_FALSE(inkAt(incomplete, (4.44 + 4.97) / 2, midY));
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
