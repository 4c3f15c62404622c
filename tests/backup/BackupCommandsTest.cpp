// The menu commands "Záloha dat" › "export" / "import" and "Export dat":
// their checks, messages and the closing and reopening of the tables.
#include "backup/BackupCommands.h"

#include "ArchiveTestSupport.h"
#include "TestSupport.h"
#include "backup/ArchiveSurvey.h"
#include "backup/TBackupFile.h"
#include "backup/UndoArchives.h"
#include "records/DataModule.h"
#include "records/ExamineeRecord.h"
#include "records/UserError.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

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

namespace {

// A restore over real tables: the question before it, the undo archive it
// leaves, and the archives it refuses.
class RestoreSafetyTest : public BackupCommandsTest {
protected:
    void SetUp() override {
        BackupCommandsTest::SetUp();
        DataModule::createEmptyTables(QDir(prog()));
        commands.setClock([this] { return now; });
    }
    void addExaminees(const QStringList& surnames) {
        RecordingMessages quiet;
        DataModule data;
        data.open(QDir(prog()), quiet);
        ExamineeRecord record(data);
        for (const QString& surname : surnames) {
            record.press(NavigatorButton::Insert);
            record.press(NavigatorButton::Edit);
            record.setText(QStringLiteral("PRIJM"), surname);
            record.press(NavigatorButton::Post);
        }
    }
    QMap<QString, QByteArray> tableBytes() const {
        QMap<QString, QByteArray> bytes;
        for (const QString& name : kTableFiles)
            bytes.insert(name, readFile(prog(name)));
        return bytes;
    }
    // The archive of the tables as they stand.
    QString archiveNow(const QString& name) {
        RecordingMessages quiet;
        TBackupFile file(quiet);
        const QString path = tmp.file(name);
        EXPECT_TRUE(file.Backup({prog(QStringLiteral("*.dbf"))}, path));
        return path;
    }
    QStringList undoArchives() const { return UndoArchives::list(QDir(prog())); }

    QDateTime now{QDate(2026, 12, 11), QTime(14, 32, 5)};
};

TEST_F(RestoreSafetyTest, TheQuestionNamesTheArchiveItsDateAndBothCountsAndNeKeepsTheTables) {
    addExaminees({"Kos", "Dub"});
    const QString archive = archiveNow(QStringLiteral("IKSA.ZAL"));
    const QDateTime archived(QDate(2026, 12, 10), QTime(9, 5));
    {
        QFile file(archive);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(archived, QFileDevice::FileModificationTime));
    }
    addExaminees({"Lis", "Bor", "Jez"});

    EXPECT_FALSE(commands.confirmRestore(archive, prog())); // the default answer
    ASSERT_EQ(messages.asked.size(), 1);
    const QString& question = messages.asked.first();
    EXPECT_TRUE(question.contains("> " + archive + " <")) << question.toStdString();
    EXPECT_TRUE(question.contains("ze dne 10. 12. 2026 9:05.")) << question.toStdString();
    EXPECT_TRUE(question.contains("Vyšetřovaných osob v záloze: 2\n")) << question.toStdString();
    EXPECT_TRUE(question.contains("Vyšetřovaných osob v tabulkách nyní: 5\n"))
        << question.toStdString();

