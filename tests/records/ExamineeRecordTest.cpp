#include "RecordsFixture.h"
#include "records/HeaderChecks.h"
#include "records/UserError.h"

#include <QDate>

using namespace iksa;
using namespace iksa::test;

namespace {

class ExamineeRecordTest : public RecordsFixture {
protected:
    // The IDs of the current rows of Table3, Table1, Table2.
    QStringList currentIds() {
        return {data.table3().text(QStringLiteral("ID")), data.table1().text(QStringLiteral("ID")),
                data.table2().text(QStringLiteral("ID"))};
    }
};

} // namespace

TEST_F(ExamineeRecordTest, InsertOnEmptyTablesCreatesOneStoredRowInEach) {
    record.press(NavigatorButton::Insert);
    EXPECT_EQ(data.table3().state(), TableState::Browse);
    EXPECT_EQ(data.table1().state(), TableState::Edit);
    EXPECT_EQ(data.table2().state(), TableState::Edit);
    reopen(); // stored at once
    for (Table* t : {&data.table1(), &data.table2(), &data.table3()})
        EXPECT_EQ(t->recordCount(), 1) << t->name().toStdString();
    EXPECT_EQ(currentIds(), QStringList({"0", "0", "0"}));
    EXPECT_EQ(record.text(QStringLiteral("DATUM")),
              QDate::currentDate().toString(QStringLiteral("d.M.yyyy")));
    // Every other field is empty.
    for (Table* t : {&data.table1(), &data.table2(), &data.table3()}) {
        for (int i = 0; i < t->schema().columns.size(); ++i) {
            const QString name = t->schema().columns[i].name;
            if (name == QLatin1String("ID") || (t == &data.table3() && name == "DATUM"))
                continue;
            EXPECT_EQ(t->text(i), QString()) << name.toStdString();
        }
    }

    record.press(NavigatorButton::Insert);
    EXPECT_EQ(currentIds(), QStringList({"1", "1", "1"}));
    EXPECT_EQ(record.recNo(), 2);
}

TEST_F(ExamineeRecordTest, CancelRightAfterInsertKeepsTheRecord) {
    record.press(NavigatorButton::Insert);
    record.press(NavigatorButton::Cancel);
    reopen();
    EXPECT_EQ(data.table3().recordCount(), 1);
    EXPECT_EQ(data.table1().recordCount(), 1);
    EXPECT_EQ(data.table2().recordCount(), 1);
}

TEST_F(ExamineeRecordTest, PostCopiesTheSurnameIntoTable1AndTable2) {
    record.press(NavigatorButton::Insert);
    record.setText(QStringLiteral("PRIJM"), QStringLiteral("Řehoř"));
    EXPECT_EQ(data.table3().state(), TableState::Edit); // the first key
    record.press(NavigatorButton::Post);
    for (Table* t : {&data.table1(), &data.table2(), &data.table3()})
        EXPECT_EQ(t->state(), TableState::Browse);
    reopen();
    EXPECT_EQ(record.text(QStringLiteral("1:PRIJM")), QStringLiteral("Řehoř"));
    EXPECT_EQ(record.text(QStringLiteral("2:PRIJM")), QStringLiteral("Řehoř"));
}

TEST_F(ExamineeRecordTest, MovingStoresPendingChangesOfAllThreeAndKeepsThemInStep) {
    add(QStringLiteral("Kos"));
    add(QStringLiteral("Dub"));
    record.press(NavigatorButton::First);
    record.press(NavigatorButton::Edit);
    record.setText(QStringLiteral("VEK"), QStringLiteral("44"));  // Table3
    record.setText(QStringLiteral("S_1_1"), QStringLiteral("1")); // Table1
    record.setText(QStringLiteral("S_6_1"), QStringLiteral("1")); // Table2
    record.press(NavigatorButton::Next);
    EXPECT_EQ(currentIds(), QStringList({"1", "1", "1"}));
    reopen();
    EXPECT_EQ(currentIds(), QStringList({"0", "0", "0"}));
    EXPECT_EQ(record.text(QStringLiteral("VEK")), QStringLiteral("44"));
    EXPECT_EQ(record.text(QStringLiteral("S_1_1")), QStringLiteral("1"));
    EXPECT_EQ(record.text(QStringLiteral("S_6_1")), QStringLiteral("1"));
    record.press(NavigatorButton::Last);
    EXPECT_EQ(currentIds(), QStringList({"1", "1", "1"}));
    record.press(NavigatorButton::Prior);
    EXPECT_EQ(currentIds(), QStringList({"0", "0", "0"}));
}

