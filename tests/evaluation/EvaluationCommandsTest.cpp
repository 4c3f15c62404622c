#include "TestSupport.h"
#include "evaluation/EvaluationRun.h"
#include "evaluation/NormLookup.h"
#include "norms/CompiledNorms.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace iksa;

namespace {

QStringList lines(const QString& text) {
    QStringList list = text.split(QLatin1Char('\n'));
    if (!list.isEmpty() && list.last().isEmpty())
        list.removeLast();
    return list;
}

// The stored text of a field of record n, read from the files.
QString stored(const test::TempDir& tmp, int n, const QString& field) {
    return test::storedText(tmp.path(), n, field);
}

class EvaluationCommands : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(test::runCli({"init", tmp.path()}).exitCode, 0); }
    void add(const QStringList& assignments) {
        const test::ProcessRun result = test::runCli(QStringList{"add", tmp.path()} + assignments);
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    }
    test::TempDir tmp;
};

// Typed item scores of Doplňování obrázků, Slovník and Informace, scored by
// `iksa-cli score` and evaluated by `iksa-cli evaluate` on the same files.
TEST_F(EvaluationCommands, ItemScoresThroughScoreAndEvaluate) {
    add({"PRIJM=Zkušební", "VEK=35", "HS_14_SO=-1", "S_1_1=1", "S_1_2=1", "S_1_5=1", "S_2_1=2",
         "S_2_2=2", "S_2_3=1", "S_2_4=2", "S_9_1=1", "S_9_2=1", "S_9_3=1"});
    const test::ProcessRun score = test::runCli({"score", tmp.path(), "1", "1", "2", "9"});
    ASSERT_EQ(score.exitCode, 0) << score.err.toStdString();
    EXPECT_EQ(score.out, QStringLiteral("HS_1_DO=3\nHS_2_SL=7\nHS_9_INF=3\n"));

    const test::ProcessRun run = test::runCli({"evaluate", tmp.path(), "1"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // The subtests without item scores read as 0: their messages in order.
    QStringList expected;
    for (const int subtest : {3, 4, 5, 6, 7, 8, 10, 11, 12, 13})
        expected.append(EvaluationRun::rawScoreMessage(subtest));
    EXPECT_EQ(lines(run.err), expected);

    const QStringList out = lines(run.out);
    EXPECT_EQ(out.first(), QStringLiteral("HS_3_CSK=0"));
    const NormLookup lookup(compiledNormSet());
    const TableSet band = TableSet::band(6); // 35–44
    const int sl = *lookup.Prevod_HS(band, 2, 7);
    const int inf = *lookup.Prevod_HS(band, 9, 3);
    EXPECT_TRUE(out.contains(QStringLiteral("VER_S=%1").arg(sl)));
    EXPECT_TRUE(out.contains(QStringLiteral("PER_DO=%1").arg(*lookup.Prevod_HS(band, 1, 3))));
    EXPECT_TRUE(out.contains(QStringLiteral("VP_SVS=%1").arg(sl + 1 + inf)));
    EXPECT_TRUE(out.contains(QStringLiteral("PER_SO=0")));
    EXPECT_TRUE(out.contains(
        QStringLiteral("StaticText46=%1").arg(*lookup.Prevod_HS(TableSet::reference(), 2, 7))));
    EXPECT_EQ(out.last(), QStringLiteral("StaticText58="));
    EXPECT_EQ(out.size(), 10 + 14 + 7 + 28 + 14);

    // Posted: the results and the resets are in the files.
    EXPECT_EQ(stored(tmp, 1, "VER_S"), QString::number(sl));
    EXPECT_EQ(stored(tmp, 1, "HS_4_POD"), QStringLiteral("0"));
    const QString viq = stored(tmp, 1, "VIQ_IQ_IS");
    EXPECT_TRUE(out.contains("VIQ_IQ_IS=" + viq));
}

TEST_F(EvaluationCommands, JsonObjectAndTheAgeRefusal) {
    add({"VEK=15", "HS_2_SL=30"});
    add({"VEK=60", "HS_2_SL=30", "HS_14_SO=-1"});

    const test::ProcessRun refused = test::runCli({"evaluate", tmp.path(), "1"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, EvaluationRun::ageMessage() + "\n");
    EXPECT_TRUE(refused.out.isEmpty());
    EXPECT_EQ(stored(tmp, 1, "VER_S"), QString());

    const test::ProcessRun json = test::runCli({"evaluate", tmp.path(), "2", "--json"});
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    const QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(object.size(), 12 + 14 + 7 + 28 + 14);
    EXPECT_EQ(object.value("HS_1_DO").toString(), QStringLiteral("0"));
    EXPECT_EQ(object.value("PER_SO").toString(), QStringLiteral("0"));
    EXPECT_EQ(object.value("StaticText58").toString(), QString());
    EXPECT_EQ(object.value("CIQ_SVS").toString(), stored(tmp, 2, "CIQ_SVS"));

    // Every record in turn: the refused one is skipped, the exit code says so.
    const test::ProcessRun all = test::runCli({"evaluate", tmp.path(), "all"});
    EXPECT_EQ(all.exitCode, 1);
    EXPECT_FALSE(all.out.contains(QStringLiteral("[1]")));
    EXPECT_TRUE(all.out.startsWith(QStringLiteral("[2]\nHS_1_DO=0\n")));
}

TEST_F(EvaluationCommands, AnalysePrintsTheProtocolTextsAndStoresNothing) {
    add({"VEK=30", "HS_1_DO=12", "HS_2_SL=30", "HS_3_CSK=60", "HS_4_POD=15", "HS_5_KOS=30",
         "HS_6_POC=10", "HS_7_MAT=12", "HS_8_OPA=14", "HS_9_INF=12", "HS_10_ROB=10", "HS_11_POR=15",
         "HS_12_HS=25", "HS_13_RPC=9", "HS_14_SO=20", "RAD_DOP_8=6", "PAR_3=10", "VOL_VYB_3=6",
         "C_HS_OP_3=90"});

    const test::ProcessRun run =
        test::runCli({"analyse", tmp.path(), "1", "--basis", "3", "--level", "0.15"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(lines(run.err), QStringList{"Chybná hodnota max  řady  cisel dopredu"});
    const QStringList out = lines(run.out);
    const qsizetype title = out.indexOf(QStringLiteral("# Tabulka  11 IN subtestů\t0.15"));
    ASSERT_GE(title, 0) << run.out.toStdString();
    EXPECT_EQ(out[title - 2].split('\t').value(3), QStringLiteral("11")); // 6 + 5 subtests
    // Rows 6 and 12 only carry their labels; every row has eight cells.
    EXPECT_EQ(out[title + 6], QStringLiteral("Porozumění\t\t\t\t\t\t\t"));
    EXPECT_EQ(out[title + 12], QStringLiteral("(Řazení obrázků)\t\t\t\t\t\t\t"));
    EXPECT_EQ(out[title + 7].split('\t').size(), 8);
    EXPECT_EQ(out[title + 1].split('\t').value(4).size(), 4); // critical value "d.dd"
    EXPECT_EQ(out[title + 15], QStringLiteral("# Porovnání diskrepancí"));
    EXPECT_TRUE(out[title + 16].startsWith(QStringLiteral("Verbální IQ - Performační IQ\tVIQ\t")));
    EXPECT_EQ(out[title + 23], QStringLiteral("# Číselné řady"));
    EXPECT_TRUE(out[title + 25].startsWith(QStringLiteral("Nejdelší číselná řada dozadu\t\t")));
    EXPECT_EQ(out[title + 26].split('\t').mid(1, 3), (QStringList{"6", "", "6"}));
    EXPECT_EQ(out[title + 27], QStringLiteral("# Volitelné subtesty"));
    EXPECT_EQ(out.size(), title + 31);

    // Neither the evaluation nor the reset reached the files.
    EXPECT_EQ(stored(tmp, 1, "RAD_DOZ_8"), QString());
    EXPECT_EQ(stored(tmp, 1, "VER_S"), QString());

    EXPECT_EQ(test::runCli({"analyse", tmp.path(), "1", "--level", "0.10"}).exitCode, 1);
    EXPECT_EQ(test::runCli({"analyse", tmp.path(), "1", "--basis", "6"}).exitCode, 1);
    EXPECT_EQ(test::runCli({"analyse", tmp.path()}).exitCode, 2);
}

} // namespace
