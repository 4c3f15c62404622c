#include "SurnameSearch.h"

#include "ExamineeRecord.h"

namespace iksa {

SurnameSearch::SurnameSearch(ExamineeRecord& record)
    : record_(record) {}

QString SurnameSearch::buttonCaption() const {
    return continued_ ? QStringLiteral("Další") : QStringLiteral("Vyhledat");
}

void SurnameSearch::cancel() {
    continued_ = false;
}

SurnameSearch::Outcome SurnameSearch::press(const QString& surname) {
    Outcome outcome;
    if (surname.isEmpty())
        return outcome;

    DataModule& data = record_.data();
    Table& t1 = data.table1();
    Table& t2 = data.table2();
    Table& t3 = data.table3();
    // The first move of a scan stores pending changes, as every move does.
    record_.storePendingChanges();

    const bool newSearch = !continued_;
    Table::Bookmark mark3 = -1, mark2 = -1, mark1 = -1;
    int from = 1;
    if (newSearch) {
        mark3 = t3.bookmark();
        mark2 = t2.bookmark();
        mark1 = t1.bookmark();
    } else {
        from = t3.recNo() + 1;
    }

    // The rows are read from the file without moving the tables; the three
    // move once, to the row found, at the end.
    const QString key = surname.toUpper();
    const int surnameColumn = t3.fieldIndex(QStringLiteral("PRIJM"));
    const int count = t3.recordCount();
    for (int row = from; row <= count; ++row) {
        if (t3.storedText(row, surnameColumn).toUpper() != key)
            continue;
        // As a navigator move: all three, with the not-administered display.
        record_.moveTo(row);
        continued_ = true;
        outcome.found = true;
        return outcome;
    }

    outcome.showNotFound = true;
    if (newSearch) {
        t3.gotoBookmark(mark3);
        t2.gotoBookmark(mark2);
        t1.gotoBookmark(mark1);
        t3.freeBookmark(mark3);
        t2.freeBookmark(mark2);
        t1.freeBookmark(mark1);
        // With no record at all the scan ends at once and the window closes.
        outcome.hideWindow = count == 0;
    } else {
        // The scan ran past the last row: the tables stay there.
        record_.press(NavigatorButton::Last);
        continued_ = false;
        outcome.hideWindow = true;
    }
    return outcome;
}

} // namespace iksa
