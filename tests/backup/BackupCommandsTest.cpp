// The menu commands "Záloha dat" › "export" / "import" and "Export dat":
// their checks, messages and the closing and reopening of the tables.
#include "backup/BackupCommands.h"

#include "ArchiveTestSupport.h"
#include "TestSupport.h"
#include "backup/TBackupFile.h"
#include "records/DataModule.h"
#include "records/UserError.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace iksa;
using namespace iksa::test;

namespace {

class RecordingTables : public TableAccess {
public:
    void closeTables() override { calls << QStringLiteral("close"); }
    void openTables() override { calls << QStringLiteral("open"); }
    QStringList calls;
};

class BackupCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.dir().mkdir(QStringLiteral("prog")));
        ASSERT_TRUE(tmp.dir().mkdir(QStringLiteral("dest")));
    }
    QString prog(const QString& name = {}) const {
        return tmp.file(QStringLiteral("prog/") + name);
    }
    QString dest(const QString& name = {}) const {
        return tmp.file(QStringLiteral("dest/") + name);
    }
    QString archive() const { return tmp.file(QStringLiteral("IKSA.ZAL")); }
    void writeTables() {
        writeFile(prog(QStringLiteral("IKSA.DBF")), tableLikeBytes(9000, 1));
        writeFile(prog(QStringLiteral("IKSA_II.DBF")), tableLikeBytes(5000, 2));
        writeFile(prog(QStringLiteral("IKSA_HS_Vyp.DBF")), tableLikeBytes(3000, 3));
    }

    TempDir tmp;
    RecordingMessages messages;
    TBackupFile backupFile{messages};
    BackupCommands commands{backupFile, messages};
    RecordingTables tables;
};

TEST_F(BackupCommandsTest, BackupReportsRatioAndArchiveName) {
    writeTables();
    ASSERT_TRUE(commands.backUpTables(prog(), archive()));
    EXPECT_EQ(messages.shown,
              (QStringList{QStringLiteral("Zálohování ukončeno. komprese  = %1 %")
                               .arg(backupFile.CompressionRatio()),
                           QStringLiteral("Soubor IKSA.ZAL uložen > %1 <").arg(archive())}));
    EXPECT_EQ(backupFile.FileCount(), 3);
}

TEST_F(BackupCommandsTest, BackupNeedsTheThirdTable) {
    writeFile(prog(QStringLiteral("IKSA.DBF")), "x");
    EXPECT_FALSE(commands.backUpTables(prog(), archive()));
    EXPECT_EQ(messages.shown, QStringList{QStringLiteral("Soubor IKSA.dbf nenalezen !")});
    EXPECT_FALSE(QFile::exists(archive()));
}

TEST_F(BackupCommandsTest, AFailedBackupKeepsTheEarlierArchiveAndDoesNotClaimToHaveSaved) {
    writeTables();
    writeFile(archive(), "earlier archive");
    // A table that opens but cannot be read.
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), prog(QStringLiteral("zz.dbf"))));

    EXPECT_FALSE(commands.backUpTables(prog(), archive()));

    EXPECT_EQ(messages.shown, (QStringList{QStringLiteral("Cannot read file"),
                                           QStringLiteral("Při zálohování došlo k chybě !! "
                                                          "//neprovedeno  ")}));
    EXPECT_EQ(backupFile.ErrorCode(), 1);
    EXPECT_EQ(readFile(archive()), "earlier archive");
    EXPECT_EQ(tmp.dir().entryList(QDir::Files | QDir::Hidden), QStringList{"IKSA.ZAL"});
}

TEST_F(BackupCommandsTest, OnErrorReplacesTheBuiltInMessage) {
    writeTables();
    QList<QPair<int, QString>> errors;
    backupFile.OnError = [&](int code, const QString& text) { errors.append({code, text}); };
    EXPECT_FALSE(commands.backUpTables(prog(), tmp.file(QStringLiteral("no/such/dir/IKSA.ZAL"))));
    EXPECT_EQ(errors, (QList<QPair<int, QString>>{{4, QStringLiteral("Cannot write to archive")}}));
    EXPECT_EQ(messages.shown, (QStringList{QStringLiteral("Při zálohování došlo k chybě !! "
                                                          "//neprovedeno  ")}));
}

TEST_F(BackupCommandsTest, RestoreClosesAndReopensTheTablesAndCountsTheFiles) {
    writeTables();
    ASSERT_TRUE(backupFile.Backup({prog(QStringLiteral("*.dbf"))}, archive()));
    messages.shown.clear();

    ASSERT_TRUE(commands.restoreTables(archive(), dest(), tables));

    EXPECT_EQ(tables.calls, (QStringList{"close", "open"}));
    EXPECT_EQ(messages.shown,
              QStringList{QStringLiteral("Import dat ukončen   3 soubor 3 přenesen")});
}

