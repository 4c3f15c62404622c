#include "BackupMenu.h"

#include "Guard.h"
#include "InputPause.h"
#include "MainWindow.h"
#include "backup/BackupCommands.h"
#include "backup/TBackupFile.h"
#include "controls/DataSource.h"
#include "records/DataModule.h"
#include "records/ExamineeRecord.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>

namespace iksa::app {

namespace {

// The current directory before a dialog, made current again after it; it is
// the program's directory, the one the tables come from.
class RememberedDirectory {
public:
    RememberedDirectory()
        : path_(QDir::currentPath()) {}
    ~RememberedDirectory() { restore(); }
    RememberedDirectory(const RememberedDirectory&) = delete;
    RememberedDirectory& operator=(const RememberedDirectory&) = delete;

    void restore() const { QDir::setCurrent(path_); }
    const QString& path() const { return path_; }

private:
    QString path_;
};

// The progress dialog of one backup or restore, fed by OnProgress. It
// appears only when the run takes longer than the delay; "Přerušit" stops
// the run, which then leaves every file as it was.
class RunProgress {
public:
    RunProgress(QWidget& parent, TBackupFile& backupFile, const QString& action, int delay)
        : backupFile_(backupFile)
        , dialog_(action, QStringLiteral("Přerušit"), 0, 100, &parent) {
        dialog_.setObjectName(QStringLiteral("ProgressDialog"));
        dialog_.setWindowTitle(QStringLiteral("Záloha dat"));
        dialog_.setWindowModality(Qt::WindowModal);
        dialog_.setAutoReset(false);
        dialog_.setAutoClose(false);
        dialog_.setMinimumDuration(delay);
        dialog_.setValue(0);
        backupFile_.OnProgress = [this, action](const QString& file, int percent,
                                                bool& continueRun) {
            if (!dialog_.wasCanceled()) {
                dialog_.setLabelText(
                    QStringLiteral("%1 %2").arg(action, QFileInfo(file).fileName()));
                dialog_.setValue(percent);
            }
            if (dialog_.wasCanceled())
                continueRun = false;
        };
    }
    ~RunProgress() { backupFile_.OnProgress = nullptr; }
    RunProgress(const RunProgress&) = delete;
    RunProgress& operator=(const RunProgress&) = delete;

private:
    TBackupFile& backupFile_;
    QProgressDialog dialog_;
};

// The window's side of a restore: closes the tables (Table1, Table2, Table3)
// and opens them again in the same order, on the first record. Meanwhile an
// activation of the window does not open them behind the restore's back.
class WindowTables : public TableAccess {
public:
    WindowTables(MainWindow& window, DataModule& data, ExamineeRecord& record,
                 UserMessages& messages, QString directory)
        : window_(window)
        , data_(data)
        , record_(record)
        , messages_(messages)
        , directory_(std::move(directory)) {}
    ~WindowTables() override { window_.setTableOpeningHeld(false); }
    WindowTables(const WindowTables&) = delete;
    WindowTables& operator=(const WindowTables&) = delete;

    void closeTables() override {
        window_.setTableOpeningHeld(true);
        data_.close(); // pending changes go with it
        // Closing reloads no row: the boxes are emptied here.
        for (int table = 1; table <= 3; ++table)
            window_.dataSource(table).refreshAll();
    }

