// The backup archive, the exported copies and the restored tables hold
// examinee data: what the backup component makes is private, and a file it
// replaces keeps its mode, owner and group.
#include "ArchiveTestSupport.h"
#include "FileAttributes.h"
#include "TestSupport.h"
#include "backup/BackupCommands.h"
#include "backup/TBackupFile.h"
#include "records/PrivateFiles.h"

#include <gtest/gtest.h>

using namespace iksa;
using namespace iksa::test;

namespace {

const QStringList kTables = {QStringLiteral("IKSA.DBF"), QStringLiteral("IKSA_II.DBF"),
                             QStringLiteral("IKSA_HS_Vyp.DBF")};

class FileModesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.dir().mkdir(QStringLiteral("prog")));
        for (const QString& name : kTables)
            writeFile(prog(name), tableLikeBytes(6000, quint32(name.size())));
    }
    QString prog(const QString& name = {}) const {
        return tmp.file(QStringLiteral("prog/") + name);
    }
    QString archive() const { return tmp.file(QStringLiteral("IKSA.ZAL")); }
    void backUp() { ASSERT_TRUE(backupFile.Backup({prog(QStringLiteral("*.dbf"))}, archive())); }

    UmaskScope umask{022};
    TempDir tmp;
    RecordingMessages messages;
    TBackupFile backupFile{messages};
    BackupCommands commands{backupFile, messages};
};

TEST_F(FileModesTest, ANewArchiveIsPrivateAndARenewedOneKeepsItsMode) {
    backUp();
    EXPECT_EQ(modeOf(archive()), privateFileMode);

    ASSERT_TRUE(setMode(archive(), 0640));
    giveToAnotherOwner(archive());
    const FileAttributes shared = attributesOf(archive());
    backUp();
    EXPECT_EQ(attributesOf(archive()), shared);
}

TEST_F(FileModesTest, ExportedCopiesArePrivateAndAnEarlierCopyKeepsItsMode) {
    const QString dest = tmp.file(QStringLiteral("dest"));
    ASSERT_TRUE(QDir().mkdir(dest));
    ASSERT_TRUE(setMode(dest, 0755));
    writeFile(QDir(dest).filePath(QStringLiteral("Iksa.dbf")), "earlier copy");
    ASSERT_TRUE(setMode(QDir(dest).filePath(QStringLiteral("Iksa.dbf")), 0660));
    giveToAnotherOwner(QDir(dest).filePath(QStringLiteral("Iksa.dbf")));
    const FileAttributes earlier = attributesOf(QDir(dest).filePath(QStringLiteral("Iksa.dbf")));

    commands.exportTables(prog(), dest);

    EXPECT_EQ(attributesOf(QDir(dest).filePath(QStringLiteral("Iksa.dbf"))), earlier);
    EXPECT_EQ(readFile(QDir(dest).filePath(QStringLiteral("Iksa.dbf"))),
              readFile(prog(QStringLiteral("IKSA.DBF"))));
    for (const char* name : {"Iksa_II.dbf", "Iksa_HS_VYP.dbf"})
        EXPECT_EQ(modeOf(QDir(dest).filePath(QString::fromLatin1(name))), privateFileMode) << name;
    EXPECT_EQ(modeOf(dest), mode_t(0755)) << "a chosen folder is not the program's";
}

TEST_F(FileModesTest, ARestoreKeepsTheReplacedTablesModesAndMakesNewOnesPrivate) {
    backUp();
    const QString shared = tmp.file(QStringLiteral("shared"));
    ASSERT_TRUE(QDir().mkdir(shared));
    ASSERT_TRUE(setMode(shared, 02770));
    QMap<QString, FileAttributes> before;
    for (const QString& name : kTables.mid(0, 2)) {
        const QString path = QDir(shared).filePath(name);
        writeFile(path, "older rows");
        ASSERT_TRUE(setMode(path, 0660));
        giveToAnotherOwner(path);
        before.insert(name, attributesOf(path));
    }

    ASSERT_TRUE(backupFile.Restore(archive(), shared));

    for (const QString& name : kTables.mid(0, 2)) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(attributesOf(QDir(shared).filePath(name)), before.value(name));
        EXPECT_EQ(readFile(QDir(shared).filePath(name)), readFile(prog(name)));
    }
    const QStringList added = QDir(shared).entryList({QStringLiteral("iksa_hs_vyp.dbf")});
    ASSERT_EQ(added.size(), 1);
    EXPECT_EQ(modeOf(QDir(shared).filePath(added.first())), privateFileMode);
    EXPECT_EQ(modeOf(shared), mode_t(02770));
}

TEST_F(FileModesTest, ARestoreIntoAMissingDirectoryMakesItPrivate) {
    backUp();
    const QString fresh = tmp.file(QStringLiteral("new/IKSA"));
    ASSERT_TRUE(backupFile.Restore(archive(), fresh));
    EXPECT_EQ(modeOf(tmp.file(QStringLiteral("new"))), privateDirectoryMode);
    EXPECT_EQ(modeOf(fresh), privateDirectoryMode);
    const QStringList restored = QDir(fresh).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(restored.size(), 3) << restored.join(' ').toStdString();
    for (const QString& name : restored)
        EXPECT_EQ(modeOf(QDir(fresh).filePath(name)), privateFileMode) << name.toStdString();
}

} // namespace