    messages.answers.enqueue(0); // "Ano"
    EXPECT_TRUE(commands.confirmRestore(archive, prog()));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(RestoreSafetyTest, TheUndoArchiveGivesBackTheReplacedTablesByteForByte) {
    addExaminees({"Kos"});
    const QString archive = archiveNow(QStringLiteral("IKSA.ZAL"));
    addExaminees({"Dub", "Lis"}); // stored a minute before the restore
    const QMap<QString, QByteArray> replaced = tableBytes();

    ASSERT_TRUE(commands.restoreTables(archive, prog(), tables));

    const QString undo = prog(QStringLiteral("pred-obnovou-2026-12-11-1432.ZAL"));
    EXPECT_EQ(undoArchives(), QStringList{"pred-obnovou-2026-12-11-1432.ZAL"});
    struct stat info;
    ASSERT_EQ(::stat(QFile::encodeName(undo).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(messages.shown,
              QStringList{"Import dat ukončen   3 soubor 3 přenesen\n\nTabulky ve stavu před "
                          "importem jsou uloženy v > " +
                          undo + " <. Importem tohoto souboru se k nim vrátíte."});
    EXPECT_EQ(examineesIn(prog()), 1);

    // Going back is a restore like any other, and leaves its own undo archive.
    now = now.addSecs(20); // the same minute
    messages.shown.clear();
    ASSERT_TRUE(commands.restoreTables(undo, prog(), tables));
    EXPECT_EQ(tableBytes(), replaced);
    EXPECT_EQ(undoArchives(), (QStringList{"pred-obnovou-2026-12-11-1432-2.ZAL",
                                           "pred-obnovou-2026-12-11-1432.ZAL"}));
}

TEST_F(RestoreSafetyTest, TheTenNewestUndoArchivesAreKept) {
    const QString archive = archiveNow(QStringLiteral("IKSA.ZAL"));
    QStringList older;
    for (int day = 1; day <= 11; ++day) {
        older.prepend(
            QStringLiteral("pred-obnovou-2026-11-%1-0800.ZAL").arg(day, 2, 10, QChar('0')));
        writeFile(prog(older.first()), "older");
    }
    writeFile(prog(QStringLiteral("pred-obnovou-moje.ZAL")), "not one of them");

    ASSERT_TRUE(commands.restoreTables(archive, prog(), tables));

    const QStringList kept = undoArchives();
    EXPECT_EQ(kept, QStringList{"pred-obnovou-2026-12-11-1432.ZAL"} + older.mid(0, 9));
    EXPECT_FALSE(QFile::exists(prog(older.last())));
    EXPECT_FALSE(QFile::exists(prog(older.at(9))));
    EXPECT_TRUE(QFile::exists(prog(QStringLiteral("pred-obnovou-moje.ZAL"))));
}

// Archives a restore must not write are refused before the tables close;
// nothing in the directory changes, no undo archive either.
TEST_F(RestoreSafetyTest, RefusedArchivesLeaveEverythingAsItWas) {
    addExaminees({"Kos"});
    const QByteArray table = readFile(prog(QStringLiteral("IKSA.DBF")));
    struct Case {
        const char* name;
        QByteArray archive;
        const char* reason;
    };
    const QList<Case> cases{
        {"journal",
         ArchiveBuilder()
             .header()
             .file("c:\\iksa\\iksa.dbf", table)
             .file("c:\\iksa\\.iksa-record-journal", "j")
             .terminator()
             .data,
         "obsahuje soubor „.iksa-record-journal“, jaký si program zakládá sám"},
        {"recovery file", ArchiveBuilder().header().file(".IKSA-UNSAVED", "u").terminator().data,
         "obsahuje soubor „.IKSA-UNSAVED“"},
        {"staging file",
         ArchiveBuilder()
             .header()
             .file("c:\\iksa\\.iksa-restore-x1Y2z3.old", "o")
             .terminator()
             .data,
         "obsahuje soubor „.iksa-restore-x1Y2z3.old“"},
        {"twins",
         ArchiveBuilder()
             .header()
             .file("c:\\iksa\\iksa.dbf", table)
             .file("c:\\iksa\\IKSA.DBF", table)
             .terminator()
             .data,
         "obsahuje soubory „iksa.dbf“ a „IKSA.DBF“, které se liší jen velikostí písmen"},
    };
    const auto before = snapshot(QDir(prog()));
    for (const Case& c : cases) {
        writeFile(archive(), c.archive);
        messages.shown.clear();
        EXPECT_FALSE(commands.confirmRestore(archive(), prog())) << c.name;
        EXPECT_TRUE(messages.asked.isEmpty()) << c.name;
        EXPECT_FALSE(commands.restoreTables(archive(), prog(), tables)) << c.name;
        ASSERT_EQ(messages.shown.size(), 4) << c.name;
        EXPECT_TRUE(messages.shown[0].contains(QString::fromUtf8(c.reason)))
            << messages.shown[0].toStdString();
        EXPECT_EQ(messages.shown[1], "Import dat nebyl uspěšný !!");
        EXPECT_EQ(messages.shown.mid(2), messages.shown.mid(0, 2)) << c.name;
        EXPECT_TRUE(tables.calls.isEmpty()) << c.name;
        EXPECT_EQ(snapshot(QDir(prog())), before) << c.name;
    }
}

TEST_F(RestoreSafetyTest, WhenTheUndoArchiveCannotBeWrittenNothingIsReplaced) {
    addExaminees({"Kos"});
    const QString archive = archiveNow(QStringLiteral("IKSA.ZAL"));
    addExaminees({"Dub"});
    // A table file that opens but cannot be read.
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), prog(QStringLiteral("zz.dbf"))));
    const auto before = snapshot(QDir(prog()));

    EXPECT_FALSE(commands.restoreTables(archive, prog(), tables));

    EXPECT_EQ(messages.shown,
              (QStringList{"Současné tabulky nelze uložit do zálohy v > " + prog() +
                               " < (Cannot read file); import dat neproveden, tabulky zůstaly "
                               "beze změny.",
                           "Import dat nebyl uspěšný !!"}));
    EXPECT_EQ(snapshot(QDir(prog())), before);
    EXPECT_EQ(tables.calls, (QStringList{"close", "open"}));
}

} // namespace
