#pragma once

#include "records/UserMessages.h"

#include <QDir>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

namespace iksa::test {

// Collects every message and answers questions from a queue (the default
// button when the queue is empty).
class RecordingMessages : public UserMessages {
public:
    void show(const QString& text) override { shown.append(text); }
    int ask(const QString& text, const QStringList& buttons, int defaultButton = 0,
            int escapeButton = -1) override;

    QStringList shown;
    QStringList asked;
    QList<int> escapes; // the escape button of each question
    QQueue<int> answers;
};

// A fresh temporary directory that is removed with the object.
class TempDir {
public:
    TempDir();
    QDir dir() const { return QDir(tmp_.path()); }
    QString path() const { return tmp_.path(); }
    QString file(const QString& name) const { return tmp_.filePath(name); }

private:
    QTemporaryDir tmp_;
};

// The message of the UserError that `action` throws; empty when it throws none.
QString errorOf(const std::function<void()>& action);

// The source tree, for data files that tests read.
QString sourcePath(const QString& relative);

// A program run to its end: its exit code (-1 when it did not start, crashed
// or ran out of time) and its output as UTF-8.
struct ProcessRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs `program` and waits up to a minute; running out of time fails the test.
ProcessRun runProgram(const QString& program, const QStringList& args);

// iksa-cli of the build tree; tests that run it depend on the target.
QString iksaCliPath();
ProcessRun runCli(const QStringList& args);

// The stored text of `field` in record `recNo` of the tables in `dir`, read
// from the files.
QString storedText(const QString& dir, int recNo, const QString& field);

// The three table files of a start directory, as the program names them.
extern const QStringList kTableFiles;

} // namespace iksa::test
