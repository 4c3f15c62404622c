#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace iksa {

// A failure the examiner must be told about, with its Czech text: a table
// that cannot be opened or written, a text that is not a number, a bad
// archive. It ends the current action; the window (or iksa-cli) shows the
// text and carries on.
class UserError : public std::exception {
public:
    explicit UserError(QString message)
        : message_(std::move(message))
        , utf8_(message_.toUtf8()) {}

    const QString& message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

} // namespace iksa
