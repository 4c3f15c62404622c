// Page 3: the discrepancy comparisons, the digit-span rows and the normal
// curve with the classification of score ranges.
#include "preview/PageCanvas.h"
#include "records/ExamineeRecord.h"
#include "records/UserMessages.h"
#include "report/DiscrepancyAnalysis.h"
#include "report/ProcessScores.h"
#include "report/ProtocolPages.h"
#include "report/ReportCanvas.h"

#include <array>

namespace iksa {

namespace {

using namespace ReportColour;

// dx 0.93, x0 0.5, y0 1.5, row height 0.35.
constexpr double tableX0 = 0.5;
constexpr double tableDx = 0.93;
constexpr double tableY0 = 1.5;
constexpr double tableRow = 0.35;
constexpr double tableRight = 7.94;
constexpr int firstComparisonRow = 2; // rows 2 … 8
constexpr int forwardRow = 10;
constexpr int backwardRow = 11;
constexpr int differenceRow = 12;

double rowY(int r) {
    return tableY0 + tableRow * r;
}

double columnX(int s) {
    return tableX0 + tableDx * s;
}

// Texts of a row are written 0.05 below its line.
double textY(int r) {
    return rowY(r) + 0.05;
}

QColor rowColour(int r) {
    if (r >= 2 && r <= 5)
        return header;
    if (r >= 6 && r <= 8)
        return firstGroup;
    return white;
}

// Rows 9 … 12: label, short name of score 1, short name of score 2 (none:
// not written).
struct SpanRowCaption {
    const char* label;
    const char* shortName1;
    const char* shortName2;
};

constexpr std::array<SpanRowCaption, 4> spanRowCaptions{{
    {" ", " ", nullptr},
    {"Nejdelší číselná řada dopředu", " ", nullptr},
    {"Nejdelší číselná řada dozadu", " ", nullptr},
    {"Řady dopředu - dozadu", "DP", "DZ"},
}};

// Headings by column S at x0 + S·dx + 0.02, lines at y0 + 0.05, 0.2, 0.35.
struct ColumnHeading {
    int column;
    qreal size;
    std::array<const char*, 3> lines; // nullptr: no text
};

constexpr ColumnHeading columnHeadings[] = {
    {3, 10, {"       Skór", "         1", nullptr}},
    {4, 10, {"       Skór", "         2", nullptr}},
    {5, 10, {"      Rozdíl", nullptr, nullptr}},
    {6, 8, {"Hladina statistické", "   významnosti", nullptr}},
    {7, 8, {"Frekvence rozdílu", "   ve standard.", "       vzorku"}},
};

void drawDigitSpan(ReportCanvas& canvas, const ReportSources& sources) {
    canvas.font(10, true);
    // The entries as they stand, before the checks reset empty ones.
    const QString forward = sources.record.text(QStringLiteral("RAD_DOP_8"));
    const QString backward = sources.record.text(QStringLiteral("RAD_DOZ_8"));
    canvas.text(3.74, textY(forwardRow), forward);
    canvas.text(3.74, textY(backwardRow), backward);
    canvas.text(3.74, textY(differenceRow), forward);
    canvas.text(4.67, textY(differenceRow), backward);
    const DigitSpanRows rows = analyseDigitSpan(sources.record, sources.messages, sources.norms);
    canvas.text(5.6, textY(differenceRow), rows.difference);
    canvas.text(7.31, textY(forwardRow), rows.forwardCumulative);
    canvas.text(7.31, textY(backwardRow), rows.backwardCumulative);
    canvas.text(7.31, textY(differenceRow), rows.differenceCumulative);
}

void drawFills(ReportCanvas& canvas) {
    canvas.fill(tableX0, rowY(6), tableRight, rowY(9), firstGroup);
    canvas.fill(tableX0, rowY(0), tableRight, rowY(6), header);
    canvas.brush(black);
    canvas.fill(tableX0, rowY(0), columnX(3), rowY(2));
    canvas.fill(0.25, rowY(0), tableX0, rowY(9));
    // The strip of the digit-span rows starts 12 page units above row 10.
    canvas.canvas().fillRect(canvas.pageX(0.25), canvas.pageY(rowY(forwardRow)) - 12,
                             canvas.pageX(tableX0), canvas.pageY(rowY(13)));
    canvas.fontColour(white);
    canvas.fontSize(10);
    canvas.verticalText(0.32, 6.04, QStringLiteral("Úroveň subtestu"));
    canvas.verticalText(0.32, 4.0, QStringLiteral("Kombinovaná úroveň"));
    canvas.fontColour(black);
    canvas.brush(empty);
    canvas.fill(columnX(4), rowY(forwardRow), columnX(7), rowY(differenceRow));
    canvas.fill(columnX(6), rowY(differenceRow), columnX(7), rowY(differenceRow + 1));
}

void drawRows(ReportCanvas& canvas, const ComparisonTable& comparisons) {
    canvas.line(tableX0, rowY(0), tableRight, rowY(0));
    for (int r = 2; r <= 13; ++r)
        canvas.line(tableX0, rowY(r), tableRight, rowY(r));
    for (int r = 2; r <= 12; ++r) {
        const double y = textY(r);
        canvas.brush(rowColour(r));
        if (r <= 8) {
            const ComparisonRow& row = comparisons[static_cast<size_t>(r - firstComparisonRow)];
            canvas.font(10, false);
            canvas.text(0.55, y, row.label);
            if (!row.complete)
                continue; // a score was not computed: only the label
            canvas.text(3.34, y, row.shortName1);
            canvas.font(10, true);
            canvas.text(3.74, y, row.score1);
            canvas.font(10, false);
            canvas.text(4.27, y, row.shortName2);
            canvas.font(10, true);
            canvas.text(4.67, y, row.score2);
            canvas.text(5.6, y, row.difference);
            canvas.text(6.15, y, row.critical);
            canvas.text(7.36, y, row.baseRate);
            continue;
        }
        const SpanRowCaption& caption = spanRowCaptions[static_cast<size_t>(r - 9)];
        canvas.font(10, false);
        canvas.text(0.55, y, QString::fromUtf8(caption.label));
        canvas.text(3.34, y, QString::fromUtf8(caption.shortName1));
        if (caption.shortName2)
            canvas.text(4.27, y, QString::fromUtf8(caption.shortName2));
    }
}

void drawHeadings(ReportCanvas& canvas) {
    canvas.line(tableX0, rowY(0), tableX0, rowY(13));
    for (int s = 3; s <= 8; ++s)
        canvas.line(columnX(s), rowY(0), columnX(s), rowY(13));
    canvas.font(10, true);
    canvas.fontColour(white);
    canvas.brush(black);
    canvas.text(1.23, 1.55, QStringLiteral("Porovnání diskrepancí"));
    canvas.fontColour(black);
    canvas.brush(header);
    for (const ColumnHeading& heading : columnHeadings) {
        canvas.fontSize(heading.size);
        for (size_t line = 0; line < heading.lines.size(); ++line)
            if (heading.lines[line])
                canvas.text(columnX(heading.column) + 0.02, tableY0 + 0.05 + 0.15 * line,
                            QString::fromUtf8(heading.lines[line]));
    }
    canvas.font(10, true);
    canvas.text(6.26, 1.9, QStringLiteral("0.15 - 0.05"));
}

} // namespace

bool drawPage3(ReportCanvas& canvas, const ReportSources& sources) {
    canvas.brush(white);
    canvas.font(10, true);
    canvas.text(0.7, 1.3, QStringLiteral("Diskrepanční analýza"));
    drawDigitSpan(canvas, sources);

    canvas.pen(3);
    canvas.brush(white);
    canvas.restoreBase();
    canvas.fontSize(10);
    drawFills(canvas);

    const int age = sources.record.integer(QStringLiteral("VEK"));
    const std::optional<ComparisonTable> comparisons =
        comparisonAgeInRange(age) ? compareScores(sources.record, sources.norms) : std::nullopt;
    if (!comparisons) {
        sources.messages.show(comparisonAgeMessage());
        return false;
    }
    drawRows(canvas, *comparisons);
    // The normal curve: 10 mm in from the sides, 120 mm down, 180 mm tall.
    canvas.picture(100, 600, sources.curve);
    drawHeadings(canvas);
    return true;
}

} // namespace iksa
