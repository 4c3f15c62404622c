#include "records/SurnameSearch.h"

#include "RecordsFixture.h"

using namespace iksa;
using namespace iksa::test;

namespace {

class SurnameSearchTest : public RecordsFixture {
protected:
    SurnameSearch search{record};
};

} // namespace

TEST_F(SurnameSearchTest, FindsEachMatchInTurnThenRunsOut) {
    add(QStringLiteral("Kos"));
    add(QStringLiteral("Dub"));
    add(QStringLiteral("kos"));
    record.press(NavigatorButton::First);
    EXPECT_EQ(search.buttonCaption(), QStringLiteral("Vyhledat"));

    auto outcome = search.press(QStringLiteral("KOS"));
    EXPECT_TRUE(outcome.found);
    EXPECT_FALSE(outcome.showNotFound);
    EXPECT_EQ(record.recNo(), 1);
    EXPECT_EQ(search.buttonCaption(), QStringLiteral("Další"));

    outcome = search.press(QStringLiteral("KOS"));
    EXPECT_TRUE(outcome.found);
    EXPECT_EQ(record.recNo(), 3);
    // The rows of Table1 and Table2 belong to the same examinee.
    EXPECT_EQ(data.table1().text(QStringLiteral("ID")), QStringLiteral("2"));
    EXPECT_EQ(data.table2().text(QStringLiteral("ID")), QStringLiteral("2"));

    outcome = search.press(QStringLiteral("KOS"));
    EXPECT_FALSE(outcome.found);
    EXPECT_TRUE(outcome.showNotFound);
    EXPECT_TRUE(outcome.hideWindow);
    EXPECT_EQ(record.recNo(), 3); // the last record stays shown
    EXPECT_TRUE(data.table3().eof());
    EXPECT_EQ(search.buttonCaption(), QStringLiteral("Vyhledat"));
}

TEST_F(SurnameSearchTest, NoPartialMatchAndTheFormerRecordIsShownAgain) {
    add(QStringLiteral("Kos"));
    add(QStringLiteral("Dub"));
    record.moveTo(2);
    for (const QString& text :
         {QStringLiteral("Ko"), QStringLiteral("Kos "), QStringLiteral("os")}) {
        const auto outcome = search.press(text);
        EXPECT_FALSE(outcome.found) << text.toStdString();
        EXPECT_TRUE(outcome.showNotFound);
        EXPECT_FALSE(outcome.hideWindow);
        EXPECT_EQ(search.buttonCaption(), QStringLiteral("Vyhledat"));
        EXPECT_EQ(record.recNo(), 2);
        EXPECT_EQ(data.table1().recNo(), 2);
        EXPECT_EQ(data.table2().recNo(), 2);
    }
}

TEST_F(SurnameSearchTest, CzechLettersCompareWithoutRegardToCase) {
    add(QStringLiteral("Novák"));
    add(QStringLiteral("čermák"));
    add(QStringLiteral("Šťastný"));
    EXPECT_TRUE(search.press(QStringLiteral("ČERMÁK")).found);
    EXPECT_EQ(record.recNo(), 2);
    search.cancel();
    EXPECT_TRUE(search.press(QStringLiteral("šŤASTNÝ")).found);
    EXPECT_EQ(record.recNo(), 3);
    search.cancel();
    EXPECT_FALSE(search.press(QStringLiteral("NOVAK")).found); // á is not a
}

TEST_F(SurnameSearchTest, EmptyTextDoesNothingAndEmptyTablesFindNothing) {
    auto outcome = search.press(QString());
    EXPECT_FALSE(outcome.found || outcome.showNotFound || outcome.hideWindow);
    outcome = search.press(QStringLiteral("Kos"));
    EXPECT_FALSE(outcome.found);
    EXPECT_TRUE(outcome.showNotFound);
    EXPECT_TRUE(outcome.hideWindow);
    EXPECT_EQ(search.buttonCaption(), QStringLiteral("Vyhledat"));
}

TEST_F(SurnameSearchTest, CancelRestartsFromTheFirstRecordAndPendingChangesAreStored) {
    add(QStringLiteral("Kos"));
    add(QStringLiteral("Kos"));
    EXPECT_TRUE(search.press(QStringLiteral("kos")).found);
    EXPECT_EQ(record.recNo(), 1);
    search.cancel();
    EXPECT_TRUE(search.press(QStringLiteral("kos")).found);
    EXPECT_EQ(record.recNo(), 1);

    // A continued search goes on after the record now current.
    record.press(NavigatorButton::Next);
    EXPECT_FALSE(search.press(QStringLiteral("kos")).found);

    // A surname typed but not stored is stored by the search, and found.
    record.press(NavigatorButton::First);
    record.setText(QStringLiteral("PRIJM"), QStringLiteral("Dub"));
    EXPECT_TRUE(search.press(QStringLiteral("DUB")).found);
    EXPECT_EQ(record.recNo(), 1);
    EXPECT_EQ(data.table3().state(), TableState::Browse);
    reopen();
    EXPECT_EQ(record.text(QStringLiteral("PRIJM")), QStringLiteral("Dub"));
}
