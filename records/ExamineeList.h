#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <Qt>
#include <array>

namespace iksa {

class Table;

// The columns of the examinee list, in their order.
enum class ExamineeColumn { Id, Surname, FirstName, Date, Age, Examiner, Ciq };
inline constexpr int examineeColumnCount = 7;

// One stored record of Table3 as the examinee list shows it.
class ExamineeEntry {
public:
    // `texts`: the stored texts by column, in the order of ExamineeColumn.
    ExamineeEntry(int recNo, const QStringList& texts);

    int recNo() const { return recNo_; } // 1-based position in natural order
    const QString& text(ExamineeColumn column) const {
        return texts_[static_cast<std::size_t>(column)];
    }

private:
    friend class ExamineeFilter;

    int recNo_;
    std::array<QString, examineeColumnCount> texts_;
    // Surname, first name and examiner as the filter compares them.
    std::array<QString, 3> searchable_;
};

// Every stored record of Table3 in natural order, read from the file without
// moving the cursor; texts being typed and not stored yet are not in it. A
// closed table gives an empty list.
QList<ExamineeEntry> readExamineeList(const Table& table3);

// `text` as the filter compares it: case folded, without diacritics
// ("Dvořák" → "dvorak", "ŁUKASZ" → "lukasz").
QString foldedForFilter(QStringView text);

// The filter of the examinee list and of `iksa-cli list --filter`: its text,
// without the blanks around it, must occur in the surname, the first name or
// the examiner of a record, without regard to case or diacritics ("novak"
// finds "Nováková", "dvorak" finds "Dvořák"). An empty text passes every record.
class ExamineeFilter {
public:
    explicit ExamineeFilter(const QString& text = {});

    bool isEmpty() const { return folded_.isEmpty(); }
    bool matches(const ExamineeEntry& entry) const;

private:
    QString folded_;
};

// The positions in `entries` in the order of `column`: numbers by value,
// dates of examination by the day, texts in Czech alphabetical order. In
// ascending order empty texts come first and texts that are not a number or
// a date of their column last; descending reverses that. Equal values keep
// the natural order in either direction.
QList<int> examineeOrder(const QList<ExamineeEntry>& entries, ExamineeColumn column,
                         Qt::SortOrder order);

} // namespace iksa
