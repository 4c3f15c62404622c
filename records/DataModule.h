#pragma once

#include "Table.h"

#include <QDir>
#include <QObject>

namespace iksa {

class UserMessages;

// The three tables of the examinee records (object name "DataModule3"):
// Table1 "IKSA.DBF", Table2 "IKSA_II.DBF", Table3 "IKSA_HS_Vyp.DBF" in the
// start directory. The n-th rows of the three tables form one examinee.
class DataModule : public QObject {
    Q_OBJECT

public:
    enum class Access { ReadWrite, ReadOnly };

    explicit DataModule(QObject* parent = nullptr);
    ~DataModule() override;

    Table& table1();
    Table& table2();
    Table& table3();
    const Table& table1() const;
    const Table& table2() const;
    const Table& table3() const;

    // Opens Table3, Table2, Table1 in this order; an open table stays as it is.
    // A table that fails stops the opening (UserError); the tables after it
    // stay closed and the next call tries again. With ReadWrite the files are
    // locked against a second program on the same directory; a second copy is
    // refused with a Czech message naming the directory (waitMs > 0 waits that
    // long for the lock first). When the three tables hold different numbers
    // of rows, `messages` is told once, in Czech, that the records do not line up.
    void open(const QDir& startDir, UserMessages& messages, Access access = Access::ReadWrite,
              int waitMs = 0);
    void close(); // Table1, Table2, Table3; pending changes are dropped
    bool isOpen() const;
    QDir startDir() const;

    // Creates the three empty tables in `dir` (iksa-cli init, the demo start
    // directory). Refuses with UserError when any of them exists.
    static void createEmptyTables(const QDir& dir);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace iksa
