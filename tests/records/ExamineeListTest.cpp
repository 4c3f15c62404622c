// The examinee list below the window: the filter rule shared by the window
// and iksa-cli, the orders of the columns, and the stored rows read from the
// files without moving the tables.
#include "records/ExamineeList.h"

#include "RecordsFixture.h"

using namespace iksa;
using namespace iksa::test;

namespace {

ExamineeEntry entry(const QString& surname, const QString& firstName = {},
                    const QString& examiner = {}) {
    return ExamineeEntry(
        1, {QStringLiteral("0"), surname, firstName, QString(), QString(), examiner, QString()});
}

// An entry with one text in `column`, the others empty.
ExamineeEntry entryWith(int recNo, ExamineeColumn column, const QString& text) {
    QStringList texts(examineeColumnCount);
    texts[static_cast<int>(column)] = text;
    return ExamineeEntry(recNo, texts);
}

QList<int> recNosInOrder(const QList<ExamineeEntry>& entries, ExamineeColumn column,
                         Qt::SortOrder order) {
    QList<int> recNos;
    for (const int position : examineeOrder(entries, column, order))
        recNos.append(entries[position].recNo());
    return recNos;
}

} // namespace

TEST(ExamineeFilterTest, FindsTheTextWithoutRegardToCaseOrDiacritics) {
    struct Case {
        const char* filter;
        const char* surname;
        const char* firstName;
        const char* examiner;
        bool found;
    };
    const Case cases[] = {
        {"novak", "Nováková", "", "", true},
        {"dvorak", "Dvořák", "", "", true},
        {"DVOŘÁK", "dvorak", "", "", true},
        {"ova", "Nováková", "", "", true},
        {"rizek", "Řízek", "", "", true},
        {"zlutoucky", "Žluťoučký", "", "", true},
        {"kun", "Kůň", "", "", true},
        {"dablova", "Ďáblová", "", "", true},
        {"chaz", "Procházka", "", "", true},
        {"lukasz", "Łukasz", "", "", true},
        {"Dvor\xcc\x8c"
         "ak",
         "Dvořák", "", "", true}, // a combining caron typed
        {"sar", "Novák", "Šárka", "", true},
        {"jan", "Novák", "Jana", "", true},
        {"simk", "Novák", "Jan", "Dr. Šimková", true},
        {"dr. š", "Novák", "Jan", "Dr. Šimková", true},
        {"  novak  ", "Novák", "", "", true},
        {"", "Kos", "", "", true},
        {"", "", "", "", true},
        {"nováková", "Novák", "", "", false},
        {"jannovak", "Novák", "Jan", "", false}, // never across two fields
        {"novak jan", "Novák", "Jan", "", false},
        {"dvorak", "Dvorský", "", "", false},
        {"x", "Dub", "Eva", "Mgr. Kučera", false},
        {"novak", "", "", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("„%1“ in %2 / %3 / %4")
                         .arg(QString::fromUtf8(c.filter), QString::fromUtf8(c.surname),
                              QString::fromUtf8(c.firstName), QString::fromUtf8(c.examiner))
                         .toStdString());
        const ExamineeFilter filter{QString::fromUtf8(c.filter)};
        EXPECT_EQ(filter.matches(entry(QString::fromUtf8(c.surname), QString::fromUtf8(c.firstName),
                                       QString::fromUtf8(c.examiner))),
                  c.found);
    }
}

TEST(ExamineeFilterTest, FoldsEveryLetterOfTheCodePage) {
    EXPECT_EQ(foldedForFilter(u"Dvořák"), QStringLiteral("dvorak"));
    EXPECT_EQ(foldedForFilter(u"ŽLUŤOUČKÝ KŮŇ ÚPĚL ĎÁBELSKÉ ÓDY"),
              QStringLiteral("zlutoucky kun upel dabelske ody"));
    EXPECT_EQ(foldedForFilter(u"ŁÓDŹ Đurić Ľubica Ŕ Ăă Őő Űű Şş Ţţ"),
              QStringLiteral("lodz duric lubica r aa oo uu ss tt"));
    EXPECT_EQ(foldedForFilter(u"Mgr. Kučera, PhDr."), QStringLiteral("mgr. kucera, phdr."));
    // Beyond the Latin letters the general rule holds as well.
    EXPECT_EQ(foldedForFilter(u"Αθηνά"), QStringLiteral("αθηνα"));
}

