#pragma once

#include "records/Table.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVector>

namespace iksa {
class UserMessages;
}

namespace iksa::app {

class DataSource;

// A control that shows one field (or the whole row) of a data source. The
// source refreshes it when the row changes or when its field changes.
class BoundControl {
public:
    virtual ~BoundControl();
    BoundControl(const BoundControl&) = delete;
    BoundControl& operator=(const BoundControl&) = delete;

    virtual void refresh() = 0;

    DataSource* dataSource() const { return source_; }
    QString fieldName() const { return fieldName_; }
    int field() const { return field_; }

protected:
    BoundControl() = default;
    // Binds to `field` of the source's table; an empty name binds to the row.
    void bind(DataSource& source, const QString& field);
    QString bufferText() const; // "" while the table is closed or empty
    // Writes the examiner's text into the bound field of the record buffer.
    // When the table is closed or refuses the text (the refusal shown), the
    // control shows the buffer again and false is returned.
    bool writeToBuffer(const QString& text);

private:
    QPointer<DataSource> source_;
    QString fieldName_;
    int field_ = -1;
};

// The link between one table and the controls bound to it ("DataSource1" …
// "DataSource3"). A move, open, post or cancel reloads the record buffer and
// refreshes every bound control; a changed field refreshes only the controls
// bound to that field, so a rule writing one box costs one box.
class DataSource : public QObject {
    Q_OBJECT

public:
    DataSource(Table& table, UserMessages& messages, QObject* parent = nullptr);

    Table& table() const { return table_; }
    UserMessages& messages() const { return messages_; }
    bool isActive() const { return table_.isOpen(); }
    int fieldIndex(const QString& name) const; // from the table's columns; -1 when absent
    QString text(int field) const;             // "" while closed or without rows

    void attach(BoundControl* control);
    void detach(BoundControl* control);
    void refreshAll();

signals:
    void stateChanged();

private:
    void refreshField(int field);

    Table& table_;
    UserMessages& messages_;
    QVector<BoundControl*> controls_;
    QMultiHash<int, BoundControl*> byField_;
};

} // namespace iksa::app