TEST_F(ExamineeRecordTest, BadTextInOneTableStopsTheMoveOfAllThree) {
    add(QStringLiteral("Kos"));
    add(QStringLiteral("Dub"));
    record.press(NavigatorButton::First);
    record.press(NavigatorButton::Edit);
    record.setText(QStringLiteral("VEK"), QStringLiteral("50"));
    record.setText(QStringLiteral("S_4_1"), QStringLiteral("x")); // int16 in Table1
    EXPECT_THROW(record.press(NavigatorButton::Next), UserError);
    EXPECT_EQ(record.recNo(), 1);
    EXPECT_EQ(data.table1().recNo(), 1);
    EXPECT_EQ(data.table2().recNo(), 1);
    record.press(NavigatorButton::Cancel);
    EXPECT_EQ(record.text(QStringLiteral("VEK")), QString()); // Table3 was not stored either
}

TEST_F(ExamineeRecordTest, MovingRefreshesTheNotAdministeredDisplay) {
    add(QStringLiteral("A"), {{QStringLiteral("HS_14_SO"), QStringLiteral("-1")}});
    add(QStringLiteral("B"), {{QStringLiteral("HS_14_SO"), QStringLiteral("12")}});
    add(QStringLiteral("C"));
    QList<bool> signalled;
    QObject::connect(&record, &ExamineeRecord::soCellsHiddenChanged,
                     [&](bool hidden) { signalled.append(hidden); });
    record.press(NavigatorButton::First);
    EXPECT_TRUE(record.soNotAdministered());
    EXPECT_TRUE(record.soCellsHidden());
    record.press(NavigatorButton::Next);
    EXPECT_FALSE(record.soNotAdministered());
    EXPECT_FALSE(record.soCellsHidden());
    record.press(NavigatorButton::Prior);
    record.press(NavigatorButton::Last); // an empty HS_14_SO
    EXPECT_FALSE(record.soNotAdministered());
    EXPECT_FALSE(record.soCellsHidden());
    EXPECT_EQ(signalled, QList<bool>({true, false, true, false}));
}

TEST_F(ExamineeRecordTest, NotAdministeredMarkSurvivesPostAndReload) {
    add(QStringLiteral("A"));
    add(QStringLiteral("B"));
    record.press(NavigatorButton::First);
    record.setNotAdministeredMark(true);
    EXPECT_EQ(data.table1().state(), TableState::Edit); // the edit protocol
    EXPECT_EQ(record.text(QStringLiteral("HS_14_SO")), QStringLiteral("-1"));
    EXPECT_FALSE(record.soCellsHidden()); // shown until the next move
    record.press(NavigatorButton::Post);
    record.press(NavigatorButton::Next);
    record.press(NavigatorButton::Prior);
    EXPECT_EQ(record.text(QStringLiteral("HS_14_SO")), QStringLiteral("-1"));
    EXPECT_TRUE(record.soCellsHidden());
    EXPECT_TRUE(record.soNotAdministered());
    record.setNotAdministeredMark(false);
    EXPECT_EQ(record.text(QStringLiteral("HS_14_SO")), QStringLiteral("0"));
}

TEST_F(ExamineeRecordTest, DeleteRemovesTheRowFromAllThreeTables) {
    add(QStringLiteral("A"));
    add(QStringLiteral("B"));
    add(QStringLiteral("C"));
    record.moveTo(2);
    record.removeCurrent();
    EXPECT_EQ(record.text(QStringLiteral("PRIJM")), QStringLiteral("C"));
    EXPECT_EQ(currentIds(), QStringList({"2", "2", "2"}));
    record.removeCurrent(); // the last row: all three on the new last row
    EXPECT_EQ(currentIds(), QStringList({"0", "0", "0"}));
    reopen();
    for (Table* t : {&data.table1(), &data.table2(), &data.table3()})
        EXPECT_EQ(t->recordCount(), 1);
    record.removeCurrent();
    EXPECT_THROW(record.removeCurrent(), UserError); // empty tables: nothing to delete
    EXPECT_EQ(data.table3().recordCount(), 0);
}

