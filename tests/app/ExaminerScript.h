#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

class QMessageBox;

namespace iksa::test {

// Plays the examiner's part while a command shows its dialogs and message
// boxes in nested event loops: each step waits until its window is up, then
// acts, mostly by keys delivered where the window system would deliver them
// (the open popup, else the focus widget; see key()). A step that never
// becomes ready within the patience fails and the script then closes what is
// open, so that a frozen flow ends the test instead of hanging it.
class ExaminerScript : public QObject {
public:
    explicit ExaminerScript(int patienceMs = 20000);

    using Ready = std::function<bool()>;
    using Act = std::function<void()>;
    ExaminerScript& then(const QString& what, Ready ready, Act act);

    // Starts playing; the command to be driven is called next.
    void start();
    bool finished() const { return next_ >= steps_.size(); }
    // The steps that never became ready, and anything noted on the way.
    QStringList failures;

    // Keys as the window system delivers them: to the open popup, else to
    // the focus widget of the active window.
    static void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    static void keys(const QString& text);

    // The modal window that has the input now, if it is a `T`.
    template <typename T> static T* activeModal() {
        return qobject_cast<T*>(QApplication::activeModalWidget());
    }
    // The message box up now, with the keyboard, whose text begins with
    // `start`, if any.
    static QMessageBox* messageBox(const QString& start);

private:
    void poll();
    void rescue();

    struct Step {
        QString what;
        Ready ready;
        Act act;
    };
    QList<Step> steps_;
    qsizetype next_ = 0;
    QTimer timer_;
    QElapsedTimer sinceStep_;
    int patienceMs_;
};

} // namespace iksa::test
