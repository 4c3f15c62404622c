#include "EvaluationFixture.h"
#include "evaluation/NormLookup.h"

#include <QDir>

using namespace iksa;
using namespace iksa::test;

namespace {

// Every text of Table3's record buffer.
QStringList bufferTexts(const Table& table) {
    QStringList texts;
    for (const ColumnDef& column : table.schema().columns)
        texts.append(table.text(column.name));
    return texts;
}

QStringList scaledFields() {
    return EvaluationOptions::markedFields();
}

class EvaluationRunTest : public EvaluationFixture {};

TEST_F(EvaluationRunTest, AgeOutsideSixteenToHundredOnlyShowsTheMessage) {
    for (const QString& age : {QStringLiteral("15"), QStringLiteral("101"), QString()}) {
        SCOPED_TRACE(age.toStdString());
        addRecord({{"VEK", age}, {"HS_1_DO", "0"}, {"HS_2_SL", "99"}});
        const QStringList before = bufferTexts(table3());
        page.setReferenceText(1, QStringLiteral("7"));

        EXPECT_FALSE(evaluate());
        EXPECT_EQ(messages.shown, QStringList{EvaluationRun::ageMessage()});
        EXPECT_EQ(EvaluationRun::ageMessage(),
                  QStringLiteral("Není zadaný věk v intervalu 16..100 let!"));
        EXPECT_EQ(table3().state(), TableState::Browse);
        EXPECT_EQ(bufferTexts(table3()), before);
        EXPECT_EQ(page.referenceText(1), QStringLiteral("7"));
    }
}

TEST_F(EvaluationRunTest, EmptyTablesOnlyShowTheAgeMessage) {
    EXPECT_FALSE(evaluate());
    EXPECT_EQ(messages.shown, QStringList{EvaluationRun::ageMessage()});
    EXPECT_EQ(table3().state(), TableState::Browse);
}

TEST_F(EvaluationRunTest, AgesSixteenSixtyAndHundredAreEvaluatedSixtyAndHundredAlike) {
    const QMap<QString, QString> raws{{"HS_1_DO", "12"},   {"HS_2_SL", "30"},   {"HS_3_CSK", "60"},
                                      {"HS_4_POD", "15"},  {"HS_5_KOS", "30"},  {"HS_6_POC", "10"},
                                      {"HS_7_MAT", "12"},  {"HS_8_OPA", "14"},  {"HS_9_INF", "12"},
                                      {"HS_10_ROB", "10"}, {"HS_11_POR", "15"}, {"HS_12_HS", "25"},
                                      {"HS_13_RPC", "9"},  {"HS_14_SO", "25"}};
    QMap<QString, QStringList> scaledByAge;
    for (const QString& age : {QStringLiteral("16"), QStringLiteral("60"), QStringLiteral("100")}) {
        QMap<QString, QString> texts = raws;
        texts[QStringLiteral("VEK")] = age;
        addRecord(texts);
        ASSERT_TRUE(evaluate()) << age.toStdString();
        EXPECT_TRUE(messages.shown.isEmpty());
        EXPECT_EQ(table3().state(), TableState::Edit);
        QStringList scaled;
        for (const QString& field : scaledFields())
            scaled.append(table3().text(field));
        scaledByAge[age] = scaled;
        record.press(NavigatorButton::Post);
    }
    EXPECT_EQ(scaledByAge["60"], scaledByAge["100"]);
    // The scaled scores come from the tables of the examinee's band.
    const Catalogue& catalogue = Catalogue::instance();
    for (int subtest = 1; subtest <= 14; ++subtest) {
        const Subtest& info = catalogue.subtest(subtest);
        EXPECT_EQ(scaledByAge["16"][scaledFields().indexOf(info.scaledField)],
                  QString::number(*NormLookup(norms()).Prevod_HS(TableSet::band(1), subtest,
                                                                 raws[info.rawField].toInt())))
            << info.code.toStdString();
    }
}

TEST_F(EvaluationRunTest, AllScaledScoresTenGiveTheSumsAndTheirCompositeRows) {
    const int age = ageWhereAllReach(10);
    addRecord(*recordScoring(age, 10));
    ASSERT_TRUE(evaluate());
    EXPECT_TRUE(messages.shown.isEmpty());

    for (const QString& field : scaledFields())
        EXPECT_EQ(table3().text(field), QStringLiteral("10")) << field.toStdString();
    const QMap<QString, QString> sums{{"VER_SVS", "60"}, {"PER_SVS", "50"}, {"CIQ_SVS", "110"},
                                      {"VP_SVS", "30"},  {"PU_SVS", "30"},  {"PP_SVS", "30"},
                                      {"RZ_SVS", "20"}};
    for (auto it = sums.begin(); it != sums.end(); ++it)
        EXPECT_EQ(table3().text(it.key()), it.value()) << it.key().toStdString();

    const NormLookup lookup(norms());
    for (const CompositeInfo& info : compositeInfos()) {
        const QString code = QString::fromLatin1(info.code);
        const CompositeRow row = *lookup.Prevod_SVS(info.composite, info.scaledScores * 10);
        EXPECT_EQ(table3().text(code + "_IQ_IS"), QString::number(row.score));
        EXPECT_EQ(table3().text(code + "_PER"), row.percentile);
        EXPECT_EQ(table3().text(code + "_IS_90"), row.ci90);
        EXPECT_EQ(table3().text(code + "_IS_95"), row.ci95);
    }
    // The reference column from the reference group's tables.
    const Catalogue& catalogue = Catalogue::instance();
    for (int subtest = 1; subtest <= 14; ++subtest)
        EXPECT_EQ(page.referenceText(subtest),
                  QString::number(
                      *lookup.Prevod_HS(TableSet::reference(), subtest,
                                        table3().integer(catalogue.subtest(subtest).rawField))));

    // The run ends with the subtest means of all fourteen marked cells.
    EXPECT_EQ(page.meanPanel().verbalSum, QStringLiteral("70"));
    EXPECT_EQ(page.meanPanel().totalCount, QStringLiteral("14"));
    EXPECT_EQ(page.meanPanel().overallMean, QStringLiteral("10.00"));

    // Results reach the file when the record is posted.
    record.press(NavigatorButton::Post);
    DataModule reopened;
    RecordingMessages quiet;
    reopened.open(tmp.dir(), quiet, DataModule::Access::ReadOnly);
    EXPECT_EQ(reopened.table3().text(QStringLiteral("CIQ_SVS")), QStringLiteral("110"));
}

TEST_F(EvaluationRunTest, AllZeroRecordGivesThirteenMessagesInOrderThenLowestEntries) {
    // Raw scores 1 … 13 typed as 0 are real scores; SO 0 is not reported.
    QMap<QString, QString> texts{{"VEK", "30"}};
    for (const Subtest& subtest : Catalogue::instance().subtests())
        texts[subtest.rawField] = QStringLiteral("0");
    addRecord(texts);
    ASSERT_TRUE(evaluate());

    QStringList expected;
    for (int subtest = 1; subtest <= 13; ++subtest)
        expected.append(EvaluationRun::rawScoreMessage(subtest));
    EXPECT_EQ(messages.shown, expected);
    EXPECT_EQ(messages.shown[0], QStringLiteral("Chybná hodnota HS  Doplňování obrázků "));
    EXPECT_EQ(messages.shown[12], QStringLiteral("Chybná hodnota HS (Řazen písmen a čísel  "));

    const Catalogue& catalogue = Catalogue::instance();
    for (int subtest = 1; subtest <= 13; ++subtest)
        EXPECT_EQ(table3().text(catalogue.subtest(subtest).rawField), QStringLiteral("0"));
    for (const QString& field : scaledFields())
        EXPECT_EQ(table3().text(field), QStringLiteral("1")) << field.toStdString();
    EXPECT_EQ(text("VER_SVS"), QStringLiteral("6"));
    EXPECT_EQ(text("CIQ_SVS"), QStringLiteral("11"));
    EXPECT_EQ(text("RZ_SVS"), QStringLiteral("2"));

    record.press(NavigatorButton::Post);
    EXPECT_EQ(table3().storedText(1, table3().fieldIndex(QStringLiteral("HS_1_DO"))),
              QStringLiteral("0"));
}

TEST_F(EvaluationRunTest, MaximumPassesAndMaximumPlusOneIsReportedResetAndScoredLowest) {
    const Catalogue& catalogue = Catalogue::instance();
    const TableSet band = TableSet::band(4);
    for (const int extra : {0, 1}) {
        SCOPED_TRACE(extra);
        QMap<QString, QString> texts{{"VEK", "27"}};
        for (const Subtest& subtest : catalogue.subtests())
            texts[subtest.rawField] = QString::number(subtest.maximum + extra);
        addRecord(texts);
        ASSERT_TRUE(evaluate());

        QStringList expected;
        for (int subtest = 1; extra == 1 && subtest <= 14; ++subtest)
            expected.append(EvaluationRun::rawScoreMessage(subtest));
        EXPECT_EQ(messages.shown, expected);
        for (const Subtest& subtest : catalogue.subtests()) {
            const NormTable& table = norms().table(band, subtest.number);
            const bool reset = extra == 1 && subtest.number != 14; // SO is never reset
            EXPECT_EQ(table3().text(subtest.rawField),
                      reset ? QStringLiteral("0") : QString::number(subtest.maximum + extra));
            const int scaled = extra == 0 ? table.last().scaled : 1;
            EXPECT_EQ(table3().text(subtest.scaledField), QString::number(scaled))
                << subtest.code.toStdString();
        }
        record.press(NavigatorButton::Post);
    }
    EXPECT_EQ(EvaluationRun::rawScoreMessage(14),
              QStringLiteral("Chybná hodnota HS (Skládání objektů)"));
}

TEST_F(EvaluationRunTest, SkladaniObjektuMinusOneIsNotAdministeredAndZeroIsShown) {
    QMap<QString, QString> texts = *recordScoring(ageWhereAllReach(10), 10);
    texts[QStringLiteral("HS_14_SO")] = QStringLiteral("-1");
    addRecord(texts);
    ASSERT_TRUE(evaluate());
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(record.soNotAdministered());
    EXPECT_TRUE(record.soCellsHidden());
    EXPECT_EQ(text("PER_SO"), QStringLiteral("0"));
    EXPECT_EQ(text("PER_SVS"), QStringLiteral("50"));
    EXPECT_EQ(page.referenceText(14), QString());
    // SO leaves the performance mean while it is not administered.
    EXPECT_EQ(page.meanPanel().performanceCount, QStringLiteral("6"));

    record.setText(QStringLiteral("HS_14_SO"), QStringLiteral("0"));
    ASSERT_TRUE(evaluate());
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_FALSE(record.soNotAdministered());
    EXPECT_FALSE(record.soCellsHidden());
    EXPECT_EQ(text("PER_SO"), QStringLiteral("1"));
    EXPECT_EQ(page.referenceText(14), QStringLiteral("1"));
    EXPECT_EQ(text("PER_SVS"), QStringLiteral("50"));
}

TEST_F(EvaluationRunTest, RawScoresWithoutEntryScoreTheTablesLowestEntry) {
    // Band 35–44: SO 0 … 7 have no entry, the table starts at raw 8; a
    // negative score other than SO's −1 passes the check without a message.
    const NormEntry soFirst = NormLookup(norms()).lowestEntry(TableSet::band(6), 14);
    ASSERT_EQ(soFirst.first, 8);
    for (const int soRaw : {0, 7, 53}) {
        SCOPED_TRACE(soRaw);
        QMap<QString, QString> texts = *recordScoring(ageWhereAllReach(10), 10);
        texts[QStringLiteral("VEK")] = QStringLiteral("40");
        texts[QStringLiteral("HS_1_DO")] = QStringLiteral("-3");
        texts[QStringLiteral("HS_14_SO")] = QString::number(soRaw);
        addRecord(texts);
        ASSERT_TRUE(evaluate());
        EXPECT_EQ(messages.shown,
                  soRaw > 52 ? QStringList{EvaluationRun::rawScoreMessage(14)} : QStringList{});
        EXPECT_EQ(text("HS_1_DO"), QStringLiteral("-3"));
        EXPECT_EQ(text("PER_DO"), QStringLiteral("1"));
        EXPECT_EQ(text("HS_14_SO"), QString::number(soRaw));
        EXPECT_EQ(text("PER_SO"), QString::number(soFirst.scaled));
        record.press(NavigatorButton::Post);
    }
}

TEST_F(EvaluationRunTest, RunWritesTheResultFieldsIntoTheBufferOnly) {
    QMap<QString, QString> texts{{"VEK", "45"}};
    for (const Subtest& subtest : Catalogue::instance().subtests())
        texts[subtest.rawField] = QString::number(subtest.maximum);
    texts[QStringLiteral("HS_1_DO")] = QStringLiteral("40");
    texts[QStringLiteral("HS_2_SL")] = QStringLiteral("0");
    addRecord(texts);
    EvaluationRun run(record, options, page, messages);
    ASSERT_TRUE(run.Button2Click());
    const QStringList written = run.writtenFields();
    EXPECT_EQ(written.size(), 2 + 14 + 7 + 28); // the resets, then the results
    EXPECT_EQ(written.mid(0, 2), (QStringList{"HS_1_DO", "HS_2_SL"}));
    EXPECT_EQ(written.mid(2, 2), (QStringList{"VER_S", "VER_PO"}));
    EXPECT_EQ(written.last(), QStringLiteral("IRZ_IS_95"));

    // Nothing was stored: a cancel brings the record back.
    record.press(NavigatorButton::Cancel);
    EXPECT_EQ(text("HS_1_DO"), QStringLiteral("40"));
    EXPECT_EQ(text("VER_SVS"), QString());
}

TEST_F(EvaluationRunTest, TabSheet15ShowFollowsHs14So) {
    const std::array<std::pair<const char*, bool>, 4> cases{
        {{"-1", true}, {"0", false}, {"", false}, {"12", false}}};
    for (const auto& [so, hidden] : cases) {
        SCOPED_TRACE(so);
        addRecord({{"VEK", "30"}, {"HS_14_SO", so}});
        record.setSoNotAdministered(!hidden);
        record.setSoCellsHidden(!hidden);
        TabSheet15Show(record);
        EXPECT_EQ(record.soNotAdministered(), hidden);
        EXPECT_EQ(record.soCellsHidden(), hidden);
    }
}

} // namespace
