#pragma once

#include "../evaluation/EvaluationFixture.h"
#include "../preview/PreviewTestSupport.h"
#include "preview/PageSurface.h"
#include "report/ReportComposer.h"
#include "report/ReportPictures.h"

#include <cmath>

namespace iksa::test {

// A stored, complete examinee of 34 years: identity, the fourteen raw
// scores, the optional digit-symbol procedures and the digit spans.
inline QMap<QString, QString> sampleExaminee() {
    return {
        {"PRIJM", "Nováková"}, {"JMENO", "Alžběta"}, {"VEK", "34"},        {"DATUM", "12.3.2024"},
        {"EXAMI", "Dvořák"},   {"POZNAM", "Vzorek"}, {"HS_1_DO", "18"},    {"HS_2_SL", "41"},
        {"HS_3_CSK", "72"},    {"HS_4_POD", "22"},   {"HS_5_KOS", "40"},   {"HS_6_POC", "14"},
        {"HS_7_MAT", "17"},    {"HS_8_OPA", "17"},   {"HS_9_INF", "16"},   {"HS_10_ROB", "12"},
        {"HS_11_POR", "20"},   {"HS_12_HS", "32"},   {"HS_13_RPC", "11"},  {"HS_14_SO", "33"},
        {"PAR_3", "14"},       {"VOL_VYB_3", "7"},   {"C_HS_OP_3", "110"}, {"RAD_DOP_8", "7"},
        {"RAD_DOZ_8", "5"},
    };
}

// A report point (x, y) of an A4 page in PDF points: SX = 2540, SY = 2476
// page units of 0.01 mm.
inline QPointF reportPointInPdf(double x, double y) {
    return {toPoints(std::lround(2540 * x)), toPoints(std::lround(2476 * y))};
}

// The words of one page of a PDF.
inline QList<PdfWord> wordsOnPage(const PdfText& pdf, int page) {
    QList<PdfWord> words;
    for (const PdfWord& word : pdf.words)
        if (word.page == page)
            words.append(word);
    return words;
}

// Whether `text` is written on `page` with its top-left corner at the report
// point (x, y), within a point across and a point and a half down (the
// font's ascent as pdftotext reads it).
inline bool hasWordAt(const PdfText& pdf, int page, const QString& text, double x, double y) {
    const QPointF at = reportPointInPdf(x, y);
    for (const PdfWord& word : wordsOnPage(pdf, page))
        if (word.text == text && std::abs(word.box.left() - at.x()) < 1.0 &&
            std::abs(word.box.top() - at.y()) < 1.5)
            return true;
    return false;
}

inline bool hasWord(const PdfText& pdf, int page, const QString& text) {
    for (const PdfWord& word : wordsOnPage(pdf, page))
        if (word.text == text)
            return true;
    return false;
}

// The evaluation fixture with the protocol drawn into a recording surface.
class ProtocolFixture : public EvaluationFixture {
protected:
    ReportComposer composer() {
        return ReportComposer(
            surface, {record, options, page, messages, norms(), reportLogo(), reportCurve()});
    }

    // Stores the examinee, evaluates it as "Preview" does and composes.
    void composeSample(const QMap<QString, QString>& changes = {}) {
        QMap<QString, QString> texts = sampleExaminee();
        for (auto it = changes.begin(); it != changes.end(); ++it)
            texts[it.key()] = it.value();
        addRecord(texts);
        evaluate();
        composer().Rozbal_data_IKSA();
    }

    PdfText pdfOfSurface() {
        const QString path = tmp.file(QStringLiteral("protokol.pdf"));
        surface.writePdf(path);
        return readPdf(path);
    }

    PageSurface surface;
};

} // namespace iksa::test
