#pragma once

#include "evaluation/EvaluationPage.h"

#include <QString>
#include <array>
#include <optional>

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
// EvaluationOptions::markedFields(), none for a subtest not entered; marked:
// whether each cell is lime. A subtest not entered is left out, and so is the
// SO score, marked or not, while SO is not administered. A group left without
// a subtest has no mean.
SubtestMeans computeSubtestMeans(const std::array<std::optional<int>, 14>& scaled,
                                 const std::array<bool, 14>& marked, bool soNotAdministered);

// Prumer_subtestu over the current record: the marks of the options, the
// scaled scores of Table3 (an empty one was not computed), the flag
// SO_neadministrovan; fills the page's mean panel and means.
void Prumer_subtestu(const ExamineeRecord& record, const EvaluationOptions& options,
                     EvaluationPage& page);

// A mean as the page shows it: "%5.2f" with a decimal point (" 9.86",
// "10.14"); empty for no mean.
QString formatMean(std::optional<double> mean);

} // namespace iksa
