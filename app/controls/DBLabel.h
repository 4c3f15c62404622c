#pragma once

#include "DataSource.h"

#include <QLabel>

namespace iksa::app {

// A read-only label showing one field of the current row.
class DBLabel : public QLabel, public BoundControl {
    Q_OBJECT

public:
    DBLabel(DataSource& source, const QString& field, QWidget* parent = nullptr);
    void refresh() override;
};

} // namespace iksa::app
