#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

class QFileDialog;

namespace iksa {
class BackupCommands;
class DataModule;
class ExamineeRecord;
class TBackupFile;
class UserMessages;
} // namespace iksa

namespace iksa::app {

class MainWindow;

// The commands "Záloha dat" › "export" and "import" and "Export dat" of the
// main window: the file dialogs SaveDialog1, OpenDialog1 and SaveDialog2
// (Qt's own, not the platform's), the current directory remembered before a
// dialog and made current again after it, the backup component BackupFile1
// with a progress dialog for long runs, and the tables closed and opened
// again around a restore. What follows the dialogs is BackupCommands'.
class BackupMenu : public QObject {
public:
    BackupMenu(MainWindow& window, DataModule& data, ExamineeRecord& record,
               UserMessages& messages);
    ~BackupMenu() override;

    void Export1Click();
    void Import1Click();
    void Exportdat1Click();

    // How long a run may take before its progress dialog appears.
    void setProgressDelay(int milliseconds) { progressDelay_ = milliseconds; }

private:
    class RunProgress;
    class RunMessages;

    QFileDialog& saveDialog1();
    QFileDialog& openDialog1();
    QFileDialog& saveDialog2();
    QFileDialog& makeDialog(QPointer<QFileDialog>& dialog, const QString& name, bool save);
    QString choose(QFileDialog& dialog, const QString& presetName);
    bool settlePendingChanges();

    MainWindow& window_;
    DataModule& data_;
    ExamineeRecord& record_;
    UserMessages& messages_;
    std::unique_ptr<RunMessages> runMessages_; // before the component that speaks through it
    RunProgress* progress_ = nullptr;          // of the run in work
    std::unique_ptr<TBackupFile> backupFile_;
    std::unique_ptr<BackupCommands> commands_;
    // Made anew for each use: the window starts without them.
    QPointer<QFileDialog> saveDialog1_;
    QPointer<QFileDialog> openDialog1_;
    QPointer<QFileDialog> saveDialog2_;
    int progressDelay_ = 700;
};

} // namespace iksa::app
