#include "InputPause.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace iksa::app {

namespace {

bool isInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

} // namespace

InputPause::InputPause() {
    closePopups();
    QCoreApplication::instance()->installEventFilter(this);
}

void InputPause::closePopups() {
    while (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
        if (QApplication::activePopupWidget() == popup)
            popup->hide(); // one that refuses to close
    }
}

InputPause::~InputPause() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool InputPause::eventFilter(QObject* receiver, QEvent* event) {
    if (!isInput(event->type()))
        return false;
    const auto* widget = qobject_cast<const QWidget*>(receiver);
    if (widget && (widget->window()->isModal() || widget->window()->windowType() == Qt::Popup))
        return false;
    // The window system's own objects pass mouse and key events on to their
    // widgets, where they are judged; a menu action's shortcut is not.
    if (!widget && event->type() != QEvent::Shortcut)
        return false;
    // A close event counts as accepted unless it is ignored.
    event->ignore();
    return true;
}

} // namespace iksa::app
