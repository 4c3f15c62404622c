#pragma once

#include "preview/PageSurface.h"

#include <QList>
#include <QRectF>
#include <QString>

namespace iksa::test {

// One word of a PDF as pdftotext -bbox (poppler-utils) reads it, in points
// from the page's top-left corner.
struct PdfWord {
    int page = 0; // from 1
    QString text;
    QRectF box;
};

struct PdfText {
    int pageCount = 0;
    QSizeF pageSize; // of the first page, in points
    QList<PdfWord> words;

    const PdfWord* find(const QString& text) const;
};

PdfText readPdf(const QString& path);

// Page units (0.01 mm) in PDF points.
inline double toPoints(double pageUnits) {
    return pageUnits * 72.0 / 2540.0;
}

// A document of `pages` pages: on each a black block (2000, 2000)-(6000,
// 4000), the text "Strana N" in 12 pt at (2000, 5000) and a frame line.
void drawSampleDocument(PageSurface& surface, int pages);

} // namespace iksa::test
