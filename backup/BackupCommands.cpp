#include "BackupCommands.h"

#include "ArchiveSurvey.h"
#include "RestorePaths.h"
#include "StagedReplacement.h"
#include "TBackupFile.h"
#include "UndoArchives.h"
#include "records/PrivateFiles.h"
#include "records/TableLock.h"
#include "records/UserError.h"
#include "records/UserMessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <array>
#include <cerrno>
#include <cstring>

namespace iksa {

namespace {

constexpr int kExportBlockSize = 4097;

// The table files as the export reads them from the program's directory and
// names its copies; on this file system they are looked up in any case.
const std::array<const char*, 3> kExportSources = {"iksa.dbf", "iksa_II.dbf", "iksa_HS_VYP.dbf"};
const std::array<const char*, 3> kExportCopies = {"Iksa.dbf", "Iksa_II.dbf", "Iksa_HS_VYP.dbf"};

QString existingFile(const QDir& dir, const QString& name) {
    return dir.filePath(matchNameIgnoringCase(dir, name));
}

[[noreturn]] void ioError(const QString& path, const QString& reason) {
    throw UserError(QStringLiteral("Chyba vstupu/výstupu u souboru %1: %2")
                        .arg(QDir::toNativeSeparators(path), reason));
}

void copyInBlocks(const QString& from, const QString& to) {
    QFile input(from);
    if (!input.open(QIODevice::ReadOnly))
        ioError(from, input.errorString());
    // The copy replaces an earlier one only once it is complete.
    QSaveFile output(to);
    if (!output.open(QIODevice::WriteOnly))
        ioError(to, output.errorString());
    if (!takeOverAttributes(output, to))
        ioError(to, QString::fromLocal8Bit(std::strerror(errno)));
    char block[kExportBlockSize];
    for (;;) {
        const qint64 got = input.read(block, kExportBlockSize);
        if (got < 0)
            ioError(from, input.errorString());
        if (got == 0)
            break;
        if (output.write(block, got) != got)
            ioError(to, output.errorString());
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
    }
    if (!output.commit())
        ioError(to, output.errorString());
}

QString examineeCount(const std::optional<qint64>& count) {
    return count ? QString::number(*count) : QStringLiteral("nelze zjistit");
}

const QString kImportFailed = QStringLiteral("Import dat nebyl uspěšný !!");

// Clears a component's hook when the run that set it ends.
class HookScope {
public:
    explicit HookScope(std::function<bool()>& hook, std::function<bool()> value)
        : hook_(hook) {
        hook_ = std::move(value);
    }
    ~HookScope() { hook_ = nullptr; }
    HookScope(const HookScope&) = delete;
    HookScope& operator=(const HookScope&) = delete;

private:
    std::function<bool()>& hook_;
};

bool sameFile(const QString& a, const QString& b) {
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

} // namespace

QString BackupDialogs::saveArchiveTitle() {
    return QStringLiteral("Vyberte kam uložíte soubor IKSA.ZAL");
}

QString BackupDialogs::saveArchiveFileName() {
    return QStringLiteral("IKSA.ZAL");
}

QString BackupDialogs::saveArchiveFilter() {
    return QStringLiteral("Iksa.zal* (*.zal)");
}

QString BackupDialogs::openArchiveFilter() {
    return QStringLiteral("(*.zal)");
}

QString BackupDialogs::exportTitle() {
    return QStringLiteral("Vyberte kam exportovat soubory IKSA.dbf");
}

QString BackupDialogs::exportFileName() {
    return QStringLiteral("iksa.dbf");
}

BackupCommands::BackupCommands(TBackupFile& backupFile, UserMessages& messages)
    : backupFile_(backupFile)
    , messages_(messages) {}

bool BackupCommands::backUpTables(const QString& programDir, const QString& archivePath) {
    const QDir dir(programDir);
    if (!QFileInfo(existingFile(dir, QStringLiteral("IKSA_HS_Vyp.DBF"))).isFile()) {
        messages_.show(QStringLiteral("Soubor IKSA.dbf nenalezen !"));
        return false;
    }
    const bool done = backupFile_.Backup({dir.filePath(QStringLiteral("*.dbf"))}, archivePath);
    if (!done) {
        // A failed backup leaves no archive (an earlier one stays as it
        // was), so the command does not claim it saved one.
        messages_.show(QStringLiteral("Při zálohování došlo k chybě !! //neprovedeno  "));
        return false;
    }
    messages_.show(QStringLiteral("Zálohování ukončeno. komprese  = %1 %")
                       .arg(backupFile_.CompressionRatio()));
    messages_.show(QStringLiteral("Soubor IKSA.ZAL uložen > %1 <").arg(archivePath));
    return true;
}

void BackupCommands::refuse(const QString& reason) {
    messages_.show(reason);
    messages_.show(kImportFailed);
}

bool BackupCommands::confirmRestore(const QString& archivePath, const QString& programDir) {
    if (!QFileInfo::exists(archivePath))
        return true;
    const ArchiveSurvey survey = ArchiveSurvey::of(archivePath);
    if (!survey.refusal.isEmpty()) {
        refuse(survey.refusal);
        return false;
    }
    if (!survey.readable)
        return true;
    const QString question =
        QStringLiteral("Import dat nahradí všechny tabulky obsahem zálohy\n> %1 <\nze dne %2.\n\n"
                       "Vyšetřovaných osob v záloze: %3\n"
                       "Vyšetřovaných osob v tabulkách nyní: %4\n\n"
                       "Současné tabulky se před nahrazením uloží do zálohy pred-obnovou-….ZAL "
                       "v datovém adresáři.\n\nNahradit tabulky obsahem zálohy?")
            .arg(QDir::toNativeSeparators(archivePath),
                 survey.date.toString(QStringLiteral("d. M. yyyy H:mm")),
                 examineeCount(survey.examinees), examineeCount(examineesIn(programDir)));
    return messages_.ask(question, {QStringLiteral("Ano"), QStringLiteral("Ne")}, 1) == 0;
}

// The tables as they stand, into a new undo archive; nothing to do in a
// directory without tables. False when it cannot be written.
bool BackupCommands::writeUndoArchive(const QString& programDir, QString& undoPath) {
    const QDir dir(programDir);
    if (dir.entryList({QStringLiteral("*.dbf")}, QDir::Files | QDir::Hidden).isEmpty())
        return true;
    undoPath = UndoArchives::reserve(dir, clock_());
    bool written = false;
    QString error;
    if (!undoPath.isEmpty()) {
        TBackupFile undo(messages_);
        undo.OnError = [&](int, const QString& text) { error = text; };
        written = undo.Backup({dir.filePath(QStringLiteral("*.dbf"))}, undoPath);
    }
    if (written)
        return true;
    if (!undoPath.isEmpty())
        QFile::remove(undoPath);
    messages_.show(QStringLiteral("Současné tabulky nelze uložit do zálohy v > %1 <%2; import "
                                  "dat neproveden, tabulky zůstaly beze změny.")
                       .arg(QDir::toNativeSeparators(programDir),
                            error.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(error)));
    undoPath.clear();
    return false;
}

bool BackupCommands::restoreTables(const QString& archivePath, const QString& programDir,
                                   TableAccess& tables) {
    if (!QFileInfo::exists(archivePath)) {
        messages_.show(QStringLiteral("Soubor IKSA.ZAL nenalezen !"));
        return false;
    }
    if (const QString refusal = ArchiveSurvey::of(archivePath).refusal; !refusal.isEmpty()) {
        refuse(refusal);
        return false;
    }
    tables.closeTables();
    bool restored = false;
    QString undoPath;
    try {
        // Another program running on the directory would go on writing into
        // the replaced files and lose that work: it must be ended first.
        const TablesLock lock(QDir(programDir), lockWaitMs_);
        const HookScope beforeReplace(backupFile_.OnBeforeReplace,
                                      [&] { return writeUndoArchive(programDir, undoPath); });
        restored = backupFile_.Restore(archivePath, programDir);
    } catch (...) {
        // The files are as they were: open them again and let the window
        // show the restore's error rather than a second one.
        try {
            tables.openTables();
        } catch (const UserError&) {
        }
        throw;
    }
    if (restored) {
        QString done = QStringLiteral("Import dat ukončen   %1 soubor %2 přenesen")
                           .arg(backupFile_.FilesDone())
                           .arg(backupFile_.FileCount());
        if (!undoPath.isEmpty()) {
            UndoArchives::prune(QDir(programDir));
            done += QStringLiteral("\n\nTabulky ve stavu před importem jsou uloženy v > %1 <. "
                                   "Importem tohoto souboru se k nim vrátíte.")
                        .arg(QDir::toNativeSeparators(undoPath));
        }
        messages_.show(done);
    } else {
        // An undo archive written before a replacement that failed stays:
        // the tables are as it holds them.
        messages_.show(kImportFailed);
    }
    tables.openTables();
    return restored;
}

bool BackupCommands::exportSourcesPresent(const QString& programDir) {
    const QDir dir(programDir);
    for (const char* name : kExportSources)
        if (!QFileInfo(existingFile(dir, QString::fromLatin1(name))).isFile())
            return false;
    return true;
}

void BackupCommands::exportTables(const QString& programDir, const QString& destinationDir) {
    const QDir source(programDir);
    const QDir destination(destinationDir);
    for (std::size_t i = 0; i < kExportSources.size(); ++i) {
        const QString from = existingFile(source, QString::fromLatin1(kExportSources[i]));
        const QString to = existingFile(destination, QString::fromLatin1(kExportCopies[i]));
        if (sameFile(from, to))
            continue; // exported onto itself: already there
        copyInBlocks(from, to);
    }
    messages_.show(QStringLiteral("Soubory IKSA.DBF uloženy v > %1 <")
                       .arg(QDir::toNativeSeparators(destinationDir)));
}

void BackupCommands::recoverInterruptedRestore(const QString& programDir) {
    StagedReplacement::recover(programDir);
}

} // namespace iksa
