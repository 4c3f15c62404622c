#include "ExamineeList.h"

#include "Table.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QDate>
#include <QLocale>
#include <algorithm>
#include <optional>
#include <vector>

namespace iksa {

namespace {

// The Table3 field of each column, in the order of ExamineeColumn.
const std::array<const char*, examineeColumnCount> columnFields{"ID",  "PRIJM", "JMENO",    "DATUM",
                                                                "VEK", "EXAMI", "CIQ_IQ_IS"};

constexpr std::array<ExamineeColumn, 3> searchedColumns{
    ExamineeColumn::Surname, ExamineeColumn::FirstName, ExamineeColumn::Examiner};

// Letters that carry their mark in the letter itself and so keep it under
// canonical decomposition.
QChar withoutStroke(QChar c) {
    switch (c.unicode()) {
    case u'ł':
        return QChar(u'l');
    case u'đ':
        return QChar(u'd');
    default:
        return c;
    }
}

// The general rule: decomposed, the marks dropped, case folded.
QString foldedSlowly(QStringView text) {
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        const QChar::Category category = c.category();
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
            category == QChar::Mark_Enclosing)
            continue;
        out.append(c);
    }
    out = out.toCaseFolded();
    for (QChar& c : out)
        c = withoutStroke(c);
    return out;
}

// The same rule for the Latin letters of the table files, one look-up per
// character; 0 where a character folds to more than one.
const std::array<char16_t, 0x250>& foldingTable() {
    static const std::array<char16_t, 0x250> table = [] {
        std::array<char16_t, 0x250> t{};
        for (char16_t c = 1; c < t.size(); ++c) {
            const QChar one(c);
            const QString folded = foldedSlowly(QStringView(&one, 1));
            t[c] = folded.size() == 1 ? folded.front().unicode() : 0;
        }
        return t;
    }();
    return table;
}

bool isNumberColumn(ExamineeColumn column) {
    return column == ExamineeColumn::Id || column == ExamineeColumn::Age ||
           column == ExamineeColumn::Ciq;
}

// The value of a number or date text; nothing when it is not one.
std::optional<double> valueOf(ExamineeColumn column, const QString& text) {
    if (column == ExamineeColumn::Date) {
        const QDate date = QDate::fromString(text.trimmed(), QStringLiteral("d.M.yyyy"));
        if (!date.isValid())
            return std::nullopt;
        return static_cast<double>(date.toJulianDay());
    }
    if (!isNumberColumn(column))
        return std::nullopt;
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

// What one text of a column sorts by.
struct SortKey {
    int group = 0; // 0 empty, 1 a value of the column's kind, 2 any other text
    double value = 0;
    std::optional<QCollatorSortKey> text;
};

} // namespace

ExamineeEntry::ExamineeEntry(int recNo, const QStringList& texts)
    : recNo_(recNo) {
    for (std::size_t i = 0; i < texts_.size(); ++i)
        texts_[i] = texts.value(static_cast<qsizetype>(i));
    for (std::size_t i = 0; i < searchedColumns.size(); ++i)
        searchable_[i] = foldedForFilter(text(searchedColumns[i]));
}

QList<ExamineeEntry> readExamineeList(const Table& table3) {
    QList<ExamineeEntry> entries;
    if (!table3.isOpen())
        return entries;
    QList<int> fields;
    for (const char* name : columnFields)
        fields.append(table3.fieldIndex(QString::fromLatin1(name)));
    const QList<QStringList> rows = table3.storedColumns(fields);
    entries.reserve(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i)
        entries.append(ExamineeEntry(static_cast<int>(i + 1), rows[i]));
    return entries;
}

QString foldedForFilter(QStringView text) {
    const auto& table = foldingTable();
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < table.size() && table[c] != 0) {
            out.append(QChar(table[c]));
        } else {
            // Beyond the Latin letters (or a combining mark): the rest of
            // the text by the general rule.
            out.append(foldedSlowly(text.mid(i)));
            break;
        }
    }
    return out;
}

ExamineeFilter::ExamineeFilter(const QString& text)
    : folded_(foldedForFilter(text.trimmed())) {}

bool ExamineeFilter::matches(const ExamineeEntry& entry) const {
    if (folded_.isEmpty())
        return true;
    return std::any_of(entry.searchable_.begin(), entry.searchable_.end(),
                       [this](const QString& text) { return text.contains(folded_); });
}

QList<int> examineeOrder(const QList<ExamineeEntry>& entries, ExamineeColumn column,
                         Qt::SortOrder order) {
    QCollator collator(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    collator.setNumericMode(true);
    std::vector<SortKey> keys(static_cast<std::size_t>(entries.size()));
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const QString& text = entries[static_cast<qsizetype>(i)].text(column);
        SortKey& key = keys[i];
        if (text.trimmed().isEmpty())
            continue;
        const std::optional<double> value = valueOf(column, text);
        if (value) {
            key.group = 1;
            key.value = *value;
        } else {
            key.group = isNumberColumn(column) || column == ExamineeColumn::Date ? 2 : 1;
            key.text = collator.sortKey(text);
        }
    }
    // <0, 0, >0 as a sorts before, with or after b in ascending order.
    const auto compare = [](const SortKey& a, const SortKey& b) {
        if (a.group != b.group)
            return a.group < b.group ? -1 : 1;
        if (a.text && b.text)
            return a.text->compare(*b.text);
        if (a.value != b.value)
            return a.value < b.value ? -1 : 1;
        return 0;
    };
    QList<int> positions(entries.size());
    for (qsizetype i = 0; i < positions.size(); ++i)
        positions[i] = static_cast<int>(i);
    const bool descending = order == Qt::DescendingOrder;
    std::stable_sort(positions.begin(), positions.end(), [&](int a, int b) {
        const int c = compare(keys[static_cast<std::size_t>(a)], keys[static_cast<std::size_t>(b)]);
        return descending ? c > 0 : c < 0;
    });
    return positions;
}

} // namespace iksa
