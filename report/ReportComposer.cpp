#include "report/ReportComposer.h"

#include "evaluation/MissingScores.h"
#include "norms/CompiledNorms.h"
#include "norms/NormSet.h"
#include "preview/PageSurface.h"
#include "records/ExamineeRecord.h"
#include "report/ReportCanvas.h"

namespace iksa {

void writeTexts(ReportCanvas& canvas, std::span<const PlacedText> texts) {
    for (const PlacedText& text : texts)
        canvas.text(text.x, text.y, QString::fromUtf8(text.text));
}

namespace {

// Near the header of every page while a subtest has no raw score: the notice
// with the subtests' names, wrapped between names within the page frame.
void drawIncompleteNotice(ReportCanvas& canvas, const ExamineeRecord& record) {
    const QStringList names = missingSubtestNames(missingScores(record));
    if (names.isEmpty())
        return;
    constexpr double left = 0.6;
    constexpr double right = 7.6;
    constexpr double top = 0.88;
    constexpr double lineHeight = 0.11;
    canvas.brush(ReportColour::white);
    canvas.font(8, true);
    const int width = canvas.pageX(right) - canvas.pageX(left);
    QStringList lines{incompleteExaminationPrefix() + names.first()};
    for (qsizetype i = 1; i < names.size(); ++i) {
        const QString longer = lines.last() + QStringLiteral(", ") + names[i];
        if (canvas.canvas().textExtent(longer + QLatin1Char(',')).width() <= width) {
            lines.last() = longer;
        } else {
            lines.last() += QLatin1Char(',');
            lines.append(names[i]);
        }
    }
    for (qsizetype i = 0; i < lines.size(); ++i)
        canvas.text(left, top + lineHeight * static_cast<double>(i), lines[i]);
}

} // namespace

QString integerText(const ReportSources& sources, const QString& field) {
    const std::optional<int> value = computedInteger(sources.record, field);
    return value ? QString::number(*value) : QString();
}

ReportComposer::ReportComposer(PageSurface& surface, ReportSources sources)
    : surface_(surface)
    , sources_(std::move(sources))
    , canvas_(surface) {}

void ReportComposer::startPage(int number) {
    ReportCanvas& canvas = canvas_;
    canvas.startPage();
    canvas.pen(3);
    canvas.line(0.5, 11.2, 7.7, 11.2);
    canvas.line(7.7, 0.5, 0.5, 0.5);
    canvas.pen(10);

    canvas.baseFont(false);
    const QString pageNumber = QStringLiteral("- %1 -").arg(number);
    canvas.text(3.9, 11.5, pageNumber);
    if (sources_.norms.illustrative) {
        // Centred under the page number.
        const QString notice = illustrativeNormsPageNotice();
        const int centre = canvas.pageX(3.9) + canvas.canvas().textExtent(pageNumber).width() / 2;
        canvas.fontSize(6);
        canvas.canvas().textOut(centre - canvas.canvas().textExtent(notice).width() / 2,
                                canvas.pageY(11.65), notice);
    }
    drawIncompleteNotice(canvas, sources_.record);
    canvas.font(18, false);
    canvas.text(1.5, 0.6, QStringLiteral("IKSA-III"));
    // The logo: 70 mm in from the sides, 7.6 mm down, 11.4 mm tall.
    canvas.picture(350, 38, sources_.logo);
}

bool ReportComposer::Rozbal_data_IKSA() {
    surface_.beginDoc();
    bool complete = false;
    try {
        startPage(1);
        drawPage1(canvas_, sources_);
        canvas_.restoreBase();
        surface_.newPage();

        startPage(2);
        drawPage2(canvas_, sources_);
        canvas_.restoreBase();
        surface_.newPage();

        startPage(3);
        // false: the age check stopped the page; the document ends here.
        complete = drawPage3(canvas_, sources_);
    } catch (...) {
        // A preview shows the pages drawn so far; a print job is dropped.
        surface_.abortDoc();
        throw;
    }
    surface_.endDoc();
    return complete;
}

} // namespace iksa
