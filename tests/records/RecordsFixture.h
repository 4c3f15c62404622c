#pragma once

#include "TablesFixture.h"
#include "records/DataModule.h"
#include "records/ExamineeRecord.h"
#include "records/Table.h"
#include "records/TableSchema.h"
#include "records/UserError.h"

#include <QFile>
#include <QMap>
#include <gtest/gtest.h>

namespace iksa::test {

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Rows with the given surnames inserted and posted into an open table.
inline void addSurnameRows(Table& table, const QStringList& surnames) {
    for (const QString& surname : surnames) {
        table.insert();
        table.setText(QStringLiteral("PRIJM"), surname);
        table.post();
    }
}

// Rows with the given surnames written into Table3 alone; the other two
// tables keep their row counts.
inline void addTable3Rows(const QDir& dir, const QStringList& surnames) {
    Table t3(table3Schema());
    t3.open(dir);
    addSurnameRows(t3, surnames);
}

// Three empty tables in a temporary start directory, opened, with the
// examinee record over them.
class RecordsFixture : public TablesFixture {
protected:
    // "přidat", then the texts, then "potvrdit"; returns the record number.
    int add(const QString& surname, const QMap<QString, QString>& fields = {}) {
        record.press(NavigatorButton::Insert);
        record.setText(QStringLiteral("PRIJM"), surname);
        for (auto it = fields.begin(); it != fields.end(); ++it)
            record.setText(it.key(), it.value());
        record.press(NavigatorButton::Post);
        return record.recNo();
    }

    // Reopens the tables from the files.
    void reopen() {
        data.close();
        data.open(tmp.dir(), messages);
    }
};

} // namespace iksa::test
