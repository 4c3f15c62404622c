#pragma once

#include "UnsavedEntries.h"

#include <QObject>
#include <QTimer>
#include <optional>

namespace iksa {

class ExamineeRecord;
class UserMessages;

// Keeps what the examiner types in the recovery file of the data directory:
// within `delay` of a change the pending texts of the current record are
// written there, and the file is removed as soon as nothing is pending (the
// record stored, cancelled, left by a move, or the tables closed).
class UnsavedWorkKeeper : public QObject {
    Q_OBJECT

public:
    static constexpr int defaultDelayMs = 1000;

    UnsavedWorkKeeper(ExamineeRecord& record, UserMessages& messages, QObject* parent = nullptr);

    void setDelay(int ms) { timer_.setInterval(ms); }
    // Starts keeping into `dataDir` (after a recovery file left there has
    // been dealt with); pending texts are written within the delay.
    void start(const QDir& dataDir);
    bool isKeeping() const { return file_.has_value(); }
    void saveNow();

signals:
    // The recovery file holds the pending texts, or is gone when none are.
    void kept();

private:
    void changed();
    void settled();
    void removeFile();

    ExamineeRecord& record_;
    UserMessages& messages_;
    QTimer timer_;
    std::optional<RecoveryFile> file_;
    bool onDisk_ = false;
    bool failing_ = false; // a write failed and was reported; reported again after a success
};

} // namespace iksa
