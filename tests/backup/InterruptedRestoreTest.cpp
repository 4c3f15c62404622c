// A restore killed part-way, while it writes and while it replaces the
// tables: the tables stay (or come back) as they were.
#include "ArchiveTestSupport.h"
#include "TestSupport.h"
#include "backup/BackupCommands.h"
#include "backup/TBackupFile.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace iksa;
using namespace iksa::test;

namespace {

const QStringList kTables = {QStringLiteral("IKSA.DBF"), QStringLiteral("IKSA_II.DBF"),
                             QStringLiteral("IKSA_HS_Vyp.DBF")};
const QDateTime kDate(QDate(2022, 1, 2), QTime(3, 4, 6), Qt::LocalTime);

class InterruptedRestoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.dir().mkdir(QStringLiteral("target")));
        for (int i = 0; i < 3; ++i)
            writeFile(target(kTables[i]), tableLikeBytes(20000 + i, quint32(i)), kDate);
        before = snapshot(QDir(target()));
    }
    QString target(const QString& name = {}) const {
        return tmp.file(QStringLiteral("target/") + name);
    }
    QStringList temporaries() const {
        return QDir(target()).entryList({QStringLiteral(".iksa-restore-*")},
                                        QDir::Files | QDir::Hidden);
    }

    TempDir tmp;
    QMap<QString, FileState> before;
};

TEST_F(InterruptedRestoreTest, AKilledRestoreLeavesTheTablesAsTheyWere) {
    ASSERT_TRUE(tmp.dir().mkdir(QStringLiteral("prog")));
    for (int i = 0; i < 3; ++i)
        writeFile(tmp.file(QStringLiteral("prog/") + kTables[i]),
                  tableLikeBytes(400000, quint32(10 + i)));
    RecordingMessages messages;
    TBackupFile backupFile(messages);
    const QString archive = tmp.file(QStringLiteral("IKSA.ZAL"));
    ASSERT_TRUE(backupFile.Backup({tmp.file(QStringLiteral("prog/*.dbf"))}, archive));

    QProcess child;
    child.start(QStringLiteral(RESTORE_CHILD),
                {QStringLiteral("restore"), archive, target(), QStringLiteral("70")});
    ASSERT_TRUE(child.waitForReadyRead(60000));
    ASSERT_EQ(child.readAllStandardOutput(), "stalled\n");
    EXPECT_GE(temporaries().size(), 2) << "two tables written aside, the third under way";
    child.kill();
    ASSERT_TRUE(child.waitForFinished(60000));

    for (const QString& name : kTables)
        EXPECT_EQ(snapshot(QDir(target())).value(name), before.value(name)) << name.toStdString();

    BackupCommands::recoverInterruptedRestore(target());
    EXPECT_EQ(snapshot(QDir(target())), before) << "the temporary files are gone";

    ASSERT_TRUE(backupFile.Restore(archive, target())) << "the next restore runs normally";
    EXPECT_EQ(readFile(target(QStringLiteral("IKSA.DBF"))),
              readFile(tmp.file(QStringLiteral("prog/IKSA.DBF"))));
}

TEST_F(InterruptedRestoreTest, AReplacementCutOffIsUndoneByTheNextStart) {
    QProcess child;
    child.start(QStringLiteral(RESTORE_CHILD), {QStringLiteral("commit"), target()});
    ASSERT_TRUE(child.waitForFinished(60000));
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);
    // Cut off after two of four renames: one new file and one table replaced.
    ASSERT_EQ(readFile(target(QStringLiteral("new.dbf"))), "replaced new.dbf");
    ASSERT_EQ(readFile(target(QStringLiteral("IKSA.DBF"))), "replaced IKSA.DBF");
    ASSERT_EQ(readFile(target(QStringLiteral("IKSA_II.DBF"))),
              before.value("IKSA_II.DBF").contents);

    BackupCommands::recoverInterruptedRestore(target());

    EXPECT_EQ(snapshot(QDir(target())), before);
}

} // namespace
