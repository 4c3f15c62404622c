#pragma once

#include <QDateTime>
#include <QDir>
#include <QString>
#include <QStringList>

namespace iksa {

// The archives a restore writes of the tables it is about to replace, beside
// them in the program's directory, so that a restore can be undone by
// restoring such an archive: "pred-obnovou-2026-12-11-1432.ZAL", and a
// second one of the same minute "pred-obnovou-2026-12-11-1432-2.ZAL". They
// hold examinee data and are private to the examiner (0600). The newest
// kKept stay; older ones go.
class UndoArchives {
public:
    static constexpr int kKept = 10;

    // Creates an empty, private file under the first name for `time` that
    // `dir` does not hold yet, to be filled by a backup (which keeps its
    // mode); its path, or empty when it cannot be created.
    static QString reserve(const QDir& dir, const QDateTime& time);

    // The undo archives in `dir` (file names), newest first.
    static QStringList list(const QDir& dir);

    // Removes all but the newest kKept.
    static void prune(const QDir& dir);
};

} // namespace iksa
