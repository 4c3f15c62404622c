#include "evaluation/EvaluationOptions.h"

#include "evaluation/SubtestMeans.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace iksa;

namespace {

// The marks of the fourteen cells as "L" (lime) and "-" (white), in the
// order SL POD POC OPA INF POR RPC DO CSK KOS MAT ROB HS SO.
QString marks(const EvaluationOptions& options) {
    QString text;
    for (const QString& field : EvaluationOptions::markedFields())
        text += options.isMarked(field) ? QLatin1Char('L') : QLatin1Char('-');
    return text;
}

TEST(EvaluationOptions, StartsAtLevel005WithTheFirstBasisAndEveryCellMarked) {
    const EvaluationOptions options;
    EXPECT_EQ(options.significance(), 2);
    EXPECT_EQ(options.significanceItem(), 0);
    EXPECT_EQ(options.meanBasis(), 0);
    EXPECT_EQ(marks(options), QStringLiteral("LLLLLLLLLLLLLL"));
    EXPECT_TRUE(options.showMean());
    EXPECT_EQ(EvaluationOptions::meanBasisCaptions().first(),
              QStringLiteral("Průměr 7 verbálních + průměr 7 performačních subtestů"));
}

TEST(EvaluationOptions, SignificanceItemsSetTheSelector) {
    EvaluationOptions options;
    options.RadioGroup1Click(1);
    EXPECT_EQ(options.significance(), 1);
    EXPECT_EQ(options.significanceItem(), 1);
    options.RadioGroup1Click(0);
    EXPECT_EQ(options.significance(), 2);
    options.RadioGroup1Click(5); // no such item
    EXPECT_EQ(options.significance(), 2);
}

TEST(EvaluationOptions, EachBasisSetsAllFourteenMarksOfItsRow) {
    const QStringList rows{"LLLLLLLLLLLLLL", "LLLLLL-LLLLL--", "LLLLLL-LLLLL--",
                           "LLLLL-LLLLL-L-", "LLLLLLLLLLLLL-", "LLLLLLLLLLLLLL"};
    EvaluationOptions options;
    // Every basis after every other, so no mark survives from the one before.
    for (int before = 0; before < 6; ++before)
        for (int item = 0; item < 6; ++item) {
            options.RadioGroup2Click(before);
            options.RadioGroup2Click(item);
            EXPECT_EQ(options.meanBasis(), item);
            EXPECT_EQ(marks(options), rows[item]) << before << " then " << item;
        }
}

TEST(EvaluationOptions, ItemThreeThenFour) {
    EvaluationOptions options;
    QSignalSpy changed(&options, &EvaluationOptions::changed);
    options.RadioGroup2Click(3);
    for (const char* white : {"VER_POR", "PER_RO", "PER_SO"})
        EXPECT_FALSE(options.isMarked(QString::fromLatin1(white))) << white;
    EXPECT_TRUE(options.isMarked(QStringLiteral("VER_RPC")));
    EXPECT_TRUE(options.isMarked(QStringLiteral("PER_HS")));
    options.RadioGroup2Click(4);
    EXPECT_EQ(marks(options), QStringLiteral("LLLLLLLLLLLLL-"));
    EXPECT_EQ(changed.count(), 2);
    EXPECT_FALSE(options.isMarked(QStringLiteral("HS_1_DO")));
}

TEST(SubtestMeans, FormatsMeansInFiveCharactersWithADecimalPoint) {
    const std::vector<std::pair<double, const char*>> cases{
        {9.86, " 9.86"},     {10.14, "10.14"}, {69.0 / 7, " 9.86"},
        {71.0 / 7, "10.14"}, {0.0, " 0.00"},   {19.0, "19.00"}};
    for (const auto& [mean, text] : cases)
        EXPECT_EQ(formatMean(mean), QString::fromLatin1(text)) << mean;
}

TEST(SubtestMeans, SumsCountsAndMeansOfTheMarkedCells) {
    //                              SL POD POC OPA INF POR RPC DO CSK KOS MAT ROB HS SO
    const std::array<std::optional<int>, 14> scaled{12, 8,  10, 9,  11, 10, 19,
                                                    7,  13, 10, 10, 9,  1,  15};
    std::array<bool, 14> marked{};
    marked.fill(true);
    marked[6] = false;  // RPC
    marked[12] = false; // HS

    const SubtestMeans means = computeSubtestMeans(scaled, marked, false);
    EXPECT_EQ(means.verbalSum, 60);
    EXPECT_EQ(means.verbalCount, 6);
    EXPECT_EQ(means.performanceSum, 64);
    EXPECT_EQ(means.performanceCount, 6);
    const EvaluationPage::MeanPanel panel = means.panel();
    EXPECT_EQ(panel.totalSum, QStringLiteral("124"));
    EXPECT_EQ(panel.totalCount, QStringLiteral("12"));
    EXPECT_EQ(panel.verbalMean, QStringLiteral("10.00"));
    EXPECT_EQ(panel.performanceMean, QStringLiteral("10.67"));
    EXPECT_EQ(panel.overallMean, QStringLiteral("10.33"));

    // SO leaves the sums while it is not administered, marked or not.
    const SubtestMeans withoutSo = computeSubtestMeans(scaled, marked, true);
    EXPECT_EQ(withoutSo.performanceSum, 49);
    EXPECT_EQ(withoutSo.performanceCount, 5);
    EXPECT_DOUBLE_EQ(*withoutSo.means.performance, 9.8);
}

} // namespace
