#include "DataSource.h"

#include "Guard.h"
#include "records/ExamineeRecord.h"

namespace iksa::app {

BoundControl::~BoundControl() {
    if (source_)
        source_->detach(this);
}

void BoundControl::bind(DataSource& source, const QString& field) {
    if (source_)
        source_->detach(this);
    source_ = &source;
    fieldName_ = field;
    field_ = field.isEmpty() ? -1 : source.fieldIndex(field);
    Q_ASSERT_X(field.isEmpty() || field_ >= 0, "BoundControl::bind", qPrintable(field));
    source.attach(this);
}

QString BoundControl::bufferText() const {
    return source_ ? source_->text(field_) : QString();
}

bool BoundControl::writeToBuffer(const QString& text) {
    DataSource* source = source_;
    const bool written = source && source->isActive() && guarded(source->messages(), [&] {
                             const Table& table = source->table();
                             // Typing into empty tables: say how to begin.
                             if (table.recordCount() == 0 && table.state() == TableState::Browse)
                                 throw UserError(ExamineeRecord::noRecordYetMessage());
                             source->table().setText(field_, text);
                         });
    if (!written)
        refresh();
    return written;
}

DataSource::DataSource(Table& table, UserMessages& messages, QObject* parent)
    : QObject(parent)
    , table_(table)
    , messages_(messages) {
    connect(&table_, &Table::recordChanged, this, &DataSource::refreshAll);
    connect(&table_, &Table::fieldChanged, this, &DataSource::refreshField);
    connect(&table_, &Table::stateChanged, this, &DataSource::stateChanged);
}

int DataSource::fieldIndex(const QString& name) const {
    return table_.schema().columnIndex(name);
}

QString DataSource::text(int field) const {
    if (field < 0 || !table_.isOpen())
        return QString();
    if (table_.recordCount() == 0 && table_.state() != TableState::Insert)
        return QString();
    return table_.text(field);
}

void DataSource::attach(BoundControl* control) {
    controls_.append(control);
    if (control->field() >= 0)
        byField_.insert(control->field(), control);
}

void DataSource::detach(BoundControl* control) {
    controls_.removeAll(control);
    byField_.remove(control->field(), control);
}

void DataSource::refreshAll() {
    for (BoundControl* control : std::as_const(controls_))
        control->refresh();
}

void DataSource::refreshField(int field) {
    const QList<BoundControl*> bound = byField_.values(field);
    for (BoundControl* control : bound)
        control->refresh();
}

} // namespace iksa::app
