#pragma once

#include "records/DataModule.h"
#include "records/ExamineeRecord.h"
#include "records/UserError.h"
#include "records/UserMessages.h"

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <optional>

namespace iksa::cli {

// Messages of the logic go to stderr, one per line, as the window would show
// them; questions take their default button.
class StderrMessages : public UserMessages {
public:
    void show(const QString& text) override;
    int ask(const QString& text, const QStringList& buttons, int defaultButton = 0,
            int escapeButton = -1) override;
};

// The three tables of a start directory DIR, opened for a command, with the
// examinee record over them. A directory that does not exist is a UserError;
// a command that writes waits writeLockWaitMs (or IKSA_LOCK_WAIT_MS) for
// another program to release the tables.
struct OpenRecords {
    static constexpr int writeLockWaitMs = 3000;

    OpenRecords(const QString& dir, DataModule::Access access);

    StderrMessages messages;
    DataModule data;
    ExamineeRecord record;
};

// The record number N (1…) of `text`; a UserError when there is no such record.
int recordNumber(const QString& text, const ExamineeRecord& record);

// Runs `change` on the record buffer; when it fails, the buffer is dropped
// as "storno" does and the failure passed on.
void cancelOnFailure(ExamineeRecord& record, const std::function<void()>& change);

// The error of a record number or range `text` that names no record of the
// `count` there are.
UserError noSuchRecord(const QString& text, int count);

// The values of the evaluation page's options that analyse and the protocol
// commands take: "--basis 0-5" gives the mean basis, "--level 0.05|0.15" the
// item of the level selector (0 or 1); nothing for any other text.
std::optional<int> meanBasisArgument(const QString& text);
std::optional<int> levelItemArgument(const QString& text);

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

// The command called `name`, or null.
const Command* findCommand(const QString& name);

// Usage error of one command: prints its usage and returns exit code 2.
int usageError(const QString& commandName);

} // namespace iksa::cli
