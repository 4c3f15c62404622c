#pragma once

#include <QObject>

namespace iksa::app {

// While a long run lets the event loop turn between its blocks (backup,
// restore, file copies), the examiner's input reaches only modal windows:
// the progress dialog and the messages of the run. A second command, a
// record operation or closing the main window would otherwise act on tables
// that are closed or being replaced. Lives as long as the run.
class InputPause : public QObject {
public:
    InputPause();
    ~InputPause() override;
    InputPause(const InputPause&) = delete;
    InputPause& operator=(const InputPause&) = delete;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;
};

} // namespace iksa::app
