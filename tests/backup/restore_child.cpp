// The child process that InterruptedRestoreTest kills:
//   restore_child restore ARCHIVE DIR PERCENT   restores until PERCENT, says "stalled", waits
//   restore_child commit DIR                    replaces four files, killing itself after two
#include "backup/StagedReplacement.h"
#include "backup/TBackupFile.h"
#include "records/UserMessages.h"

#include <QCoreApplication>
#include <QDir>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

int stallRestore(const QString& archive, const QString& dir, int percent) {
    iksa::SilentMessages messages;
    iksa::TBackupFile backupFile(messages);
    backupFile.OnProgress = [percent](const QString&, int done, bool&) {
        if (done < percent)
            return;
        std::puts("stalled");
        std::fflush(stdout);
        for (;;)
            ::pause();
    };
    backupFile.Restore(archive, dir);
    return 3; // not reached when the archive is long enough
}

int cutCommit(const QString& dir) {
    iksa::StagedReplacement staging(dir);
    for (const char* name : {"new.dbf", "IKSA.DBF", "IKSA_II.DBF", "IKSA_HS_Vyp.DBF"}) {
        QFile& file = staging.stage(QDir(dir).filePath(QLatin1String(name)));
        file.write(QByteArray("replaced ") + name);
        staging.finishStaged(std::nullopt);
    }
    staging.afterReplace = [](int replaced) {
        if (replaced == 2)
            std::raise(SIGKILL);
    };
    staging.commit();
    return 3;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == QLatin1String("restore"))
        return stallRestore(args[2], args[3], args[4].toInt());
    if (args.size() == 3 && args[1] == QLatin1String("commit"))
        return cutCommit(args[2]);
    return 2;
}
