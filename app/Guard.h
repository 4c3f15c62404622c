#pragma once

#include "records/UserError.h"
#include "records/UserMessages.h"

#include <QString>
#include <exception>

namespace iksa::app {

// The application's default error handler: a failure that ends an action
// (UserError from the table engine, a conversion, a file) is caught at the
// boundary of the event handler and shown; the window carries on. Returns
// whether the action ran to its end.
template <typename Action> bool guarded(UserMessages& messages, Action&& action) {
    try {
        action();
        return true;
    } catch (const UserError& error) {
        messages.show(error.message());
    } catch (const std::exception& error) {
        messages.show(QString::fromLocal8Bit(error.what()));
    }
    return false;
}

} // namespace iksa::app
