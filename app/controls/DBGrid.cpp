#include "DBGrid.h"

#include <QHeaderView>

namespace iksa::app {

TableRowsModel::TableRowsModel(DataSource& source, QObject* parent)
    : QAbstractTableModel(parent)
    , source_(source) {
    reload();
}

int TableRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int TableRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(source_.table().schema().columns.size());
}

QVariant TableRowsModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || !source_.isActive())
        return {};
    const Table& table = source_.table();
    if (index.row() + 1 == table.recNo())
        return source_.text(index.column());
    if (index.row() >= table.recordCount())
        return {};
    return table.storedText(index.row() + 1, index.column());
}

QVariant TableRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return source_.table().schema().columns.value(section).name;
}

void TableRowsModel::reload() {
    const int rows = source_.isActive() ? source_.table().recordCount() : 0;
    if (rows == rows_)
        return;
    beginResetModel();
    rows_ = rows;
    endResetModel();
}

void TableRowsModel::rowChanged(int row) {
    if (row >= 0 && row < rows_)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

DBGrid::DBGrid(DataSource& source, QWidget* parent)
    : QTableView(parent)
    , model_(source) {
    bind(source, QString());
    setModel(&model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setDefaultSectionSize(18);
    refresh();
}

void DBGrid::refresh() {
    model_.reload();
    const DataSource* source = dataSource();
    const int row = source && source->isActive() ? source->table().recNo() - 1 : -1;
    model_.rowChanged(shownRow_);
    model_.rowChanged(row);
    shownRow_ = row;
    if (isVisible() && row >= 0)
        selectRow(row);
}

} // namespace iksa::app
