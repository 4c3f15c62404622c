#pragma once

#include "evaluation/EvaluationOptions.h"
#include "evaluation/EvaluationPage.h"
#include "records/DataModule.h"
#include "records/ExamineeRecord.h"
#include "records/UserMessages.h"

#include <QDir>
#include <QTemporaryDir>
#include <initializer_list>
#include <utility>

namespace iksa::bench {

// A start directory holding `count` records made by iksa-generate-records;
// made once per count and kept until the benchmark ends.
QDir generatedRecords(int count);

// The tables of a start directory, open, with the examinee record over them.
struct OpenTables {
    explicit OpenTables(const QDir& dir);

    SilentMessages messages;
    DataModule data;
    ExamineeRecord record;
};

// One examinee stored with the given field texts in new tables of a
// temporary directory, with the options and page of the evaluation.
struct StoredExaminee {
    using Texts = std::initializer_list<std::pair<const char*, const char*>>;
    explicit StoredExaminee(Texts texts);

    QTemporaryDir dir;
    SilentMessages messages;
    DataModule data;
    ExamineeRecord record;
    EvaluationOptions options;
    EvaluationPage page;
};

} // namespace iksa::bench
