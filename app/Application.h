#pragma once

#include <QApplication>

namespace iksa {
class UserMessages;
}

namespace iksa::app {

// The application object with its default error handler: a failure that an
// event handler did not catch itself is shown, and the program carries on.
class Application : public QApplication {
    Q_OBJECT

public:
    Application(int& argc, char** argv);
    void setMessages(UserMessages* messages) { messages_ = messages; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    UserMessages* messages_ = nullptr;
};

} // namespace iksa::app
