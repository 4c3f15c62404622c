#pragma once

#include "TablesFixture.h"
#include "records/DataModule.h"
#include "records/ExamineeRecord.h"

#include <gtest/gtest.h>
#include <ostream>
#include <utility>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace iksa::test {

// One new examinee record on real, empty tables in a temporary directory.
class RecordFixture : public TablesFixture {
public:
    using Texts = std::vector<std::pair<const char*, const char*>>;

protected:
    void SetUp() override {
        TablesFixture::SetUp();
        record.press(NavigatorButton::Insert);
        record.press(NavigatorButton::Post);
    }

    // Texts typed into the record and stored, so that the record is in browse state.
    void store(const Texts& texts) {
        for (const auto& [field, text] : texts)
            record.setText(QString::fromLatin1(field), QString::fromUtf8(text));
        record.press(NavigatorButton::Post);
    }

    bool allEditing() const {
        return data.table1().state() == TableState::Edit &&
               data.table2().state() == TableState::Edit &&
               data.table3().state() == TableState::Edit;
    }
    bool allBrowsing() const {
        return data.table1().state() == TableState::Browse &&
               data.table2().state() == TableState::Browse &&
               data.table3().state() == TableState::Browse;
    }
};

} // namespace iksa::test
