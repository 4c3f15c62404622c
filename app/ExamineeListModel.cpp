#include "ExamineeListModel.h"

#include <utility>

namespace iksa::app {

namespace {

// The captions of the columns, in the order of ExamineeColumn.
const std::array<const char*, examineeColumnCount> captions{
    "ID", "Příjmení", "Jméno", "Datum vyšetření", "Věk", "Examinátor", "CIQ"};

bool rightAligned(ExamineeColumn column) {
    return column == ExamineeColumn::Id || column == ExamineeColumn::Age ||
           column == ExamineeColumn::Ciq;
}

} // namespace

ExamineeListModel::ExamineeListModel(const Table& table3, QObject* parent)
    : QAbstractTableModel(parent)
    , table3_(table3) {}

void ExamineeListModel::reload() {
    // Read before the reset: a failed read leaves the list as it was.
    QList<ExamineeEntry> entries = readExamineeList(table3_);
    QList<int> order = examineeOrder(entries, sortColumn_, sortOrder_);
    beginResetModel();
    entries_ = std::move(entries);
    order_ = std::move(order);
    showFiltered();
    endResetModel();
}

void ExamineeListModel::setFilterText(const QString& text) {
    beginResetModel();
    filter_ = ExamineeFilter(text);
    showFiltered();
    endResetModel();
}

void ExamineeListModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= examineeColumnCount)
        return;
    beginResetModel();
    sortColumn_ = static_cast<ExamineeColumn>(column);
    sortOrder_ = order;
    order_ = examineeOrder(entries_, sortColumn_, sortOrder_);
    showFiltered();
    endResetModel();
}

void ExamineeListModel::showFiltered() {
    if (filter_.isEmpty()) {
        shown_ = order_;
        return;
    }
    shown_.clear();
    for (const int position : std::as_const(order_))
        if (filter_.matches(entries_[position]))
            shown_.append(position);
}

int ExamineeListModel::recNoAt(int row) const {
    if (row < 0 || row >= shown_.size())
        return 0;
    return entries_[shown_[row]].recNo();
}

int ExamineeListModel::rowOf(int recNo) const {
    for (qsizetype row = 0; row < shown_.size(); ++row)
        if (entries_[shown_[row]].recNo() == recNo)
            return static_cast<int>(row);
    return -1;
}

int ExamineeListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int ExamineeListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : examineeColumnCount;
}

QVariant ExamineeListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= shown_.size())
        return {};
    const auto column = static_cast<ExamineeColumn>(index.column());
    if (role == Qt::DisplayRole)
        return entries_[shown_[index.row()]].text(column);
    if (role == Qt::TextAlignmentRole && rightAligned(column))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant ExamineeListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= examineeColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return QString::fromUtf8(captions[static_cast<std::size_t>(section)]);
    if (role == Qt::InitialSortOrderRole)
        return int(Qt::AscendingOrder); // a first click on a column sorts it A to Z
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace iksa::app
