#include "norms/NormSet.h"

namespace iksa {

const QVector<AgeBand>& NormSet::bands(AgeBandFamily family) const {
    return ageBands[static_cast<size_t>(family)];
}

std::optional<int> NormSet::bandOf(AgeBandFamily family, int age) const {
    for (const AgeBand& band : bands(family))
        if (age >= band.firstAge && age <= band.lastAge)
            return band.number;
    return std::nullopt;
}

int NormSet::nearestBandOf(AgeBandFamily family, int age) const {
    const QVector<AgeBand>& list = bands(family);
    if (list.isEmpty())
        return 1;
    if (const std::optional<int> band = bandOf(family, age))
        return *band;
    return age < list.first().firstAge ? list.first().number : list.last().number;
}

const NormTable& NormSet::table(TableSet set, int subtest) const {
    Q_ASSERT(subtest >= 1 && subtest <= 14);
    return scaled[static_cast<size_t>(set.index())][static_cast<size_t>(subtest - 1)];
}

NormTable& NormSet::table(TableSet set, int subtest) {
    Q_ASSERT(subtest >= 1 && subtest <= 14);
    return scaled[static_cast<size_t>(set.index())][static_cast<size_t>(subtest - 1)];
}

std::optional<DeviationRecord> NormSet::deviationRecord(int basis, int row) const {
    const auto it = deviationNorms.constFind({basis, row});
    if (it == deviationNorms.constEnd())
        return std::nullopt;
    return *it;
}

QString NormSet::indexCriticalValue(int comparison, int ageGroup) const {
    return indexCriticalValues.value({comparison, ageGroup});
}

QStringList NormSet::indexBaseRateList(int comparison) const {
    QStringList list;
    for (int difference = 40; difference >= 0; --difference)
        list.append(indexBaseRates.value({comparison, difference}));
    return list;
}

QStringList NormSet::spanCumulativeList(int band, SpanDirection direction) const {
    const auto& texts = direction == SpanDirection::Forward ? spanForward : spanBackward;
    QStringList list;
    for (int span = 9; span >= 0; --span)
        list.append(texts.value({band, span}));
    return list;
}

QStringList NormSet::spanDifferenceCumulativeList(int band) const {
    QStringList list;
    for (int difference = 7; difference >= -6; --difference)
        list.append(spanDifference.value({band, difference}));
    return list;
}

SymbolThresholds NormSet::symbolOptionThresholds(int band, SymbolProcedure procedure) const {
    return symbolThresholds.value({band, static_cast<int>(procedure)});
}

} // namespace iksa
