// iksa-cli's record commands end to end, as a script would use them.
#include "RecordsFixture.h"

using namespace iksa;
using namespace iksa::test;

namespace {

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(runCli({"init", dir}).exitCode, 0);
        for (const char* surname : {"Kos", "Dub", "kos"})
            ASSERT_EQ(runCli({"add", dir, QStringLiteral("PRIJM=") + QString::fromUtf8(surname),
                              "VEK=30"})
                          .exitCode,
                      0);
    }

    QByteArray snapshot() const {
        return fileBytes(tmp.file("IKSA.DBF")) + fileBytes(tmp.file("IKSA_II.DBF")) +
               fileBytes(tmp.file("IKSA_HS_Vyp.DBF"));
    }

    TempDir tmp;
    QString dir = tmp.path();
};

} // namespace

TEST_F(CliTest, RecordCommandsWorkTogether) {
    const QString today = QDate::currentDate().toString(QStringLiteral("d.M.yyyy"));
    ProcessRun r =
        runCli({"add", dir, "PRIJM=Čermák", "JMENO=Jiří", "VEK=41", "S_1_1=1", "2:S_6_1=2"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "4\n");

    r = runCli({"list", dir});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out,
              QStringLiteral("1\t0\tKos\t\t30\t%1\n2\t1\tDub\t\t30\t%1\n3\t2\tkos\t\t30\t%1\n"
                             "4\t3\tČermák\tJiří\t41\t%1\n")
                  .arg(today));

    r = runCli({"set", dir, "2", "PRIJM=Dubová", "HS_14_SO=-1", "1:JMENO=neplněno"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = runCli(
        {"get", dir, "2", "PRIJM", "1:PRIJM", "2:PRIJM", "HS_14_SO", "1:JMENO", "S_1_1", "ID"});
    EXPECT_EQ(r.out, "Dubová\nDubová\nDubová\n-1\nneplněno\n\n1\n");
    r = runCli({"get", dir, "4", "S_1_1", "S_6_1", "2:ID", "1:ID"});
    EXPECT_EQ(r.out, "1\n2\n3\n3\n");

    r = runCli({"search", dir, "KOS"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "1\n3\n");
    r = runCli({"search", dir, "Ko"});
    EXPECT_EQ(r.exitCode, 1) << "nothing found";
    EXPECT_EQ(r.out, QString());

    ASSERT_EQ(runCli({"delete", dir, "1"}).exitCode, 0);
    r = runCli({"list", dir});
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("1\t1\tDubová"))) << r.out.toStdString();
    EXPECT_EQ(runCli({"search", dir, "kos"}).out, "2\n");
}

TEST_F(CliTest, ListFilterFindsNamesAndExaminersWithoutRegardToCaseOrDiacritics) {
    const QString today = QDate::currentDate().toString(QStringLiteral("d.M.yyyy"));
    ASSERT_EQ(
        runCli({"add", dir, "PRIJM=Dvořák", "JMENO=Jiří", "VEK=41", "EXAMI=Dr. Šimková"}).exitCode,
        0);
    ASSERT_EQ(runCli({"add", dir, "PRIJM=Nováková", "JMENO=Šárka", "VEK=29", "EXAMI=Mgr. Kučera"})
                  .exitCode,
              0);
    const QString dvorak = QStringLiteral("4\t3\tDvořák\tJiří\t41\t%1\n").arg(today);
    const QString novakova = QStringLiteral("5\t4\tNováková\tŠárka\t29\t%1\n").arg(today);
    struct Case {
        QString filter;
        QString out;
    };
    const Case cases[] = {
        {"dvorak", dvorak},
        {"DVOŘ", dvorak},
        {"novak", novakova},
        {"sarka", novakova},  // first name
        {"kucera", novakova}, // examiner
        {"šim", dvorak},
        {"KOS", QStringLiteral("1\t0\tKos\t\t30\t%1\n3\t2\tkos\t\t30\t%1\n").arg(today)},
        {"xyz", QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter.toStdString());
        const ProcessRun r = runCli({"list", dir, "--filter", c.filter});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.out, c.out);
    }
    // A blank filter passes every record, as no filter does.
    EXPECT_EQ(runCli({"list", dir, "--filter", "  "}).out, runCli({"list", dir}).out);
    EXPECT_EQ(runCli({"list", dir}).out.count('\n'), 5);
    for (const QStringList& wrong :
         {QStringList{"list", dir, "--filter"}, QStringList{"list", dir, "--filtr", "kos"}}) {
        const ProcessRun r = runCli(wrong);
        EXPECT_EQ(r.exitCode, 2) << wrong.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("--filter")) << r.err.toStdString();
    }
}

TEST_F(CliTest, ErrorsAreCzechOnStderrAndWriteNothing) {
    const QByteArray before = snapshot();
    struct Case {
        QStringList args;
        QString mentioned;
    };
    const Case cases[] = {
        {{"set", dir, "1", "VEK=31", "S_4_1=x"}, "S_4_1"},
        {{"set", dir, "1", "VEK=31", "PRIJM=Ωmega"}, "Ω"},
        {{"set", dir, "1", "VEK=40000"}, "40000"},
        {{"set", dir, "1", "NIC=1"}, "NIC"},
        {{"set", dir, "1", "VEK"}, "POLE=TEXT"},
        {{"set", dir, "4", "VEK=1"}, "4"},
        {{"set", dir, "0", "VEK=1"}, "0"},
        {{"add", dir, "PRIJM=Nový", "VEK=abc"}, "abc"},
        {{"add", dir, "PRIJM=Nový", "2:NIC=1"}, "NIC"},
        {{"delete", dir, "9"}, "9"},
        {{"get", dir, "1", "NIC"}, "NIC"},
        {{"init", dir}, "IKSA.DBF"},
        {{"list", dir + "/chybí"}, "neexistuje"},
    };
    for (const Case& c : cases) {
        const ProcessRun r = runCli(c.args);
        SCOPED_TRACE(c.args.join(' ').toStdString());
        EXPECT_NE(r.exitCode, 0);
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        EXPECT_TRUE(r.err.contains(c.mentioned)) << r.err.toStdString();
    }
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(runCli({"list", dir}).out.count('\n'), 3);
}

TEST_F(CliTest, WritingCommandWaitsThenRefusesWhileAnotherProgramHoldsTheTables) {
    RecordingMessages messages;
    DataModule running; // the desktop program on the same start directory
    running.open(tmp.dir(), messages);
    qputenv("IKSA_LOCK_WAIT_MS", "50");
    const ProcessRun r = runCli({"set", dir, "1", "VEK=50"});
    qunsetenv("IKSA_LOCK_WAIT_MS");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QDir::toNativeSeparators(tmp.dir().absolutePath())))
        << r.err.toStdString();
    EXPECT_EQ(runCli({"get", dir, "1", "VEK"}).out, "30\n"); // reading is allowed
    running.close();
    EXPECT_EQ(runCli({"set", dir, "1", "VEK=50"}).exitCode, 0);
}
