// Examinee data stays private: new directories 0700, new files 0600 whatever
// the umask, and a file that replaces another keeps its mode, owner and
// group. The tables that the program and iksa-cli init create, too.
#include "records/PrivateFiles.h"

#include "FileAttributes.h"
#include "RecordsFixture.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

using namespace iksa;
using namespace iksa::test;

TEST(PrivateFiles, NewDirectoriesArePrivateAndExistingOnesKeepTheirMode) {
    for (const mode_t mask : {mode_t(0), mode_t(022), mode_t(077)}) {
        SCOPED_TRACE(mask);
        UmaskScope umask(mask);
        TempDir tmp;
        const QString shared = tmp.file(QStringLiteral("shared"));
        ASSERT_TRUE(QDir().mkdir(shared));
        ASSERT_TRUE(setMode(shared, 02775));
        const QString deep = shared + QStringLiteral("/a/b");

        ASSERT_TRUE(makePrivateDirectories(deep));
        EXPECT_EQ(modeOf(shared), mode_t(02775));
        EXPECT_EQ(modeOf(shared + QStringLiteral("/a")), privateDirectoryMode);
        EXPECT_EQ(modeOf(deep), privateDirectoryMode);

        ASSERT_TRUE(setMode(deep, 0750));
        EXPECT_TRUE(makePrivateDirectories(deep)) << "there already";
        EXPECT_EQ(modeOf(deep), mode_t(0750));
    }
}

TEST(PrivateFiles, ADirectoryCannotBeMadeWhereAFileStands) {
    TempDir tmp;
    writeBytes(tmp.file(QStringLiteral("plain")), "x");
    EXPECT_FALSE(makePrivateDirectories(tmp.file(QStringLiteral("plain/sub"))));
    EXPECT_FALSE(makePrivateDirectories(tmp.file(QStringLiteral("plain"))));
    EXPECT_FALSE(makePrivateDirectory(tmp.file(QStringLiteral("plain"))));
    EXPECT_EQ(errno, EEXIST);
}

TEST(PrivateFiles, NewFilesArePrivateAndNeverReplaceAnExistingOne) {
    UmaskScope umask(0);
    TempDir tmp;
    const QString path = tmp.file(QStringLiteral("data"));
    const int fd = createPrivateFile(path, O_RDWR);
    ASSERT_GE(fd, 0);
    ::close(fd);
    EXPECT_EQ(modeOf(path), privateFileMode);

    writeBytes(path, "kept");
    EXPECT_EQ(createPrivateFile(path, O_RDWR), -1);
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(fileBytes(path), QByteArray("kept"));
}

TEST(PrivateFiles, AReplacementTakesOverModeOwnerAndGroupOfTheReplacedFile) {
    UmaskScope umask(022);
    TempDir tmp;
    const QString target = tmp.file(QStringLiteral("IKSA.DBF"));
    const QString replacement = tmp.file(QStringLiteral("new"));
    writeBytes(target, "old");
    ASSERT_TRUE(setMode(target, 0664));
    giveToAnotherOwner(target);

    QFile file(replacement);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(takeOverAttributes(file, target));
    file.close();
    EXPECT_EQ(attributesOf(replacement), attributesOf(target));
    EXPECT_EQ(modeOf(replacement), mode_t(0664));

    // Nothing to replace: the new file is private.
    QFile lone(tmp.file(QStringLiteral("lone")));
    ASSERT_TRUE(lone.open(QIODevice::WriteOnly));
    ASSERT_TRUE(takeOverAttributes(lone, tmp.file(QStringLiteral("missing"))));
    EXPECT_EQ(modeOf(lone.fileName()), privateFileMode);
    QFile closed(tmp.file(QStringLiteral("closed")));
    EXPECT_FALSE(takeOverAttributes(closed, target));
}

TEST(PrivateFiles, TheEmptyTablesArePrivate) {
    UmaskScope umask(0);
    TempDir tmp;
    DataModule::createEmptyTables(tmp.dir());
    for (const QString& name : kTableFiles)
        EXPECT_EQ(modeOf(tmp.file(name)), privateFileMode) << name.toStdString();
}

TEST(PrivateFiles, CliInitMakesAPrivateDirectoryAndLeavesAnExistingOneAlone) {
    TempDir tmp;
    const QString fresh = tmp.file(QStringLiteral("home/IKSA"));
    ASSERT_EQ(runCli({"init", fresh}).exitCode, 0);
    EXPECT_EQ(modeOf(tmp.file(QStringLiteral("home"))), privateDirectoryMode);
    EXPECT_EQ(modeOf(fresh), privateDirectoryMode);
    for (const QString& name : kTableFiles)
        EXPECT_EQ(modeOf(QDir(fresh).filePath(name)), privateFileMode) << name.toStdString();

    const QString shared = tmp.file(QStringLiteral("shared"));
    ASSERT_TRUE(QDir().mkdir(shared));
    ASSERT_TRUE(setMode(shared, 02770));
    ASSERT_EQ(runCli({"init", shared}).exitCode, 0);
    EXPECT_EQ(modeOf(shared), mode_t(02770));
    for (const QString& name : kTableFiles)
        EXPECT_EQ(modeOf(QDir(shared).filePath(name)), privateFileMode) << name.toStdString();
}