TEST_F(ExamineeRecordTest, EditingEmptyTablesIsRefused) {
    EXPECT_THROW(record.press(NavigatorButton::Edit), UserError);
    EXPECT_THROW(record.setText(QStringLiteral("PRIJM"), QStringLiteral("X")), UserError);
    record.press(NavigatorButton::Post); // nothing to store
    EXPECT_EQ(data.table1().recordCount(), 0);
}

TEST_F(ExamineeRecordTest, FieldNamesResolveTable3ThenTable1ThenTable2) {
    add(QStringLiteral("A"));
    EXPECT_EQ(&record.tableOf(QStringLiteral("ID")), &data.table3());
    EXPECT_EQ(&record.tableOf(QStringLiteral("PRIJM")), &data.table3());
    EXPECT_EQ(&record.tableOf(QStringLiteral("O_1_1")), &data.table1());
    EXPECT_EQ(&record.tableOf(QStringLiteral("S_6_1")), &data.table2());
    EXPECT_EQ(&record.tableOf(QStringLiteral("PAR_3")), &data.table3()); // in Table1 too
    EXPECT_EQ(&record.tableOf(QStringLiteral("1:PAR_3")), &data.table1());
    EXPECT_EQ(&record.tableOf(QStringLiteral("2:ID")), &data.table2());
    EXPECT_EQ(&record.tableOf(QStringLiteral("3:ID")), &data.table3());
    EXPECT_THROW(record.tableOf(QStringLiteral("2:O_1_1")), UserError);
    EXPECT_THROW(record.tableOf(QStringLiteral("NIC")), UserError);
    EXPECT_EQ(record.integer(QStringLiteral("VEK")), 0);
}

TEST(HeaderChecks, AgeMessages) {
    const QString bad = QStringLiteral("Špatný věk !!");
    const QString young = QStringLiteral("Věk  je menší jak 16 let!!");
    const QString old = QStringLiteral("Věk  je větší jak 105 let!!");
    const struct {
        QString text;
        QStringList messages;
    } cases[] = {
        {QString(), {bad, young}},
        {QStringLiteral("20"), {}},
        {QStringLiteral("16"), {}},
        {QStringLiteral("105"), {}},
        {QStringLiteral("15"), {young}},
        {QStringLiteral("106"), {old}},
        {QStringLiteral("-5"), {young}},
        {QStringLiteral(" 30"), {}},
        {QStringLiteral("2a"), {bad, young}},
        {QStringLiteral("30 "), {bad}},
        {QStringLiteral("-"), {bad, young}},
        {QStringLiteral("999"), {old}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ageCheckMessages(c.text), c.messages) << c.text.toStdString();
}

TEST(HeaderChecks, DateKeyFilter) {
    // Types `keys` one by one into an empty box; returns the text and messages.
    const auto type = [](const QString& keys, QStringList* messages) {
        QString box;
        for (const QChar key : keys) {
            const KeyVerdict v = dateKeyFilter(box, key);
            if (!v.message.isEmpty())
                messages->append(v.message);
            if (!v.accept)
                continue;
            if (key == QLatin1Char('\b'))
                box.chop(1);
            else
                box.append(key);
        }
        return box;
    };
    QStringList messages;
    EXPECT_EQ(type(QStringLiteral(".12.3.2004"), &messages), QStringLiteral("12.3.2004"));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(type(QStringLiteral("1a/2-"), &messages), QStringLiteral("12"));
    EXPECT_EQ(type(QStringLiteral("12\b3"), &messages), QStringLiteral("13"));
    EXPECT_TRUE(messages.isEmpty());

    EXPECT_EQ(type(QStringLiteral("1.2.3.4.56"), &messages), QStringLiteral("1.2.3.456"));
    EXPECT_EQ(messages, QStringList({QStringLiteral("Špatně  zadané datum :1.2.3.4"),
                                     QStringLiteral("Špatně  zadané datum :1.2.3.45")}));
    EXPECT_FALSE(dateKeyFilter(QStringLiteral("12.3.200"), QLatin1Char('.')).accept);
    EXPECT_TRUE(dateKeyFilter(QStringLiteral("12.3.2"), QLatin1Char('.')).accept);
}

TEST_F(ExamineeRecordTest, InsertIsRefusedWhenTheIdNoLongerFitsItsColumn) {
    // Table3 with 32,768 blank rows: the next ID would be 32768, beyond int16.
    data.close();
    const QString path = tmp.file(QStringLiteral("IKSA_HS_Vyp.DBF"));
    QByteArray bytes = fileBytes(path);
    const int headerLength =
        static_cast<unsigned char>(bytes[8]) | static_cast<unsigned char>(bytes[9]) << 8;
    const int recordLength =
        static_cast<unsigned char>(bytes[10]) | static_cast<unsigned char>(bytes[11]) << 8;
    const int rows = 32768;
    bytes.truncate(headerLength);
    bytes.append(QByteArray(qsizetype(rows) * recordLength, ' '));
    bytes[4] = 0;
    bytes[5] = static_cast<char>(0x80);
    writeBytes(path, bytes);
    data.open(tmp.dir(), messages);
    ASSERT_EQ(data.table3().recordCount(), rows);
    try {
        record.press(NavigatorButton::Insert);
        FAIL() << "a record with ID 32768 was created";
    } catch (const UserError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("32767"))) << e.message().toStdString();
    }
    EXPECT_EQ(data.table3().recordCount(), rows);
    EXPECT_EQ(data.table1().recordCount(), 0);
    EXPECT_EQ(data.table2().recordCount(), 0);
    EXPECT_EQ(data.table3().state(), TableState::Browse);
}

