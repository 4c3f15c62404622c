#include "records/TextConversion.h"

#include "records/UserError.h"

#include <gtest/gtest.h>

using namespace iksa;

TEST(TextConversion, WholeNumbers) {
    EXPECT_EQ(toWholeNumber(QStringLiteral("12")), 12);
    EXPECT_EQ(toWholeNumber(QStringLiteral(" -1 ")), -1);
    EXPECT_EQ(toWholeNumber(QStringLiteral("+7")), 7);
    for (const char* bad : {"", "-", "+", "1a", "1.5", "x"})
        EXPECT_THROW(toWholeNumber(QString::fromLatin1(bad)), UserError) << bad;
}

TEST(TextConversion, FieldTextReadsEmptyAsZero) {
    EXPECT_EQ(fieldTextAsInteger(QString()), 0);
    EXPECT_EQ(fieldTextAsInteger(QStringLiteral("1")), 1);
    EXPECT_EQ(fieldTextAsInteger(QStringLiteral("2.5")), 3);
    EXPECT_THROW(fieldTextAsInteger(QStringLiteral("-")), UserError);
}

TEST(TextConversion, MessageNamesTheText) {
    try {
        toWholeNumber(QStringLiteral("abc"));
        FAIL();
    } catch (const UserError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("abc")));
    }
}
