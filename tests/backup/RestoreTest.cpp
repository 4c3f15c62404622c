// Restore: round trip, restore modes, full paths, and hostile archives that
// must end the run with the tables as they were and nothing touched outside.
#include "ArchiveTestSupport.h"
#include "TestSupport.h"
#include "backup/ArchiveFormat.h"
#include "backup/DosDateTime.h"
#include "backup/TBackupFile.h"
#include "records/UserError.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>

using namespace iksa;
using namespace iksa::test;

namespace {

const QDateTime kOld(QDate(2019, 5, 6), QTime(7, 8, 10), Qt::LocalTime);
const QDateTime kNew(QDate(2024, 2, 3), QTime(14, 15, 16), Qt::LocalTime);
const QStringList kTables = {QStringLiteral("IKSA.DBF"), QStringLiteral("IKSA_II.DBF"),
                             QStringLiteral("IKSA_HS_Vyp.DBF")};

class RestoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.dir().mkdir(QStringLiteral("prog")));
        ASSERT_TRUE(tmp.dir().mkdir(QStringLiteral("target")));
        writeFile(tmp.file(QStringLiteral("outside.dbf")), "outside");
    }
    QString prog(const QString& name = {}) const {
        return tmp.file(QStringLiteral("prog/") + name);
    }
    QString target(const QString& name = {}) const {
        return tmp.file(QStringLiteral("target/") + name);
    }
    QString archive() const { return tmp.file(QStringLiteral("IKSA.ZAL")); }

    void writeTables(const QString& dir, quint32 seed, const QDateTime& date) {
        for (const QString& name : kTables) {
            writeFile(QDir(dir).filePath(name), tableLikeBytes(30000 + int(seed) * 7, seed), date);
            ++seed;
        }
    }
    void backUpProg() {
        ASSERT_TRUE(backupFile.Backup({prog(QStringLiteral("*.dbf"))}, archive()));
    }
    void writeArchive(const QByteArray& data) { writeFile(archive(), data); }

    TempDir tmp;
    RecordingMessages messages;
    TBackupFile backupFile{messages};
};

TEST_F(RestoreTest, RoundTripReplacesTablesInTheirOwnCaseWithArchivedDates) {
    writeTables(prog(), 1, kOld);
    writeFile(prog(QStringLiteral("extra.dbf")), randomBytes(70000, 9), kOld);
    backUpProg();
    writeTables(target(), 50, kNew);
    writeFile(target(QStringLiteral("keep.txt")), "keep");

    ASSERT_TRUE(backupFile.Restore(archive(), target()));

    EXPECT_EQ(backupFile.FilesDone(), 4);
    EXPECT_EQ(backupFile.FileCount(), 4);
    QStringList expected = kTables;
    expected << QStringLiteral("extra.dbf") << QStringLiteral("keep.txt");
    expected.sort();
    EXPECT_EQ(QDir(target()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected)
        << "replaced in place, no lower-case twins, no temporary files";
    for (const QString& name : kTables + QStringList{QStringLiteral("extra.dbf")}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(readFile(target(name)), readFile(prog(name)));
        EXPECT_EQ(QFileInfo(target(name)).lastModified(), kOld.addSecs(-kOld.time().second() % 2));
    }
    EXPECT_EQ(readFile(target(QStringLiteral("keep.txt"))), "keep");
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(RestoreTest, IntoAnEmptyDirectoryTheArchivedLowerCaseNamesAreUsed) {
    writeTables(prog(), 1, kOld);
    backUpProg();
    ASSERT_TRUE(backupFile.Restore(archive(), target(QStringLiteral("new/dir"))));
    EXPECT_EQ(QDir(target(QStringLiteral("new/dir"))).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"iksa.dbf", "iksa_hs_vyp.dbf", "iksa_ii.dbf"}));
}

