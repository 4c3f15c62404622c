#include "MessageBoxes.h"

#include <QMessageBox>
#include <QPushButton>

namespace iksa::app {

namespace {
const QString boxTitle = QStringLiteral("Iksa");
}

void MessageBoxes::show(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, boxTitle, text, QMessageBox::Ok, parent_);
    box.exec();
}

int MessageBoxes::ask(const QString& text, const QStringList& buttons, int defaultButton,
                      int escapeButton) {
    QMessageBox box(QMessageBox::Question, boxTitle, text, QMessageBox::NoButton, parent_);
    QList<QPushButton*> added;
    for (const QString& caption : buttons)
        added.append(box.addButton(caption, QMessageBox::AcceptRole));
    if (defaultButton >= 0 && defaultButton < added.size())
        box.setDefaultButton(added[defaultButton]);
    // The escape button is also what the box's close button gives.
    const int onEscape =
        escapeButton >= 0 && escapeButton < added.size() ? escapeButton : defaultButton;
    if (onEscape >= 0 && onEscape < added.size())
        box.setEscapeButton(added[onEscape]);
    box.exec();
    const int chosen = added.indexOf(static_cast<QPushButton*>(box.clickedButton()));
    return chosen >= 0 ? chosen : onEscape;
}

} // namespace iksa::app
