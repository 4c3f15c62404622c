#pragma once

#include "evaluation/EvaluationPage.h"
#include "norms/NormTypes.h"

#include <QString>
#include <array>
#include <optional>

namespace iksa {

class EvaluationOptions;
class ExamineeRecord;
struct NormSet;

// One row of the strengths and weaknesses table of page 2. An excluded row
// carries only its label.
struct StrengthRow {
    QString label;
    bool included = false;
    QString score;        // the scaled score
    QString mean;         // the text of the reference mean
    QString deviation;    // "%5.2f" of score − mean
    QString critical;     // "%3.2f" of the critical difference ("2.10")
    bool best = false;    // "+"
    bool weakest = false; // "-"
    QString frequency;    // Zapis_frekv_roz, for a marked row only
};

struct StrengthsTable {
    QString title;     // the title of the mean basis
    QString levelText; // "0.05" or "0.15"
    std::array<StrengthRow, 14> rows;
};

// What the analysis reads: the fourteen scaled scores in analysis-row order
// (SL, POD, POC, OPA, INF, POR, RPC, DO, CSK, KOS, MAT, ROB, HS, SO; none for
// a subtest not entered), the options, and the means as the last
// Prumer_subtestu left them.
struct StrengthsInput {
    std::array<std::optional<int>, 14> scaled{};
    int basis = 0;        // 0 … 5
    int significance = 2; // 2 for 0.05, 1 for 0.15
    bool soAdministered = true;
    EvaluationPage::Means means;
    EvaluationPage::MeanPanel panel;
};

// A row is included when the basis includes it, its subtest has a scaled
// score (SO only while administered) and its reference mean exists; any
// other row carries only its label and takes no part in the marks.
StrengthsTable analyseStrengths(const StrengthsInput& input, const NormSet& norms);

// The same for the current record: its scaled scores in Table3, the options
// and the page's means.
StrengthsInput strengthsInput(const ExamineeRecord& record, const EvaluationOptions& options,
                              const EvaluationPage& page);

// The labels of the fourteen analysis rows on page 2.
QString analysisRowLabel(int row); // 1 … 14

// Zapis_frekv_roz: how often a deviation of this size occurs in the
// standardization sample, by the thresholds of one DeviationNorms record.
QString Zapis_frekv_roz(const DeviationRecord& thresholds, double difference);

} // namespace iksa
