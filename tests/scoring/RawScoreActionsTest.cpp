#include "scoring/RawScoreActions.h"

#include "RecordFixture.h"
#include "records/UserError.h"

#include <vector>

using namespace iksa;
using iksa::test::RecordFixture;

namespace {

class RawScoreActionsTest : public RecordFixture {
protected:
    RawScoreActions actions{record};
};

using Texts = RecordFixture::Texts;

struct Case {
    const char* name;
    const char* handler;
    Texts stored;   // the record's texts before the action
    Texts expected; // texts after it; an action that writes nothing keeps them
    bool writes;
};

const Case cases[] = {
    {"empty page gives 0", "Label507Click", {}, {{"HS_1_DO", "0"}}, true},
    {"DO counts 1 only",
     "Label507Click",
     {{"S_1_1", "1"}, {"S_1_2", "2"}, {"S_1_3", "0"}, {"S_1_25", "1"}},
     {{"HS_1_DO", "2"}},
     true},
    {"SL 2, 1, 0, empty",
     "Label508Click",
     {{"S_2_1", "2"}, {"S_2_2", "1"}, {"S_2_3", "0"}},
     {{"HS_2_SL", "3"}},
     true},
    {"POD 2 counts on its page",
     "Label520Click",
     {{"S_4_1", "1"}, {"S_4_6", "2"}, {"S_4_19", "2"}},
     {{"HS_4_POD", "5"}},
     true},
    {"KOS chosen values within their check",
     "Label521Click",
     {{"S_5_1", "2"}, {"S_5_2", "1"}, {"S_5_3", "3"}, {"S_5_6", "7"}, {"S_5_14", "7"}},
     {{"HS_5_KOS", "17"}},
     true},
    {"POC typed and chosen",
     "Label526Click",
     {{"S_6_1", "1"}, {"S_6_6", "2"}, {"S_6_18", "1"}, {"S_6_19", "2"}, {"S_6_20", "3"}},
     {{"HS_6_POC", "4"}},
     true},
    {"MAT 2 counts nothing",
     "Label530Click",
     {{"S_7_1", "1"}, {"S_7_2", "2"}, {"S_7_26", "1"}},
     {{"HS_7_MAT", "2"}},
     true},
    {"INF", "Label534Click", {{"S_9_1", "1"}, {"S_9_28", "1"}}, {{"HS_9_INF", "2"}}, true},
    {"ROB rows and their checks",
     "Label300Click",
     {{"S_10_1", "2"}, {"S_10_1_2", "1"}, {"S_10_5", "7"}, {"S_10_6", "7"}, {"S_10_11", "2"}},
     {{"HS_10_ROB", "12"}},
     true},
    {"POR", "Label536Click", {{"S_11_1", "1"}, {"S_11_4", "2"}}, {{"HS_11_POR", "3"}}, true},
    {"SO sum replaces not administered",
     "Label538Click",
     {{"HS_14_SO", "-1"},
      {"S_14_1", "8"},
      {"S_14_2", "12"},
      {"S_14_3", "11"},
      {"S_14_4", "10"},
      {"S_14_5", "11"}},
     {{"HS_14_SO", "52"}},
     true},
    {"CSK filled equals wrong",
     "Label544Click",
     {{"POC_ST_3", "50"}, {"POC_CH_3", "50"}, {"HS_3_CSK", "7"}},
     {{"HS_3_CSK", "7"}},
     false},
    {"CSK filled below wrong",
     "Label544Click",
     {{"POC_ST_3", "3"}, {"POC_CH_3", "50"}},
     {{"HS_3_CSK", ""}},
     false},
    {"CSK without wrong", "Label544Click", {{"POC_ST_3", "50"}}, {{"HS_3_CSK", ""}}, false},
    {"CSK 50 and 3",
     "Label544Click",
     {{"POC_ST_3", "50"}, {"POC_CH_3", "3"}, {"HS_3_CSK", "7"}},
     {{"HS_3_CSK", "47"}},
     true},
    {"HS goes negative",
     "Button20Click",
     {{"POC_SP_12", "10"}, {"POC_NE_12", "12"}},
     {{"HS_12_HS", "-2"}},
     true},
    {"HS without correct",
     "Button20Click",
     {{"POC_NE_12", "12"}, {"HS_12_HS", "5"}},
     {{"HS_12_HS", "5"}},
     false},
    {"OPA forward stops at the first 0",
     "Label531Click",
     {{"SD_8_1", "2"}, {"SD_8_2", "1"}, {"SD_8_3", "1"}, {"SD_8_4", "0"}, {"SD_8_6", "2"}},
     {{"DOP_8", "6"}, {"RAD_DOP_8", "3"}},
     true},
    {"OPA forward without 0",
     "Label531Click",
     {{"SD_8_1", "2"}, {"SD_8_3", "1"}},
     {{"DOP_8", "3"}, {"RAD_DOP_8", "8"}},
     true},
    {"OPA forward first item 0",
     "Label531Click",
     {{"SD_8_1", "0"}, {"SD_8_2", "2"}},
     {{"DOP_8", "2"}, {"RAD_DOP_8", "0"}},
     true},
    {"OPA backward",
     "Label532Click",
     {{"SP_8_1", "1"}, {"SP_8_2", "1"}, {"SP_8_4", "2"}, {"SP_8_5", "0"}, {"SP_8_7", "2"}},
     {{"POZ_8", "6"}, {"RAD_DOZ_8", "4"}},
     true},
    {"OPA backward empty", "Label532Click", {}, {{"POZ_8", "0"}, {"RAD_DOZ_8", "7"}}, true},
    {"OPA total from the stored parts",
     "Label533Click",
     {{"DOP_8", "4"}, {"POZ_8", "5"}, {"SD_8_1", "2"}},
     {{"HS_8_OPA", "9"}},
     true},
    {"OPA total without backward",
     "Label533Click",
     {{"DOP_8", "4"}, {"HS_8_OPA", "3"}},
     {{"HS_8_OPA", "3"}},
     false},
    {"RPC counts the passed trials",
     "Label537Click",
     {{"SP_13_1_1", "1"},
      {"SP_13_1_2", "0"},
      {"S_13_1", "3"},
      {"S_13_2", "3"}, // no trials: keeps its score, adds nothing
      {"SP_13_3_1", "1"},
      {"SP_13_3_2", "1"},
      {"SP_13_3_3", "1"},
      {"SP_13_7_2", "0"},
      {"S_13_7", "2"}},
     {{"S_13_1", "1"}, {"S_13_2", "3"}, {"S_13_3", "3"}, {"S_13_7", "0"}, {"HS_13_RPC", "4"}},
     true},
};

} // namespace

