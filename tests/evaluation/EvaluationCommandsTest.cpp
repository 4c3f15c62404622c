#include "TestSupport.h"
#include "evaluation/EvaluationRun.h"
#include "evaluation/NormLookup.h"
#include "norms/CompiledNorms.h"

#include <QJsonArray>
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
    // The subtests without item scores were not entered: their messages in
    // order, then what could not be computed.
    QStringList expected;
    for (const int subtest : {3, 4, 5, 6, 7, 8, 10, 11, 12, 13})
        expected.append(EvaluationRun::rawScoreMessage(subtest));
    expected.append(QStringLiteral("Nelze vypočítat VIQ, PIQ, CIQ, IVP, IPU, IPP, IRZ: chybí hrubý "
                                   "skór subtestů Symboly, Podobnosti, Kostky, Počty, Matrice, "
                                   "Opakování čísel, Řazení obrázků, Porozumění, Hledání symbolů, "
                                   "Řazení písmen a čísel."));
    EXPECT_EQ(lines(run.err), expected);

    // Nothing is reset: the output starts with the scaled scores.
    const QStringList out = lines(run.out);
    const NormLookup lookup(compiledNormSet());
    const TableSet band = TableSet::band(6); // 35–44
    const int sl = *lookup.Prevod_HS(band, 2, 7);
    EXPECT_EQ(out.first(), QStringLiteral("VER_S=%1").arg(sl));
    EXPECT_TRUE(out.contains(QStringLiteral("VER_INF=%1").arg(*lookup.Prevod_HS(band, 9, 3))));
    EXPECT_TRUE(out.contains(QStringLiteral("PER_DO=%1").arg(*lookup.Prevod_HS(band, 1, 3))));
    EXPECT_TRUE(out.contains(QStringLiteral("VER_PO=")));
    EXPECT_TRUE(out.contains(QStringLiteral("VP_SVS=")));
    EXPECT_TRUE(out.contains(QStringLiteral("VIQ_IQ_IS=")));
    EXPECT_TRUE(out.contains(QStringLiteral("PER_SO=0")));
    EXPECT_TRUE(out.contains(
        QStringLiteral("StaticText46=%1").arg(*lookup.Prevod_HS(TableSet::reference(), 2, 7))));
    EXPECT_TRUE(out.contains(QStringLiteral("StaticText47=")));
    EXPECT_EQ(out.last(), QStringLiteral("StaticText58="));
    EXPECT_EQ(out.size(), 14 + 7 + 28 + 14);

    // Posted: the results are in the files, and a subtest never given is
    // still empty there.
    EXPECT_EQ(stored(tmp, 1, "VER_S"), QString::number(sl));
    EXPECT_EQ(stored(tmp, 1, "HS_4_POD"), QString());
    EXPECT_EQ(stored(tmp, 1, "VER_PO"), QString());
    EXPECT_EQ(stored(tmp, 1, "VIQ_IQ_IS"), QString());
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
    EXPECT_EQ(object.size(), 14 + 7 + 28 + 14);
    EXPECT_FALSE(object.contains("HS_1_DO")); // not entered, so not reset either
    EXPECT_EQ(object.value("VER_S").toString(), stored(tmp, 2, "VER_S"));
    EXPECT_FALSE(object.value("VER_S").toString().isEmpty());
    EXPECT_EQ(object.value("PER_SO").toString(), QStringLiteral("0"));
    // What was not computed is null: a scaled score, a sum, a composite, a
    // reference-group text.
    for (const char* name : {"PER_DO", "VER_SVS", "CIQ_SVS", "VIQ_IQ_IS", "IRZ_IS_95", "VIQ_PER",
                             "StaticText45", "StaticText58"})
        EXPECT_TRUE(object.value(name).isNull()) << name;
    EXPECT_EQ(
        object.value("StaticText46").toString(),
        QString::number(*NormLookup(compiledNormSet()).Prevod_HS(TableSet::reference(), 2, 30)));

    // Every record in turn: the refused one is skipped, the exit code says so.
    const test::ProcessRun all = test::runCli({"evaluate", tmp.path(), "all"});
    EXPECT_EQ(all.exitCode, 1);
    EXPECT_FALSE(all.out.contains(QStringLiteral("[1]")));
    EXPECT_TRUE(all.out.startsWith(QStringLiteral("[2]\nVER_S=")));
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

