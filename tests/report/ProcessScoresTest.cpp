#include "report/ProcessScores.h"

#include "../evaluation/EvaluationFixture.h"
#include "records/UserError.h"
#include "report/ReportAnalyses.h"

using namespace iksa;
using namespace iksa::test;

namespace {

TEST(ProcessScores, ZapisKumulRozAtAndBetweenEveryThreshold) {
    const SymbolThresholds pairing{2, 4, 7, 9, 13, 15};
    const std::vector<std::pair<int, const char*>> pairingCases{
        {16, ">50%"}, {15, "50%"}, {14, ">25%"}, {13, "25%"}, {10, ">10%"},
        {9, "10%"},   {8, ">5%"},  {7, "5%"},    {5, "<5%"},  {4, "2%"},
        {3, "<2%"},   {2, "1%"},   {1, "<1%"},   {0, "<1%"},  {-16, ">50%"}};
    for (const auto& [score, text] : pairingCases)
        EXPECT_EQ(Zapis_KUMUL_roz(score, pairing), QString::fromLatin1(text)) << score;

    // Equal thresholds: the earlier condition decides.
    const std::vector<std::tuple<SymbolThresholds, int, const char*>> equalCases{
        {{3, 5, 6, 6, 7, 8}, 6, "10%"}, {{3, 5, 6, 6, 7, 8}, 5, "2%"},
        {{0, 0, 0, 2, 5, 8}, 0, "5%"},  {{0, 0, 0, 2, 5, 8}, 1, ">5%"},
        {{5, 5, 5, 5, 5, 5}, 5, "50%"}, {{5, 5, 5, 5, 5, 5}, 4, "<1%"}};
    for (const auto& [thresholds, score, text] : equalCases)
        EXPECT_EQ(Zapis_KUMUL_roz(score, thresholds), QString::fromLatin1(text)) << score;
}

TEST(ProcessScores, SpanListsOfTheBandWithDashOutsideTheirRange) {
    const NormSet& norms = compiledNormSet();
    const DigitSpanLists lists(norms, 16);
    const std::vector<std::pair<int, const char*>> forward{{9, "-"}, {6, "3,60"}, {2, "100,0"},
                                                           {0, "-"}, {10, "-"},   {-1, "-"}};
    for (const auto& [span, text] : forward)
        EXPECT_EQ(lists.Zapis_KUM_proc_D(span), QString::fromLatin1(text)) << span;
    EXPECT_EQ(lists.Zapis_KUM_proc_P(6), QStringLiteral("0,71"));
    EXPECT_EQ(lists.Zapis_KUM_proc_P(1), QStringLiteral("100,0"));
    const std::vector<std::pair<int, const char*>> differences{
        {7, "-"}, {3, "2,44"}, {0, "72,70"}, {-3, "100,0"}, {-6, "-"}, {8, "-"}, {-7, "-"}};
    for (const auto& [difference, text] : differences)
        EXPECT_EQ(lists.Zapis_KUM_proc_ROZ(difference), QString::fromLatin1(text)) << difference;

    // Ages outside the bands use the nearest one.
    EXPECT_EQ(DigitSpanLists(norms, 15).band(), 1);
    EXPECT_EQ(DigitSpanLists(norms, 0).band(), 1);
    EXPECT_EQ(DigitSpanLists(norms, 100).band(), 9);
    EXPECT_EQ(DigitSpanLists(norms, 101).band(), 9);
}

class ProcessScoresRecord : public EvaluationFixture {};

TEST_F(ProcessScoresRecord, DigitSpanRowsAndTheirCumulativeTexts) {
    addRecord({{"VEK", "17"}, {"RAD_DOP_8", "6"}, {"RAD_DOZ_8", "4"}});
    const DigitSpanRows rows = analyseDigitSpan(record, messages, norms());
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(rows.forward, QStringLiteral("6"));
    EXPECT_EQ(rows.backward, QStringLiteral("4"));
    EXPECT_EQ(rows.difference, QStringLiteral("2"));
    EXPECT_EQ(rows.forwardCumulative, QStringLiteral("3,60"));
    EXPECT_EQ(rows.backwardCumulative, QStringLiteral("41,23"));
    EXPECT_EQ(rows.differenceCumulative, QStringLiteral("7,30"));
}

TEST_F(ProcessScoresRecord, EmptySpansAreReportedAndResetToZero) {
    addRecord({{"VEK", "16"}});
    const DigitSpanRows rows = analyseDigitSpan(record, messages, norms());
    const QString message = QStringLiteral("Chybná hodnota max  řady  cisel dopredu");
    EXPECT_EQ(messages.shown, (QStringList{message, message}));
    EXPECT_EQ(text("RAD_DOP_8"), QStringLiteral("0"));
    EXPECT_EQ(text("RAD_DOZ_8"), QStringLiteral("0"));
    EXPECT_EQ(rows.forward, QString()); // printed as it stood
    EXPECT_EQ(rows.difference, QStringLiteral("0"));
    EXPECT_EQ(rows.forwardCumulative, QStringLiteral("-"));
    EXPECT_EQ(rows.differenceCumulative, QStringLiteral("72,70"));
}

TEST_F(ProcessScoresRecord, SpanOutsideTheListsGivesADash) {
    addRecord({{"VEK", "16"}, {"RAD_DOP_8", "12"}, {"RAD_DOZ_8", "2"}});
    const DigitSpanRows rows = analyseDigitSpan(record, messages, norms());
    EXPECT_EQ(rows.difference, QStringLiteral("10"));
    EXPECT_EQ(rows.forwardCumulative, QStringLiteral("-"));
    EXPECT_EQ(rows.differenceCumulative, QStringLiteral("-"));
}

TEST_F(ProcessScoresRecord, ANonNumberStopsTheAnalysisWithAConversionMessage) {
    addRecord({{"VEK", "16"}});
    record.setText(QStringLiteral("RAD_DOP_8"), QStringLiteral("x"));
    try {
        analyseDigitSpan(record, messages, norms());
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("„x“ v poli RAD_DOP_8 není platné celé číslo."));
    }
    // The backward check ran before the conversion failed.
    EXPECT_EQ(messages.shown.size(), 1);

