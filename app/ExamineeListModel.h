#pragma once

#include "records/ExamineeList.h"

#include <QAbstractTableModel>

namespace iksa {
class Table;
}

namespace iksa::app {

// The examinee list as a read-only table model over Table3: its stored
// records, read again by reload(), those that pass the filter, in the order
// of the sorted column. It keeps no copy of the data anywhere else.
class ExamineeListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ExamineeListModel(const Table& table3, QObject* parent = nullptr);

    void reload();
    void setFilterText(const QString& text);

    int recordCount() const { return static_cast<int>(entries_.size()); } // all records
    int recNoAt(int row) const; // the record shown in `row`; 0 when there is none
    int rowOf(int recNo) const; // the row showing record `recNo`; -1 when filtered out

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    void showFiltered(); // `shown_` from `order_` and the filter

    const Table& table3_;
    QList<ExamineeEntry> entries_;
    ExamineeFilter filter_;
    ExamineeColumn sortColumn_ = ExamineeColumn::Id;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    QList<int> order_; // positions in entries_, sorted
    QList<int> shown_; // the positions of order_ that pass the filter
};

} // namespace iksa::app
