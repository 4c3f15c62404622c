// iksa-cli: backup, restore and export of the tables, and the listing of an
// archive, with the messages the window shows.
#include "CliSupport.h"
#include "backup/ArchiveReader.h"
#include "backup/BackupCommands.h"
#include "backup/DosDateTime.h"
#include "backup/TBackupFile.h"
#include "records/PrivateFiles.h"
#include "records/UserError.h"

#include <QDir>
#include <QFile>

using namespace iksa;
using namespace iksa::cli;

namespace {

// No tables are open in iksa-cli.
class NoTables : public TableAccess {
public:
    void closeTables() override {}
    void openTables() override {}
};

// The menu commands' logic with its messages on stderr, one per command run.
struct BackupRun {
    StderrMessages messages;
    TBackupFile backupFile{messages};
    BackupCommands commands{backupFile, messages};
};

int backupCommand(const QStringList& args) {
    if (args.size() != 2)
        return usageError(QStringLiteral("backup"));
    return BackupRun().commands.backUpTables(args[0], args[1]) ? 0 : 1;
}

int restoreCommand(const QStringList& args) {
    if (args.size() != 2)
        return usageError(QStringLiteral("restore"));
    NoTables tables;
    return BackupRun().commands.restoreTables(args[0], args[1], tables) ? 0 : 1;
}

int exportCommand(const QStringList& args) {
    if (args.size() != 2)
        return usageError(QStringLiteral("export"));
    if (!BackupCommands::exportSourcesPresent(args[0])) {
        // The window stops here without a message; a script needs to know.
        err() << "Tabulky IKSA nenalezeny v > " << args[0] << " <" << Qt::endl;
        return 1;
    }
    if (!makePrivateDirectories(args[1])) {
        err() << "Adresář nelze vytvořit: " << args[1] << Qt::endl;
        return 1;
    }
    BackupRun().commands.exportTables(args[0], args[1]);
    return 0;
}

QString formatDate(quint32 packed) {
    const DosDateTimeFields f = dosDateTimeFields(packed);
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", f.year, f.month, f.day, f.hour,
                             f.minute, f.second);
}

// One line per entry: name, date, stored size (the section's bytes as the
// compression ratio counts them), original size; every section is inflated
// and so checked.
int archiveListCommand(const QStringList& args) {
    if (args.size() != 1)
        return usageError(QStringLiteral("archive-list"));
    QFile archive(args[0]);
    if (!archive.open(QIODevice::ReadOnly)) {
        err() << "Soubor IKSA.ZAL nenalezen !" << Qt::endl;
        return 1;
    }
    ArchiveReader reader(archive);
    try {
        reader.readHeader();
        while (const std::optional<ArchiveEntryHead> head = reader.readEntryHead()) {
            const QString name = QFile::decodeName(head->name);
            if (name.startsWith(QLatin1String(kNextDiskEntry)))
                throw UserError(QStringLiteral("Archiv pokračuje na další disketě (%1); archivy "
                                               "na více disketách program nečte.")
                                    .arg(name));
            const SectionSize size = reader.readSection({});
            out() << name << '\t' << formatDate(head->dosDateTime) << '\t' << size.stored << '\t'
                  << size.original << Qt::endl;
        }
    } catch (const ArchiveError& error) {
        out().flush();
        err() << archiveErrorText(error.code()) << Qt::endl;
        return 1;
    }
    return 0;
}

const CommandRegistration backupRegistration({QStringLiteral("backup"),
                                              QStringLiteral("backup DIR ARCHIVE"), backupCommand});
const CommandRegistration restoreRegistration({QStringLiteral("restore"),
                                               QStringLiteral("restore ARCHIVE DIR"),
                                               restoreCommand});
const CommandRegistration exportRegistration({QStringLiteral("export"),
                                              QStringLiteral("export DIR DEST"), exportCommand});
const CommandRegistration archiveListRegistration({QStringLiteral("archive-list"),
                                                   QStringLiteral("archive-list ARCHIVE"),
                                                   archiveListCommand});

} // namespace
