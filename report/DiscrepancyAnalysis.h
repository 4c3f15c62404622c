#pragma once

#include <QString>
#include <array>
#include <optional>

namespace iksa {

class ExamineeRecord;
struct NormSet;

// One of the seven comparisons of IQ and index scores on page 3. When one
// of its scores was not computed the row carries only its label.
struct ComparisonRow {
    QString label;         // "Verbální IQ - Performační IQ" …
    bool complete = false; // both scores exist; the texts below are filled
    QString shortName1;    // "VIQ" …
    QString shortName2;
    QString score1;
    QString score2;
    QString difference; // score 1 − score 2
    QString critical;   // IndexCriticalValues of the age group, "a - b"
    QString baseRate;   // IndexBaseRates at 40 − min(|difference|, 40)
};

using ComparisonTable = std::array<ComparisonRow, 7>;

// scores: VIQ, PIQ, CIQ, IVP, IPU, IPP, IRZ in the order of Composite, none
// for a composite not computed. None for an age outside the age groups
// (16 … 100), which the page refuses before the comparisons.
std::optional<ComparisonTable> compareScores(const std::array<std::optional<int>, 7>& scores,
                                             int age, const NormSet& norms);

// The same with the scores and the age of the current record.
std::optional<ComparisonTable> compareScores(const ExamineeRecord& record, const NormSet& norms);

// Whether the age lies within 16 … 100, the range page 3 and Tisk_IKSA
// check on their own (before any score of the record is read).
bool comparisonAgeInRange(int age);

// The message of page 3 for an age outside 16 … 100.
QString
comparisonAgeMessage(); // "Není zadaný věk v intervalu 16..100 let! /nebo nejsou data uložena/"

} // namespace iksa
