#include "PreviewTestSupport.h"

#include "TestSupport.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace iksa::test {

const PdfWord* PdfText::find(const QString& text) const {
    for (const PdfWord& word : words)
        if (word.text == text)
            return &word;
    return nullptr;
}

PdfText readPdf(const QString& path) {
    const ProcessRun run = runProgram(QStringLiteral("pdftotext"),
                                      {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (run.exitCode != 0) {
        ADD_FAILURE() << "pdftotext failed on " << path.toStdString();
        return {};
    }
    const QString& html = run.out;
    PdfText result;
    static const QRegularExpression pageOrWord(
        QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.-]+)" )re"
                       R"re(yMin="([\d.-]+)" xMax="([\d.-]+)" yMax="([\d.-]+)">([^<]*)</word>)re"));
    for (const QRegularExpressionMatch& match : pageOrWord.globalMatch(html)) {
        if (!match.captured(1).isEmpty()) {
            if (++result.pageCount == 1)
                result.pageSize =
                    QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble());
            continue;
        }
        const QPointF topLeft(match.captured(3).toDouble(), match.captured(4).toDouble());
        const QPointF bottomRight(match.captured(5).toDouble(), match.captured(6).toDouble());
        result.words.append({result.pageCount, match.captured(7), QRectF(topLeft, bottomRight)});
    }
    return result;
}

void drawSampleDocument(PageSurface& surface, int pages) {
    surface.beginDoc();
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            surface.newPage();
        PageCanvas& canvas = surface.canvas();
        canvas.setBrushColor(Qt::black);
        canvas.fillRect(2000, 2000, 6000, 4000);
        canvas.setBrushColor(Qt::white);
        canvas.setFontSize(12);
        canvas.textOut(2000, 5000, QStringLiteral("Strana %1").arg(page));
        canvas.setPenWidth(3);
        canvas.moveTo(1270, 27940);
        canvas.lineTo(19560, 27940);
    }
    surface.endDoc();
}

} // namespace iksa::test
