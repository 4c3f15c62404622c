#pragma once

#include "DataSource.h"

#include <QButtonGroup>
#include <QStringList>
#include <QWidget>

class QRadioButton;

namespace iksa::app {

// A group of radio buttons bound to one field: each button stores its fixed
// value; the group shows the button whose value equals the buffer's text and
// none when nothing matches. Texts above the buttons (time brackets, trial
// headings) stand in a row of their own.
class DBRadioGroup : public QWidget, public BoundControl {
    Q_OBJECT

public:
    DBRadioGroup(DataSource& source, const QString& field, const QStringList& captions,
                 const QStringList& values, QWidget* parent = nullptr);

    // One text above each button ("" for none); the row is left out when all are empty.
    void setButtonHeadings(const QStringList& headings);

    QStringList values() const { return values_; }
    int checkedIndex() const; // -1 when no button is shown chosen
    QRadioButton* button(int index) const;

    void refresh() override;

signals:
    // The examiner chose a button and its value reached the record buffer.
    // Slots catch their own errors.
    void chosen(const QString& field);

private:
    void choose(int index);
    void showChecked(int index);

    QButtonGroup group_;
    QStringList values_;
    QList<QRadioButton*> buttons_;
};

} // namespace iksa::app
