#include "report/ProfileAnalysis.h"

#include "evaluation/EvaluationOptions.h"
#include "evaluation/MeanBases.h"
#include "evaluation/MissingScores.h"
#include "norms/NormSet.h"
#include "records/ExamineeRecord.h"
#include "records/UserError.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace iksa {

namespace {

const QStringList& rowLabels() {
    static const QStringList labels{
        QStringLiteral("Slovník"),
        QStringLiteral("Podobnost"),
        QStringLiteral("Počty"),
        QStringLiteral("Opakováni čísel"),
        QStringLiteral("Informace"),
        QStringLiteral("Porozumění"),
        QStringLiteral("Řazení písmen a čísel"),
        QStringLiteral("Doplňování obrázků"),
        QStringLiteral("Symboly-kódování"),
        QStringLiteral("Kostky"),
        QStringLiteral("Matrice"),
        QStringLiteral("(Řazení obrázků)"),
        QStringLiteral("(Hledání symbolů)"),
        QStringLiteral("(Skládání objektů)"),
    };
    return labels;
}

} // namespace

QString analysisRowLabel(int row) {
    return rowLabels().value(row - 1);
}

StrengthsInput strengthsInput(const ExamineeRecord& record, const EvaluationOptions& options,
                              const EvaluationPage& page) {
    StrengthsInput input;
    const QStringList fields = EvaluationOptions::markedFields();
    for (size_t i = 0; i < input.scaled.size(); ++i)
        input.scaled[i] = computedInteger(record, fields[static_cast<qsizetype>(i)]);
    input.basis = options.meanBasis();
    input.significance = options.significance();
    input.soAdministered = !record.soNotAdministered();
    input.means = page.means();
    input.panel = page.meanPanel();
    return input;
}

StrengthsTable analyseStrengths(const StrengthsInput& input, const NormSet& norms) {
    const MeanBasis& basis = meanBasis(input.basis);
    StrengthsTable table;
    table.title = QString::fromUtf8(basis.title);
    table.levelText = input.significance == 2 ? QStringLiteral("0.05") : QStringLiteral("0.15");

    // Reference means and their texts: one per scale for bases 0 and 1, the
    // overall mean otherwise.
    const auto reference = [&](int row) {
        if (!basis.separateScales)
            return std::pair{input.means.overall, input.panel.overallMean};
        return row <= VerbalRowCount
                   ? std::pair{input.means.verbal, input.panel.verbalMean}
                   : std::pair{input.means.performance, input.panel.performanceMean};
    };

    // The working records of the basis, one per included row.
    std::array<DeviationRecord, 14> records{};
    std::vector<int> included;
    for (int row = 1; row <= AnalysisRowCount; ++row) {
        StrengthRow& out = table.rows[static_cast<size_t>(row - 1)];
        out.label = analysisRowLabel(row);
        if (!basis.includes(row) || (row == SoAnalysisRow && !input.soAdministered) ||
            !input.scaled[static_cast<size_t>(row - 1)] || !reference(row).first)
            continue;
        const std::optional<DeviationRecord> record = norms.deviationRecord(input.basis, row);
        if (!record)
            throw UserError(QStringLiteral("Normy odchylek nemají záznam pro průměr %1, řádek %2.")
                                .arg(input.basis)
                                .arg(row));
        records[static_cast<size_t>(row - 1)] = *record;
        out.included = true;
        included.push_back(row);
    }

    const int criticalPosition = input.significance == 2 ? 1 : 0;
    std::array<double, 14> deviations{};
    std::vector<int> sorted;
    for (const int row : included) {
        const auto i = static_cast<size_t>(row - 1);
        const int score = *input.scaled[i];
        const auto [mean, meanText] = reference(row);
        deviations[i] = score - *mean;
        StrengthRow& out = table.rows[i];
        out.score = QString::number(score);
        out.mean = meanText;
        out.deviation = QString::asprintf("%5.2f", deviations[i]);
        // Four characters in a field of three: the field only sets a minimum.
        out.critical =
            QString::asprintf("%3.2f", records[i][static_cast<size_t>(criticalPosition)]);
        sorted.push_back(score);
    }

    // Marks: the top value and the one next to it, the bottom value and the
    // one next to it; ties mark every row of the value.
    std::sort(sorted.begin(), sorted.end());
    const size_t n = sorted.size();
    for (size_t p = 0; p < 2 && p < n; ++p) {
        const int best = sorted[n - 1 - p];
        const int weakest = sorted[p];
        for (const int row : included) {
            const auto i = static_cast<size_t>(row - 1);
            StrengthRow& out = table.rows[i];
            if (input.scaled[i] == best)
                out.best = true;
            if (input.scaled[i] == weakest)
                out.weakest = true;
        }
    }
    for (const int row : included) {
        const auto i = static_cast<size_t>(row - 1);
        if (table.rows[i].best || table.rows[i].weakest)
            table.rows[i].frequency = Zapis_frekv_roz(records[i], deviations[i]);
    }
    return table;
}

QString Zapis_frekv_roz(const DeviationRecord& thresholds, double difference) {
    const double a = std::fabs(difference);
    const double t1 = thresholds[2];
    const double t2 = thresholds[3];
    const double t5 = thresholds[4];
    const double t10 = thresholds[5];
    const double t25 = thresholds[6];
    // The thresholds are compared exactly, in this order.
    if (a < t25)
        return QStringLiteral(">25%");
    if (a == t25)
        return QStringLiteral("25%");
    if (a < t10)
        return QStringLiteral("<25%");
    if (a == t10)
        return QStringLiteral("10%");
    if (a < t5)
        return QStringLiteral("<10%");
    if (a == t5)
        return QStringLiteral("5%");
    if (a < t2)
        return QStringLiteral("<5%");
    if (a == t2)
        return QStringLiteral("2%");
    if (a < t1)
        return QStringLiteral("<2%");
    if (a == t1)
        return QStringLiteral("1%");
    return QStringLiteral("<1%");
}

} // namespace iksa
