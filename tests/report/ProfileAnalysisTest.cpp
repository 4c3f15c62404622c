#include "report/ProfileAnalysis.h"

#include "evaluation/MeanBases.h"
#include "evaluation/SubtestMeans.h"
#include "norms/CompiledNorms.h"
#include "norms/NormSet.h"

#include <gtest/gtest.h>

using namespace iksa;

namespace {

// Scaled scores in analysis-row order; none for a subtest not entered.
using Scores = std::array<std::optional<int>, 14>;

// The input as the program would have it: the basis's marks, the means that
// Prumer_subtestu computed from them, the options.
StrengthsInput input(const Scores& scaled, int basis, int significance = 2,
                     bool soAdministered = true) {
    std::array<bool, 14> marked{};
    for (int row = 1; row <= 14; ++row)
        marked[static_cast<size_t>(row - 1)] = meanBasis(basis).includes(row);
    const SubtestMeans means = computeSubtestMeans(scaled, marked, !soAdministered);
    StrengthsInput in;
    in.scaled = scaled;
    in.basis = basis;
    in.significance = significance;
    in.soAdministered = soAdministered;
    in.means = means.means;
    in.panel = means.panel();
    return in;
}

// The marks column as text: one of "+-", "+", "-", "" per row, "x" for an
// excluded row.
QStringList markColumn(const StrengthsTable& table) {
    QStringList column;
    for (const StrengthRow& row : table.rows) {
        if (!row.included) {
            column.append(QStringLiteral("x"));
            continue;
        }
        column.append(QString(row.best ? "+" : "") + (row.weakest ? "-" : ""));
    }
    return column;
}

const NormSet& norms() {
    return compiledNormSet();
}

TEST(StrengthsAnalysis, AllScoresEqualMarkEveryIncludedRowTwiceAtDeviationZero) {
    Scores scores;
    scores.fill(10);
    for (int basis = 0; basis < MeanBasisCount; ++basis) {
        SCOPED_TRACE(basis);
        const StrengthsTable table = analyseStrengths(input(scores, basis), norms());
        for (int row = 1; row <= 14; ++row) {
            const StrengthRow& out = table.rows[static_cast<size_t>(row - 1)];
            EXPECT_EQ(out.included, meanBasis(basis).includes(row));
            if (!out.included)
                continue;
            EXPECT_TRUE(out.best && out.weakest) << row;
            EXPECT_EQ(out.deviation, QStringLiteral(" 0.00"));
            EXPECT_EQ(out.frequency, QStringLiteral(">25%"));
            EXPECT_EQ(out.mean, QStringLiteral("10.00"));
        }
    }
}

TEST(StrengthsAnalysis, TopValueAndTwoRowsTiedBelowItAreAllBest) {
    //            SL POD POC OPA INF POR RPC DO CSK KOS MAT ROB HS SO
    const Scores scores{15, 13, 13, 6, 7, 10, 10, 7, 10, 10, 10, 10, 10, 10};
    const StrengthsTable table = analyseStrengths(input(scores, 4), norms());
    const QStringList expected{"+", "+", "+", "-", "-", "", "", "-", "", "", "", "", "", "x"};
    EXPECT_EQ(markColumn(table), expected);
    for (const StrengthRow& row : table.rows)
        EXPECT_EQ(row.frequency.isEmpty(), !(row.best || row.weakest)) << row.label.toStdString();
}

TEST(StrengthsAnalysis, SoNotAdministeredLeavesRowFourteenAsALabelInBasesZeroAndFive) {
    Scores scores;
    scores.fill(10);
    scores[13] = 1; // it would be the weakest row if it took part
    scores[0] = 12;
    scores[2] = 5;
    scores[3] = 6;
    for (const int basis : {0, 5}) {
        SCOPED_TRACE(basis);
        const StrengthsTable without = analyseStrengths(input(scores, basis, 2, false), norms());
        const StrengthRow& so = without.rows[13];
        EXPECT_FALSE(so.included);
        EXPECT_EQ(so.label, QStringLiteral("(Skládání objektů)"));
        EXPECT_TRUE(so.score.isEmpty() && so.deviation.isEmpty() && so.frequency.isEmpty());
        EXPECT_FALSE(so.best || so.weakest);
        // Rows 3 and 4 are the two lowest now.
        EXPECT_TRUE(without.rows[2].weakest && without.rows[3].weakest);

        const StrengthsTable with = analyseStrengths(input(scores, basis, 2, true), norms());
        EXPECT_TRUE(with.rows[13].included);
        EXPECT_TRUE(with.rows[13].weakest);
        EXPECT_TRUE(with.rows[2].weakest);
        EXPECT_FALSE(with.rows[3].weakest);
    }
}

TEST(StrengthsAnalysis, BasisThreeShowsOnlyLabelsInRowsSixAndTwelve) {
    Scores scores;
    scores.fill(10);
    const StrengthsTable table = analyseStrengths(input(scores, 3), norms());
    EXPECT_EQ(table.title, QStringLiteral("Tabulka  11 IN subtestů"));
    for (int row = 1; row <= 14; ++row) {
        const bool excluded = row == 6 || row == 12 || row == 14;
        const StrengthRow& out = table.rows[static_cast<size_t>(row - 1)];
        EXPECT_EQ(out.included, !excluded) << row;
        EXPECT_EQ(out.score.isEmpty(), excluded) << row;
        EXPECT_EQ(out.label, analysisRowLabel(row));
    }
    EXPECT_EQ(table.rows[5].label, QStringLiteral("Porozumění"));
    EXPECT_EQ(table.rows[11].label, QStringLiteral("(Řazení obrázků)"));
}

TEST(StrengthsAnalysis, TextsOfTheRowsAtBothLevels) {
    // Verbal mean exactly 10, performance mean 64 / 7.
    //            SL POD POC OPA INF POR RPC DO CSK KOS MAT ROB HS SO
    const Scores scores{14, 10, 10, 9, 9, 9, 9, 8, 9, 9, 9, 9, 10, 10};
    const StrengthsTable at005 = analyseStrengths(input(scores, 0, 2), norms());
    EXPECT_EQ(at005.title,
              QStringLiteral("Tabulka  7 verbálních subtestů  + 7 performačních subtestů"));
    EXPECT_EQ(at005.levelText, QStringLiteral("0.05"));
    const StrengthRow& sl = at005.rows[0];
    EXPECT_EQ(sl.score, QStringLiteral("14"));
    EXPECT_EQ(sl.mean, QStringLiteral("10.00"));
    EXPECT_EQ(sl.deviation, QStringLiteral(" 4.00"));
    EXPECT_EQ(sl.critical, QStringLiteral("2.10")); // basis 0, row 1: 1.77, 2.10, …
    // A deviation equal to the 1 % threshold (4.00) of the record.
    EXPECT_TRUE(sl.best);
    EXPECT_EQ(sl.frequency, QStringLiteral("1%"));
    EXPECT_EQ(at005.rows[3].deviation, QStringLiteral("-1.00"));
    EXPECT_EQ(at005.rows[7].mean, QStringLiteral(" 9.14"));
    EXPECT_EQ(at005.rows[7].deviation, QStringLiteral("-1.14"));

    const StrengthsTable at015 = analyseStrengths(input(scores, 0, 1), norms());
    EXPECT_EQ(at015.levelText, QStringLiteral("0.15"));
    EXPECT_EQ(at015.rows[0].critical, QStringLiteral("1.77"));

    // From basis 2 on, every row is compared with the overall mean.
    const StrengthsTable overall = analyseStrengths(input(scores, 2), norms());
    const QString mean = formatMean(105.0 / 11);
    for (const StrengthRow& row : overall.rows) {
        if (row.included) {
            EXPECT_EQ(row.mean, mean) << row.label.toStdString();
        }
    }
    EXPECT_EQ(overall.rows[0].deviation, QString::asprintf("%5.2f", 14 - 105.0 / 11));
}

TEST(StrengthsAnalysis, MeanBasesZeroToFiveLeaveOutASubtestNotEntered) {
    // Porozumění (row 6) not entered; the other verbal scores average 10.
    //            SL POD POC OPA INF POR           RPC DO CSK KOS MAT ROB HS SO
    const Scores scores{12, 8, 10, 10, 10, std::nullopt, 10, 9, 11, 10, 10, 10, 10, 10};
    struct Case {
        int basis;
        int verbalCount;
        int performanceCount;
    };
    // Basis 3 never holds row 6; every other basis loses it.
    const Case cases[] = {{0, 6, 7}, {1, 5, 5}, {2, 5, 5}, {3, 6, 5}, {4, 6, 6}, {5, 6, 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.basis);
        const StrengthsInput in = input(scores, c.basis);
        EXPECT_EQ(in.panel.verbalCount, QString::number(c.verbalCount));
        EXPECT_EQ(in.panel.performanceCount, QString::number(c.performanceCount));
        EXPECT_EQ(in.panel.verbalSum, QString::number(10 * c.verbalCount));
        EXPECT_EQ(in.panel.verbalMean, QStringLiteral("10.00"));
        const StrengthsTable table = analyseStrengths(in, norms());
        const StrengthRow& por = table.rows[5];
        EXPECT_FALSE(por.included);
        EXPECT_EQ(por.label, QStringLiteral("Porozumění"));
        EXPECT_TRUE(por.score.isEmpty() && por.mean.isEmpty() && por.deviation.isEmpty() &&
                    por.critical.isEmpty() && por.frequency.isEmpty());
        EXPECT_FALSE(por.best || por.weakest);
        int included = 0;
        for (const StrengthRow& row : table.rows)
            included += row.included;
        EXPECT_EQ(included, c.verbalCount + c.performanceCount);
    }
}

TEST(StrengthsAnalysis, ASubtestNotEnteredTakesNoPartInTheMarks) {
    //            SL            POD POC OPA INF POR RPC DO CSK KOS MAT ROB HS SO
    const Scores scores{std::nullopt, 13, 12, 6, 7, 10, 10, 7, 10, 10, 10, 10, 10, 10};
    const StrengthsTable table = analyseStrengths(input(scores, 4), norms());
    // Twelve rows: 13 and 12 are the best, 6 and both 7s the weakest.
    const QStringList expected{"x", "+", "+", "-", "-", "", "", "-", "", "", "", "", "", "x"};
    EXPECT_EQ(markColumn(table), expected);
}

TEST(StrengthsAnalysis, AGroupWithoutASubtestHasNoMeanAndOnlyLabels) {
    Scores scores;
    scores.fill(10);
    for (size_t i = 0; i < 7; ++i)
        scores[i] = std::nullopt; // no verbal subtest entered
    scores[8] = 13;

    const StrengthsInput separate = input(scores, 0);
    EXPECT_EQ(separate.panel.verbalCount, QStringLiteral("0"));
    EXPECT_EQ(separate.panel.verbalSum, QStringLiteral("0"));
    EXPECT_EQ(separate.panel.verbalMean, QString());
    EXPECT_FALSE(separate.means.verbal);
    EXPECT_EQ(separate.panel.performanceMean, formatMean(73.0 / 7));
    EXPECT_EQ(separate.panel.overallMean, formatMean(73.0 / 7));
    const StrengthsTable byScale = analyseStrengths(separate, norms());
    // The 10s are both the lowest value and the one next to the top.
    EXPECT_EQ(markColumn(byScale), (QStringList{"x", "x", "x", "x", "x", "x", "x", "+-", "+", "+-",
                                                "+-", "+-", "+-", "+-"}));

    // Against the overall mean the performance rows are measured as before.
    const StrengthsTable overall = analyseStrengths(input(scores, 5), norms());
    EXPECT_TRUE(overall.rows[8].included);
    EXPECT_EQ(overall.rows[8].mean, formatMean(73.0 / 7));

    // Nothing entered at all: every row a label, no mean anywhere.
    Scores none{};
    const StrengthsInput nothing = input(none, 5);
    EXPECT_EQ(nothing.panel.overallMean, QString());
    const StrengthsTable empty = analyseStrengths(nothing, norms());
    EXPECT_EQ(markColumn(empty), QStringList(14, QStringLiteral("x")));
}

TEST(StrengthsAnalysis, ZapisFrekvRozAtAndBetweenEveryThreshold) {
    const DeviationRecord record = *norms().deviationRecord(0, 1);
    ASSERT_EQ(record, (DeviationRecord{1.77, 2.10, 4.00, 3.57, 3.00, 2.43, 1.71}));
    const std::vector<std::pair<double, const char*>> cases{
        {0.0, ">25%"}, {1.70, ">25%"}, {1.71, "25%"}, {-1.71, "25%"}, {2.0, "<25%"},
        {2.43, "10%"}, {2.9, "<10%"},  {3.00, "5%"},  {-3.2, "<5%"},  {3.57, "2%"},
        {3.8, "<2%"},  {4.00, "1%"},   {-4.00, "1%"}, {4.01, "<1%"},  {18.0, "<1%"}};
    for (const auto& [difference, text] : cases)
        EXPECT_EQ(Zapis_frekv_roz(record, difference), QString::fromLatin1(text)) << difference;
}

} // namespace
