#pragma once

#include "controls/DataSource.h"

#include <QLabel>

namespace iksa::app {

// "záznam n / N" beside the main navigator: the position of the current
// record and the number of records, refreshed with every change of the row
// of its source (Table3); empty while the table is closed.
class RecordCounter : public QLabel, public BoundControl {
    Q_OBJECT

public:
    explicit RecordCounter(DataSource& table3, QWidget* parent = nullptr);
    void refresh() override;
};

} // namespace iksa::app
