#include "evaluation/NormLookup.h"

#include "norms/CompiledNorms.h"
#include "scoring/Catalogue.h"

#include <gtest/gtest.h>

using namespace iksa;

namespace {

constexpr int SL = 2;
constexpr int SO = 14;

TEST(NormLookup, AgeBandsAtTheirBoundaries) {
    const std::pair<int, std::optional<int>> cases[] = {
        {-1, std::nullopt},
        {0, std::nullopt},
        {15, std::nullopt},
        {16, 1},
        {17, 1},
        {18, 2},
        {19, 2},
        {20, 3},
        {24, 3},
        {25, 4},
        {29, 4},
        {30, 5},
        {34, 5},
        {35, 6},
        {44, 6},
        {45, 7},
        {54, 7},
        {55, 8},
        {59, 8},
        {60, 9},
        {100, 9},
        {101, std::nullopt},
    };
    for (const auto& [age, band] : cases)
        EXPECT_EQ(Vekove_pasmo(age), band) << "age " << age;
}

// Every one of the 140 tables: its first and last entry, one past the
// maximum, the negative scores, and SO's −1 in the age bands only.
TEST(NormLookup, EdgesOfEveryTable) {
    const NormSet& set = compiledNormSet();
    const NormLookup lookup(set);
    for (int index = 0; index < TableSet::Count; ++index) {
        const TableSet tableSet = *TableSet::fromIndex(index);
        for (const Subtest& subtest : Catalogue::instance().subtests()) {
            SCOPED_TRACE((tableSet.code() + QLatin1Char(' ') + subtest.code).toStdString());
            const NormTable& table = set.table(tableSet, subtest.number);
            const NormEntry first = lookup.lowestEntry(tableSet, subtest.number);
            const bool lateStart = subtest.number == SO && tableSet == TableSet::band(6);
            EXPECT_EQ(first.first, lateStart ? 8 : 0);
            EXPECT_EQ(lookup.Prevod_HS(tableSet, subtest.number, first.first), first.scaled);
            if (!lateStart) {
                EXPECT_EQ(first.scaled, 1);
            }
            EXPECT_EQ(lookup.Prevod_HS(tableSet, subtest.number, subtest.maximum),
                      table.last().scaled);
            EXPECT_EQ(lookup.Prevod_HS(tableSet, subtest.number, subtest.maximum + 1),
                      std::nullopt);
            EXPECT_EQ(lookup.Prevod_HS(tableSet, subtest.number, -2), std::nullopt);
            const bool notAdministered = subtest.number == SO && !tableSet.isReference();
            EXPECT_EQ(lookup.Prevod_HS(tableSet, subtest.number, -1),
                      notAdministered ? std::optional<int>(0) : std::nullopt);
        }
    }
}

TEST(NormLookup, ScaledScoresOfSingleRawScores) {
    struct Case {
        TableSet set;
        int subtest;
        int raw;
        std::optional<int> scaled;
    };
    const Case cases[] = {
        {TableSet::band(1), SL, 0, 1},
        {TableSet::band(1), SL, 5, 1},
        {TableSet::band(1), SL, 6, 2},
        {TableSet::band(1), SL, 65, 19},
        {TableSet::band(1), SL, 66, 19},
        {TableSet::band(1), SL, 67, std::nullopt},
        {TableSet::band(6), SO, 0, std::nullopt},
        {TableSet::band(6), SO, 7, std::nullopt},
        {TableSet::band(6), SO, 8, 1},
        {TableSet::band(6), SO, -1, 0},
        {TableSet::reference(), SO, -1, std::nullopt},
        {TableSet::reference(), SO, 0, 1},
        {TableSet::band(9), SO, -1, 0},
        {TableSet::band(3), 1, -5, std::nullopt},
        {TableSet::band(3), 0, 5, std::nullopt},
        {TableSet::band(3), 15, 5, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Prevod_HS(c.set, c.subtest, c.raw), c.scaled)
            << c.set.code().toStdString() << " subtest " << c.subtest << " raw " << c.raw;
}

TEST(NormLookup, CompositeRowsAtTheEndsOfEachRange) {
    const NormSet& set = compiledNormSet();
    for (const CompositeInfo& info : compositeInfos()) {
        SCOPED_TRACE(info.code);
        const auto& rows = set.composite[static_cast<size_t>(info.composite)];
        ASSERT_EQ(rows.size(), info.rowCount());
        EXPECT_EQ(Prevod_SVS(info.composite, info.lowestSum()), rows.first().second);
        EXPECT_EQ(Prevod_SVS(info.composite, info.highestSum()), rows.last().second);
        EXPECT_EQ(Prevod_SVS(info.composite, info.lowestSum() - 1), std::nullopt);
        EXPECT_EQ(Prevod_SVS(info.composite, info.highestSum() + 1), std::nullopt);
        EXPECT_EQ(Prevod_SVS(info.composite, 0), std::nullopt);
    }
    const std::pair<Composite, std::pair<int, int>> ranges[] = {
        {Composite::VIQ, {6, 114}}, {Composite::PIQ, {5, 95}}, {Composite::CIQ, {11, 209}},
        {Composite::IVP, {3, 57}},  {Composite::IPU, {3, 57}}, {Composite::IPP, {3, 57}},
        {Composite::IRZ, {2, 38}},
    };
    for (const auto& [composite, range] : ranges) {
        EXPECT_EQ(compositeInfo(composite).lowestSum(), range.first);
        EXPECT_EQ(compositeInfo(composite).highestSum(), range.second);
    }
}

TEST(NormLookup, QuotedCompositeRows) {
    EXPECT_EQ(Prevod_SVS(Composite::VIQ, 6), (CompositeRow{45, "<0,1", "42 - 56", "40 - 57"}));
    EXPECT_EQ(Prevod_SVS(Composite::IRZ, 20), (CompositeRow{100, "50", "91 - 109", "89 - 111"}));
}

// The lookup indexes directly; a table with a missing row answers none
// rather than a neighbour's row.
TEST(NormLookup, MisplacedCompositeRowIsNotReturned) {
    NormSet set = compiledNormSet();
    auto& rows = set.composite[static_cast<size_t>(Composite::IRZ)];
    rows.removeAt(5);
    const NormLookup lookup(set);
    EXPECT_EQ(lookup.Prevod_SVS(Composite::IRZ, 6), rows[4].second);
    EXPECT_EQ(lookup.Prevod_SVS(Composite::IRZ, 7), std::nullopt);
    EXPECT_EQ(lookup.Prevod_SVS(Composite::IRZ, 38), std::nullopt);
}

} // namespace
