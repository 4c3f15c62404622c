#include "NavigatorKeys.h"

#include "controls/DBNavigator.h"

#include <QAbstractButton>
#include <QApplication>
#include <QShortcut>
#include <QToolButton>

namespace iksa::app {

namespace {

// Moves by Alt with the keys that move in a list; the record operations by
// keys of their own.
struct NavigatorKey {
    NavigatorButton button;
    QKeyCombination key;
};

constexpr NavigatorKey navigatorKeys[] = {
    {NavigatorButton::First, Qt::ALT | Qt::Key_Home},
    {NavigatorButton::Prior, Qt::ALT | Qt::Key_PageUp},
    {NavigatorButton::Next, Qt::ALT | Qt::Key_PageDown},
    {NavigatorButton::Last, Qt::ALT | Qt::Key_End},
    {NavigatorButton::Insert, Qt::ALT | Qt::Key_Insert},
    {NavigatorButton::Edit, QKeyCombination(Qt::Key_F2)},
    {NavigatorButton::Post, Qt::CTRL | Qt::Key_S},
    {NavigatorButton::Cancel, Qt::SHIFT | Qt::Key_Escape},
};

constexpr QKeyCombination deleteCombination = Qt::ALT | Qt::Key_Delete;

// Presses the button as a click would, or beeps while it is disabled.
void pressIfEnabled(QAbstractButton* button) {
    if (button->isEnabled())
        button->click();
    else
        QApplication::beep();
}

QShortcut* windowShortcut(const QKeySequence& key, QWidget& window) {
    auto* shortcut = new QShortcut(key, &window);
    shortcut->setContext(Qt::WindowShortcut);
    shortcut->setAutoRepeat(false);
    return shortcut;
}

} // namespace

NavigatorKeys::NavigatorKeys(DBNavigator& navigator, QAbstractButton& remove, QWidget& window)
    : QObject(&window) {
    for (const NavigatorKey& entry : navigatorKeys) {
        QToolButton* button = navigator.button(entry.button);
        const QKeySequence key(entry.key);
        button->setToolTip(hintWithKey(DBNavigator::hint(entry.button), key));
        connect(windowShortcut(key, window), &QShortcut::activated, button,
                [button] { pressIfEnabled(button); });
    }
    remove.setToolTip(hintWithKey(remove.toolTip(), deleteKey()));
    connect(windowShortcut(deleteKey(), window), &QShortcut::activated, &remove,
            [&remove] { pressIfEnabled(&remove); });
}

QKeySequence NavigatorKeys::keyOf(NavigatorButton button) {
    for (const NavigatorKey& entry : navigatorKeys)
        if (entry.button == button)
            return QKeySequence(entry.key);
    return QKeySequence();
}

QKeySequence NavigatorKeys::deleteKey() {
    return QKeySequence(deleteCombination);
}

QString NavigatorKeys::hintWithKey(const QString& hint, const QKeySequence& key) {
    return QStringLiteral("%1 (%2)").arg(hint.trimmed(), key.toString(QKeySequence::PortableText));
}

} // namespace iksa::app
