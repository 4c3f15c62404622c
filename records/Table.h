#pragma once

#include "TableSchema.h"

#include <QDir>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

namespace iksa {

enum class TableState { Inactive, Browse, Edit, Insert };

// One dBASE table of the start directory, read in its natural order (deleted
// rows skipped) with a current-row cursor and one record buffer.
//
// The record buffer holds every column of the current row as the text a bound
// box shows ("" for a field never written, "12", "-1", "1" for a float 1.0,
// "0.5"). Bound boxes display these texts and write the examiner's typing back
// with setText(); rules and raw-score actions read and write the same texts.
// post() converts the texts to the column types and stores the row.
//
// Every failure (missing or damaged file, a text that does not fit its column,
// a write error) throws UserError with a Czech message naming the file or the
// field; the table and its file are then as they were before the call.
class Table : public QObject {
    Q_OBJECT

public:
    explicit Table(const TableSchema& schema, QObject* parent = nullptr);
    ~Table() override;

    const TableSchema& schema() const;
    QString name() const; // "Table1" …

    // Opens the schema's file in `directory`. The name is matched without
    // regard to case (IKSA.DBF and iksa.dbf are the same table); two files
    // that differ only in case are an error. Never creates a file. Opening an
    // open table does nothing. The cursor stands on the first row.
    void open(const QDir& directory);
    struct OpenOptions {
        bool readOnly = false; // insert, edit and remove are refused
        // An exclusive advisory lock (flock) on the file for as long as it is
        // open; a second program gets a Czech refusal naming the directory
        // after waiting up to lockWaitMs.
        bool lock = false;
        int lockWaitMs = 0;
        // Every post ends with the row and the header synced to disk; a bulk
        // generator may leave that to the system.
        bool syncWrites = true;
    };
    void open(const QDir& directory, const OpenOptions& options);
    void close(); // drops pending changes
    bool isOpen() const;
    QString filePath() const; // the file actually opened

    // Cursor over the rows in natural order.
    int recordCount() const; // live rows
    int recNo() const;       // 1-based position of the current row, 0 when empty
    // As a dBASE data set keeps them: bof() after first() or a prior() on the
    // first row, eof() after last() or a next() on the last row; both when empty.
    bool bof() const;
    bool eof() const;
    void first();
    void prior();
    void next();
    void last();
    void moveTo(int recNo); // 1-based; clamped into the rows

    // Bookmarks of the current row (its position in the file).
    using Bookmark = qint64;
    Bookmark bookmark() const;
    void gotoBookmark(Bookmark mark);
    void freeBookmark(Bookmark mark);

    // Edit states. A pending change is posted (or, when nothing was changed,
    // cancelled) before any move of the cursor.
    TableState state() const;
    bool isModified() const;
    // Browse → Edit; no change in Edit or Insert. An empty table has no row
    // to change: UserError (a new row comes only from insert()).
    void edit();
    void insert(); // a new, empty row; stored after the last row when posted
    void post();   // stores the buffer; the row and the header are on disk after it
    void cancel(); // drops the buffer's changes; a new row is dropped
    void remove(); // sets the deletion flag of the current row; cursor on the following row
    // Throws the UserError that post() would throw for the pending texts;
    // writes nothing. Lets a caller check several tables before storing any.
    void validate() const;
    // What every move does first: post a changed row, leave an unchanged edit.
    void finishEditing();

    // The record buffer.
    int fieldIndex(const QString& name) const; // -1 when absent; case-insensitive
    QString text(const QString& field) const;
    QString text(int fieldIndex) const;
    int integer(const QString& field) const; // empty reads as 0; UserError when not a number
    // Writes the text into the buffer; a table in browse state enters edit
    // state first, as the first key typed into a bound box does.
    void setText(const QString& field, const QString& text);
    void setText(int fieldIndex, const QString& text);
    // The fields whose texts were written since the row was loaded, in
    // column order, and the text a field had when the row was loaded.
    QList<int> changedFields() const;
    QString loadedText(int fieldIndex) const;

    // The stored text of a column in the row at `recNo` (1-based natural
    // position), read without moving the cursor or touching the buffer; for
    // scans such as the surname search.
    QString storedText(int recNo, int fieldIndex) const;
    // The stored texts of the columns `fieldIndexes` of every row, in natural
    // order: one list per row, the texts in the order asked. The file is read
    // in large blocks, without moving the cursor or touching the buffer; for
    // views over all records.
    QList<QStringList> storedColumns(const QList<int>& fieldIndexes) const;

signals:
    void recordChanged();         // the buffer was reloaded: a move, open, cancel, post, insert
    void fieldChanged(int field); // one text of the buffer changed
    void stateChanged(iksa::TableState state);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace iksa
