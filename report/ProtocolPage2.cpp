// Page 2: the score table, the optional digit-symbol procedures, the means
// box and the strengths and weaknesses table.
#include "evaluation/EvaluationPage.h"
#include "evaluation/SubtestMeans.h"
#include "records/ExamineeRecord.h"
#include "report/ProcessScores.h"
#include "report/ProfileAnalysis.h"
#include "report/ProtocolPages.h"
#include "report/ReportCanvas.h"

#include <array>

namespace iksa {

namespace {

using namespace ReportColour;

// ---- Score table (dx 0.4, x0 0.4, y0 1.2, row height 0.23) --------------

constexpr double scoreDx = 0.4;
constexpr double scoreX0 = 0.4;
constexpr double scoreY0 = 1.2;
constexpr double scoreRow = 0.23;
constexpr double scoreRight = 4.97; // the right edge of the reference column
constexpr int sumRow = 16;
constexpr int soRow = 15;

double scoreX(int c) {
    return scoreX0 + scoreDx * c;
}

double scoreY(int r) {
    return scoreY0 + scoreRow * r;
}

// A scaled score or sum in the table: its column, row and field. Each of
// them also makes its cell white.
struct ScoreCell {
    int column;
    int row;
    const char* field;
    bool parenthesised; // supplementary subtests
};

constexpr ScoreCell scoreCells[] = {
    // Verb.
    {4, 3, "VER_S", false},
    {4, 5, "VER_PO", false},
    {4, 7, "VER_POC", false},
    {4, 9, "VER_OPA", false},
    {4, 10, "VER_INF", false},
    {4, 12, "VER_POR", false},
    {4, 14, "VER_RPC", true},
    {4, 16, "VER_SVS", false},
    // Perf.
    {5, 2, "PER_DO", false},
    {5, 4, "PER_CSK", false},
    {5, 6, "PER_KO", false},
    {5, 8, "PER_MAT", false},
    {5, 11, "PER_RO", false},
    {5, 13, "PER_HS", true},
    {5, 15, "PER_SO", true},
    {5, 16, "PER_SVS", false},
    // VP
    {6, 3, "VER_S", false},
    {6, 5, "VER_PO", false},
    {6, 10, "VER_INF", false},
    {6, 16, "VP_SVS", false},
    // PU
    {7, 2, "PER_DO", false},
    {7, 6, "PER_KO", false},
    {7, 8, "PER_MAT", false},
    {7, 16, "PU_SVS", false},
    // PP
    {8, 7, "VER_POC", false},
    {8, 9, "VER_OPA", false},
    {8, 14, "VER_RPC", false},
    {8, 16, "PP_SVS", false},
    // RZ
    {9, 4, "PER_CSK", false},
    {9, 13, "PER_HS", false},
    {9, 16, "RZ_SVS", false},
};

// The raw-score fields of subtests 1 … 14, in rows 2 … 15.
constexpr const char* rawScoreFields[] = {
    "HS_1_DO",  "HS_2_SL",  "HS_3_CSK",  "HS_4_POD",  "HS_5_KOS", "HS_6_POC",  "HS_7_MAT",
    "HS_8_OPA", "HS_9_INF", "HS_10_ROB", "HS_11_POR", "HS_12_HS", "HS_13_RPC", "HS_14_SO",
};

// Rows 2 … 16.
constexpr const char* scoreRowNames[] = {
    "Doplňování obrázků",
    "Slovník",
    "Symboly-kódování",
    "Podobnosti",
    "Kostky",
    "Počty",
    "Matrice",
    "Opakování čísel",
    "Informace",
    "Řazení obrázků",
    "Porozumění",
    "Hledání symbolů",
    "Řazení písmen a čísel",
    "Skládání objektů",
    "Součet vážených skórů",
};

// Headings by column c at x0 + c·dx + 0.02.
struct ColumnHeading {
    int column;
    const char* text;
};

constexpr ColumnHeading headingLine1[] = {
    {0, "     Subtesty"},
    {3, " Hrubé"},
    {10, "Vážený skór"},
};

constexpr ColumnHeading headingLine2[] = {
    {3, " skory"}, {4, " Verb."}, {5, " Perf."}, {6, "   VP"},
    {7, "   PU "}, {8, "   PP"},  {9, "   RZ"},  {10, "ref.skupiny"},
};

void writeHeadings(ReportCanvas& canvas, std::span<const ColumnHeading> headings, double y,
                   int firstColumn = 0, int lastColumn = 10) {
    for (const ColumnHeading& heading : headings)
        if (heading.column >= firstColumn && heading.column <= lastColumn)
            canvas.text(scoreX(heading.column) + 0.02, y, QString::fromUtf8(heading.text));
}

bool soAdministered(const ReportSources& sources) {
    return !sources.record.soNotAdministered();
}

void drawScoreTable(ReportCanvas& canvas, const ReportSources& sources) {
    // Fills: the score block, the grey heading rows, the total cell, and a
    // white cell wherever a score is written.
    canvas.fill(scoreX(4), scoreY(2), scoreX(10), scoreY(18), firstGroup);
    canvas.brush(header);
    canvas.fill(scoreX0, scoreY(0), scoreRight, scoreY(2));
    canvas.fill(scoreX0, scoreY(17), scoreX(10), scoreY(18));
    canvas.fill(scoreX(4), scoreY(19), scoreX(6), scoreY(20));
    canvas.brush(white);
    for (int c = 3; c <= 9; ++c)
        canvas.fill(scoreX(c), scoreY(sumRow), scoreX(c + 1), scoreY(sumRow + 1));
    for (const ScoreCell& cell : scoreCells)
        canvas.fill(scoreX(cell.column), scoreY(cell.row), scoreX(cell.column + 1),
                    scoreY(cell.row + 1));

    // Grid.
    canvas.pen(10);
    canvas.line(scoreX0, scoreY(0), scoreRight, scoreY(0));
    for (int r = 2; r <= 18; ++r)
        canvas.line(scoreX0, scoreY(r), scoreRight, scoreY(r));
    for (const int c : {0, 3, 4, 5, 6, 7, 8, 9, 10})
        canvas.line(scoreX(c), scoreY(0), scoreX(c), scoreY(18));
    canvas.line(scoreRight, scoreY(0), scoreRight, scoreY(18));
    canvas.baseFont(false);
    for (int r = 2; r <= 16; ++r)
        canvas.text(0.42, scoreY0 - 0.15 + scoreRow * (r + 1),
                    QString::fromUtf8(scoreRowNames[r - 2]));

    // Headings.
    canvas.font(7, true);
    canvas.brush(header);
    writeHeadings(canvas, headingLine1, scoreY0 + 0.15);
    writeHeadings(canvas, headingLine2, scoreY0 + 0.25);
    writeHeadings(canvas, headingLine2, scoreY(17) + 0.05, 4, 9);

    // The total of the verbal and performance sums below the two columns.
    canvas.line(scoreX0, scoreY(19), 2.8, scoreY(19));
    canvas.line(scoreX0, scoreY(20), 2.8, scoreY(20));
    for (const double x : {scoreX0, 2.0, 2.8})
        canvas.line(x, scoreY(19), x, scoreY(20));
    canvas.line(2.0, scoreY(18), 2.4, scoreY(19) - 0.01);
    canvas.line(2.8, scoreY(18), 2.4, scoreY(19) - 0.01);
    canvas.font(7, false);
    canvas.brush(white);
    canvas.text(0.42, scoreY(19) + 0.05, QStringLiteral("Celkový vážený skór (verb.+ perf.)"));
    canvas.font(9, true);
    canvas.brush(header);
    canvas.text(2.3, scoreY(19) + 0.05, integerText(sources, "CIQ_SVS"));

    // Values.
    canvas.brush(white);
    const bool withSo = soAdministered(sources);
    const auto valueAt = [&](int column, int row, const QString& text) {
        canvas.text(scoreX(column) + 0.15, scoreY(row) + 0.05, text);
    };
    for (int n = 1; n <= 14; ++n) {
        if (n + 1 == soRow && !withSo)
            continue;
        valueAt(3, n + 1, integerText(sources, rawScoreFields[n - 1]));
    }
    for (const ScoreCell& cell : scoreCells) {
        if (cell.row == soRow && !withSo)
            continue;
        // A score not computed leaves its cell empty, without parentheses.
        const QString value = integerText(sources, cell.field);
        valueAt(cell.column, cell.row,
                cell.parenthesised && !value.isEmpty() ? QStringLiteral("(%1)").arg(value) : value);
    }
    for (int n = 1; n <= 14; ++n) {
        if (n + 1 == soRow && !withSo)
            continue;
        valueAt(10, n + 1, sources.page.referenceText(n));
    }
}

// ---- Optional digit-symbol procedures (x0 5.2, y0 3.0, row height 0.4) ---

constexpr PlacedText symbolCaptions[] = {
    {5.35, 3.06, "Volitelný subtest"},
    {6.75, 3.06, "Hrubý"},
    {6.75, 3.19, " skór"},
    {7.45, 3.06, "Kumul."},
    {7.45, 3.19, "  %"},
    {5.25, 3.5, "Symboly-       Párování"},
    {5.25, 3.65, "nahodné"},
    {5.25, 3.8, "učení"},
    {5.85, 3.9, "Volné vybavení"},
    {5.25, 4.3, "Symboly-"},
    {5.25, 4.45, "opis"},
};

constexpr std::array<double, 3> symbolRowsY{3.5, 3.9, 4.3};

void drawSymbolOptions(ReportCanvas& canvas, const ReportSources& sources) {
    canvas.brush(white);
    for (const int r : {0, 1, 3, 4})
        canvas.line(5.2, 3.0 + 0.4 * r, 8.0, 3.0 + 0.4 * r);
    canvas.line(5.9, 3.8, 8.0, 3.8);
    for (const double x : {5.2, 6.6, 7.3, 8.0})
        canvas.line(x, 3.0, x, 4.6);
    canvas.font(12, true);
    canvas.text(5.92, 2.7, QStringLiteral("Volitelné subtesty"));
    canvas.font(7, true);
    writeTexts(canvas, symbolCaptions);

    // The entries as they stand; the checks may then reset empty ones to "0".
    canvas.font(12, true);
    const std::array<SymbolOptionRow, 3> rows =
        analyseSymbolOptions(sources.record, sources.messages, sources.norms);
    for (size_t i = 0; i < rows.size(); ++i)
        canvas.text(6.85, symbolRowsY[i], rows[i].raw);
    for (size_t i = 0; i < rows.size(); ++i)
        canvas.text(7.55, symbolRowsY[i], rows[i].cumulative);
}

// ---- Means box (x0 2.0, y0 5.9, row height 0.25) -----------------------

constexpr PlacedText meansCaptions[] = {
    {1.4, 5.95, "Celkem"},           {3.5, 5.95, "="},
    {1.04, 6.2, ": Počet subtestů"}, {3.5, 6.2, ":"},
    {1.1, 6.45, "Průměrný skór"},    {3.55, 6.41, "Celkový"},
    {3.55, 6.52, "průměr"},
};

void drawMeansBox(ReportCanvas& canvas, const StrengthsTable& strengths,
                  const EvaluationPage::MeanPanel& panel) {
    canvas.brush(white);
    for (int r = 0; r <= 3; ++r)
        canvas.line(2.0, 5.9 + 0.25 * r, 4.8, 5.9 + 0.25 * r);
    for (const double x : {2.0, 2.7, 3.4, 4.8})
        canvas.line(x, 5.9, x, 6.65);
    canvas.line(4.1, 6.4, 4.1, 6.65);
    canvas.font(7, false);
    writeTexts(canvas, meansCaptions);
    // With the colons these form division signs.
    canvas.line(1.02, 6.265, 1.1, 6.265);
    canvas.line(3.47, 6.265, 3.56, 6.265);

    canvas.font(9, true);
    const struct {
        double x;
        double y;
        const QString& text;
    } values[] = {
        {2.3, 5.95, panel.verbalSum},       {3.0, 5.95, panel.performanceSum},
        {4.4, 5.95, panel.totalSum},        {2.3, 6.2, panel.verbalCount},
        {3.0, 6.2, panel.performanceCount}, {4.4, 6.2, panel.totalCount},
        {2.3, 6.45, panel.verbalMean},      {3.0, 6.45, panel.performanceMean},
        {4.4, 6.45, panel.overallMean},
    };
    for (const auto& value : values)
        canvas.text(value.x, value.y, value.text);
    canvas.text(2.3, 6.85, strengths.title);
}

// ---- Strengths and weaknesses (dx 0.5, x0 2.0, y0 7.1, row height 0.25) --

constexpr double strengthsY0 = 7.1;
constexpr double strengthsRow = 0.25;

double strengthsY(int r) {
    return strengthsY0 + strengthsRow * r;
}

// The three heading lines of columns S = 3 … 9.
constexpr std::array<std::array<const char*, 3>, 7> strengthsHeadings{{
    {" Vážený", "   skór", " "},
    {"Průměrný", "   skór", " "},
    {"Rozdílný", "    od", " půměru"},
    {" Hladina", "statistické", "význ."},
    {"Nejlepší", "  výkony", "    (+)"},
    {"Nejslabší", "  výkony", "    (-)"},
    {" Frekv.", "rozdílu u", "stand.vz."},
}};

void drawStrengths(ReportCanvas& canvas, const StrengthsTable& table) {
    canvas.brush(white);
    canvas.line(2.0, strengthsY(0), 7.0, strengthsY(0));
    for (int r = 2; r <= 16; ++r)
        canvas.line(2.0, strengthsY(r), 7.0, strengthsY(r));

    for (int r = 2; r <= 15; ++r) {
        const StrengthRow& row = table.rows[static_cast<size_t>(r - 2)];
        const double y = strengthsY(r) + 0.05;
        canvas.font(8, false);
        canvas.text(2.1, y, row.label);
        if (!row.included)
            continue;
        canvas.font(9, true);
        canvas.text(3.68, y, row.score);
        canvas.text(4.1, y, row.mean);
        canvas.text(4.6, y, row.deviation);
        canvas.text(5.1, y, row.critical);
    }

    canvas.font(7, false);
    for (const int s : {0, 3, 4, 5, 6, 7, 8, 9, 10})
        canvas.line(2.0 + 0.5 * s, strengthsY0, 2.0 + 0.5 * s, strengthsY0 + 4.0);
    canvas.font(7, true);
    canvas.text(2.5, strengthsY0 + 0.2, QStringLiteral("Subtesty"));
    for (int s = 3; s <= 9; ++s)
        for (int line = 0; line < 3; ++line)
            canvas.text(
                2.0 + 0.5 * s + 0.02, strengthsY0 + 0.05 + 0.15 * line,
                QString::fromUtf8(
                    strengthsHeadings[static_cast<size_t>(s - 3)][static_cast<size_t>(line)]));
    canvas.text(5.3, strengthsY0 + 0.35, table.levelText);

    for (int r = 2; r <= 15; ++r) {
        const StrengthRow& row = table.rows[static_cast<size_t>(r - 2)];
        if (!row.best && !row.weakest)
            continue;
        if (row.best) {
            canvas.font(12, true);
            canvas.text(5.68, strengthsY(r) + 0.04, QStringLiteral("+"));
        }
        if (row.weakest) {
            canvas.font(12, true);
            canvas.text(6.18, strengthsY(r) + 0.05, QStringLiteral("-"));
        }
        canvas.font(9, true);
        canvas.text(6.6, strengthsY(r) + 0.05, row.frequency);
    }
}

} // namespace

void drawPage2(ReportCanvas& canvas, const ReportSources& sources) {
    drawScoreTable(canvas, sources);
    drawSymbolOptions(canvas, sources);
    // The mean texts as the last evaluation left them; the strengths table
    // measures against the same means.
    const EvaluationPage::MeanPanel panel = sources.page.meanPanel();
    const StrengthsTable strengths = analyseStrengths(
        strengthsInput(sources.record, sources.options, sources.page), sources.norms);
    drawMeansBox(canvas, strengths, panel);
    drawStrengths(canvas, strengths);
    canvas.restoreBase();
    canvas.fontSize(8);
    Prumer_subtestu(sources.record, sources.options, sources.page);
}

} // namespace iksa
