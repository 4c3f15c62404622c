#include "records/Table.h"

#include "RecordsFixture.h"
#include "records/UserError.h"

#include <QFile>

using namespace iksa;
using namespace iksa::test;

namespace {

// One open Table3 over a fresh empty file.
class TableTest : public ::testing::Test {
protected:
    void SetUp() override {
        DataModule::createEmptyTables(tmp.dir());
        t3.open(tmp.dir());
    }

    // Inserts and posts rows with the given surnames.
    void addRows(const QStringList& surnames) { addSurnameRows(t3, surnames); }

    QStringList surnamesInOrder() {
        QStringList names;
        for (t3.first(); !t3.eof(); t3.next())
            names.append(t3.text(QStringLiteral("PRIJM")));
        return names;
    }

    void reopen() {
        t3.close();
        t3.open(tmp.dir());
    }

    TempDir tmp;
    Table t3{table3Schema()};
};

} // namespace

TEST_F(TableTest, NeverWrittenFieldsReadAsZeroAndEmpty) {
    t3.insert();
    t3.setText(QStringLiteral("PRIJM"), QStringLiteral("Kos"));
    t3.post();
    reopen();
    EXPECT_EQ(t3.text(QStringLiteral("VEK")), QString());
    EXPECT_EQ(t3.integer(QStringLiteral("VEK")), 0);
    EXPECT_EQ(t3.text(QStringLiteral("JMENO")), QString());
    EXPECT_EQ(t3.integer(QStringLiteral("JMENO")), 0);
    EXPECT_EQ(t3.text(QStringLiteral("PRIJM")), QStringLiteral("Kos"));
}

TEST_F(TableTest, PostConvertsTextsToColumnTypes) {
    Table t1(table1Schema());
    t1.open(tmp.dir());
    struct Case {
        Table* table;
        const char* field;
        QString typed;
        QString stored;
    };
    const QString longName = QStringLiteral("Příliš dlouhé příjmení nad dvacet znaků");
    const Case cases[] = {
        {&t3, "VEK", QStringLiteral("12"), QStringLiteral("12")},
        {&t3, "HS_14_SO", QStringLiteral(" -1 "), QStringLiteral("-1")},
        {&t3, "HS_1_DO", QStringLiteral("+7"), QStringLiteral("7")},
        {&t3, "HS_2_SL", QStringLiteral("-32768"), QStringLiteral("-32768")},
        {&t3, "HS_3_CSK", QStringLiteral("32767"), QStringLiteral("32767")},
        {&t3, "HS_4_POD", QString(), QString()},
        {&t3, "PRIJM", longName, longName.left(20)},
        {&t3, "JMENO", QStringLiteral("Žofie  "), QStringLiteral("Žofie")},
        {&t3, "EXAMI", QStringLiteral("  Ďábel"), QStringLiteral("  Ďábel")},
        {&t1, "S_1_1", QStringLiteral("1,5"), QStringLiteral("1.5")},
        {&t1, "S_1_2", QStringLiteral("0.5"), QStringLiteral("0.5")},
        {&t1, "S_1_3", QStringLiteral("1"), QStringLiteral("1")},
        {&t1, "S_1_4", QStringLiteral("2.000"), QStringLiteral("2")},
        {&t1, "ID", QStringLiteral("100000"), QStringLiteral("100000")},
        {&t1, "S_5_1", QStringLiteral("2"), QStringLiteral("2")},
    };
    t3.insert();
    t1.insert();
    for (const Case& c : cases)
        c.table->setText(QString::fromLatin1(c.field), c.typed);
    t3.post();
    t1.post();
    t1.close();
    reopen();
    t1.open(tmp.dir());
    for (const Case& c : cases)
        EXPECT_EQ(c.table->text(QString::fromLatin1(c.field)), c.stored) << c.field;
}

