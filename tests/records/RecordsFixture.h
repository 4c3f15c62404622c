#pragma once

#include "TestSupport.h"
#include "records/DataModule.h"
#include "records/ExamineeRecord.h"

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

// Three empty tables in a temporary start directory, opened, with the
// examinee record over them.
class RecordsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        DataModule::createEmptyTables(tmp.dir());
        data.open(tmp.dir(), messages);
    }

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

    TempDir tmp;
    RecordingMessages messages;
    DataModule data;
    ExamineeRecord record{data};
};

} // namespace iksa::test
