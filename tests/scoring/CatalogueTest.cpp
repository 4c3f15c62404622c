#include "scoring/Catalogue.h"

#include <gtest/gtest.h>

using namespace iksa;

namespace {

const Catalogue& cat() {
    return Catalogue::instance();
}

int countCells(const std::function<bool(const ItemCell&)>& pred) {
    int n = 0;
    for (const Subtest& s : cat().subtests())
        for (const Item* item : s.items())
            for (const ItemCell& cell : item->cells)
                n += pred(cell) ? 1 : 0;
    return n;
}

} // namespace

TEST(Catalogue, SubtestsInOrderWithTheirFieldsAndMaxima) {
    struct Row {
        const char* code;
        const char* raw;
        int maximum;
        const char* scaled;
        int items;
    };
    const Row rows[] = {
        {"DO", "HS_1_DO", 25, "PER_DO", 25},     {"SL", "HS_2_SL", 66, "VER_S", 33},
        {"CSK", "HS_3_CSK", 133, "PER_CSK", 0},  {"POD", "HS_4_POD", 33, "VER_PO", 19},
        {"KOS", "HS_5_KOS", 68, "PER_KO", 14},   {"POC", "HS_6_POC", 22, "VER_POC", 20},
        {"MAT", "HS_7_MAT", 26, "PER_MAT", 29},  {"OPA", "HS_8_OPA", 30, "VER_OPA", 15},
        {"INF", "HS_9_INF", 28, "VER_INF", 28},  {"ROB", "HS_10_ROB", 22, "PER_RO", 12},
        {"POR", "HS_11_POR", 33, "VER_POR", 18}, {"HS", "HS_12_HS", 60, "PER_HS", 0},
        {"RPC", "HS_13_RPC", 21, "VER_RPC", 7},  {"SO", "HS_14_SO", 52, "PER_SO", 5},
    };
    ASSERT_EQ(cat().subtests().size(), 14);
    for (int n = 1; n <= 14; ++n) {
        const Subtest& s = cat().subtest(n);
        const Row& row = rows[n - 1];
        EXPECT_EQ(s.number, n);
        EXPECT_EQ(s.code, QLatin1String(row.code));
        EXPECT_EQ(s.rawField, QLatin1String(row.raw));
        EXPECT_EQ(s.maximum, row.maximum);
        EXPECT_EQ(s.scaledField, QLatin1String(row.scaled));
        EXPECT_EQ(s.items().size(), row.items) << row.code;
        EXPECT_TRUE(s.caption.startsWith(QString::number(n) + QLatin1Char('.')));
    }
}

// The maxima of the raw scores follow from the item domains.
TEST(Catalogue, ItemDomainsAddUpToTheMaximum) {
    for (const Subtest& s : cat().subtests()) {
        if (s.items().isEmpty())
            continue;
        int sum = 0;
        for (const Item* item : s.items()) {
            if (item->number == 0)
                continue; // MAT samples store their option only
            const ItemCell* score = item->cell(CellRole::Score);
            ASSERT_NE(score, nullptr) << s.code.toStdString() << item->key.toStdString();
            if (item->key == QLatin1String("1_2"))
                continue; // ROB item 1 counts at most 2 over its two trials
            sum += score->domain.maximum;
        }
        EXPECT_EQ(sum, s.maximum) << s.code.toStdString();
    }
}

TEST(Catalogue, ScoreBoxesByKind) {
    // Typed score and trial boxes, and the derived ones that also take typing.
    EXPECT_EQ(countCells([](const ItemCell& c) { return c.domain.kind == ScoreKind::Typed; }),
              25 + 33 + 19 + 18 + 30 + 28 + 18 + 21);
    EXPECT_EQ(countCells([](const ItemCell& c) { return c.domain.kind == ScoreKind::Derived; }),
              26 + 15 + 7);
    EXPECT_EQ(countCells([](const ItemCell& c) { return c.domain.kind == ScoreKind::Chosen; }),
              14 + 2 + 12 + 5);
}

