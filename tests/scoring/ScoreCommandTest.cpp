#include "TestSupport.h"
#include "records/DataModule.h"
#include "records/ExamineeRecord.h"

#include <gtest/gtest.h>

using namespace iksa;

// Scores record 2 of real table files and reads the stored raw scores back.
TEST(ScoreCommand, WritesAndStoresTheRawScores) {
    test::TempDir tmp;
    {
        DataModule::createEmptyTables(tmp.dir());
        test::RecordingMessages messages;
        DataModule data;
        data.open(tmp.dir(), messages);
        ExamineeRecord record(data);
        record.press(NavigatorButton::Insert);
        record.press(NavigatorButton::Insert);
        for (const auto& [field, text] : {std::pair{"S_2_1", "2"},
                                          {"S_2_2", "1"},
                                          {"POC_ST_3", "50"},
                                          {"SD_8_1", "2"},
                                          {"SD_8_2", "0"},
                                          {"SP_8_1", "1"},
                                          {"HS_14_SO", "-1"},
                                          {"S_14_2", "12"}})
            record.setText(QString::fromLatin1(field), QString::fromLatin1(text));
        record.press(NavigatorButton::Post);
    }

    const test::ProcessRun run =
        test::runCli({QStringLiteral("score"), tmp.path(), QStringLiteral("2"), QStringLiteral("2"),
                      QStringLiteral("3"), QStringLiteral("8"), QStringLiteral("14")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // CSK lacks its count of wrong symbols and prints nothing.
    EXPECT_EQ(run.out, QStringLiteral("HS_2_SL=3\nDOP_8=2\nRAD_DOP_8=1\nPOZ_8=1\nRAD_DOZ_8=7\n"
                                      "HS_8_OPA=3\nHS_14_SO=12\n"));

    test::RecordingMessages messages;
    DataModule data;
    data.open(tmp.dir(), messages, DataModule::Access::ReadOnly);
    ExamineeRecord record(data);
    record.moveTo(2);
    EXPECT_EQ(record.text(QStringLiteral("HS_2_SL")), QStringLiteral("3"));
    EXPECT_EQ(record.text(QStringLiteral("HS_8_OPA")), QStringLiteral("3"));
    EXPECT_EQ(record.text(QStringLiteral("HS_14_SO")), QStringLiteral("12"));
    EXPECT_EQ(record.text(QStringLiteral("HS_3_CSK")), QString());
    EXPECT_EQ(record.text(QStringLiteral("HS_1_DO")), QString()); // not among the subtests run
    record.moveTo(1);
    EXPECT_EQ(record.text(QStringLiteral("HS_2_SL")), QString());

    const test::ProcessRun bad = test::runCli(
        {QStringLiteral("score"), tmp.path(), QStringLiteral("3"), QStringLiteral("1")});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.out.isEmpty());
}
