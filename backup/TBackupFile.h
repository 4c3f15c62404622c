#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace iksa {

class UserMessages;
class ArchiveReader;
class StagedReplacement;
struct ArchiveEntryHead;
struct BackupListEntry;
class ArchiveWriter;

enum TCompressionLevel { clFastest, clNone, clDefault, clMax }; // zlib levels 1, 0, -1, 9
enum TRestoreMode { rmAll, rmNoOverwrite, rmNewer, rmExisting, rmExistingNewer };

// The backup component (BackupFile1 of the main window): writes the files
// named by file specifications into one compressed archive and restores them.
//
// A backup is written beside the archive's final name and replaces it only
// when complete, so a failed run leaves an earlier archive as it was. A
// restore is all or nothing: every file goes to a temporary file beside its
// target and is checked to the end of its section; only when the whole
// archive has been read are the targets replaced, together (see
// StagedReplacement). The tables are never left half-written.
//
// A run's error (code 1 … 7) is shown by its English text through
// UserMessages, or handed to OnError when it is set.
class TBackupFile {
public:
    explicit TBackupFile(UserMessages& messages);
    ~TBackupFile();

    // Settings, with the values the program uses.
    QString BackupTitle;                            // stored in the header; empty
    TCompressionLevel CompressionLevel = clFastest; //
    TRestoreMode RestoreMode = rmAll;               // which archived files a restore writes
    bool RestoreFullPath =
        false; // restore below the target with the archived path, not the bare name

    // After each block: the file in work and the run's progress 0 … 100.
    // Clearing `continueRun` stops the run, which then returns false and
    // leaves every file as it was.
    std::function<void(const QString& fileName, int percent, bool& continueRun)> OnProgress;

    // Called by Restore once every file has been read and staged, just before
    // the first one is replaced; returning false stops the run, which then
    // returns false and leaves every file as it was.
    std::function<bool()> OnBeforeReplace;

    // Replaces the built-in message of a run's error.
    std::function<void(int error, const QString& errorText)> OnError;

    // Stores every file the specifications name (see buildBackupFileList).
    // True when each listed file was stored and the archive completed.
    bool Backup(const QStringList& fileSpecifications, const QString& archiveName);

    // Restores the archive's files into `targetDirectory` (the current
    // directory when empty), each under its archived name's last component
    // (RestoreFullPath: its path below the drive), an existing file of the
    // same name in another letter case being replaced. A missing archive
    // returns false without a message. An archive whose header or entry names
    // cannot be read throws UserError ("Cannot read archive"), and so does one
    // that RestoreNameCheck refuses (with its reason, code 5); a damaged data
    // section ends the run with its error code, a file that cannot be written
    // with code 1. True when the run ended without error and its files are in
    // place; FilesDone then counts the entries written.
    bool Restore(const QString& archiveName, const QString& targetDirectory);

    // 100 − round(100 × data bytes ÷ total input size) of the last run,
    // halves to the even neighbour.
    int CompressionRatio() const;
    int FileCount() const { return fileCount_; }
    int FilesDone() const { return filesDone_; }
    int ErrorCode() const { return errorCode_; }

private:
    struct RestoreRun;
    class RunScope;

    void backUpFile(ArchiveWriter& writer, const BackupListEntry& entry);
    void restoreEntry(RestoreRun& run, const ArchiveEntryHead& head);
    void afterBlock(const QString& fileName); // events, progress, cancel
    void reportError(int code);
    [[noreturn]] void raise(int code);

    UserMessages& messages_;
    bool running_ = false;
    bool continue_ = true;
    int fileCount_ = 0;
    int filesDone_ = 0;
    int errorCode_ = 0;
    qint64 totalSize_ = 0;
    qint64 dataBytes_ = 0;
    qint64 progressBytes_ = 0; // input read (backup) or file bytes written (restore)
};

// The compression ratio in percent for `dataBytes` written from `totalSize`
// bytes of input (0 when there was no input).
int compressionRatioPercent(qint64 dataBytes, qint64 totalSize);

} // namespace iksa