TEST(ExamineeOrderTest, SortsEachKindOfColumnInBothDirections) {
    struct Case {
        ExamineeColumn column;
        QStringList texts; // records 1, 2, … in natural order
        QList<int> ascending;
        QList<int> descending;
    };
    const QList<Case> cases{
        // Numbers by value; equal values keep the natural order both ways.
        {ExamineeColumn::Age, {"9", "10", "", "45", "10"}, {3, 1, 2, 5, 4}, {4, 2, 5, 1, 3}},
        {ExamineeColumn::Id, {"2", "10", "1"}, {3, 1, 2}, {2, 1, 3}},
        {ExamineeColumn::Ciq, {"", "100", "85"}, {1, 3, 2}, {2, 3, 1}},
        // Dates by the day, with or without leading zeros; a text that is no
        // date after all dates.
        {ExamineeColumn::Date,
         {"10.1.2024", "2.1.2024", "1.2.2023", "", "nevím", "05.01.2024"},
         {4, 3, 2, 6, 1, 5},
         {5, 1, 6, 2, 3, 4}},
        // Czech alphabetical order: č after c, ch after h, ř after r, š after
        // s, ž after z; case does not come first.
        {ExamineeColumn::Surname,
         {"Chalupa", "Hrubý", "Cibulka", "Čech", "Ivan", "Řehoř", "Rys", "Šimek", "Svoboda", "Žák",
          "Zeman", "adam", ""},
         {13, 12, 3, 4, 2, 1, 5, 7, 6, 9, 8, 11, 10},
         {10, 11, 8, 9, 6, 7, 5, 1, 2, 4, 3, 12, 13}},
        {ExamineeColumn::Examiner,
         {"Mgr. Kučera", "Dr. Šimková", "Mgr. Kučera", "PhDr. Říha"},
         {2, 1, 3, 4},
         {4, 1, 3, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.texts.join(QStringLiteral(", ")).toStdString());
        QList<ExamineeEntry> entries;
        for (qsizetype i = 0; i < c.texts.size(); ++i)
            entries.append(entryWith(static_cast<int>(i + 1), c.column, c.texts[i]));
        EXPECT_EQ(recNosInOrder(entries, c.column, Qt::AscendingOrder), c.ascending);
        EXPECT_EQ(recNosInOrder(entries, c.column, Qt::DescendingOrder), c.descending);
    }
}

class ExamineeListReadTest : public RecordsFixture {};

TEST_F(ExamineeListReadTest, ReadsTheStoredRecordsWithoutTouchingTheCurrentOne) {
    add(QStringLiteral("Dvořák"), {{"JMENO", "Jiří"},
                                   {"VEK", "41"},
                                   {"DATUM", "3.5.2024"},
                                   {"EXAMI", "Dr. Šimková"},
                                   {"CIQ_IQ_IS", "104"}});
    add(QStringLiteral("Nováková"), {{"JMENO", "Šárka"}, {"VEK", "29"}});
    add(QStringLiteral("Kos"));
    record.moveTo(2);
    record.setText(QStringLiteral("PRIJM"), QStringLiteral("Novotná")); // typed, not stored

    const QList<ExamineeEntry> entries = readExamineeList(data.table3());
    ASSERT_EQ(entries.size(), 3);
    const ExamineeEntry& first = entries[0];
    EXPECT_EQ(first.recNo(), 1);
    const QStringList expected{"0", "Dvořák", "Jiří", "3.5.2024", "41", "Dr. Šimková", "104"};
    for (int column = 0; column < examineeColumnCount; ++column)
        EXPECT_EQ(first.text(static_cast<ExamineeColumn>(column)), expected[column]) << column;
    EXPECT_EQ(entries[1].text(ExamineeColumn::Surname), QStringLiteral("Nováková"));
    EXPECT_EQ(entries[1].text(ExamineeColumn::Ciq), QString()); // not evaluated
    EXPECT_EQ(entries[2].recNo(), 3);
    EXPECT_EQ(entries[2].text(ExamineeColumn::Id), QStringLiteral("2"));

    EXPECT_EQ(record.recNo(), 2);
    EXPECT_EQ(data.table3().state(), TableState::Edit);
    EXPECT_EQ(text("PRIJM"), QStringLiteral("Novotná"));

    record.press(NavigatorButton::Post);
    record.moveTo(1);
    record.removeCurrent();
    const QList<ExamineeEntry> after = readExamineeList(data.table3());
    ASSERT_EQ(after.size(), 2);
    EXPECT_EQ(after[0].recNo(), 1);
    EXPECT_EQ(after[0].text(ExamineeColumn::Surname), QStringLiteral("Novotná"));

    data.close();
    EXPECT_TRUE(readExamineeList(data.table3()).isEmpty());
}

TEST_F(ExamineeListReadTest, StoredColumnsReadManyBlocksPastDeletedAndAppendedRows) {
    data.close();
    Table t3(table3Schema());
    Table::OpenOptions quick;
    quick.syncWrites = false;
    t3.open(tmp.dir(), quick);
    QStringList surnames;
    for (int n = 1; n <= 3000; ++n)
        surnames.append(QStringLiteral("Ř%1").arg(n));
    addSurnameRows(t3, surnames);
    for (const int recNo : {2990, 1500, 1499, 1}) {
        t3.moveTo(recNo);
        t3.remove();
    }
    const int surname = t3.fieldIndex(QStringLiteral("PRIJM"));
    const int id = t3.fieldIndex(QStringLiteral("ID"));
    const QList<QStringList> rows = t3.storedColumns({surname, id});
    ASSERT_EQ(rows.size(), 2996);
    for (int recNo = 1; recNo <= t3.recordCount(); ++recNo) {
        const QStringList expected{t3.storedText(recNo, surname), QString()};
        ASSERT_EQ(rows[recNo - 1], expected) << recNo;
    }
    EXPECT_EQ(rows.first().first(), QStringLiteral("Ř2"));
    EXPECT_EQ(rows.last().first(), QStringLiteral("Ř3000"));
}
