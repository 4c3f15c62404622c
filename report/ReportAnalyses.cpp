#include "report/ReportAnalyses.h"

#include "evaluation/SubtestMeans.h"
#include "records/UserMessages.h"

namespace iksa {

ReportAnalyses analyseReport(ExamineeRecord& record, const EvaluationOptions& options,
                             EvaluationPage& page, UserMessages& messages, const NormSet& norms) {
    ReportAnalyses result;
    result.symbolOptions = analyseSymbolOptions(record, messages, norms);
    result.meanPanel = page.meanPanel();
    result.strengths = analyseStrengths(strengthsInput(record, options, page), norms);
    Prumer_subtestu(record, options, page);
    result.digitSpan = analyseDigitSpan(record, messages, norms);
    result.comparisons = compareScores(record, norms);
    if (!result.comparisons)
        messages.show(comparisonAgeMessage());
    return result;
}

} // namespace iksa
