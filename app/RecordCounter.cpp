#include "RecordCounter.h"

namespace iksa::app {

RecordCounter::RecordCounter(DataSource& table3, QWidget* parent)
    : QLabel(parent) {
    setObjectName(QStringLiteral("RecordCounter"));
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    bind(table3, QString());
    connect(&table3, &DataSource::stateChanged, this, &RecordCounter::refresh);
    refresh();
}

void RecordCounter::refresh() {
    if (!dataSource() || !dataSource()->isActive()) {
        clear();
        return;
    }
    const Table& table = dataSource()->table();
    // A new row not stored yet counts as the last one.
    const int count = std::max(table.recordCount(), table.recNo());
    setText(QStringLiteral("záznam %1 / %2").arg(table.recNo()).arg(count));
}

} // namespace iksa::app
