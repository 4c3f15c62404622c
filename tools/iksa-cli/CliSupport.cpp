#include "CliSupport.h"

#include <cstdio>

namespace iksa::cli {

namespace {

QList<Command>& registry() {
    static QList<Command> list;
    return list;
}

// How long a writing command waits for another program's locks.
// IKSA_LOCK_WAIT_MS sets another wait, for scripts that must not wait.
int writeLockWait() {
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("IKSA_LOCK_WAIT_MS", &ok);
    return ok && ms >= 0 ? ms : OpenRecords::writeLockWaitMs;
}

} // namespace

void StderrMessages::show(const QString& text) {
    err() << text << Qt::endl;
}

int StderrMessages::ask(const QString& text, const QStringList&, int defaultButton, int) {
    err() << text << Qt::endl;
    return defaultButton;
}

OpenRecords::OpenRecords(const QString& dir, DataModule::Access access)
    : record(data) {
    const QDir start(dir);
    if (!start.exists())
        throw UserError(QStringLiteral("Adresář „%1“ neexistuje.").arg(dir));
    data.open(start, messages, access,
              access == DataModule::Access::ReadWrite ? writeLockWait() : 0);
}

int recordNumber(const QString& text, const ExamineeRecord& record) {
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 1 || n > record.recordCount())
        throw noSuchRecord(text, record.recordCount());
    return n;
}

void cancelOnFailure(ExamineeRecord& record, const std::function<void()>& change) {
    try {
        change();
    } catch (...) {
        record.press(NavigatorButton::Cancel);
        throw;
    }
}

UserError noSuchRecord(const QString& text, int count) {
    return UserError(
        QStringLiteral("Záznam „%1“ neexistuje (záznamů je %2).").arg(text).arg(count));
}

std::optional<int> meanBasisArgument(const QString& text) {
    bool ok = false;
    const int basis = text.toInt(&ok);
    if (!ok || basis < 0 || basis > 5)
        return std::nullopt;
    return basis;
}

std::optional<int> levelItemArgument(const QString& text) {
    if (text == QLatin1String("0.05"))
        return 0;
    if (text == QLatin1String("0.15"))
        return 1;
    return std::nullopt;
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

const Command* findCommand(const QString& name) {
    for (const Command& command : registry())
        if (command.name == name)
            return &command;
    return nullptr;
}

int usageError(const QString& commandName) {
    if (const Command* command = findCommand(commandName))
        err() << "Použití: iksa-cli " << command->usage << Qt::endl;
    return 2;
}

} // namespace iksa::cli
