#pragma once

#include "records/ExamineeRecord.h"

#include <QKeySequence>
#include <QObject>

class QAbstractButton;
class QWidget;

namespace iksa::app {

class DBNavigator;

// The keyboard shortcuts of the main navigator and of the delete button "-",
// active anywhere in the main window and shown in the buttons' hints. None is
// a key the edit boxes or the option groups use themselves, nor one that
// switches pages (Ctrl+Tab, Ctrl+PgUp, Ctrl+PgDown) or opens the examinee
// list (Ctrl+L). A shortcut of a disabled button beeps.
class NavigatorKeys : public QObject {
    Q_OBJECT

public:
    NavigatorKeys(DBNavigator& navigator, QAbstractButton& remove, QWidget& window);

    static QKeySequence keyOf(NavigatorButton button);
    static QKeySequence deleteKey();
    // "začátek db. (Alt+Home)"
    static QString hintWithKey(const QString& hint, const QKeySequence& key);
};

} // namespace iksa::app