TEST_F(TableTest, BadTextFailsPostNamingFieldAndWritesNothing) {
    addRows({QStringLiteral("Kos")});
    const QByteArray before = fileBytes(t3.filePath());
    struct Case {
        const char* field;
        QString typed;
        QString mentioned; // besides the field name
    };
    const Case cases[] = {
        {"VEK", QStringLiteral("40000"), QStringLiteral("40000")},
        {"VEK", QStringLiteral("-32769"), QStringLiteral("-32769")},
        {"VEK", QStringLiteral("1.5"), QStringLiteral("1.5")},
        {"VEK", QStringLiteral("abc"), QStringLiteral("abc")},
        {"PRIJM", QStringLiteral("Ωmega"), QStringLiteral("Ω")},
        {"PRIJM", QStringLiteral("Łódź ✓"), QStringLiteral("✓")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        t3.setText(QString::fromLatin1(c.field), c.typed);
        const QString message = errorOf([&] { t3.post(); });
        EXPECT_TRUE(message.contains(QString::fromLatin1(c.field))) << message.toStdString();
        EXPECT_TRUE(message.contains(c.mentioned)) << message.toStdString();
        EXPECT_EQ(t3.state(), TableState::Edit); // the examiner can correct it
        EXPECT_EQ(t3.text(QString::fromLatin1(c.field)), c.typed);
        // A move posts first, so it fails the same way and stays put.
        EXPECT_THROW(t3.next(), UserError);
        t3.cancel();
    }
    EXPECT_EQ(fileBytes(t3.filePath()), before);
}

TEST_F(TableTest, NaturalOrderSkipsDeletedRows) {
    addRows({"A", "B", "C", "D"});
    t3.moveTo(2);
    t3.remove(); // B: the cursor stands on the row that followed it
    EXPECT_EQ(t3.text(QStringLiteral("PRIJM")), QStringLiteral("C"));
    EXPECT_EQ(t3.recNo(), 2);
    t3.last();
    t3.remove(); // the last row: the cursor on the new last row
    EXPECT_EQ(t3.text(QStringLiteral("PRIJM")), QStringLiteral("C"));
    EXPECT_EQ(t3.recordCount(), 2);
    reopen();
    EXPECT_EQ(surnamesInOrder(), QStringList({"A", "C"}));
    EXPECT_EQ(t3.recordCount(), 2);
    // New rows go after the last row of the file, deleted rows included.
    addRows({"E"});
    reopen();
    EXPECT_EQ(surnamesInOrder(), QStringList({"A", "C", "E"}));
    t3.first();
    t3.remove();
    t3.remove();
    t3.remove();
    EXPECT_EQ(t3.recordCount(), 0);
    EXPECT_TRUE(t3.bof() && t3.eof());
    EXPECT_THROW(t3.remove(), UserError); // nothing left to delete
    EXPECT_THROW(t3.edit(), UserError);
}

TEST_F(TableTest, CursorFlagsAndBookmarks) {
    EXPECT_TRUE(t3.bof() && t3.eof()); // empty
    EXPECT_EQ(t3.recNo(), 0);
    addRows({"A", "B", "C"});
    t3.first();
    EXPECT_TRUE(t3.bof());
    EXPECT_FALSE(t3.eof());
    t3.prior();
    EXPECT_TRUE(t3.bof());
    EXPECT_EQ(t3.recNo(), 1);
    t3.next();
    t3.next();
    EXPECT_FALSE(t3.eof());
    t3.next(); // past the last row: stays on it
    EXPECT_TRUE(t3.eof());
    EXPECT_EQ(t3.text(QStringLiteral("PRIJM")), QStringLiteral("C"));

    t3.moveTo(2);
    const Table::Bookmark onB = t3.bookmark();
    t3.last();
    t3.gotoBookmark(onB);
    EXPECT_EQ(t3.text(QStringLiteral("PRIJM")), QStringLiteral("B"));
    t3.remove(); // the bookmarked row is gone: its follower is taken
    t3.first();
    t3.gotoBookmark(onB);
    EXPECT_EQ(t3.text(QStringLiteral("PRIJM")), QStringLiteral("C"));
    t3.freeBookmark(onB);
}

TEST_F(TableTest, MovesStorePendingChangesAndCancelDropsThem) {
    addRows({"A", "B"});
    t3.first();
    t3.setText(QStringLiteral("VEK"), QStringLiteral("30")); // browse → edit, as a key would
    EXPECT_EQ(t3.state(), TableState::Edit);
    t3.next();
    EXPECT_EQ(t3.state(), TableState::Browse);
    t3.setText(QStringLiteral("VEK"), QStringLiteral("99"));
    t3.cancel();
    EXPECT_EQ(t3.text(QStringLiteral("VEK")), QString());
    reopen();
    EXPECT_EQ(t3.text(QStringLiteral("VEK")), QStringLiteral("30"));

    // A new row dropped by cancel leaves the cursor where it was.
    t3.moveTo(2);
    t3.insert();
    EXPECT_EQ(t3.recNo(), 3);
    t3.setText(QStringLiteral("PRIJM"), QStringLiteral("X"));
    t3.cancel();
    EXPECT_EQ(t3.recNo(), 2);
    EXPECT_EQ(t3.recordCount(), 2);

    // An unchanged edit is left without writing.
    const QByteArray before = fileBytes(t3.filePath());
    t3.edit();
    t3.first();
    EXPECT_EQ(fileBytes(t3.filePath()), before);
}

TEST_F(TableTest, StoredTextReadsWithoutMovingTheCursor) {
    addRows({"Kos", "Dub", "Čech"});
    t3.moveTo(2);
    t3.setText(QStringLiteral("VEK"), QStringLiteral("20"));
    const int column = t3.fieldIndex(QStringLiteral("PRIJM"));
    EXPECT_EQ(t3.storedText(3, column), QStringLiteral("Čech"));
    EXPECT_EQ(t3.storedText(1, column), QStringLiteral("Kos"));
    EXPECT_EQ(t3.recNo(), 2);
    EXPECT_EQ(t3.state(), TableState::Edit);
    EXPECT_EQ(t3.text(QStringLiteral("VEK")), QStringLiteral("20"));
    EXPECT_THROW(t3.storedText(4, column), UserError);
}

TEST_F(TableTest, FileNameMatchedWithoutRegardToCase) {
    addRows({"Kos"});
    t3.close();
    const QString lower = tmp.file(QStringLiteral("iksa_hs_vyp.dbf"));
    ASSERT_TRUE(QFile::rename(tmp.file(QStringLiteral("IKSA_HS_Vyp.DBF")), lower));
    t3.open(tmp.dir());
    EXPECT_EQ(t3.filePath(), lower);
    EXPECT_EQ(t3.text(QStringLiteral("PRIJM")), QStringLiteral("Kos"));
    t3.close();

    // Two files that differ only in case: an error, not a guess.
    ASSERT_TRUE(QFile::copy(lower, tmp.file(QStringLiteral("IKSA_HS_VYP.DBF"))));
    const QString message = errorOf([&] { t3.open(tmp.dir()); });
    EXPECT_TRUE(message.contains(QStringLiteral("iksa_hs_vyp.dbf"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("IKSA_HS_VYP.DBF"))) << message.toStdString();
    EXPECT_FALSE(t3.isOpen());
}

TEST_F(TableTest, MissingFileIsNotCreated) {
    t3.close();
    QFile::remove(tmp.file(QStringLiteral("IKSA_HS_Vyp.DBF")));
    const QString message = errorOf([&] { t3.open(tmp.dir()); });
    EXPECT_TRUE(message.contains(QStringLiteral("IKSA_HS_Vyp.DBF"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("neexistuje"))) << message.toStdString();
    EXPECT_FALSE(t3.isOpen());
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(TableTest, ReadOnlyTableRefusesChanges) {
    addRows({"Kos"});
    t3.close();
    Table::OpenOptions options;
    options.readOnly = true;
    t3.open(tmp.dir(), options);
    EXPECT_THROW(t3.setText(QStringLiteral("VEK"), QStringLiteral("1")), UserError);
    EXPECT_THROW(t3.insert(), UserError);
    EXPECT_THROW(t3.remove(), UserError);
    EXPECT_EQ(t3.text(QStringLiteral("PRIJM")), QStringLiteral("Kos"));
}

TEST_F(TableTest, UnknownFieldIsAnError) {
    EXPECT_EQ(t3.fieldIndex(QStringLiteral("NIC")), -1);
    EXPECT_EQ(t3.fieldIndex(QStringLiteral("prijm")), 1);
    const QString message = errorOf([&] { (void)t3.text(QStringLiteral("NIC")); });
    EXPECT_TRUE(message.contains(QStringLiteral("NIC")));
}
