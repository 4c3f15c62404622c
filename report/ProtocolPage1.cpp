// Page 1: the identity block, the IQ and index table with its profile chart,
// and the two subtest profile charts.
#include "evaluation/EvaluationOptions.h"
#include "evaluation/EvaluationPage.h"
#include "evaluation/MissingScores.h"
#include "norms/NormTypes.h"
#include "records/ExamineeRecord.h"
#include "report/ProtocolPages.h"
#include "report/ReportCanvas.h"

#include <array>
#include <optional>
#include <vector>

namespace iksa {

namespace {

using namespace ReportColour;

// ---- Identity block ----------------------------------------------------

constexpr PlacedText identityLabels[] = {
    {1.0, 1.2, "Příjmení:"},   {3.7, 1.2, "Jméno:"}, {5.7, 1.2, "Datum:"},
    {1.0, 1.5, "Examinátor:"}, {1.0, 1.8, "Věk:"},   {1.0, 2.0, "Poznámky:"},
};

struct IdentityValue {
    double x;
    double y;
    const char* field;
    qreal size; // 0: the base size
};

constexpr IdentityValue identityValues[] = {
    {1.8, 1.09, "PRIJM", 16}, {4.2, 1.115, "JMENO", 14}, {6.3, 1.2, "DATUM", 0},
    {1.9, 1.8, "VEK", 0},     {1.9, 2.0, "POZNAM", 0},   {2.0, 1.5, "EXAMI", 0},
};

void drawIdentity(ReportCanvas& canvas, const ReportSources& sources) {
    canvas.brush(white);
    canvas.baseFont(false);
    writeTexts(canvas, identityLabels);
    for (const IdentityValue& value : identityValues) {
        canvas.font(value.size > 0 ? value.size : canvas.baseSize(), true);
        canvas.text(value.x, value.y, sources.record.text(QString::fromLatin1(value.field)));
    }
}

// ---- IQ and index table ------------------------------------------------

// The result columns k = 2 … 8 span x 3.2 + 0.5k to 3.7 + 0.5k.
constexpr int firstColumn = 2;
constexpr int lastColumn = 8;
double columnLeft(int k) {
    return 3.2 + 0.5 * k;
}

// The seven composites in column order, k = 2 … 8.
const CompositeInfo& compositeColumn(int k) {
    return compositeInfos()[static_cast<size_t>(k - firstColumn)];
}

constexpr const char* compositeRowLabels[] = {
    "SKÓRY IQ /INDEXOVÉ SKÓRY",    "Součty vážených skorů",
    "Skóry IQ / Indexové skóry",   "Percentily",
    "Intervali spolehlivosti 90%", "Intervali spolehlivosti 95%",
};

bool striped(int k) {
    return k % 2 == 0;
}

QString compositeField(const CompositeInfo& column, const char* suffix) {
    return QString::fromLatin1(column.code) + QString::fromLatin1(suffix);
}

// None for a composite the evaluation could not compute.
std::optional<int> compositeScore(const ReportSources& sources, const CompositeInfo& column) {
    return computedInteger(sources.record, compositeField(column, "_IQ_IS"));
}

void drawCompositeTable(ReportCanvas& canvas, const ReportSources& sources) {
    canvas.fill(4.2, 2.5, 7.7, 2.8, black);
    for (int k = firstColumn; k <= lastColumn; k += 2)
        canvas.fill(columnLeft(k), 2.8, columnLeft(k) + 0.5, 10.5, stripe);
    canvas.fill(3.2, 4.3, 7.7, 4.6, white);

    canvas.pen(3);
    for (int j = 0; j <= 6; ++j)
        canvas.line(2.5, 2.5 + 0.3 * j, 7.7, 2.5 + 0.3 * j);
    canvas.line(2.5, 2.5, 2.5, 4.3);
    for (int k = 3; k <= 9; ++k)
        canvas.line(columnLeft(k), 2.5, columnLeft(k), 4.3);
    for (const int k : {2, 5, 9})
        canvas.line(columnLeft(k), 2.5, columnLeft(k), 10.5);
    // Each chart axis is drawn twice, half a hundredth apart, to thicken it.
    for (int k = firstColumn; k <= lastColumn; ++k) {
        canvas.line(3.45 + 0.5 * k, 4.6, 3.45 + 0.5 * k, 10.5);
        canvas.line(3.455 + 0.5 * k, 4.6, 3.455 + 0.5 * k, 10.5);
    }

    canvas.font(8, false);
    for (int j = 0; j < 6; ++j)
        canvas.text(2.55, 2.63 + 0.3 * j, QString::fromUtf8(compositeRowLabels[j]));

    canvas.font(8, true);
    for (int k = firstColumn; k <= lastColumn; ++k) {
        const CompositeInfo& column = compositeColumn(k);
        const double x = 3.35 + 0.5 * k;
        canvas.fontColour(white);
        canvas.brush(black);
        canvas.text(x, 2.6, QString::fromLatin1(column.code));
        canvas.fontColour(black);
        canvas.brush(striped(k) ? stripe : white);
        canvas.text(x, 2.9, integerText(sources, QString::fromLatin1(column.sumField)));
        canvas.text(x, 3.2, integerText(sources, compositeField(column, "_IQ_IS")));
        canvas.text(x, 3.5, sources.record.text(compositeField(column, "_PER")));
        canvas.text(3.22 + 0.5 * k, 3.8, sources.record.text(compositeField(column, "_IS_90")));
        canvas.text(3.22 + 0.5 * k, 4.1, sources.record.text(compositeField(column, "_IS_95")));
    }
}

// ---- IQ and index profile chart ------------------------------------------

double scoreY(int score) {
    return 12.56 - 0.05 * score;
}

// The joined pairs of columns (VIQ–PIQ–CIQ and IVP–IPU–IPP–IRZ; CIQ and IVP
// are not joined) with the x of both ends.
struct CompositeJoin {
    int from; // index into compositeInfos()
    int to;
    double x1;
    double x2;
};

constexpr CompositeJoin compositeJoins[] = {
    {0, 1, 4.44, 4.97}, {1, 2, 4.95, 5.45}, {3, 4, 5.95, 6.45},
    {4, 5, 6.45, 6.95}, {5, 6, 6.95, 7.45},
};

void drawCompositeProfile(ReportCanvas& canvas, const ReportSources& sources) {
    canvas.brush(white);
    canvas.baseFont(false);
    for (int v = 45; v <= 155; ++v) {
        const double y = scoreY(v);
        const bool major = v % 5 == 0;
        if (major) {
            canvas.text(4.0, 12.5 - 0.05 * v, QString::number(v));
            canvas.text(7.75, 12.5 - 0.05 * v, QString::number(v));
        }
        for (int k = firstColumn; k <= lastColumn; ++k) {
            if (major)
                canvas.line(3.35 + 0.5 * k, y, 3.55 + 0.5 * k, y);
            else
                canvas.line(3.39 + 0.5 * k, y, 3.52 + 0.5 * k, y);
        }
    }

    canvas.pen(100);
    // A composite not computed has no point: the line breaks there.
    for (const CompositeJoin& join : compositeJoins) {
        const std::optional<int> from =
            compositeScore(sources, compositeInfos()[static_cast<size_t>(join.from)]);
        const std::optional<int> to =
            compositeScore(sources, compositeInfos()[static_cast<size_t>(join.to)]);
        if (from && to)
            canvas.line(join.x1, scoreY(*from), join.x2, scoreY(*to));
    }
    canvas.pen(3);
}

// ---- Subtest profile charts --------------------------------------------

constexpr double chartDx = 0.22;
constexpr double chartY0 = 4.9;
constexpr double chartRow = 0.23;
constexpr double chartHeight = 4.83; // 21 rows

// A group label at x0 + column · dx + offset, on the colour of that column.
struct GroupLabel {
    int column;
    double offset;
    const char* text;
};

struct ProfileChart {
    double x0;
    int bandColumns;
    const char* heading;
    bool headingInBaseSize; // otherwise size 8
    bool labelsInBaseSize;  // the row labels; otherwise size 8
    int firstFrom, firstTo; // columns of the first index group
    int secondFrom, secondTo;
    std::array<std::pair<double, double>, 2> meanRowFill; // x ranges on grey
    std::vector<int> fullLines;                           // from the top of the chart
    std::vector<int> lowerLines;                          // from its second row
    std::array<const char*, 7> abbreviations;
    std::array<GroupLabel, 2> groups;
    std::array<const char*, 7> fields;
    bool performance;
};

const ProfileChart& verbalChart() {
    static const ProfileChart chart{
        0.4,
        6,
        "      Verbální škála",
        true,
        true,
        0,
        2,
        4,
        6,
        {{{0.18, 0.4}, {1.28, 2.22}}},
        {0, 3, 4, 6, 7},
        {1, 2, 5},
        {"  S", "Pod", "  I", " PO", "Poč", " OČ", "ŘPČ"},
        {{{1, 0.04, "VP"}, {5, -0.04, "PP"}}},
        {"VER_S", "VER_PO", "VER_INF", "VER_POR", "VER_POC", "VER_OPA", "VER_RPC"},
        false,
    };
    return chart;
}

const ProfileChart& performanceChart() {
    static const ProfileChart chart{
        2.22,
        5,
        "  Performační škála",
        false,
        false,
        1,
        3,
        4,
        5,
        {{{2.22 + 4 * chartDx, 2.22 + 6 * chartDx}, {3.76, 3.86}}},
        {0, 1, 4, 6, 7},
        {2, 3, 5},
        {" ŘO", " DO", "  K", "  M", " SK", " HS", " SO"},
        {{{2, 0.04, "PU"}, {5, -0.04, "RZ"}}},
        {"PER_RO", "PER_DO", "PER_KO", "PER_MAT", "PER_CSK", "PER_HS", "PER_SO"},
        true,
    };
    return chart;
}

QColor columnColour(const ProfileChart& chart, int c) {
    if (c >= chart.firstFrom && c <= chart.firstTo)
        return firstGroup;
    if (c >= chart.secondFrom && c <= chart.secondTo)
        return secondGroup;
    return white;
}

double columnX(const ProfileChart& chart, double c) {
    return chart.x0 + chartDx * c;
}

void drawChartFrame(ReportCanvas& canvas, const ProfileChart& chart) {
    const double x0 = chart.x0;
    const double y0 = chartY0;
    canvas.fill(x0, y0 - chartRow, columnX(chart, chart.bandColumns), y0, black);
    canvas.fontColour(white);
    canvas.font(chart.headingInBaseSize ? canvas.baseSize() : 8, true);
    canvas.text(x0, y0 - 0.2, QString::fromUtf8(chart.heading));
    canvas.fontColour(black);

    canvas.fill(columnX(chart, chart.firstFrom), y0, columnX(chart, chart.firstTo + 1),
                y0 + chartHeight, firstGroup);
    canvas.fill(columnX(chart, chart.secondFrom), y0, columnX(chart, chart.secondTo + 1),
                y0 + chartHeight, secondGroup);
    canvas.brush(meanRow);
    for (const auto& [left, right] : chart.meanRowFill)
        canvas.fill(left, y0 + 2.53, right, y0 + 2.76);
    if (chart.performance) {
        // A small pointer at the mean row beside the chart.
        canvas.line(3.76, 7.43, 3.86, 7.55);
        canvas.line(3.86, 7.55, 3.76, 7.66);
    }
    for (const int c : chart.fullLines)
        canvas.line(columnX(chart, c), y0, columnX(chart, c), y0 + chartHeight);
    for (const int c : chart.lowerLines)
        canvas.line(columnX(chart, c), y0 + chartRow, columnX(chart, c), y0 + chartHeight);
}

void drawChartGrid(ReportCanvas& canvas, const ProfileChart& chart) {
    const double y0 = chartY0;
    for (int m = 0; m <= 21; ++m)
        canvas.line(chart.x0, y0 + chartRow * m, columnX(chart, 7), y0 + chartRow * m);
    canvas.font(chart.labelsInBaseSize ? canvas.baseSize() : 8, false);
    for (int m = 3; m <= 21; ++m) {
        const int score = 22 - m;
        canvas.brush(score == 10 ? meanRow : white);
        canvas.text(chart.x0 - 0.15, y0 - 0.15 + chartRow * m, QString::number(score));
    }

    canvas.font(7, false);
    for (int c = 0; c < 7; ++c) {
        canvas.brush(columnColour(chart, c));
        canvas.text(columnX(chart, c) + 0.01, y0 + 0.3, QString::fromUtf8(chart.abbreviations[c]));
    }
    canvas.font(9, false);
    for (const GroupLabel& group : chart.groups) {
        canvas.brush(columnColour(chart, group.column));
        canvas.text(columnX(chart, group.column) + group.offset, y0 + 0.05,
                    QString::fromLatin1(group.text));
    }
}

// The columns of the chart that carry a mark: the performance chart's SO
// column only while SO is administered.
int markedColumns(const ProfileChart& chart, const ReportSources& sources) {
    return chart.performance && sources.record.soNotAdministered() ? 6 : 7;
}

void drawChartMarks(ReportCanvas& canvas, const ProfileChart& chart, const ReportSources& sources) {
    const double y0 = chartY0;
    const int columns = markedColumns(chart, sources);
    // A subtest not entered has no mark, and the profile line breaks there.
    std::array<std::optional<int>, 7> scores{};
    canvas.font(9, true);
    for (int c = 0; c < columns; ++c) {
        scores[c] = computedInteger(sources.record, QString::fromLatin1(chart.fields[c]));
        if (!scores[c])
            continue;
        const int score = *scores[c];
        const bool onMeanRow = score == 10 && c >= chart.secondFrom && c <= chart.secondTo;
        canvas.brush(onMeanRow ? meanRow : columnColour(chart, c));
        canvas.text(columnX(chart, c) + 0.08, y0 + 0.05 + chartRow * (21 - score),
                    QStringLiteral("X"));
    }

    canvas.pen(100);
    for (int c = 1; c < columns; ++c)
        if (scores[c - 1] && scores[c])
            canvas.line(columnX(chart, c - 1) + 0.12, y0 + 0.13 + chartRow * (21 - *scores[c - 1]),
                        columnX(chart, c) + 0.12, y0 + 0.13 + chartRow * (21 - *scores[c]));
    canvas.pen(3);
}

void drawMeanLine(ReportCanvas& canvas, const ProfileChart& chart, double mean) {
    const double y = chartY0 + 0.13 + chartRow * (21 - mean);
    canvas.pen(10, Qt::DotLine);
    canvas.line(chart.x0 + 0.12, y, columnX(chart, 6) + 0.12, y);
    canvas.pen(3);
}

void drawMeanLegend(ReportCanvas& canvas) {
    canvas.pen(10, Qt::DotLine);
    canvas.line(0.34, 10.32, 1.0, 10.32);
    // The text's background covers the right part of the sample line.
    canvas.font(9, true);
    canvas.brush(white);
    canvas.text(0.74, 10.24, QStringLiteral("Průměr daného jedince"));
    canvas.pen(3);
}

void drawProfileChart(ReportCanvas& canvas, const ProfileChart& chart,
                      const ReportSources& sources) {
    drawChartFrame(canvas, chart);
    drawChartGrid(canvas, chart);
    drawChartMarks(canvas, chart, sources);
}

} // namespace

void drawPage1(ReportCanvas& canvas, const ReportSources& sources) {
    drawIdentity(canvas, sources);
    drawCompositeTable(canvas, sources);
    drawCompositeProfile(canvas, sources);

    // A group without a subtest has no mean and no mean line.
    const EvaluationPage::Means& means = sources.page.means();
    const bool showMean = sources.options.showMean();
    drawProfileChart(canvas, verbalChart(), sources);
    if (showMean && means.verbal)
        drawMeanLine(canvas, verbalChart(), *means.verbal);
    drawProfileChart(canvas, performanceChart(), sources);
    if (showMean) {
        if (means.performance)
            drawMeanLine(canvas, performanceChart(), *means.performance);
        drawMeanLegend(canvas);
    }
    canvas.brush(white);
}

} // namespace iksa