TEST_F(EvaluationCommands, AnalyseLeavesASubtestNotEnteredOutOfItsTexts) {
    // Informace not entered: no VIQ, CIQ or IVP.
    add({"VEK=30", "HS_1_DO=12", "HS_2_SL=30", "HS_3_CSK=60", "HS_4_POD=15", "HS_5_KOS=30",
         "HS_6_POC=10", "HS_7_MAT=12", "HS_8_OPA=14", "HS_10_ROB=10", "HS_11_POR=15", "HS_12_HS=25",
         "HS_13_RPC=9", "HS_14_SO=20", "RAD_DOP_8=6", "RAD_DOZ_8=5", "PAR_3=10", "VOL_VYB_3=6",
         "C_HS_OP_3=90"});
    const test::ProcessRun run = test::runCli({"analyse", tmp.path(), "1"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(lines(run.err),
              (QStringList{EvaluationRun::rawScoreMessage(9),
                           "Nelze vypočítat VIQ, CIQ, IVP: chybí hrubý skór subtestu Informace."}));
    const QStringList out = lines(run.out);
    EXPECT_EQ(out[2].split('\t').value(3), QStringLiteral("13")); // "Počet subtestů"
    EXPECT_TRUE(out.contains(QStringLiteral("Informace\t\t\t\t\t\t\t")));
    // Comparisons with VIQ or IVP carry only their labels.
    const qsizetype comparisons = out.indexOf(QStringLiteral("# Porovnání diskrepancí"));
    ASSERT_GE(comparisons, 0);
    const QList<bool> complete{false, false, false, true, false, true, true};
    for (int k = 0; k < 7; ++k) {
        const QStringList cells = out[comparisons + 1 + k].split('\t');
        EXPECT_EQ(cells.size(), 8) << k;
        EXPECT_EQ(cells.value(1).isEmpty(), !complete[k]) << k;
        EXPECT_EQ(cells.value(7).isEmpty(), !complete[k]) << k;
    }

    // The same as JSON: what was not computed is null.
    const test::ProcessRun json = test::runCli({"analyse", tmp.path(), "1", "--json"});
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    const QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(object["means"]["totalCount"].toString(), QStringLiteral("13"));
    const QJsonArray rows = object["strengths"]["rows"].toArray();
    ASSERT_EQ(rows.size(), 14);
    EXPECT_EQ(rows[4]["label"].toString(), QStringLiteral("Informace"));
    for (const char* name : {"score", "mean", "deviation", "critical", "frequency"})
        EXPECT_TRUE(rows[4][name].isNull()) << name;
    EXPECT_FALSE(rows[4]["best"].toBool() || rows[4]["weakest"].toBool());
    EXPECT_FALSE(rows[0]["score"].toString().isEmpty());
    const QJsonArray pairs = object["comparisons"].toArray();
    ASSERT_EQ(pairs.size(), 7);
    for (qsizetype k = 0; k < 7; ++k) {
        EXPECT_EQ(pairs[k]["score1"].isNull(), !complete[k]) << k;
        EXPECT_EQ(pairs[k]["baseRate"].isNull(), !complete[k]) << k;
    }
    EXPECT_FALSE(pairs[0]["label"].isNull());
}

TEST_F(EvaluationCommands, ProtocolOfAnIncompleteRecordNamesWhatIsMissing) {
    add({"PRIJM=Zkušební", "VEK=30", "HS_1_DO=12", "HS_2_SL=30", "HS_14_SO=-1", "RAD_DOP_8=6",
         "RAD_DOZ_8=5", "PAR_3=10", "VOL_VYB_3=6", "C_HS_OP_3=90"});
    const QString pdf = tmp.file(QStringLiteral("protokol.pdf"));
    const test::ProcessRun run = test::runCli({"protocol", tmp.path(), "1", pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("Nelze vypočítat VIQ, PIQ, CIQ")));
    const test::ProcessRun text = test::runProgram(QStringLiteral("pdftotext"), {pdf, "-"});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    // Once on each page, with the names of the twelve subtests not entered
    // (Skládání objektů was not administered, which is not missing).
    EXPECT_EQ(text.out.count(QStringLiteral("Neúplné vyšetření – chybí: Symboly, Podobnosti")), 3);
    EXPECT_FALSE(text.out.contains(QStringLiteral("Skládání objektů,")));
    EXPECT_EQ(stored(tmp, 1, "VIQ_IQ_IS"), QString());
    EXPECT_EQ(stored(tmp, 1, "HS_3_CSK"), QString());
}

} // namespace
