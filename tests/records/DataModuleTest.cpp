#include "RecordsFixture.h"
#include "records/TableLock.h"
#include "records/UserError.h"

#include <QFile>
#include <QThread>
#include <cstdio>
#include <memory>
#include <thread>

using namespace iksa;
using namespace iksa::test;

TEST(DataModule, CreatesThreeEmptyTablesInCodePage1250) {
    TempDir tmp;
    DataModule::createEmptyTables(tmp.dir());
    for (const QString& name : kTableFiles) {
        const QByteArray bytes = fileBytes(tmp.file(name));
        ASSERT_GE(bytes.size(), 32) << name.toStdString();
        EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0x03);  // dBASE III
        EXPECT_EQ(static_cast<unsigned char>(bytes[29]), 0xC8); // language driver of 1250
        EXPECT_EQ(bytes.mid(4, 4), QByteArray(4, '\0'));        // no rows
    }
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files).size(), 3); // no .cpg beside them
    RecordingMessages messages;
    DataModule data;
    data.open(tmp.dir(), messages);
    EXPECT_TRUE(data.isOpen());
    EXPECT_EQ(data.table3().recordCount(), 0);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST(DataModule, CreationRefusesWhenAnyTableExists) {
    TempDir tmp;
    writeBytes(tmp.file(QStringLiteral("iksa_ii.dbf")), "mine");
    const QString message = errorOf([&] { DataModule::createEmptyTables(tmp.dir()); });
    EXPECT_TRUE(message.contains(QStringLiteral("iksa_ii.dbf"))) << message.toStdString();
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{"iksa_ii.dbf"});
    EXPECT_EQ(fileBytes(tmp.file(QStringLiteral("iksa_ii.dbf"))), QByteArray("mine"));
}

TEST(DataModule, OpensTable3ThenTable2ThenTable1AndStopsAtTheFirstFailure) {
    TempDir tmp;
    DataModule::createEmptyTables(tmp.dir());
    const QString t1 = tmp.file(QStringLiteral("IKSA.DBF"));
    ASSERT_TRUE(QFile::rename(t1, t1 + QStringLiteral(".away")));
    RecordingMessages messages;
    DataModule data;
    const QString message = errorOf([&] { data.open(tmp.dir(), messages); });
    EXPECT_TRUE(message.contains(QStringLiteral("IKSA.DBF"))) << message.toStdString();
    EXPECT_TRUE(data.table3().isOpen());
    EXPECT_TRUE(data.table2().isOpen());
    EXPECT_FALSE(data.table1().isOpen());
    EXPECT_FALSE(QFile::exists(t1)); // never created

    // The next activation tries again; the open tables stay as they are.
    ASSERT_TRUE(QFile::rename(t1 + QStringLiteral(".away"), t1));
    data.open(tmp.dir(), messages);
    EXPECT_TRUE(data.isOpen());

    data.close();
    QFile::remove(tmp.file(QStringLiteral("IKSA_HS_Vyp.DBF")));
    EXPECT_THROW(data.open(tmp.dir(), messages), UserError);
    EXPECT_FALSE(data.table3().isOpen());
    EXPECT_FALSE(data.table2().isOpen());
    EXPECT_FALSE(data.table1().isOpen());
}

TEST(DataModule, SecondCopyOnTheSameDirectoryIsRefused) {
    TempDir tmp;
    DataModule::createEmptyTables(tmp.dir());
    RecordingMessages messages;
    DataModule first;
    first.open(tmp.dir(), messages);

    DataModule second;
    const QString message =
        errorOf([&] { second.open(tmp.dir(), messages, DataModule::Access::ReadWrite, 100); });
    EXPECT_TRUE(message.contains(QDir::toNativeSeparators(tmp.dir().absolutePath())))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("jiný spuštěný program"))) << message.toStdString();
    EXPECT_FALSE(second.table3().isOpen());

    // Reading needs no lock; once the first copy closes, the second may write.
    DataModule reader;
    reader.open(tmp.dir(), messages, DataModule::Access::ReadOnly);
    EXPECT_TRUE(reader.isOpen());
    first.close();
    second.open(tmp.dir(), messages);
    EXPECT_TRUE(second.isOpen());
}

// A restore holds the locks while it renames new tables into place. A
// program that waited for a lock meanwhile must work on the new file, not
// on the replaced one, whose changes would be lost.
TEST(DataModule, TableReplacedWhileWaitingForItsLockIsOpenedAgain) {
    TempDir tmp;
    DataModule::createEmptyTables(tmp.dir());
    ASSERT_TRUE(tmp.dir().mkdir(QStringLiteral("new")));
    const QDir newer(tmp.file(QStringLiteral("new")));
    DataModule::createEmptyTables(newer);
    {
        RecordingMessages messages;
        DataModule data;
        data.open(newer, messages);
        ExamineeRecord record(data);
        record.press(NavigatorButton::Insert);
    }

    auto lock = std::make_unique<TablesLock>(tmp.dir(), 0);
    std::thread restore([&] {
        QThread::msleep(200);
        for (const QString& name : kTableFiles)
            ::rename(QFile::encodeName(newer.filePath(name)).constData(),
                     QFile::encodeName(tmp.file(name)).constData());
        lock.reset();
    });
    RecordingMessages messages;
    DataModule data;
    data.open(tmp.dir(), messages, DataModule::Access::ReadWrite, 3000);
    restore.join();
    EXPECT_EQ(data.table3().recordCount(), 1);
    EXPECT_EQ(data.table1().recordCount(), 1);
}

TEST(DataModule, DifferentRowCountsWarnOnce) {
    TempDir tmp;
    DataModule::createEmptyTables(tmp.dir());
    addTable3Rows(tmp.dir(), {QStringLiteral("Sám")});
    RecordingMessages messages;
    DataModule data;
    data.open(tmp.dir(), messages);
    ASSERT_EQ(messages.shown.size(), 1);
    const QString& warning = messages.shown.first();
    EXPECT_TRUE(warning.contains(QStringLiteral("různý počet záznamů"))) << warning.toStdString();
    EXPECT_TRUE(warning.contains(QStringLiteral("IKSA_HS_Vyp.DBF: 1"))) << warning.toStdString();
    EXPECT_TRUE(warning.contains(QStringLiteral("IKSA.DBF: 0"))) << warning.toStdString();
    data.open(tmp.dir(), messages); // already open: nothing new
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(data.table3().recordCount(), 1); // nothing repaired
    EXPECT_EQ(data.table1().recordCount(), 0);
}
