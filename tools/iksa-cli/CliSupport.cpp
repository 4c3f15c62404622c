#include "CliSupport.h"

#include <cstdio>

namespace iksa::cli {

namespace {

QList<Command>& registry() {
    static QList<Command> list;
    return list;
}

} // namespace

void StderrMessages::show(const QString& text) {
    err() << text << Qt::endl;
}

int StderrMessages::ask(const QString& text, const QStringList&, int defaultButton) {
    err() << text << Qt::endl;
    return defaultButton;
}

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err() {
    static QTextStream stream(stderr);
    return stream;
}

CommandRegistration::CommandRegistration(Command command) {
    registry().append(std::move(command));
}

const QList<Command>& commands() {
    return registry();
}

int usageError(const QString& commandName) {
    for (const Command& command : commands())
        if (command.name == commandName)
            err() << "Použití: iksa-cli " << command.usage << Qt::endl;
    return 2;
}

} // namespace iksa::cli
