#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace iksa {

// What restoring an archive would bring, read before anything is written:
// whether a restore may write its entries (RestoreNameCheck) and how many
// examinees its copy of Table3 holds. Only that table's section is
// inflated; the restore itself checks every other section.
struct ArchiveSurvey {
    // The header and every entry head could be read, and the Table3 section
    // when there is one. When not, the restore will fail on the same bytes
    // and says why.
    bool readable = false;
    QString refusal;                 // why the archive may not be restored; empty when it may
    std::optional<qint64> examinees; // live rows of its Table3 file
    QDateTime date;                  // the archive file's last change

    static ArchiveSurvey of(const QString& archivePath);
};

// The live (not deleted) rows of the dBASE table open as `fd`: its examinees.
// Nothing when the file is not a table the engine reads.
std::optional<qint64> liveRowCount(int fd);

// The examinees of the Table3 file in `dir`, found in any letter case.
std::optional<qint64> examineesIn(const QString& dir);

} // namespace iksa
