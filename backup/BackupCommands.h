#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

namespace iksa {

class TBackupFile;
class UserMessages;

// Closes and reopens the three tables around a restore; the main window
// gives its data module, iksa-cli a no-op.
class TableAccess {
public:
    virtual ~TableAccess() = default;
    virtual void closeTables() = 0;
    virtual void openTables() = 0;
};

// Texts and presets of the file dialogs of the three commands. The window
// shows the dialogs; the filters are in Qt's form.
struct BackupDialogs {
    static QString saveArchiveTitle();    // SaveDialog1
    static QString saveArchiveFileName(); // "IKSA.ZAL"
    static QString saveArchiveFilter();
    static QString openArchiveFilter(); // OpenDialog1
    static QString exportTitle();       // SaveDialog2
    static QString exportFileName();    // "iksa.dbf"
};

// The logic of the menu commands "Záloha dat" › "export" and "import" and
// "Export dat", after their dialogs: the window remembers and restores the
// current directory, shows the dialogs and passes the chosen paths here
// together with the program's directory (the remembered one). Messages go
// through UserMessages exactly as the examiner sees them.
class BackupCommands {
public:
    BackupCommands(TBackupFile& backupFile, UserMessages& messages);

    // "export": backs up every .dbf file of `programDir` into `archivePath`.
    bool backUpTables(const QString& programDir, const QString& archivePath);

    // "import", before the tables are touched: asks whether `archivePath` may
    // replace the tables of `programDir`, naming the archive, its date and
    // the examinees in it against those in the tables now; "Ne", the
    // default, keeps the tables. An archive that may not be restored
    // (RestoreNameCheck) is refused here with its reason. One that cannot be
    // read is not asked about: its restore fails, changing nothing, and says
    // why. A missing archive is left to restoreTables to report.
    bool confirmRestore(const QString& archivePath, const QString& programDir);

    // "import": restores `archivePath` into `programDir`, with the tables
    // closed meanwhile and opened again afterwards (also when the restore
    // throws, since it leaves the files as they were). An archive that may
    // not be restored is refused before the tables are closed. Once the
    // archive has been read to its end, and before any table is replaced, the
    // tables as they stand are written into a new undo archive
    // (UndoArchives), which the final message names; when it cannot be
    // written nothing is replaced. Refused (UserError) while another program
    // has the tables open: it waits restoreLockWaitMs (a test sets a shorter
    // wait).
    static constexpr int restoreLockWaitMs = 3000;
    void setLockWaitMs(int ms) { lockWaitMs_ = ms; }
    bool restoreTables(const QString& archivePath, const QString& programDir, TableAccess& tables);

    // "Export dat", before its dialog: whether the three table files are in
    // `programDir`; without them the command stops without a message.
    static bool exportSourcesPresent(const QString& programDir);

    // "Export dat", after its dialog: copies the three table files into
    // `destinationDir`, in blocks of 4097 bytes. An input/output failure
    // throws UserError; a copy already made stays, no further file is copied.
    void exportTables(const QString& programDir, const QString& destinationDir);

    // Undoes a restore that the end of the process cut off; the program runs
    // it at start-up, before it opens the tables.
    static void recoverInterruptedRestore(const QString& programDir);

    // The clock that dates the undo archives; tests set their own.
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }

private:
    bool writeUndoArchive(const QString& programDir, QString& undoPath);
    void refuse(const QString& reason);

    TBackupFile& backupFile_;
    UserMessages& messages_;
    int lockWaitMs_ = restoreLockWaitMs;
    std::function<QDateTime()> clock_ = [] { return QDateTime::currentDateTime(); };
};

} // namespace iksa