    void openTables() override {
        window_.setTableOpeningHeld(false);
        const QDir directory(directory_);
        Table::OpenOptions options; // as the data module opens them: locked
        options.lock = true;
        data_.table1().open(directory, options);
        data_.table2().open(directory, options);
        // Table3, and the check that the three tables hold as many rows.
        data_.open(directory, messages_);
        // The first record, with the not-administered display a move gives.
        if (record_.recordCount() > 0)
            record_.moveTo(1);
    }

private:
    MainWindow& window_;
    DataModule& data_;
    ExamineeRecord& record_;
    UserMessages& messages_;
    QString directory_;
};

} // namespace

BackupMenu::BackupMenu(MainWindow& window, DataModule& data, ExamineeRecord& record,
                       UserMessages& messages)
    : QObject(&window)
    , window_(window)
    , data_(data)
    , record_(record)
    , messages_(messages)
    , backupFile_(std::make_unique<TBackupFile>(messages))
    , commands_(std::make_unique<BackupCommands>(*backupFile_, messages)) {
    setObjectName(QStringLiteral("BackupFile1"));
}

BackupMenu::~BackupMenu() = default;

QFileDialog& BackupMenu::makeDialog(QPointer<QFileDialog>& dialog, const QString& name, bool save) {
    if (!dialog) {
        dialog = new QFileDialog(&window_);
        dialog->setObjectName(name);
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        // A name typed that does not exist is the command's to report, and
        // an existing file is replaced without a question.
        dialog->setFileMode(QFileDialog::AnyFile);
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
    }
    return *dialog;
}

QFileDialog& BackupMenu::saveDialog1() {
    QFileDialog& dialog = makeDialog(saveDialog1_, QStringLiteral("SaveDialog1"), true);
    dialog.setNameFilter(BackupDialogs::saveArchiveFilter());
    return dialog;
}

QFileDialog& BackupMenu::openDialog1() {
    QFileDialog& dialog = makeDialog(openDialog1_, QStringLiteral("OpenDialog1"), false);
    dialog.setNameFilter(BackupDialogs::openArchiveFilter());
    return dialog;
}

QFileDialog& BackupMenu::saveDialog2() {
    return makeDialog(saveDialog2_, QStringLiteral("SaveDialog2"), true);
}

QString BackupMenu::choose(QFileDialog& dialog, const QString& presetName) {
    if (!presetName.isEmpty())
        dialog.selectFile(presetName);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

bool BackupMenu::settlePendingChanges() {
    if (!window_.hasUnstoredChanges())
        return true;
    // Closing the tables for the restore drops typed changes; they are worth
    // keeping should the restore fail or be stopped.
    const int answer = messages_.ask(
        QStringLiteral("Záznam obsahuje neuložené změny. Import dat nahradí záznamy "
                       "obsahem zálohy. Chcete změny před importem uložit?"),
        {QStringLiteral("Uložit"), QStringLiteral("Neukládat"), QStringLiteral("Zpět")}, 2);
    if (answer == 2)
        return false;
    if (answer == 1)
        return true;
    return guarded(messages_, [&] { record_.press(NavigatorButton::Post); });
}

void BackupMenu::Export1Click() {
    const RememberedDirectory remembered;
    QFileDialog& dialog = saveDialog1();
    dialog.setWindowTitle(BackupDialogs::saveArchiveTitle());
    const QString archive = choose(dialog, BackupDialogs::saveArchiveFileName());
    if (archive.isEmpty())
        return;
    remembered.restore();
    const InputPause pause;
    const RunProgress progress(window_, *backupFile_, QStringLiteral("Zálohování"), progressDelay_);
    guarded(messages_, [&] { commands_->backUpTables(remembered.path(), archive); });
}

void BackupMenu::Import1Click() {
    const RememberedDirectory remembered;
    const QString archive = choose(openDialog1(), {});
    if (archive.isEmpty())
        return;
    remembered.restore();
    // A missing archive is reported by the command before the tables close.
    if (QFileInfo::exists(archive) && !settlePendingChanges())
        return;
    const InputPause pause;
    const RunProgress progress(window_, *backupFile_, QStringLiteral("Import dat"), progressDelay_);
    WindowTables tables(window_, data_, record_, messages_, remembered.path());
    guarded(messages_, [&] { commands_->restoreTables(archive, remembered.path(), tables); });
}

void BackupMenu::Exportdat1Click() {
    const RememberedDirectory remembered;
    if (!BackupCommands::exportSourcesPresent(remembered.path()))
        return;
    QFileDialog& dialog = saveDialog2();
    dialog.setWindowTitle(BackupDialogs::exportTitle());
    const QString chosen = choose(dialog, BackupDialogs::exportFileName());
    if (chosen.isEmpty())
        return;
    remembered.restore();
    const InputPause pause;
    guarded(messages_,
            [&] { commands_->exportTables(remembered.path(), QFileInfo(chosen).absolutePath()); });
}

} // namespace iksa::app
