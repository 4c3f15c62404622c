#include "report/ReportComposer.h"

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

QString integerText(const ReportSources& sources, const char* field) {
    return QString::number(sources.record.integer(QString::fromLatin1(field)));
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
    canvas.font(18, false);
    canvas.text(1.5, 0.6, QStringLiteral("IKSA-III"));
    // The logo: 70 mm in from the sides, 7.6 mm down, 11.4 mm tall.
    canvas.picture(350, 38, sources_.logo);
}

void ReportComposer::Rozbal_data_IKSA() {
    surface_.beginDoc();
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
        drawPage3(canvas_, sources_);
    } catch (...) {
        surface_.endDoc();
        throw;
    }
    surface_.endDoc();
}

} // namespace iksa
