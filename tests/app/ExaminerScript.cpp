#include "ExaminerScript.h"

#include <QDialog>
#include <QMessageBox>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace iksa::test {

ExaminerScript::ExaminerScript(int patienceMs)
    : patienceMs_(patienceMs) {
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, &ExaminerScript::poll);
}

ExaminerScript& ExaminerScript::then(const QString& what, Ready ready, Act act) {
    steps_.append({what, std::move(ready), std::move(act)});
    return *this;
}

void ExaminerScript::start() {
    next_ = 0;
    sinceStep_.start();
    timer_.start();
}

void ExaminerScript::poll() {
    if (finished()) {
        timer_.stop();
        return;
    }
    const Step& step = steps_[next_];
    if (step.ready()) {
        ++next_;
        sinceStep_.restart();
        step.act();
        return;
    }
    if (sinceStep_.elapsed() > patienceMs_) {
        QWidget* modal = QApplication::activeModalWidget();
        auto* box = qobject_cast<QMessageBox*>(modal);
        failures.append(
            QStringLiteral("never ready: %1 (up: %2 %3%4)")
                .arg(step.what, modal ? modal->objectName() : QStringLiteral("nothing"),
                     box ? box->text().left(40) : QString(),
                     modal && modal->isActiveWindow() ? QString() : QStringLiteral(", inactive")));
        next_ = steps_.size();
        timer_.stop();
        rescue();
    }
}

// Ends every open popup and dialog from the program's side, by which the
// command's nested loops return.
void ExaminerScript::rescue() {
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->hide();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible())
            dialog->done(QDialog::Rejected);
    QTimer::singleShot(100, this, &ExaminerScript::rescue);
}

// The widget a key from the window system goes to: the open popup, else the
// focus widget of the active window.
static QWidget* keyboardTarget() {
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup->focusWidget() ? popup->focusWidget() : popup;
    if (QWidget* focus = QApplication::focusWidget())
        return focus;
    return QApplication::activeWindow();
}

void ExaminerScript::key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = keyboardTarget();
    if (!target) {
        ADD_FAILURE() << "no window takes the key";
        return;
    }
    QTest::keyClick(target, key, modifiers);
}

void ExaminerScript::keys(const QString& text) {
    for (const QChar c : text) {
        QWidget* target = keyboardTarget();
        if (!target) {
            ADD_FAILURE() << "no window takes the keys";
            return;
        }
        QTest::keyClicks(target, QString(c));
    }
}

QMessageBox* ExaminerScript::messageBox(const QString& start) {
    auto* box = activeModal<QMessageBox>();
    return box && box->isActiveWindow() && box->text().startsWith(start) ? box : nullptr;
}

} // namespace iksa::test
