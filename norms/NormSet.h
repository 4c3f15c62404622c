#pragma once

#include "norms/NormTypes.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <optional>
#include <utility>

namespace iksa {

// A norm set as loaded from its data files: the 140 scaled-score tables, the
// seven composite tables, the report tables and the age band lists. It holds
// what the files say; NormValidator says whether that meets the rules.
// The accessors of the report tables answer in the structures the analyses
// use (lists in position order).
struct NormSet {
    QString name;
    bool illustrative = true;

    std::array<QVector<AgeBand>, AgeBandFamilyCount> ageBands;

    // [TableSet::index()][subtest number − 1], entries in file order.
    std::array<std::array<NormTable, 14>, TableSet::Count> scaled;

    // Per composite, its rows (sum, row) in file order.
    std::array<QVector<std::pair<int, CompositeRow>>, 7> composite;

    QMap<std::pair<int, int>, DeviationRecord> deviationNorms; // (basis 0…5, row 1…14)
    QMap<std::pair<int, int>, QString> indexCriticalValues;    // (comparison 1…7, group 1…9)
    QMap<std::pair<int, int>, QString> indexBaseRates;         // (comparison, |difference| 0…40)
    QMap<std::pair<int, int>, QString> spanForward;            // (band 1…9, span 0…9)
    QMap<std::pair<int, int>, QString> spanBackward;           // (band 1…9, span 0…9)
    QMap<std::pair<int, int>, QString> spanDifference;         // (band 1…9, difference −6…7)
    QMap<std::pair<int, int>, SymbolThresholds> symbolThresholds; // (band 1…13, procedure 0…2)

    const QVector<AgeBand>& bands(AgeBandFamily family) const;
    // The band holding an age, or none outside the list.
    std::optional<int> bandOf(AgeBandFamily family, int age) const;
    // The same, with ages below the list in its first band and above it in its last.
    int nearestBandOf(AgeBandFamily family, int age) const;

    const NormTable& table(TableSet set, int subtest) const; // subtest 1 … 14
    NormTable& table(TableSet set, int subtest);

    // The record of a row included in a mean basis; none for an excluded row.
    std::optional<DeviationRecord> deviationRecord(int basis, int row) const;
    // "a - b" of a comparison 1 … 7 for an age group 1 … 9.
    QString indexCriticalValue(int comparison, int ageGroup) const;
    // The 41 texts of a comparison, from |difference| 40 down to 0: the entry
    // for a difference a is at position 40 − min(a, 40).
    QStringList indexBaseRateList(int comparison) const;
    // The ten texts of a band and direction, spans 9 down to 0 (position 9 − v).
    QStringList spanCumulativeList(int band, SpanDirection direction) const;
    // The 14 texts of a band, differences 7 down to −6 (position 7 − d).
    QStringList spanDifferenceCumulativeList(int band) const;
    SymbolThresholds symbolOptionThresholds(int band, SymbolProcedure procedure) const;
};

} // namespace iksa