TEST_F(RawScoreActionsTest, EachActionByItsRule) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        record.press(NavigatorButton::Insert);
        store(c.stored);
        ASSERT_TRUE(allBrowsing());

        const QStringList written = actions.run(QString::fromLatin1(c.handler));

        for (const auto& [field, value] : c.expected)
            EXPECT_EQ(text(field), QString::fromLatin1(value)) << field;
        EXPECT_EQ(!written.isEmpty(), c.writes);
        // Writing goes through the edit protocol; an action that writes nothing
        // leaves the record as it was.
        EXPECT_EQ(allEditing(), c.writes);
        EXPECT_EQ(allBrowsing(), !c.writes);
        record.press(NavigatorButton::Post);
    }
}

TEST_F(RawScoreActionsTest, ReportsTheFieldsItWrote) {
    store({{"SP_13_2_1", "1"}});
    EXPECT_EQ(actions.run(QStringLiteral("Label537Click")), (QStringList{"S_13_2", "HS_13_RPC"}));
    EXPECT_EQ(actions.run(QStringLiteral("Label531Click")), (QStringList{"DOP_8", "RAD_DOP_8"}));
    EXPECT_TRUE(actions.run(QStringLiteral("Button20Click")).isEmpty());
}

// A count that is not a whole number stops the action before anything is
// written; HS and the OPA total have entered editing by then, CSK has not.
TEST_F(RawScoreActionsTest, CountThatIsNotAWholeNumber) {
    struct Failure {
        const char* handler;
        Texts typed;
        const char* raw;
        bool editing;
    };
    const Failure failures[] = {
        {"Label544Click", {{"POC_ST_3", "-"}, {"POC_CH_3", "3"}}, "HS_3_CSK", false},
        {"Button20Click", {{"POC_SP_12", "10"}, {"POC_NE_12", "+"}}, "HS_12_HS", true},
        {"Label533Click", {{"DOP_8", "4"}, {"POZ_8", "-"}}, "HS_8_OPA", true},
    };
    for (const Failure& f : failures) {
        SCOPED_TRACE(f.handler);
        store({{f.raw, "7"}});
        for (const auto& [field, value] : f.typed) // typing puts Table3 alone into editing
            record.setText(QString::fromLatin1(field), QString::fromLatin1(value));
        EXPECT_THROW(actions.run(QString::fromLatin1(f.handler)), UserError);
        EXPECT_EQ(text(f.raw), QStringLiteral("7"));
        EXPECT_EQ(data.table1().state() == TableState::Edit, f.editing);
        record.press(NavigatorButton::Cancel);
    }
}

TEST_F(RawScoreActionsTest, HandlersInSubtestOrder) {
    const QStringList all = RawScoreActions::handlers();
    ASSERT_EQ(all.size(), 16);
    EXPECT_EQ(all.first(), QStringLiteral("Label507Click"));
    EXPECT_EQ(all.last(), QStringLiteral("Label538Click"));
    EXPECT_EQ(RawScoreActions::handlersOf(8),
              (QStringList{"Label531Click", "Label532Click", "Label533Click"}));
    EXPECT_EQ(RawScoreActions::handlersOf(12), QStringList{"Button20Click"});
    EXPECT_THROW(actions.run(QStringLiteral("Label999Click")), UserError);
}
