#pragma once

#include "evaluation/EvaluationPage.h"
#include "report/DiscrepancyAnalysis.h"
#include "report/ProcessScores.h"
#include "report/ProfileAnalysis.h"

#include <array>
#include <optional>

namespace iksa {

class EvaluationOptions;
class ExamineeRecord;
class UserMessages;
struct NormSet;

// Every text the analyses give the protocol, worked out in the order the
// pages use them.
struct ReportAnalyses {
    // Page 2.
    std::array<SymbolOptionRow, 3> symbolOptions;
    EvaluationPage::MeanPanel meanPanel; // as the last Prumer_subtestu left it
    StrengthsTable strengths;
    // Page 3.
    DigitSpanRows digitSpan;
    std::optional<ComparisonTable> comparisons; // none: the age is outside 16 … 100
};

// Runs the analyses over the current record: the digit-symbol checks, the
// strengths table from the page's means, Prumer_subtestu again, the digit
// span with its checks, then the age check of page 3 (its message through
// `messages`) and the comparisons. Empty entries are reset to "0" in the
// record buffer; a text that is not a whole number stops with UserError.
ReportAnalyses analyseReport(ExamineeRecord& record, const EvaluationOptions& options,
                             EvaluationPage& page, UserMessages& messages, const NormSet& norms);

} // namespace iksa
