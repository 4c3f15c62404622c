#pragma once

#include "norms/NormTypes.h"

#include <QString>
#include <QStringList>
#include <array>

namespace iksa {

// The six mean bases of RadioGroup2 "Podíl subtestů na IQ skórech a
// indexových skórech". The fourteen analysis rows are the scaled-score cells
// of the columns "Verb." and "Perf." in the order of
// EvaluationOptions::markedFields(): SL, POD, POC, OPA, INF, POR, RPC, DO,
// CSK, KOS, MAT, ROB, HS, SO. A basis marks exactly the rows it includes.
struct MeanBasis {
    const char* caption; // the item of RadioGroup2
    const char* title;   // the title of the strengths table on page 2
    quint16 rows;        // bit i: analysis row i + 1 is marked and included (meanBasisRows())
    bool separateScales; // verbal rows against the verbal mean, performance rows
                         // against the performance mean; otherwise all rows
                         // against the overall mean

    bool includes(int row) const { return (rows >> (row - 1)) & 1U; } // row 1 … 14
};

constexpr int VerbalRowCount = 7; // rows 1 … 7 verbal, 8 … 14 performance
constexpr int SoAnalysisRow = 14;

const std::array<MeanBasis, MeanBasisCount>& meanBases();
const MeanBasis& meanBasis(int basis); // 0 … 5; other values are clamped

} // namespace iksa
