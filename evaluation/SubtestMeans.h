#pragma once

#include "evaluation/EvaluationPage.h"

#include <QString>
#include <array>

namespace iksa {

class EvaluationOptions;
class ExamineeRecord;

// The sums, counts and means of the marked scaled scores that
// Prumer_subtestu puts into the mean panel of the evaluation page.
struct SubtestMeans {
    int verbalSum = 0;
    int performanceSum = 0;
    int verbalCount = 0;
    int performanceCount = 0;
    EvaluationPage::Means means;

    EvaluationPage::MeanPanel panel() const;
};

// scaled: the fourteen scaled scores in the order of
// EvaluationOptions::markedFields(); marked: whether each cell is lime.
// The SO score is left out, marked or not, while SO is not administered.
SubtestMeans computeSubtestMeans(const std::array<int, 14>& scaled,
                                 const std::array<bool, 14>& marked, bool soNotAdministered);

// Prumer_subtestu over the current record: the marks of the options, the
// scaled scores of Table3, the flag SO_neadministrovan; fills the page's mean
// panel and means.
void Prumer_subtestu(const ExamineeRecord& record, const EvaluationOptions& options,
                     EvaluationPage& page);

// A mean as the page shows it: "%5.2f" with a decimal point (" 9.86", "10.14").
QString formatMean(double mean);

} // namespace iksa
