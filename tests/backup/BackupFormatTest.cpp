// The archive a backup writes, checked byte by byte with the tests' own parser.
#include "ArchiveTestSupport.h"
#include "TestSupport.h"
#include "backup/DosDateTime.h"
#include "backup/TBackupFile.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace iksa;
using namespace iksa::test;

namespace {

const QDateTime kTableDate(QDate(2023, 11, 14), QTime(9, 30, 41), Qt::LocalTime);

class BackupFormatTest : public ::testing::Test {
protected:
    QString table(const QString& name) const { return tmp.file(QStringLiteral("prog/") + name); }

    void SetUp() override { ASSERT_TRUE(tmp.dir().mkdir(QStringLiteral("prog"))); }

    ParsedArchive backUp(const QStringList& masks = {QStringLiteral("*.dbf")}) {
        QStringList full;
        for (const QString& mask : masks)
            full << tmp.file(QStringLiteral("prog/") + mask);
        EXPECT_TRUE(backupFile.Backup(full, archive()));
        return parseArchive(readFile(archive()));
    }
    QString archive() const { return tmp.file(QStringLiteral("IKSA.ZAL")); }
    QByteArray lower(const QString& path) const { return QFile::encodeName(path.toLower()); }

    TempDir tmp;
    RecordingMessages messages;
    TBackupFile backupFile{messages};
};

TEST_F(BackupFormatTest, ThreeTablesGiveHeaderEntriesByLowerCasePathAndTerminator) {
    const QByteArray one = tableLikeBytes(40000, 1), two = tableLikeBytes(20000, 2),
                     three = tableLikeBytes(5000, 3);
    writeFile(table(QStringLiteral("IKSA.DBF")), one, kTableDate);
    writeFile(table(QStringLiteral("IKSA_II.DBF")), two, kTableDate.addSecs(3600));
    writeFile(table(QStringLiteral("IKSA_HS_Vyp.DBF")), three, kTableDate.addDays(1));

    const ParsedArchive parsed = backUp();

    EXPECT_EQ(readFile(archive()).left(4), QByteArray(4, '\0')) << "empty title";
    EXPECT_EQ(parsed.totalSize, quint32(one.size() + two.size() + three.size()));
    EXPECT_EQ(parsed.fileCount, 3);
    ASSERT_EQ(parsed.entries.size(), 3);
    const QList<QPair<QString, QByteArray>> expected = {{QStringLiteral("IKSA.DBF"), one},
                                                        {QStringLiteral("IKSA_HS_Vyp.DBF"), three},
                                                        {QStringLiteral("IKSA_II.DBF"), two}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(expected[i].first.toStdString());
        const ParsedEntry& entry = parsed.entries[i];
        EXPECT_EQ(entry.name, lower(table(expected[i].first)));
        EXPECT_EQ(entry.dosDate,
                  packDosDateTime(QFileInfo(table(expected[i].first)).lastModified()));
        EXPECT_EQ(entry.contents(), expected[i].second);
    }
    EXPECT_TRUE(parsed.entries[2].name.endsWith("iksa_ii.dbf"));
    const DosDateTimeFields date = dosDateTimeFields(parsed.entries[0].dosDate);
    EXPECT_EQ(std::tie(date.year, date.month, date.day, date.hour, date.minute, date.second),
              std::make_tuple(2023, 11, 14, 9, 30, 40));

    EXPECT_EQ(backupFile.FileCount(), 3);
    EXPECT_EQ(backupFile.FilesDone(), 3);
    EXPECT_EQ(backupFile.CompressionRatio(),
              compressionRatioPercent(parsed.dataBytes(), one.size() + two.size() + three.size()));
    EXPECT_GT(backupFile.CompressionRatio(), 50);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(BackupFormatTest, EveryDbfFileTravelsButNothingElseAndNotTheArchiveItself) {
    writeFile(table(QStringLiteral("IKSA_HS_Vyp.DBF")), "t");
    writeFile(table(QStringLiteral("stare.DBF")), "old");
    writeFile(table(QStringLiteral(".skryty.dbf")), "hidden");
    writeFile(table(QStringLiteral("poznamky.txt")), "notes");
    writeFile(table(QStringLiteral("zaloha.dbf")), "previous archive");

    ASSERT_TRUE(
        backupFile.Backup({table(QStringLiteral("*.dbf"))}, table(QStringLiteral("ZALOHA.DBF"))));
    const ParsedArchive parsed = parseArchive(readFile(table(QStringLiteral("ZALOHA.DBF"))));

    QList<QByteArray> names;
    for (const ParsedEntry& entry : parsed.entries)
        names << entry.name;
    EXPECT_EQ(names, (QList<QByteArray>{lower(table(QStringLiteral(".skryty.dbf"))),
                                        lower(table(QStringLiteral("IKSA_HS_Vyp.DBF"))),
                                        lower(table(QStringLiteral("stare.DBF")))}));
    EXPECT_EQ(parsed.fileCount, 3);
}

TEST_F(BackupFormatTest, SubdirectoriesComeFirstWithTheRecursiveSwitch) {
    ASSERT_TRUE(tmp.dir().mkpath(QStringLiteral("prog/Sub/deeper")));
    writeFile(table(QStringLiteral("b.dbf")), "b");
    writeFile(table(QStringLiteral("Sub/a.dbf")), "a");
    writeFile(table(QStringLiteral("Sub/deeper/c.dbf")), "c");

    const ParsedArchive parsed = backUp({QStringLiteral("*.dbf /s")});

    QList<QByteArray> names;
    for (const ParsedEntry& entry : parsed.entries)
        names << entry.name;
    EXPECT_EQ(names, (QList<QByteArray>{lower(table(QStringLiteral("Sub/deeper/c.dbf"))),
                                        lower(table(QStringLiteral("Sub/a.dbf"))),
                                        lower(table(QStringLiteral("b.dbf")))}));
}

TEST_F(BackupFormatTest, FilesAreCutIntoBlocksOf16384Bytes) {
    struct Case {
        int size;
        QList<int> blockInputs;
    };
    const Case cases[] = {{0, {}},
                          {1, {1}},
                          {16383, {16383}},
                          {16384, {16384}},
                          {16385, {16384, 1}},
                          {40000, {16384, 16384, 7232}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        const QByteArray data = tableLikeBytes(c.size, quint32(c.size));
        writeFile(table(QStringLiteral("IKSA.DBF")), data);
        const ParsedArchive parsed = backUp();
        ASSERT_EQ(parsed.entries.size(), 1);
        QList<int> inputs;
        for (const ParsedBlock& block : parsed.entries[0].blocks) {
            inputs << int(block.original.size());
            EXPECT_GT(block.length, 0) << "table rows compress";
        }
        EXPECT_EQ(inputs, c.blockInputs);
        EXPECT_EQ(parsed.entries[0].contents(), data);
    }
}

TEST_F(BackupFormatTest, IncompressibleBlocksAreStoredRawWithNegativeLength) {
    const QByteArray noise = randomBytes(16384 + 100, 7);
    writeFile(table(QStringLiteral("IKSA.DBF")), noise);

    const ParsedArchive parsed = backUp();

    ASSERT_EQ(parsed.entries.size(), 1);
    ASSERT_EQ(parsed.entries[0].blocks.size(), 2);
    EXPECT_EQ(parsed.entries[0].blocks[0].length, -16384);
    EXPECT_EQ(parsed.entries[0].blocks[0].stored, noise.left(16384));
    // 100 random bytes still fit into a zlib stream of 16384 bytes.
    EXPECT_GT(parsed.entries[0].blocks[1].length, 0);
    EXPECT_EQ(backupFile.CompressionRatio(), 0) << "16507 bytes written for 16484";
}

TEST_F(BackupFormatTest, CompressedBlocksAreWholeZlibStreamsOfTheChosenLevel) {
    const QByteArray rows = tableLikeBytes(20000, 5);
    writeFile(table(QStringLiteral("IKSA.DBF")), rows);
    struct Case {
        TCompressionLevel level;
        char flag; // second byte of the zlib header names the level class
    };
    for (const Case c : {Case{clFastest, '\x01'}, Case{clDefault, '\x9c'}, Case{clMax, '\xda'}}) {
        backupFile.CompressionLevel = c.level;
        const ParsedArchive parsed = backUp();
        ASSERT_EQ(parsed.entries.size(), 1);
        for (const ParsedBlock& block : parsed.entries[0].blocks) {
            ASSERT_GT(block.length, 0);
            EXPECT_EQ(block.stored.left(2), QByteArray("\x78") + c.flag);
        }
        EXPECT_EQ(parsed.entries[0].contents(), rows);
    }
}

TEST_F(BackupFormatTest, TitleIsStoredInTheHeader) {
    writeFile(table(QStringLiteral("IKSA.DBF")), "x");
    backupFile.BackupTitle = QStringLiteral("Zaloha 2024");
    const ParsedArchive parsed = backUp();
    EXPECT_EQ(parsed.title, QByteArray("Zaloha 2024"));
    EXPECT_EQ(readFile(archive()).left(4), QByteArray("\x0b\0\0\0", 4));
}

TEST(CompressionRatio, RoundsHalvesToTheEvenNeighbour) {
    struct Case {
        qint64 data, total;
        int percent;
    };
    const Case cases[] = {{0, 0, 0},
                          {50, 100, 50},
                          {1, 200, 100},
                          {3, 200, 98},
                          {5, 200, 98},
                          {7, 200, 96},
                          {1, 3, 67},
                          {2, 3, 33},
                          {150, 100, -50},
                          {4, 4, 0},
                          {41LL << 32, 100LL << 32, 59}};
    for (const Case& c : cases)
        EXPECT_EQ(compressionRatioPercent(c.data, c.total), c.percent)
            << c.data << " of " << c.total;
}

TEST(DosDateTime, PacksLocalTimeAndRefusesImpossibleFields) {
    const QDateTime time(QDate(2021, 3, 4), QTime(5, 6, 7), Qt::LocalTime);
    const quint32 packed = packDosDateTime(time);
    EXPECT_EQ(packed, (quint32(41) << 9 | 3 << 5 | 4) << 16 | (5 << 11 | 6 << 5 | 3));
    EXPECT_EQ(unpackDosDateTime(packed), time.addSecs(-1));
    EXPECT_EQ(packDosDateTime(QDateTime(QDate(1970, 1, 1), QTime(12, 0), Qt::LocalTime)),
              quint32(1 << 5 | 1) << 16);
    EXPECT_FALSE(unpackDosDateTime(0).has_value()) << "month 0";
    EXPECT_FALSE(unpackDosDateTime(quint32(41 << 9 | 13 << 5 | 1) << 16).has_value());
    EXPECT_FALSE(unpackDosDateTime(quint32(41 << 9 | 1 << 5 | 1) << 16 | 24 << 11).has_value());
}

} // namespace
