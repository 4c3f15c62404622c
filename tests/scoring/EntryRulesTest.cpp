#include "scoring/EntryRules.h"

#include "RecordFixture.h"
#include "records/UserError.h"
#include "scoring/Catalogue.h"

using namespace iksa;
using iksa::test::RecordFixture;

namespace {

class EntryRulesTest : public RecordFixture {
protected:
    // The examiner types (or chooses) a text: the box writes it, then its rule runs.
    void type(const char* field, const char* value) {
        record.setText(QString::fromLatin1(field), QString::fromLatin1(value));
        rules.sourceChanged(QString::fromLatin1(field));
    }

    // A sequence of entries and the item score after each.
    struct Step {
        const char* field;
        const char* value;
        const char* itemScore;
    };
    void runSteps(const char* item, std::initializer_list<Step> steps) {
        int n = 0;
        for (const Step& step : steps) {
            type(step.field, step.value);
            EXPECT_EQ(text(item), QString::fromLatin1(step.itemScore))
                << "step " << n++ << ": " << step.field << " = \"" << step.value << "\"";
        }
    }

    EntryRules rules{record};
};

} // namespace

TEST_F(EntryRulesTest, OpaItemScoreFollowsItsTrials) {
    runSteps("SD_8_1", {{"S_8_P1_1", "1", "1"},
                        {"S_8_P1_2", "0", "1"},
                        {"S_8_P1_2", "1", "2"},
                        {"S_8_P1_1", "", ""}, // clearing the first trial clears the item
                        {"S_8_P1_1", "0", "1"}});
    // the second trial alone leaves the item as it is
    store({{"SP_8_3", "2"}});
    runSteps("SP_8_3", {{"S_8_PP3_2", "1", "2"}, {"S_8_PP3_2", "", "2"}});
}

TEST_F(EntryRulesTest, RpcItemScoreFollowsItsTrials) {
    runSteps("S_13_1", {{"SP_13_1_1", "1", "1"},
                        {"SP_13_1_2", "1", "2"},
                        {"SP_13_1_3", "0", "2"},
                        {"SP_13_1_1", "", "2"}, // clearing the first trial leaves the item
                        {"SP_13_1_3", "1", "2"},
                        {"SP_13_1_1", "0", "2"}});
    store({{"S_13_2", "3"}});
    runSteps("S_13_2", {{"SP_13_2_3", "1", "3"}, {"SP_13_2_2", "0", "3"}});
}

TEST_F(EntryRulesTest, TrialThatIsNotAWholeNumberLeavesTheItem) {
    store({{"SD_8_2", "2"}, {"S_8_P2_1", "1"}, {"S_13_3", "1"}, {"SP_13_3_1", "1"}});
    for (const auto& [trial, item] :
         {std::pair{"S_8_P2_2", "SD_8_2"}, std::pair{"SP_13_3_2", "S_13_3"}}) {
        record.setText(QString::fromLatin1(trial), QStringLiteral("-"));
        try {
            rules.sourceChanged(QString::fromLatin1(trial));
            ADD_FAILURE() << trial << " accepted a lone sign";
        } catch (const UserError& error) {
            EXPECT_TRUE(error.message().contains(QStringLiteral("není platné celé číslo")))
                << error.message().toStdString();
        }
        EXPECT_EQ(text(item),
                  item == QLatin1String("SD_8_2") ? QStringLiteral("2") : QStringLiteral("1"));
    }
}

// The key button scores 1, any other 0, a code that matches no button nothing;
// item 1 stores "0" for its first button, where sample A stores "1".
TEST_F(EntryRulesTest, MatrixAnswerKey) {
    const Subtest& mat = Catalogue::instance().subtest(7);
    const Item& item = *mat.items()[3]; // item 1 after the samples A, B, C
    ASSERT_EQ(item.key, QStringLiteral("1"));
    const QStringList codes = item.cell(CellRole::Option)->optionCodes;
    const int key = item.content.keyOption - 1;
    const QString keyCode = codes[key];
    const QString otherCode = codes[(key + 1) % 5];

    struct Case {
        QString option;
        const char* score;
    };
    const Case cases[] = {
        {keyCode, "1"},
        {QStringLiteral("N"), "0"},
        {keyCode, "1"},
        {otherCode, "0"},
        {QStringLiteral("6"), "0"}, // sample A's code for "N" is no button of item 1
        {codes[0], key == 0 ? "1" : "0"},
        {QStringLiteral("1"), key == 0 ? "1" : "0"}, // sample A's code for button 1
    };
    for (const Case& c : cases) {
        record.setText(QStringLiteral("O_7_1"), c.option);
        rules.sourceChanged(QStringLiteral("O_7_1"));
        EXPECT_EQ(text("S_7_1"), QString::fromLatin1(c.score)) << c.option.toStdString();
    }

    // The samples store their option only.
    EXPECT_FALSE(EntryRules::handlesSource(QStringLiteral("O_7_A")));
    EXPECT_FALSE(EntryRules::handlesSource(QStringLiteral("O_7_C")));
    EXPECT_TRUE(EntryRules::handlesSource(QStringLiteral("O_7_26")));
}

TEST_F(EntryRulesTest, RobSecondTrialPassedSetsTheFirstToZero) {
    store({{"S_10_1", "2"}});
    type("S_10_1_2", "0");
    EXPECT_EQ(text("S_10_1"), QStringLiteral("2"));
    type("S_10_1_2", "1");
    EXPECT_EQ(text("S_10_1"), QStringLiteral("0"));
    EXPECT_FALSE(EntryRules::handlesSource(QStringLiteral("S_10_1")));
    EXPECT_FALSE(EntryRules::handlesSource(QStringLiteral("S_10_2")));
}

TEST_F(EntryRulesTest, ClickToggleCyclesAndStartsEditing) {
    ASSERT_TRUE(allBrowsing());
    const QString box = QStringLiteral("S_1_7");
    for (const char* expected : {"0", "1", "0", "1"}) {
        rules.click(box);
        EXPECT_EQ(text("S_1_7"), QString::fromLatin1(expected));
    }
    EXPECT_EQ(data.table1().state(), TableState::Edit);

    // Any other text stays, but the press still starts editing.
    record.setText(QStringLiteral("S_1_9"), QStringLiteral("5"));
    record.press(NavigatorButton::Post);
    rules.click(QStringLiteral("S_1_9"));
    EXPECT_EQ(text("S_1_9"), QStringLiteral("5"));
    EXPECT_EQ(data.table1().state(), TableState::Edit);

    EXPECT_TRUE(EntryRules::hasClickToggle(QStringLiteral("S_1_9")));
    EXPECT_FALSE(EntryRules::hasClickToggle(QStringLiteral("S_1_8")));
    EXPECT_FALSE(EntryRules::hasClickToggle(QStringLiteral("S_1_17")));
    rules.click(QStringLiteral("S_1_8"));
    EXPECT_EQ(text("S_1_8"), QString());
}

// Showing another record never runs a rule: an item score typed without
// trials keeps its stored text next to a record whose trial is filled.
TEST_F(EntryRulesTest, ShowingARecordChangesNothing) {
    type("S_8_P1_1", "1");
    record.press(NavigatorButton::Post);
    record.press(NavigatorButton::Insert);
    store({{"SD_8_1", "2"}});
    record.press(NavigatorButton::First);
    record.press(NavigatorButton::Next);
    EXPECT_EQ(text("SD_8_1"), QStringLiteral("2"));
    EXPECT_TRUE(allBrowsing());
}
