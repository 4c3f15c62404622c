#include "DBLabel.h"

namespace iksa::app {

DBLabel::DBLabel(DataSource& source, const QString& field, QWidget* parent)
    : QLabel(parent) {
    bind(source, field);
    setProperty("field", field);
    refresh();
}

void DBLabel::refresh() {
    const QString shown = bufferText();
    if (shown != text())
        setText(shown);
}

} // namespace iksa::app
