#include "CliSupport.h"
#include "records/UserError.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>
#include <memory>

using namespace iksa;
using namespace iksa::cli;

namespace {

int printUsage() {
    QList<Command> sorted = commands();
    std::sort(sorted.begin(), sorted.end(),
              [](const Command& a, const Command& b) { return a.name < b.name; });
    err() << "Použití: iksa-cli PŘÍKAZ [ARGUMENTY…]" << Qt::endl;
    for (const Command& command : sorted)
        err() << "  iksa-cli " << command.usage << Qt::endl;
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const Command* command = argc > 1 ? findCommand(QString::fromLocal8Bit(argv[1])) : nullptr;
    std::unique_ptr<QCoreApplication> app;
    if (command && command->needsGui) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return printUsage();
    const QString name = args.takeFirst();
    if (command) {
        try {
            const int code = command->run(args);
            out().flush();
            return code;
        } catch (const UserError& error) {
            out().flush();
            err() << error.message() << Qt::endl;
            return 1;
        }
    }
    err() << "Neznámý příkaz: " << name << Qt::endl;
    return printUsage();
}
