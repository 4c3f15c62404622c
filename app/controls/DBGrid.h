#pragma once

#include "DataSource.h"

#include <QAbstractTableModel>
#include <QTableView>

namespace iksa::app {

// The rows of one table as a model: stored rows read on demand, the current
// row from the record buffer (so unposted texts show).
class TableRowsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit TableRowsModel(DataSource& source, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The row count changed or the table was opened or closed.
    void reload();
    void rowChanged(int row);

private:
    DataSource& source_;
    int rows_ = 0;
};

// A grid of all rows of a table with the current row selected.
class DBGrid : public QTableView, public BoundControl {
    Q_OBJECT

public:
    DBGrid(DataSource& source, QWidget* parent = nullptr);
    void refresh() override;

private:
    TableRowsModel model_;
    int shownRow_ = -1;
};

} // namespace iksa::app
