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
#include <QElapsedTimer>
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

} // namespace

// The progress dialog of one backup or restore, fed by OnProgress. It
// appears only while the run is still working after the delay, and goes
// for good at the run's first message (see RunMessages), so it never
// stands over the final message; "Přerušit" stops the run, which then
// leaves every file as it was. No timer of its own: it is shown from the
// progress report of a block.
class BackupMenu::RunProgress {
public:
    RunProgress(BackupMenu& menu, const QString& action)
        : menu_(menu)
        , action_(action) {
        elapsed_.start();
        menu_.backupFile_->OnProgress = [this](const QString& file, int percent,
                                               bool& continueRun) {
            report(file, percent, continueRun);
        };
        menu_.progress_ = this;
    }
    ~RunProgress() {
        menu_.backupFile_->OnProgress = nullptr;
        menu_.progress_ = nullptr;
    }
    RunProgress(const RunProgress&) = delete;
    RunProgress& operator=(const RunProgress&) = delete;

    // The run has come to its messages: the dialog closes and stays closed.
    void finish() {
        over_ = true;
        dialog_.reset();
    }

private:
    void report(const QString& file, int percent, bool& continueRun) {
        if (!dialog_ && !over_ && elapsed_.elapsed() >= menu_.progressDelay_)
            dialog_.reset(makeDialog());
        if (!dialog_)
            return;
        if (!dialog_->wasCanceled()) {
            dialog_->setLabelText(QStringLiteral("%1 %2").arg(action_, QFileInfo(file).fileName()));
            dialog_->setValue(percent);
        }
        if (dialog_->wasCanceled())
            continueRun = false;
    }

    QProgressDialog* makeDialog() const {
        auto* dialog =
            new QProgressDialog(action_, QStringLiteral("Přerušit"), 0, 100, &menu_.window_);
        dialog->setObjectName(QStringLiteral("ProgressDialog"));
        dialog->setWindowTitle(QStringLiteral("Záloha dat"));
        dialog->setWindowModality(Qt::WindowModal);
        dialog->setAutoReset(false);
        dialog->setAutoClose(false);
        dialog->setMinimumDuration(0);
        dialog->show();
        return dialog;
    }

    BackupMenu& menu_;
    QString action_;
    QElapsedTimer elapsed_;
    std::unique_ptr<QProgressDialog> dialog_;
    bool over_ = false;
};

// The messages of the backup component and the commands: the progress
// dialog of a run closes before the first of them.
class BackupMenu::RunMessages : public UserMessages {
public:
    explicit RunMessages(BackupMenu& menu)
        : menu_(menu) {}
    void show(const QString& text) override {
        endProgress();
        menu_.messages_.show(text);
    }
    int ask(const QString& text, const QStringList& buttons, int defaultButton,
            int escapeButton) override {
        endProgress();
        return menu_.messages_.ask(text, buttons, defaultButton, escapeButton);
    }

private:
    void endProgress() {
        if (menu_.progress_)
            menu_.progress_->finish();
    }
    BackupMenu& menu_;
};

namespace {

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
    , runMessages_(std::make_unique<RunMessages>(*this))
    , backupFile_(std::make_unique<TBackupFile>(*runMessages_))
    , commands_(std::make_unique<BackupCommands>(*backupFile_, *runMessages_)) {
    setObjectName(QStringLiteral("BackupFile1"));
}

BackupMenu::~BackupMenu() = default;

QFileDialog& BackupMenu::makeDialog(QPointer<QFileDialog>& dialog, const QString& name, bool save) {
    // A fresh dialog each time: one used before keeps its completion's state,
    // and its list then takes the Enter that should open the file.
    delete dialog;
    dialog = new QFileDialog(&window_);
    dialog->setObjectName(name);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // A name typed that does not exist is the command's to report, and
    // an existing file is replaced without a question.
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
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
    const int result = dialog.exec();
    // A completion list the dialog left open would take every key from here on.
    InputPause::closePopups();
    if (result != QDialog::Accepted)
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
        {QStringLiteral("Uložit"), QStringLiteral("Neukládat"), QStringLiteral("Zpět")}, 2, 2);
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
    const RunProgress progress(*this, QStringLiteral("Zálohování"));
    guarded(messages_, [&] { commands_->backUpTables(remembered.path(), archive); });
}

void BackupMenu::Import1Click() {
    const RememberedDirectory remembered;
    const QString archive = choose(openDialog1(), {});
    if (archive.isEmpty())
        return;
    remembered.restore();
    // A missing archive is reported by the command before the tables close.
    if (QFileInfo::exists(archive)) {
        bool confirmed = false;
        if (!guarded(messages_,
                     [&] { confirmed = commands_->confirmRestore(archive, remembered.path()); }) ||
            !confirmed || !settlePendingChanges())
            return;
    }
    const InputPause pause;
    const RunProgress progress(*this, QStringLiteral("Import dat"));
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
