#pragma once

#include "DataSource.h"

#include <QLineEdit>
#include <functional>

namespace iksa::app {

// An edit box bound to one field. It shows the record buffer's text and
// writes the examiner's typing back at once; the first key puts the table
// into edit state. Numeric fields admit only digits and a sign (and a decimal
// separator for float fields), as the column type does. A refused key beeps;
// a one-character box replaces its character by the next one typed.
class DBEdit : public QLineEdit, public BoundControl {
    Q_OBJECT

public:
    // Decides on one typed character (QChar('\b') for Backspace) given the
    // box's text before it; false drops the key.
    using KeyFilter = std::function<bool(const QString& current, QChar key)>;

    DBEdit(DataSource& source, const QString& field, QWidget* parent = nullptr);

    // Characters that may be typed; 0 takes the field's width. A longer text
    // put by the program is shown whole.
    void setLimit(int characters);
    int limit() const { return limit_; }
    void setKeyFilter(KeyFilter filter) { keyFilter_ = std::move(filter); }
    // Result cells: shown, never typed into.
    void setResultCell(bool on);

    void refresh() override;

signals:
    // The examiner changed the text and it reached the record buffer.
    void edited(const QString& field);
    // The examiner typed a digit into a box that takes one character.
    void filled(const QString& field);
    // A mouse press, any button.
    void pressed(const QString& field);
    // A typed character was refused (filter, column type or a full box); the
    // box has beeped.
    void keyRefused(const QString& field);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void writeBack(const QString& text);
    void refuse();
    bool typeAdmits(QChar key) const;
    void applyLimit(int textLength);

    KeyFilter keyFilter_;
    int limit_ = 0;
    ColumnType type_ = ColumnType::Text;
};

} // namespace iksa::app
