#pragma once

#include "TestSupport.h"
#include "records/DataModule.h"
#include "records/ExamineeRecord.h"

#include <gtest/gtest.h>

namespace iksa::test {

// Three empty tables in a temporary start directory, opened, with the
// examinee record over them.
class TablesFixture : public ::testing::Test {
protected:
    void SetUp() override {
        DataModule::createEmptyTables(tmp.dir());
        data.open(tmp.dir(), messages);
    }

    // The text of a field of the current record.
    QString text(const char* field) const { return record.text(QString::fromLatin1(field)); }

    TempDir tmp;
    RecordingMessages messages;
    DataModule data;
    ExamineeRecord record{data};
};

} // namespace iksa::test