TEST_F(ExamineeRecordTest, WritesAreRefusedWhileOneTableStandsOnAnotherExaminee) {
    add(QStringLiteral("Kos"));
    add(QStringLiteral("Dub"));
    add(QStringLiteral("Lin"));
    const auto files = [&] {
        return fileBytes(tmp.file(QStringLiteral("IKSA.DBF"))) +
               fileBytes(tmp.file(QStringLiteral("IKSA_II.DBF"))) +
               fileBytes(tmp.file(QStringLiteral("IKSA_HS_Vyp.DBF")));
    };
    struct Case {
        const char* name;
        std::function<void()> operation;
    };
    const QList<Case> cases{
        {"potvrdit", [&] { record.press(NavigatorButton::Post); }},
        {"a move that stores", [&] { record.press(NavigatorButton::Next); }},
        {"moveTo", [&] { record.moveTo(3); }},
        {"the search's store", [&] { record.storePendingChanges(); }},
        {"přidat", [&] { record.press(NavigatorButton::Insert); }},
        {"delete", [&] { record.removeCurrent(); }},
    };
    for (const Case& c : cases) {
        for (Table* moved : {&data.table1(), &data.table2(), &data.table3()}) {
            record.moveTo(2);
            // One table moved directly, as a follower navigator alone would.
            moved->first();
            record.setText(QStringLiteral("3:POZNAM"), QStringLiteral("typed"));
            record.setText(QStringLiteral("1:S_1_1"), QStringLiteral("1"));
            record.setText(QStringLiteral("2:S_6_1"), QStringLiteral("1"));
            const QByteArray before = files();
            const QString error = errorOf(c.operation);
            EXPECT_TRUE(error.contains(moved->name())) << c.name << ": " << error.toStdString();
            for (const char* table : {"Table1", "Table2", "Table3"})
                EXPECT_TRUE(error.contains(QLatin1String(table))) << c.name;
            EXPECT_TRUE(error.contains(QStringLiteral("Nic nebylo zapsáno"))) << c.name;
            EXPECT_EQ(files(), before) << c.name << " " << moved->name().toStdString();
            for (Table* table : {&data.table1(), &data.table2(), &data.table3()})
                EXPECT_EQ(table->recordCount(), 3) << c.name;
            record.press(NavigatorButton::Cancel);
        }
    }

    // Nothing pending: a move brings all three onto one row again.
    record.moveTo(2);
    data.table1().last();
    record.press(NavigatorButton::First);
    EXPECT_EQ(currentIds(), QStringList({"0", "0", "0"}));
    record.setText(QStringLiteral("POZNAM"), QStringLiteral("stored"));
    record.press(NavigatorButton::Post);
    EXPECT_EQ(storedText(tmp.path(), 1, QStringLiteral("POZNAM")), QStringLiteral("stored"));

    // The same position with another ID is another examinee as well.
    data.table2().setText(QStringLiteral("ID"), QStringLiteral("7"));
    record.setText(QStringLiteral("POZNAM"), QStringLiteral("again"));
    EXPECT_TRUE(
        errorOf([&] { record.press(NavigatorButton::Post); }).contains(QStringLiteral("ID 7")));
    EXPECT_EQ(storedText(tmp.path(), 1, QStringLiteral("POZNAM")), QStringLiteral("stored"));
}
