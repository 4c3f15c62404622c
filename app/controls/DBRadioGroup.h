#pragma once

#include "DataSource.h"

#include <QButtonGroup>
#include <QStringList>
#include <QWidget>

class QKeyEvent;

class QRadioButton;

namespace iksa::app {

// A group of radio buttons bound to one field: each button stores its fixed
// value; the group shows the button whose value equals the buffer's text and
// none when nothing matches. Texts above the buttons (time brackets, trial
// headings) stand in a row of their own.
//
// By keyboard the group is one stop of the Tab chain and entering it checks
// nothing; the focused group is framed. Typing a button's caption ("2",
// "N", "12") checks that button; the arrows check the neighbouring one;
// Enter or Space leaves a checked group for the next entry. Space never
// checks a button, and keys that name no button beep.
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
    // The examiner is done with the group by keyboard: a caption typed in
    // full, or Enter or Space on a checked group.
    void answered(const QString& field);
    // A key named no button or could not be used; the group has beeped.
    void keyRefused(const QString& field);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool choose(int index);
    void showChecked(int index);
    void typeCaption(const QString& typed);
    void step(int by);
    void refuse();

    QButtonGroup group_;
    QStringList values_;
    QList<QRadioButton*> buttons_;
    QStringList keys_;   // what is typed for each button: its caption without "[ ]"
    QString typedSoFar_; // a caption being typed ("1" of "12")
};

} // namespace iksa::app
