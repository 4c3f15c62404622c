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

int MessageBoxes::ask(const QString& text, const QStringList& buttons, int defaultButton) {
    QMessageBox box(QMessageBox::Question, boxTitle, text, QMessageBox::NoButton, parent_);
    QList<QPushButton*> added;
    for (const QString& caption : buttons)
        added.append(box.addButton(caption, QMessageBox::AcceptRole));
    if (defaultButton >= 0 && defaultButton < added.size()) {
        box.setDefaultButton(added[defaultButton]);
        box.setEscapeButton(added[defaultButton]);
    }
    box.exec();
    const int chosen = added.indexOf(static_cast<QPushButton*>(box.clickedButton()));
    return chosen >= 0 ? chosen : defaultButton;
}

} // namespace iksa::app