TEST_F(BackupCommandsTest, RestoreOfAMissingArchiveLeavesTheTablesOpen) {
    EXPECT_FALSE(commands.restoreTables(archive(), dest(), tables));
    EXPECT_EQ(messages.shown, QStringList{QStringLiteral("Soubor IKSA.ZAL nenalezen !")});
    EXPECT_TRUE(tables.calls.isEmpty());
}

TEST_F(BackupCommandsTest, ADamagedSectionIsReportedAndTheTablesReopened) {
    writeFile(archive(), ArchiveBuilder()
                             .header()
                             .entryHead("iksa.dbf")
                             .mark(QByteArray("XXXX"))
                             .endSection()
                             .terminator()
                             .data);
    EXPECT_FALSE(commands.restoreTables(archive(), dest(), tables));
    EXPECT_EQ(messages.shown, (QStringList{QStringLiteral("Invalid archive type"),
                                           QStringLiteral("Import dat nebyl uspěšný !!")}));
    EXPECT_EQ(tables.calls, (QStringList{"close", "open"}));
}

TEST_F(BackupCommandsTest, AnUnreadableHeaderThrowsAfterReopeningTheTables) {
    writeFile(archive(), "EC");
    try {
        commands.restoreTables(archive(), dest(), tables);
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Cannot read archive"));
    }
    EXPECT_EQ(tables.calls, (QStringList{"close", "open"}));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(BackupCommandsTest, ExportCopiesTheThreeTablesUnderTheirExportNames) {
    writeTables();
    writeFile(prog(QStringLiteral("other.dbf")), "not exported");
    writeFile(dest(QStringLiteral("IKSA_II.DBF")), "earlier export in another case");
    ASSERT_TRUE(BackupCommands::exportSourcesPresent(prog()));

    commands.exportTables(prog(), dest());

    EXPECT_EQ(QDir(dest()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{"IKSA_II.DBF", "Iksa.dbf", "Iksa_HS_VYP.dbf"}));
    EXPECT_EQ(readFile(dest(QStringLiteral("Iksa.dbf"))),
              readFile(prog(QStringLiteral("IKSA.DBF"))));
    EXPECT_EQ(readFile(dest(QStringLiteral("IKSA_II.DBF"))),
              readFile(prog(QStringLiteral("IKSA_II.DBF"))));
    EXPECT_EQ(readFile(dest(QStringLiteral("Iksa_HS_VYP.dbf"))),
              readFile(prog(QStringLiteral("IKSA_HS_Vyp.DBF"))));
    EXPECT_EQ(messages.shown, QStringList{QStringLiteral("Soubory IKSA.DBF uloženy v > %1 <")
                                              .arg(QDir::toNativeSeparators(dest()))});
}

TEST_F(BackupCommandsTest, ExportNeedsAllThreeTables) {
    writeFile(prog(QStringLiteral("IKSA.DBF")), "x");
    writeFile(prog(QStringLiteral("IKSA_II.DBF")), "x");
    EXPECT_FALSE(BackupCommands::exportSourcesPresent(prog()));
}

TEST_F(BackupCommandsTest, ExportIntoTheProgramDirectoryLeavesTheTablesIntact) {
    writeTables();
    const auto before = snapshot(QDir(prog()));
    commands.exportTables(prog(), prog());
    EXPECT_EQ(snapshot(QDir(prog())), before);
}

TEST_F(BackupCommandsTest, ExportFailureThrowsAndCopiesNoFurther) {
    writeTables();
    ASSERT_TRUE(
        QDir(dest()).mkdir(QStringLiteral("Iksa_II.dbf"))); // the second copy cannot be made
    EXPECT_THROW(commands.exportTables(prog(), dest()), UserError);
    EXPECT_TRUE(QFile::exists(dest(QStringLiteral("Iksa.dbf"))));
    EXPECT_FALSE(QFile::exists(dest(QStringLiteral("Iksa_HS_VYP.dbf"))));
    EXPECT_TRUE(messages.shown.isEmpty());
}

} // namespace

// Replacing the tables under another running program would let it go on
// writing into the replaced files: the restore waits, then refuses.
TEST_F(BackupCommandsTest, RestoreRefusedWhileAnotherProgramHasTheTablesOpen) {
    DataModule::createEmptyTables(QDir(prog()));
    ASSERT_TRUE(commands.backUpTables(prog(), archive()));
    const QByteArray before = readFile(prog(QStringLiteral("IKSA.DBF")));
    DataModule running;
    running.open(QDir(prog()), messages);

    messages.shown.clear();
    commands.setLockWaitMs(50);
    const QString error = errorOf([&] { commands.restoreTables(archive(), prog(), tables); });
    EXPECT_TRUE(error.contains(QStringLiteral("používá jiný spuštěný program IKSA")))
        << error.toStdString();
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(tables.calls, (QStringList{QStringLiteral("close"), QStringLiteral("open")}));
    EXPECT_EQ(readFile(prog(QStringLiteral("IKSA.DBF"))), before);

    running.close();
    EXPECT_TRUE(commands.restoreTables(archive(), prog(), tables));
}
