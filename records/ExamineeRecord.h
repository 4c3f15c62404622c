#pragma once

#include "DataModule.h"

#include <QObject>
#include <QString>

namespace iksa {

// The buttons of the main navigator DBNavigator1, in their order.
enum class NavigatorButton { First, Prior, Next, Last, Insert, Edit, Post, Cancel };

// One examinee: the current rows of Table3, Table1 and Table2, kept in step.
// Every navigator action runs on Table3 first and is then mirrored on Table1
// (DBNavigator2) and Table2 (DBNavigator3).
class ExamineeRecord : public QObject {
    Q_OBJECT

public:
    explicit ExamineeRecord(DataModule& data, QObject* parent = nullptr);

    DataModule& data();
    const DataModule& data() const;

    // A button of the main navigator, with its mirroring:
    // - First/Prior/Next/Last move all three tables (pending changes are
    //   stored first) and refresh the not-administered display;
    // - Insert is "přidat": a new row in each table, ID = rows of Table3
    //   before it, surname copied, DATUM = today (d.M.yyyy), all three posted
    //   at once; Table3 is left in browse, Table1 and Table2 in edit state;
    // - Edit puts all three into edit state (the edit protocol);
    // - Post ("potvrdit") posts Table3, copies the surname into Table2 and
    //   Table1 and posts Table1, then Table2;
    // - Cancel ("storno") drops the pending changes of all three.
    // Before a move, "přidat" or "potvrdit" stores anything, the pending texts
    // of all three tables are checked, so a failure leaves all three as they
    // were (UserError). Every store, "přidat" and deletion first checks that
    // the three current rows belong to one examinee (requireAligned).
    void press(NavigatorButton button);

    // "Ano" in Form5: deletes the current row of Table3, Table2, Table1, then
    // refreshes the not-administered display for the record that follows. On
    // empty tables it refuses (UserError) and nothing is deleted.
    void removeCurrent();

    // The refusal of a change while the three tables hold no record yet.
    static QString noRecordYetMessage();

    // Moves the three tables to record `recNo` (1-based, natural order) as a
    // navigator move does: pending changes stored first, then the
    // not-administered display refreshed. For iksa-cli, the import and the
    // surname search.
    void moveTo(int recNo);
    int recordCount() const; // rows of Table3
    int recNo() const;       // current record of Table3, 0 when empty

    // What a move does first, for all three tables at once: each pending
    // text is checked in all three before any table stores its row, so a
    // text that does not fit its column leaves all three unstored.
    void storePendingChanges();
    void validatePending() const;

    // Refuses with a Czech message naming the tables (UserError) when the
    // current rows of Table3, Table1 and Table2 stand at different positions
    // or carry different IDs, so that nothing typed for one examinee is
    // written into another examinee's row.
    void requireAligned() const;
    bool hasPendingChanges() const; // any of the three tables holds changed texts

    // Field texts of the current record by name: Table3 first, then Table1,
    // then Table2; "1:NAME", "2:NAME", "3:NAME" name a table explicitly.
    // An unknown name throws UserError.
    Table& tableOf(const QString& field);
    QString text(const QString& field) const;
    int integer(const QString& field) const;
    void setText(const QString& field, const QString& text);

    // The check box "neadministrován": ticked writes "-1" into HS_14_SO,
    // unticked "0" (through the edit protocol).
    void setNotAdministeredMark(bool ticked);

    // SO_neadministrovan: subtest 14 was not administered for the current record.
    bool soNotAdministered() const;
    void setSoNotAdministered(bool on);

    // Whether the three subtest-14 cells of the evaluation page are hidden.
    bool soCellsHidden() const;
    void setSoCellsHidden(bool hidden);

signals:
    void soCellsHiddenChanged(bool hidden);
    // The current record is now another examinee's, or there is none: after
    // a move to another row, "přidat", a deletion, or the tables closing. A
    // store of the same record does not count.
    void currentRecordReplaced();

private:
    // A field name with the table that holds it and its name there.
    struct ResolvedField {
        const Table* table;
        QString name; // "1:NAME" → "NAME"
    };

    void refreshNotAdministeredDisplay();
    void table3StateChanged(TableState state);
    void pressButton(NavigatorButton button);
    void removeRows();
    // Checks the pending texts, runs `step` on Table3, Table1, Table2, then
    // refreshes the not-administered display.
    template <typename Step> void moveAll(Step step);
    void move(NavigatorButton button);
    void insertRecord();
    void postRecord();
    ResolvedField resolve(const QString& field) const;

    DataModule& data_;
    bool soNotAdministered_ = false;
    bool soCellsHidden_ = false;
};

} // namespace iksa