    record.setText(QStringLiteral("VOL_VYB_3"), QStringLiteral("7a"));
    EXPECT_THROW(analyseSymbolOptions(record, messages, norms()), UserError);
}

TEST_F(ProcessScoresRecord, SymbolOptionsCheckedInOrderWithTheirBandsThresholds) {
    addRecord({{"VEK", "16"}});
    const auto empty = analyseSymbolOptions(record, messages, norms());
    EXPECT_EQ(messages.shown, (QStringList{"Chybná hodnota 3.Symboly párování",
                                           "Chybná hodnota 3.Symboly  Volné vybavení",
                                           "Chybná 3.Symboly  opis HS"}));
    for (const SymbolOptionRow& row : empty) {
        EXPECT_EQ(row.raw, QString());
        EXPECT_EQ(record.text(row.field), QStringLiteral("0"));
        EXPECT_EQ(row.cumulative, QStringLiteral("<1%"));
    }

    const std::vector<
        std::tuple<const char*, std::array<const char*, 3>, std::array<const char*, 3>>>
        cases{{"16", {"15", "6", "124"}, {"50%", "10%", "50%"}},
              {"17", {"1", "9", "100"}, {"<1%", ">50%", ">10%"}},
              {"102", {"0", "0", "0"}, {"5%", "2%", "2%"}},
              {"10", {"13", "5", "63"}, {"25%", "2%", "2%"}}};
    for (const auto& [age, raws, texts] : cases) {
        SCOPED_TRACE(age);
        addRecord(
            {{"VEK", age}, {"PAR_3", raws[0]}, {"VOL_VYB_3", raws[1]}, {"C_HS_OP_3", raws[2]}});
        const auto rows = analyseSymbolOptions(record, messages, norms());
        EXPECT_TRUE(messages.shown.isEmpty());
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(rows[i].raw, QString::fromLatin1(raws[i]));
            EXPECT_EQ(rows[i].cumulative, QString::fromLatin1(texts[i])) << i;
        }
    }
}

TEST_F(ProcessScoresRecord, ReportAnalysesInPageOrder) {
    QMap<QString, QString> texts = *recordScoring(ageWhereAllReach(10), 10);
    texts[QStringLiteral("RAD_DOP_8")] = QStringLiteral("5");
    addRecord(texts);
    ASSERT_TRUE(evaluate());
    ASSERT_TRUE(messages.shown.isEmpty());
    const ReportAnalyses all = analyseReport(record, options, page, messages, norms());
    EXPECT_EQ(messages.shown,
              (QStringList{"Chybná hodnota 3.Symboly párování",
                           "Chybná hodnota 3.Symboly  Volné vybavení", "Chybná 3.Symboly  opis HS",
                           "Chybná hodnota max  řady  cisel dopredu"}));
    EXPECT_EQ(all.meanPanel.overallMean, QStringLiteral("10.00"));
    EXPECT_EQ(all.strengths.rows[0].deviation, QStringLiteral(" 0.00"));
    EXPECT_EQ(all.digitSpan.difference, QStringLiteral("5"));
    ASSERT_TRUE(all.comparisons);
    EXPECT_EQ((*all.comparisons)[0].difference, QStringLiteral("0"));

    // Page 3 refuses an age outside 16 … 100 after the digit span.
    messages.shown.clear();
    record.setText(QStringLiteral("VEK"), QStringLiteral("101"));
    const ReportAnalyses refused = analyseReport(record, options, page, messages, norms());
    EXPECT_FALSE(refused.comparisons);
    EXPECT_EQ(messages.shown,
              QStringList{"Není zadaný věk v intervalu 16..100 let! /nebo nejsou data uložena/"});
}

} // namespace
