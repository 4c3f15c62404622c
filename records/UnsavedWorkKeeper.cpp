#include "UnsavedWorkKeeper.h"

#include "ExamineeRecord.h"
#include "UserError.h"
#include "UserMessages.h"

namespace iksa {

UnsavedWorkKeeper::UnsavedWorkKeeper(ExamineeRecord& record, UserMessages& messages,
                                     QObject* parent)
    : QObject(parent)
    , record_(record)
    , messages_(messages) {
    timer_.setSingleShot(true);
    timer_.setInterval(defaultDelayMs);
    connect(&timer_, &QTimer::timeout, this, &UnsavedWorkKeeper::saveNow);
    DataModule& data = record_.data();
    for (Table* table : {&data.table1(), &data.table2(), &data.table3()}) {
        connect(table, &Table::fieldChanged, this, &UnsavedWorkKeeper::changed);
        connect(table, &Table::recordChanged, this, &UnsavedWorkKeeper::settled);
        connect(table, &Table::stateChanged, this, &UnsavedWorkKeeper::settled);
    }
}

void UnsavedWorkKeeper::start(const QDir& dataDir) {
    file_.emplace(dataDir);
    onDisk_ = file_->exists();
    settled();
}

void UnsavedWorkKeeper::changed() {
    // Not restarted by every key: a steady typist is kept within the delay too.
    if (file_ && !timer_.isActive())
        timer_.start();
}

void UnsavedWorkKeeper::settled() {
    if (!file_)
        return;
    if (record_.hasPendingChanges())
        changed();
    else
        removeFile();
}

void UnsavedWorkKeeper::removeFile() {
    timer_.stop();
    if (onDisk_) {
        file_->remove();
        onDisk_ = false;
    }
    emit kept();
}

void UnsavedWorkKeeper::saveNow() {
    if (!file_)
        return;
    timer_.stop();
    const UnsavedEntries unsaved = UnsavedEntries::take(record_);
    if (unsaved.isEmpty()) {
        removeFile();
        return;
    }
    try {
        file_->write(unsaved.toJson());
        onDisk_ = true;
        failing_ = false;
    } catch (const UserError& error) {
        if (!failing_) {
            failing_ = true;
            messages_.show(QStringLiteral("Zapsané údaje nelze průběžně zálohovat pro případ "
                                          "havárie programu. Uložte záznam tlačítkem "
                                          "„potvrdit“.\n%1")
                               .arg(error.message()));
        }
        return;
    }
    emit kept();
}

} // namespace iksa
