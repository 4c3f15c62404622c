#pragma once

#include "records/UserMessages.h"

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>

namespace iksa::cli {

// Messages of the logic go to stderr, one per line, as the window would show
// them; questions take their default button.
class StderrMessages : public UserMessages {
public:
    void show(const QString& text) override;
    int ask(const QString& text, const QStringList& buttons, int defaultButton = 0) override;
};

QTextStream& out(); // stdout, UTF-8
QTextStream& err(); // stderr, UTF-8

// A command: its name, a one-line usage and the function that runs it with
// the arguments after the name. The function returns the exit code; a
// UserError thrown from it is printed to stderr and exits with 1.
struct Command {
    QString name;
    QString usage;
    std::function<int(const QStringList& args)> run;
    bool needsGui = false; // fonts and painting (PDF): a QGuiApplication, offscreen
};

// Registers a command at start-up; used as a static object in a commands_*.cpp.
struct CommandRegistration {
    explicit CommandRegistration(Command command);
};

const QList<Command>& commands();

// Usage error of one command: prints its usage and returns exit code 2.
int usageError(const QString& commandName);

} // namespace iksa::cli
