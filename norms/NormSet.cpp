#include "norms/NormSet.h"

namespace iksa {

namespace {

// The texts of (first, second) for second from highest down to lowest.
QStringList textsDownFrom(const QMap<std::pair<int, int>, QString>& texts, int first, int highest,
                          int lowest) {
    QStringList list;
    for (int second = highest; second >= lowest; --second)
        list.append(texts.value({first, second}));
    return list;
}

} // namespace

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
    return textsDownFrom(indexBaseRates, comparison, 40, 0);
}

QStringList NormSet::spanCumulativeList(int band, SpanDirection direction) const {
    return textsDownFrom(direction == SpanDirection::Forward ? spanForward : spanBackward, band, 9,
                         0);
}

QStringList NormSet::spanDifferenceCumulativeList(int band) const {
    return textsDownFrom(spanDifference, band, 7, -6);
}

SymbolThresholds NormSet::symbolOptionThresholds(int band, SymbolProcedure procedure) const {
    return symbolThresholds.value({band, static_cast<int>(procedure)});
}

} // namespace iksa
