#include "scoring/KeyFilters.h"

#include <gtest/gtest.h>

using namespace iksa;

// The filters' boundaries, the boxes that take their neighbours' filter, and
// the boxes without one.
TEST(KeyFilters, AcceptTheDigitsOfTheBoxDomain) {
    struct Case {
        const char* field;
        const char* key;
        bool accepted;
    };
    const Case cases[] = {
        {"S_1_1", "1", true},
        {"S_1_1", "2", false},
        {"S_1_25", ",", false},
        {"S_1_1", ".", false},
        // no sign and no other character where the domain has none
        {"S_1_1", "-", false},
        {"S_1_1", "+", false},
        {"S_2_1", "=", false},
        {"S_13_4", "a", false},
        {"S_1_1", "", true},
        {"S_1_1", "\b", true},
        {"S_2_5", "2", true},
        {"S_2_5", "3", false},
        {"S_9_28", "2", false},
        {"S_4_5", "2", false},
        {"S_4_6", "2", true},
        {"S_11_3", "2", false},
        {"S_11_4", "2", true},
        {"S_11_4", "3", false},
        {"S_13_4", "3", true},
        {"S_13_4", "4", false},
        {"S_8_P1_1", "2", false},
        {"S_8_PP7_2", "1", true},
        {"SP_13_7_3", "2", false},
        {"SD_8_8", "2", true},
        {"SD_8_8", "3", false},
        // the boxes between filtered neighbours
        {"S_6_6", "2", false},
        {"S_6_6", "1", true},
        {"S_7_1", "2", false},
        {"S_7_26", "2", false},
        {"SP_8_2", "2", true},
        {"SP_8_2", "3", false},
        {"S_13_1", "3", true},
        {"S_13_1", "4", false},
        {"s_13_1", "4", false},
        // chosen scores, counts, times and responses have no filter
        {"S_5_1", "9", true},
        {"S_6_19", "9", true},
        {"S_14_2", "9", true},
        {"POC_ST_3", "9", true},
        {"C_5_1", ",", true},
        {"O_2_1", ".", true},
        {"NO_SUCH", "9", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(keyAccepted(QString::fromLatin1(c.field), QString::fromLatin1(c.key)), c.accepted)
            << c.field << " key " << c.key;
}

TEST(KeyFilters, FilterOfEachBox) {
    EXPECT_EQ(keyFilterFor(QStringLiteral("S_9_1")), KeyFilter::ZeroToOne);
    EXPECT_EQ(keyFilterFor(QStringLiteral("SP_8_1")), KeyFilter::ZeroToTwo);
    EXPECT_EQ(keyFilterFor(QStringLiteral("S_13_7")), KeyFilter::ZeroToThree);
    EXPECT_EQ(keyFilterFor(QStringLiteral("S_10_1")), KeyFilter::None);
    EXPECT_EQ(keyFilterFor(QStringLiteral("HS_1_DO")), KeyFilter::None);
}
