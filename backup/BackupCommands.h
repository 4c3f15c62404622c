#pragma once

#include <QString>

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

    // "import": restores `archivePath` into `programDir`, with the tables
    // closed meanwhile and opened again afterwards (also when the restore
    // throws, since it leaves the files as they were). Refused (UserError)
    // while another program has the tables open: it waits restoreLockWaitMs
    // (a test sets a shorter wait).
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

private:
    TBackupFile& backupFile_;
    UserMessages& messages_;
    int lockWaitMs_ = restoreLockWaitMs;
};

} // namespace iksa
