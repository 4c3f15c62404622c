#include "report/DiscrepancyAnalysis.h"

#include "norms/CompiledNorms.h"
#include "norms/NormSet.h"

#include <gtest/gtest.h>

using namespace iksa;

namespace {

const NormSet& norms() {
    return compiledNormSet();
}

// Scores in the order VIQ, PIQ, CIQ, IVP, IPU, IPP, IRZ; none for one not computed.
using Scores = std::array<std::optional<int>, 7>;

TEST(DiscrepancyAnalysis, RowsOfTheSevenComparisons) {
    const std::optional<ComparisonTable> table =
        compareScores(Scores{112, 97, 105, 100, 120, 95, 100}, 16, norms());
    ASSERT_TRUE(table);
    const ComparisonRow& first = (*table)[0];
    EXPECT_EQ(first.label, QStringLiteral("Verbální IQ - Performační IQ"));
    EXPECT_EQ(first.shortName1, QStringLiteral("VIQ"));
    EXPECT_EQ(first.shortName2, QStringLiteral("PIQ"));
    EXPECT_EQ(first.score1, QStringLiteral("112"));
    EXPECT_EQ(first.score2, QStringLiteral("97"));
    EXPECT_EQ(first.difference, QStringLiteral("15"));
    EXPECT_EQ(first.critical, QStringLiteral("12.69 - 17.27"));
    EXPECT_EQ(first.baseRate, norms().indexBaseRateList(1)[25]);

    const QStringList pairs{"VIQ-PIQ", "IVP-IPU", "IVP-IPP", "IPU-IRZ",
                            "IVP-IRZ", "IPU-IPP", "IPP-IRZ"};
    const QStringList differences{"15", "-20", "5", "20", "0", "25", "-5"};
    for (int k = 0; k < 7; ++k) {
        const ComparisonRow& row = (*table)[static_cast<size_t>(k)];
        EXPECT_EQ(row.shortName1 + "-" + row.shortName2, pairs[k]);
        EXPECT_EQ(row.difference, differences[k]);
        EXPECT_EQ(row.critical, norms().indexCriticalValue(k + 1, 1));
    }
    EXPECT_EQ((*table)[6].label, QStringLiteral("Pracovní paměť - Rychlost zpracování"));
}

TEST(DiscrepancyAnalysis, BaseRatesAtFortyAndBeyondAndAtZero) {
    const std::vector<std::pair<int, const char*>> cases{{40, "0.2"},  {-40, "0.2"},  {41, "0.2"},
                                                         {-75, "0.2"}, {0, "100.00"}, {1, "94.4"},
                                                         {-2, "86.6"}};
    for (const auto& [difference, text] : cases) {
        const auto table =
            compareScores(Scores{100 + difference, 100, 100, 100, 100, 100, 100}, 30, norms());
        ASSERT_TRUE(table);
        EXPECT_EQ((*table)[0].difference, QString::number(difference));
        EXPECT_EQ((*table)[0].baseRate, QString::fromLatin1(text)) << difference;
    }
}

TEST(DiscrepancyAnalysis, AComparisonWithAScoreNotComputedCarriesOnlyItsLabel) {
    // IVP and PIQ not computed: comparisons 1, 2, 3 and 5 lose their texts.
    const std::optional<ComparisonTable> table =
        compareScores(Scores{112, std::nullopt, 105, std::nullopt, 120, 95, 100}, 30, norms());
    ASSERT_TRUE(table);
    const std::array<bool, 7> complete{false, false, false, true, false, true, true};
    for (size_t k = 0; k < 7; ++k) {
        const ComparisonRow& row = (*table)[k];
        EXPECT_FALSE(row.label.isEmpty()) << k;
        EXPECT_EQ(row.complete, complete[k]) << k;
        const QStringList texts{row.shortName1, row.shortName2, row.score1,  row.score2,
                                row.difference, row.critical,   row.baseRate};
        for (const QString& text : texts)
            EXPECT_EQ(text.isEmpty(), !complete[k]) << k;
    }
    EXPECT_EQ((*table)[5].difference, QStringLiteral("25"));
}

TEST(DiscrepancyAnalysis, AgeGroupsOfPageThree) {
    const Scores scores{100, 100, 100, 100, 100, 100, 100};
    for (const int age : {15, 101, 0})
        EXPECT_FALSE(compareScores(scores, age, norms())) << age;
    const std::vector<std::pair<int, int>> groups{{16, 1}, {17, 1}, {18, 2}, {44, 6},
                                                  {45, 7}, {60, 9}, {100, 9}};
    for (const auto& [age, group] : groups)
        EXPECT_EQ((*compareScores(scores, age, norms()))[3].critical,
                  norms().indexCriticalValue(4, group))
            << age;
}

} // namespace