TEST(Catalogue, ChosenGroupsCarryTheirButtonsAndBrackets) {
    const Item* kos1 = cat().subtest(5).items()[0];
    EXPECT_EQ(kos1->cell(CellRole::Score)->domain.buttons, (QStringList{"0", "2", "1"}));
    EXPECT_EQ(kos1->timeLimit, 30);
    const ScoreDomain& kos9 = cat().subtest(5).items()[8]->cell(CellRole::Score)->domain;
    EXPECT_EQ(kos9.brackets.at(4), QStringLiteral("1–10"));
    EXPECT_EQ(kos9.sumCheck, 7);

    const QVector<const Item*> rob = cat().subtest(10).items();
    EXPECT_EQ(rob[1]->key, QStringLiteral("1_2"));
    EXPECT_EQ(rob[1]->cell(CellRole::Score)->field, QStringLiteral("S_10_1_2"));
    EXPECT_EQ(rob[1]->cell(CellRole::Score)->domain.buttons, (QStringList{"0", "1"}));
    EXPECT_EQ(rob[1]->timeLimit, 30);
    EXPECT_EQ(rob[5]->cell(CellRole::Score)->domain.buttons, (QStringList{"0", "1", "2"}));
    EXPECT_EQ(rob[5]->cell(CellRole::Score)->domain.sumCheck, 2); // row 5
    EXPECT_EQ(rob[6]->cell(CellRole::Score)->domain.sumCheck, 7); // row 6

    const QVector<const Item*> so = cat().subtest(14).items();
    EXPECT_EQ(so[1]->cell(CellRole::Score)->domain.buttons.size(), 13);
    EXPECT_EQ(so[3]->multiplier, QStringLiteral("1/2*"));
    EXPECT_EQ(so[3]->cell(CellRole::Joins)->maximum, 14);
    EXPECT_EQ(so[0]->cell(CellRole::Score)->domain.sumCheck, -1);
}

TEST(Catalogue, MatrixOptionCodesDifferForSampleA) {
    const QVector<const Item*> mat = cat().subtest(7).items();
    EXPECT_EQ(mat[0]->key, QStringLiteral("A"));
    EXPECT_EQ(mat[0]->cell(CellRole::Option)->optionCodes,
              (QStringList{"1", "2", "3", "4", "5", "6"}));
    for (int i : {1, 2, 3, 28})
        EXPECT_EQ(mat[i]->cell(CellRole::Option)->optionCodes,
                  (QStringList{"0", "2", "3", "4", "5", "N"}));
    for (const Item* item : mat)
        EXPECT_GE(item->content.keyOption, 1);
}

TEST(Catalogue, StartAndReverseItems) {
    const QVector<const Item*> doItems = cat().subtest(1).items();
    EXPECT_TRUE(doItems[4]->reverse);
    EXPECT_FALSE(doItems[5]->reverse);
    EXPECT_TRUE(doItems[5]->start);
    EXPECT_FALSE(cat().subtest(5).items()[0]->reverse); // KOS starts at 5 without shading
    EXPECT_TRUE(cat().subtest(5).items()[4]->start);
}

TEST(Catalogue, CellOfFindsItemFields) {
    const Catalogue::CellRef ref = cat().cellOf(QStringLiteral("SP_13_4_2"));
    ASSERT_NE(ref.cell, nullptr);
    EXPECT_EQ(ref.subtest->code, QStringLiteral("RPC"));
    EXPECT_EQ(ref.cell->role, CellRole::Trial);
    EXPECT_EQ(ref.cell->trial, 2);
    EXPECT_EQ(cat().cellOf(QStringLiteral("VEK")).cell, nullptr);
}

TEST(Catalogue, ContentIsMarkedPlaceholder) {
    EXPECT_TRUE(cat().contentIsPlaceholder());
    const Section* forward = cat().subtest(8).section(QStringLiteral("forward"));
    ASSERT_NE(forward, nullptr);
    EXPECT_EQ(forward->items[0].content.trialSequences.size(), 2);
}
