#include "evaluation/SubtestMeans.h"

#include "evaluation/EvaluationOptions.h"
#include "evaluation/MeanBases.h"
#include "evaluation/MissingScores.h"
#include "records/ExamineeRecord.h"

namespace iksa {

namespace {

std::optional<double> ratio(int sum, int count) {
    if (count == 0)
        return std::nullopt;
    return static_cast<double>(sum) / count;
}

} // namespace

EvaluationPage::MeanPanel SubtestMeans::panel() const {
    EvaluationPage::MeanPanel panel;
    panel.verbalSum = QString::number(verbalSum);
    panel.performanceSum = QString::number(performanceSum);
    panel.totalSum = QString::number(verbalSum + performanceSum);
    panel.verbalCount = QString::number(verbalCount);
    panel.performanceCount = QString::number(performanceCount);
    panel.totalCount = QString::number(verbalCount + performanceCount);
    panel.verbalMean = formatMean(means.verbal);
    panel.performanceMean = formatMean(means.performance);
    panel.overallMean = formatMean(means.overall);
    return panel;
}

SubtestMeans computeSubtestMeans(const std::array<std::optional<int>, 14>& scaled,
                                 const std::array<bool, 14>& marked, bool soNotAdministered) {
    SubtestMeans result;
    for (int row = 1; row <= AnalysisRowCount; ++row) {
        const auto i = static_cast<size_t>(row - 1);
        if (!marked[i] || !scaled[i] || (row == SoAnalysisRow && soNotAdministered))
            continue;
        if (row <= VerbalRowCount) {
            ++result.verbalCount;
            result.verbalSum += *scaled[i];
        } else {
            ++result.performanceCount;
            result.performanceSum += *scaled[i];
        }
    }
    result.means.verbal = ratio(result.verbalSum, result.verbalCount);
    result.means.performance = ratio(result.performanceSum, result.performanceCount);
    result.means.overall = ratio(result.verbalSum + result.performanceSum,
                                 result.verbalCount + result.performanceCount);
    return result;
}

void Prumer_subtestu(const ExamineeRecord& record, const EvaluationOptions& options,
                     EvaluationPage& page) {
    const QStringList fields = EvaluationOptions::markedFields();
    std::array<std::optional<int>, 14> scaled{};
    std::array<bool, 14> marked{};
    for (size_t i = 0; i < scaled.size(); ++i) {
        const QString& field = fields[static_cast<qsizetype>(i)];
        marked[i] = options.isMarked(field);
        // Only a marked cell is read, as only its value enters a sum.
        if (marked[i])
            scaled[i] = computedInteger(record, field);
    }
    const SubtestMeans means = computeSubtestMeans(scaled, marked, record.soNotAdministered());
    page.setMeans(means.means);
    page.setMeanPanel(means.panel());
}

QString formatMean(std::optional<double> mean) {
    return mean ? QString::asprintf("%5.2f", *mean) : QString();
}

} // namespace iksa
