#pragma once

#include "TablesFixture.h"
#include "evaluation/EvaluationOptions.h"
#include "evaluation/EvaluationPage.h"
#include "evaluation/EvaluationRun.h"
#include "norms/CompiledNorms.h"
#include "norms/NormSet.h"
#include "records/DataModule.h"
#include "records/ExamineeRecord.h"
#include "scoring/Catalogue.h"

#include <QMap>
#include <gtest/gtest.h>
#include <optional>

namespace iksa::test {

// Real, empty tables in a temporary directory, one examinee record over
// them, and the options and page of the evaluation.
class EvaluationFixture : public TablesFixture {
protected:
    // A new stored record with the given field texts; messages so far dropped.
    void addRecord(const QMap<QString, QString>& texts) {
        record.press(NavigatorButton::Insert);
        for (auto it = texts.begin(); it != texts.end(); ++it)
            record.setText(it.key(), it.value());
        record.press(NavigatorButton::Post);
        messages.shown.clear();
    }

    bool evaluate() {
        EvaluationRun run(record, options, page, messages);
        return run.Button2Click();
    }

    Table& table3() { return data.table3(); }
    static const NormSet& norms() { return compiledNormSet(); }

    // The first raw score that the table maps to `scaled`; none when the
    // table skips that scaled score.
    static std::optional<int> rawFor(TableSet set, int subtest, int scaled) {
        for (const NormEntry& entry : norms().table(set, subtest))
            if (entry.scaled == scaled && entry.first >= 0)
                return entry.first;
        return std::nullopt;
    }

    // Raw scores giving `scaled` in all fourteen subtests for the age band
    // of `age`, as field texts with the age.
    static std::optional<QMap<QString, QString>> recordScoring(int age, int scaled) {
        QMap<QString, QString> texts{{QStringLiteral("VEK"), QString::number(age)}};
        const TableSet set = TableSet::band(*norms().bandOf(AgeBandFamily::Scaled, age));
        for (const Subtest& subtest : Catalogue::instance().subtests()) {
            const std::optional<int> raw = rawFor(set, subtest.number, scaled);
            if (!raw)
                return std::nullopt;
            texts[subtest.rawField] = QString::number(*raw);
        }
        return texts;
    }

    // The first age band whose tables all reach `scaled`, as its first age.
    static int ageWhereAllReach(int scaled) {
        for (const AgeBand& band : norms().bands(AgeBandFamily::Scaled))
            if (recordScoring(band.firstAge, scaled))
                return band.firstAge;
        ADD_FAILURE() << "no age band reaches scaled score " << scaled << " in every subtest";
        return 16;
    }

    EvaluationOptions options;
    EvaluationPage page;
};

} // namespace iksa::test