TEST_F(RestoreTest, RestoreModesDecideByExistenceAndDate) {
    const quint32 archived = packDosDateTime(kNew);
    writeArchive(ArchiveBuilder()
                     .header({}, 0, 3)
                     .file("c:\\prog\\missing.dbf", "new", archived)
                     .file("c:\\prog\\older.dbf", "new", archived)
                     .file("c:\\prog\\newer.dbf", "new", archived)
                     .terminator()
                     .data);
    struct Case {
        TRestoreMode mode;
        QList<bool> written; // missing, older, newer
    };
    const Case cases[] = {{rmAll, {true, true, true}},
                          {rmNoOverwrite, {true, false, false}},
                          {rmNewer, {true, true, false}},
                          {rmExisting, {false, true, true}},
                          {rmExistingNewer, {false, true, false}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.mode));
        QFile::remove(target(QStringLiteral("missing.dbf")));
        writeFile(target(QStringLiteral("older.dbf")), "old", kOld);
        writeFile(target(QStringLiteral("newer.dbf")), "old", kNew.addYears(1));
        backupFile.RestoreMode = c.mode;
        ASSERT_TRUE(backupFile.Restore(archive(), target()));
        const QList<bool> written = {readFile(target(QStringLiteral("missing.dbf"))) == "new",
                                     readFile(target(QStringLiteral("older.dbf"))) == "new",
                                     readFile(target(QStringLiteral("newer.dbf"))) == "new"};
        EXPECT_EQ(written, c.written);
        EXPECT_EQ(backupFile.FilesDone(), int(c.written.count(true)));
    }
}

TEST_F(RestoreTest, FullPathRestoresBelowTheTargetWithoutTheDrive) {
    writeArchive(ArchiveBuilder()
                     .header({}, 0, 2)
                     .file("c:\\data\\sub\\iksa.dbf", "a")
                     .file("/home/user/IKSA/b.dbf", "b")
                     .terminator()
                     .data);
    backupFile.RestoreFullPath = true;
    ASSERT_TRUE(backupFile.Restore(archive(), target()));
    EXPECT_EQ(readFile(target(QStringLiteral("data/sub/iksa.dbf"))), "a");
    EXPECT_EQ(readFile(target(QStringLiteral("home/user/IKSA/b.dbf"))), "b");
}

