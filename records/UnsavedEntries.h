#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QList>
#include <QString>
#include <optional>

namespace iksa {

class ExamineeRecord;

// What the examiner has typed into the current record and not stored yet:
// the changed texts of the three tables' current rows, with what each field
// held when the row was loaded, and enough of the record to find it again and
// to name it to the examiner.
struct UnsavedEntries {
    struct Entry {
        QString table; // "Table1" …
        QString field;
        QString text;   // as typed
        QString stored; // as the row held it when it was loaded
    };

    QDateTime savedAt;
    int recNo = 0;   // position of the record in the tables (1-based)
    QString id;      // ID of the record
    QString surname; // as shown, typed or not
    QString firstName;
    QString date;
    // The stored surname, first name and date when the row was loaded: a
    // record whose identity changed since is another examinee's.
    QString storedSurname;
    QString storedFirstName;
    QString storedDate;
    QList<Entry> entries;

    bool isEmpty() const { return entries.isEmpty(); }

    // The pending texts of the current record (empty when nothing is pending).
    static UnsavedEntries take(const ExamineeRecord& record);

    QByteArray toJson() const;
    // Throws UserError when the bytes are not a recovery file of this program.
    static UnsavedEntries fromJson(const QByteArray& bytes);
};

// The recovery file ".iksa-unsaved" in the data directory. It is written
// whole into a private temporary file, synced and renamed over the old one,
// so after a crash it holds either the previous or the new entries; it is
// private to the examiner (0600).
class RecoveryFile {
public:
    explicit RecoveryFile(const QDir& dataDir);

    static QString fileName(); // ".iksa-unsaved"
    QString path() const;
    bool exists() const;

    void write(const QByteArray& bytes); // UserError when it cannot be written
    QByteArray read() const;             // UserError when it cannot be read
    void remove();
    // Renames the file to ".iksa-unsaved-<time>" (a free name) and returns
    // that name; UserError when it cannot be renamed.
    QString setAside(const QDateTime& time);

private:
    QDir dir_;
};

} // namespace iksa
