#pragma once

#include <QObject>

namespace iksa::app {

// While a long run lets the event loop turn between its blocks (backup,
// restore, file copies), the examiner's input reaches only the windows of
// the run: modal windows (the progress dialog, the run's messages) and the
// popups opened meanwhile. A second command, a record operation or closing
// the main window would otherwise act on tables that are closed or being
// replaced. A popup left open before the run (a file dialog's completion
// list) is closed when the pause begins: it would take the keyboard, and its
// input would never be let through. Lives as long as the run.
class InputPause : public QObject {
public:
    InputPause();
    ~InputPause() override;
    InputPause(const InputPause&) = delete;
    InputPause& operator=(const InputPause&) = delete;

    // Closes every open popup window.
    static void closePopups();

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;
};

} // namespace iksa::app
