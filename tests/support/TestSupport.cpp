#include "TestSupport.h"

#include "records/DataModule.h"
#include "records/ExamineeRecord.h"
#include "records/UserError.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace iksa::test {

const QStringList kTableFiles = {QStringLiteral("IKSA.DBF"), QStringLiteral("IKSA_II.DBF"),
                                 QStringLiteral("IKSA_HS_Vyp.DBF")};

QString errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const UserError& e) {
        return e.message();
    }
    return {};
}

int RecordingMessages::ask(const QString& text, const QStringList&, int defaultButton,
                           int escapeButton) {
    asked.append(text);
    escapes.append(escapeButton);
    return answers.isEmpty() ? defaultButton : answers.dequeue();
}

TempDir::TempDir() {
    if (!tmp_.isValid())
        ADD_FAILURE() << "cannot create a temporary directory";
}

QString sourcePath(const QString& relative) {
    return QDir(QStringLiteral(IKSA_SOURCE_DIR)).filePath(relative);
}

ProcessRun runProgram(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForStarted())
        return {-1, {}, process.errorString()};
    if (!process.waitForFinished(60000)) {
        ADD_FAILURE() << program.toStdString() << " did not finish";
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString iksaCliPath() {
    return QStringLiteral(IKSA_BINARY_DIR "/tools/iksa-cli/iksa-cli");
}

ProcessRun runCli(const QStringList& args) {
    return runProgram(iksaCliPath(), args);
}

QString storedText(const QString& dir, int recNo, const QString& field) {
    RecordingMessages messages;
    DataModule data;
    data.open(QDir(dir), messages, DataModule::Access::ReadOnly);
    ExamineeRecord record(data);
    record.moveTo(recNo);
    return record.text(field);
}

} // namespace iksa::test
