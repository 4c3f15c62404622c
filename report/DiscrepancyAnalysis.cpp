#include "report/DiscrepancyAnalysis.h"

#include "evaluation/MissingScores.h"
#include "norms/NormSet.h"
#include "norms/NormTypes.h"
#include "records/ExamineeRecord.h"

#include <algorithm>
#include <cstdlib>

namespace iksa {

namespace {

struct Comparison {
    const char* label;
    Composite first;
    Composite second;
};

const std::array<Comparison, 7>& comparisons() {
    static const std::array<Comparison, 7> list{{
        {"Verbální IQ - Performační IQ", Composite::VIQ, Composite::PIQ},
        {"Verbální porozumění - Percepční uspořádání", Composite::IVP, Composite::IPU},
        {"Verbální porozumění - Pracovní paměť", Composite::IVP, Composite::IPP},
        {"Percepční uspořádání - Rychlost zpracování", Composite::IPU, Composite::IRZ},
        {"Verbální porozumění - Rychlost zpracování", Composite::IVP, Composite::IRZ},
        {"Percepční uspořádání - Pracovní paměť", Composite::IPU, Composite::IPP},
        {"Pracovní paměť - Rychlost zpracování", Composite::IPP, Composite::IRZ},
    }};
    return list;
}

constexpr int MaxTabledDifference = 40;

} // namespace

std::optional<ComparisonTable> compareScores(const std::array<std::optional<int>, 7>& scores,
                                             int age, const NormSet& norms) {
    const std::optional<int> group = norms.bandOf(AgeBandFamily::Comparison, age);
    if (!group)
        return std::nullopt;
    ComparisonTable table;
    for (size_t k = 0; k < table.size(); ++k) {
        const Comparison& comparison = comparisons()[k];
        const int number = static_cast<int>(k) + 1;
        ComparisonRow& row = table[k];
        row.label = QString::fromUtf8(comparison.label);
        const std::optional<int> first = scores[static_cast<size_t>(comparison.first)];
        const std::optional<int> second = scores[static_cast<size_t>(comparison.second)];
        if (!first || !second)
            continue;
        const int score1 = *first;
        const int score2 = *second;
        const int difference = score1 - score2;
        row.complete = true;
        row.shortName1 = QString::fromLatin1(compositeInfo(comparison.first).code);
        row.shortName2 = QString::fromLatin1(compositeInfo(comparison.second).code);
        row.score1 = QString::number(score1);
        row.score2 = QString::number(score2);
        row.difference = QString::number(difference);
        row.critical = norms.indexCriticalValue(number, *group);
        const int position =
            MaxTabledDifference - std::min(std::abs(difference), MaxTabledDifference);
        row.baseRate = norms.indexBaseRateList(number).value(position);
    }
    return table;
}

std::optional<ComparisonTable> compareScores(const ExamineeRecord& record, const NormSet& norms) {
    std::array<std::optional<int>, 7> scores{};
    for (const CompositeInfo& info : compositeInfos())
        scores[static_cast<size_t>(info.composite)] =
            computedInteger(record, QString::fromLatin1(info.code) + QStringLiteral("_IQ_IS"));
    return compareScores(scores, record.integer(QStringLiteral("VEK")), norms);
}

bool comparisonAgeInRange(int age) {
    return age >= FirstExamineeAge && age <= LastExamineeAge;
}

QString comparisonAgeMessage() {
    return QStringLiteral("Není zadaný věk v intervalu 16..100 let! /nebo nejsou data uložena/");
}

} // namespace iksa