TEST_F(RestoreTest, AMissingArchiveGivesFalseWithoutAMessage) {
    EXPECT_FALSE(backupFile.Restore(tmp.file(QStringLiteral("none.zal")), target()));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(RestoreTest, StoppedByProgressLeavesTheTablesAsTheyWere) {
    writeTables(prog(), 1, kOld);
    backUpProg();
    writeTables(target(), 50, kNew);
    const auto before = snapshot(QDir(target()));
    int calls = 0;
    backupFile.OnProgress = [&](const QString&, int percent, bool& go) {
        EXPECT_GE(percent, 0);
        EXPECT_LE(percent, 100);
        if (++calls == 4)
            go = false;
    };
    EXPECT_FALSE(backupFile.Restore(archive(), target()));
    EXPECT_EQ(calls, 4);
    EXPECT_EQ(snapshot(QDir(target())), before);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(RestoreTest, AFailingReplacementPutsBackTheTablesAlreadyReplaced) {
    writeTables(prog(), 1, kOld);
    backUpProg();
    writeTables(target(), 50, kNew);
    // The second table's name is taken by a directory: its rename must fail
    // after the first table has been replaced.
    QFile::remove(target(QStringLiteral("IKSA_II.DBF")));
    ASSERT_TRUE(QDir(target()).mkpath(QStringLiteral("iksa_ii.dbf/x")));
    const auto before = snapshot(QDir(target()));

    EXPECT_FALSE(backupFile.Restore(archive(), target()));

    EXPECT_EQ(backupFile.ErrorCode(), 1);
    EXPECT_EQ(messages.shown, QStringList{QStringLiteral("Cannot read file")});
    EXPECT_EQ(snapshot(QDir(target())), before);
    EXPECT_EQ(backupFile.FilesDone(), 0);
}

TEST_F(RestoreTest, FilesDoneCountsTheEntriesWritten) {
    writeArchive(ArchiveBuilder()
                     .header({}, 0, 4)
                     .file("FILE:LIST", "list")
                     .file("c:\\iksa\\iksa.dbf", "first")
                     .file("c:\\iksa\\iksa_ii.dbf", "second")
                     .file("c:\\iksa\\iksa.dbf", "again")
                     .terminator()
                     .data);
    ASSERT_TRUE(backupFile.Restore(archive(), target()));
    EXPECT_EQ(backupFile.FilesDone(), 3);
    EXPECT_EQ(backupFile.FileCount(), 4);
    EXPECT_EQ(readFile(target(QStringLiteral("iksa.dbf"))), "again");
}

// A hostile or damaged archive: what the run must end with.
struct HostileCase {
    const char* name;
    std::function<QByteArray()> archive;
    int errorCode;       // 0: the run succeeds
    const char* thrown;  // a UserError with this text in it, or nullptr
    const char* written; // with success: the one file it writes into the target
};

void PrintTo(const HostileCase& c, std::ostream* os) {
    *os << c.name;
}

// A valid first entry, so that a later failure has something to undo.
ArchiveBuilder validStart() {
    return ArchiveBuilder().header({}, 10, 2).file("c:\\iksa\\iksa.dbf", "replaced");
}

const HostileCase kHostileCases[] = {
    {"parent-relative name keeps its last component",
     [] { return ArchiveBuilder().header().file("../../evil.dbf", "e").terminator().data; }, 0,
     nullptr, "evil.dbf"},
    {"backslash path keeps its last component",
     [] { return ArchiveBuilder().header().file("c:\\..\\..\\evil.dbf", "e").terminator().data; },
     0, nullptr, "evil.dbf"},
    {"absolute path keeps its last component",
     [] { return ArchiveBuilder().header().file("/tmp/evil.dbf", "e").terminator().data; }, 0,
     nullptr, "evil.dbf"},
    {"file list is passed over",
     [] {
         return ArchiveBuilder()
             .header()
             .file("FILE:LIST", "c:\\x\t1=2\n")
             .file("c:\\evil.dbf", "e")
             .terminator()
             .data;
     },
     0, nullptr, "evil.dbf"},
    {"negative name length is passed over",
     [] { return ArchiveBuilder().header().integer(-7).file("evil.dbf", "e").terminator().data; },
     0, nullptr, "evil.dbf"},
    {"name ..", [] { return validStart().file("c:\\..", "e").terminator().data; }, 5, nullptr,
     nullptr},
    {"name .", [] { return validStart().file(".", "e").terminator().data; }, 5, nullptr, nullptr},
    {"name ending in a separator",
     [] { return validStart().file("c:\\dir\\", "e").terminator().data; }, 5, nullptr, nullptr},
    {"name with a control character",
     [] { return validStart().file(QByteArray("a\nb.dbf"), "e").terminator().data; }, 5, nullptr,
     nullptr},
    {"zlib block inflating beyond a block",
     [] {
         return validStart()
             .entryHead("iksa_ii.dbf")
             .mark()
             .zlibBlock(QByteArray(16385, 'z'))
             .endSection()
             .terminator()
             .data;
     },
     6, nullptr, nullptr},
    {"damaged zlib stream",
     [] {
         ArchiveBuilder b = validStart().entryHead("iksa_ii.dbf").mark().zlibBlock("rows rows");
         b.data[b.data.size() - 1] = char(b.data.back() ^ 0x55); // the Adler-32
         return b.endSection().terminator().data;
     },
     6, nullptr, nullptr},
    {"raw block longer than a block",
     [] {
         return validStart()
             .entryHead("iksa_ii.dbf")
             .mark()
             .rawBlock(QByteArray(16385, 'r'))
             .endSection()
             .terminator()
             .data;
     },
     5, nullptr, nullptr},
    {"compressed length longer than a block",
     [] {
         return validStart()
             .entryHead("iksa_ii.dbf")
             .mark()
             .integer(16385)
             .bytes(QByteArray(16385, 'c'))
             .endSection()
             .terminator()
             .data;
     },
     5, nullptr, nullptr},
    {"most negative block length",
     [] {
         return validStart().entryHead("iksa_ii.dbf").mark().integer(INT32_MIN).terminator().data;
     },
     5, nullptr, nullptr},
    {"block running past the end of the file",
     [] { return validStart().entryHead("iksa_ii.dbf").mark().integer(-100).bytes("short").data; },
     3, nullptr, nullptr},
    {"wrong section mark",
     [] {
         return validStart()
             .entryHead("iksa_ii.dbf")
             .mark(QByteArray("EC3\0", 4))
             .endSection()
             .terminator()
             .data;
     },
     5, nullptr, nullptr},
    {"missing terminator", [] { return validStart().data; }, 3, "Cannot read archive", nullptr},
    {"name length beyond any name",
     [] { return validStart().integer(0x7FFFFFFF).bytes("abc").data; }, 3, "Cannot read archive",
     nullptr},
    {"title length beyond any title",
     [] { return ArchiveBuilder().integer(0x7FFFFFFF).bytes("abc").data; }, 3,
     "Cannot read archive", nullptr},
    {"truncated header", [] { return QByteArray("\0\0", 2); }, 3, "Cannot read archive", nullptr},
    {"next volume", [] { return validStart().entryHead("NEXT:DISK001").data; }, 5, "NEXT:DISK001",
     nullptr},
    // Names of the program's own side files, and twins in another case.
    {"a journal's name", [] { return validStart().file(".iksa-journal", "e").terminator().data; },
     5, "jaký si program zakládá sám", nullptr},
    {"a recovery file's name in capitals with a path",
     [] { return validStart().file("c:\\iksa\\.IKSA-unsaved", "e").terminator().data; }, 5,
     "jaký si program zakládá sám", nullptr},
    {"a staging file's name",
     [] { return validStart().file(".iksa-restore-AbC123.tmp", "e").terminator().data; }, 5,
     "jaký si program zakládá sám", nullptr},
    {"two names that differ only in case",
     [] { return validStart().file("c:\\iksa\\IKSA.DBF", "e").terminator().data; }, 5,
     "liší jen velikostí písmen", nullptr},
    {"the same name twice keeps the later file",
     [] { return validStart().file("d:\\jinde\\iksa.dbf", "e").terminator().data; }, 0, nullptr,
     "IKSA.DBF"},
};

class HostileArchiveTest : public RestoreTest, public ::testing::WithParamInterface<HostileCase> {};

TEST_P(HostileArchiveTest, EndsTheRunSafely) {
    const HostileCase& c = GetParam();
    writeFile(target(QStringLiteral("IKSA.DBF")), "original table", kOld);
    writeArchive(c.archive());
    const auto targetBefore = snapshot(QDir(target()));
    const auto outsideBefore = readFile(tmp.file(QStringLiteral("outside.dbf")));
    const QStringList topBefore = tmp.dir().entryList(QDir::AllEntries | QDir::Hidden);

    bool restored = false;
    QString thrown;
    try {
        restored = backupFile.Restore(archive(), target());
    } catch (const UserError& error) {
        thrown = error.message();
    }

    EXPECT_EQ(backupFile.ErrorCode(), c.errorCode);
    EXPECT_EQ(restored, c.errorCode == 0);
    if (c.thrown)
        EXPECT_TRUE(thrown.contains(QString::fromUtf8(c.thrown))) << thrown.toStdString();
    else
        EXPECT_TRUE(thrown.isEmpty()) << thrown.toStdString();
    if (c.errorCode != 0 && !c.thrown) {
        EXPECT_EQ(messages.shown, QStringList{archiveErrorText(c.errorCode)});
    }

    auto expected = targetBefore;
    if (c.written) {
        ASSERT_EQ(readFile(target(QLatin1String(c.written))), "e");
        expected.insert(QLatin1String(c.written),
                        snapshot(QDir(target())).value(QLatin1String(c.written)));
    }
    EXPECT_EQ(snapshot(QDir(target())), expected);
    EXPECT_EQ(tmp.dir().entryList(QDir::AllEntries | QDir::Hidden), topBefore);
    EXPECT_EQ(readFile(tmp.file(QStringLiteral("outside.dbf"))), outsideBefore);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileArchiveTest, ::testing::ValuesIn(kHostileCases),
                         [](const ::testing::TestParamInfo<HostileCase>& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c; ++c)
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });

} // namespace
