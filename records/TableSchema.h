#pragma once

#include <QString>
#include <QVector>

namespace iksa {

// The kinds of column the examinee tables use.
enum class ColumnType {
    Text,  // dBASE character column of the given width, Windows-1250 on disk
    Int16, // dBASE numeric column without decimals, a signed 16-bit value
    Float, // dBASE numeric column read and written as a double
};

struct ColumnDef {
    QString name;
    ColumnType type;
    int width;        // characters on disk
    int decimals = 0; // Float columns only
};

// One of the three examinee tables: its name in the program, its file in the
// start directory and its columns in order. A user's file may hold further
// columns after these; they are kept untouched.
struct TableSchema {
    QString tableName; // "Table1", "Table2", "Table3"
    QString fileName;  // "IKSA.DBF", "IKSA_II.DBF", "IKSA_HS_Vyp.DBF"
    QVector<ColumnDef> columns;

    int columnIndex(const QString& name) const; // -1 when absent
};

const TableSchema& table1Schema();        // IKSA.DBF, 240 columns
const TableSchema& table2Schema();        // IKSA_II.DBF, 252 columns
const TableSchema& table3Schema();        // IKSA_HS_Vyp.DBF, 155 columns
QList<const TableSchema*> tableSchemas(); // the three above, Table1 first

} // namespace iksa
