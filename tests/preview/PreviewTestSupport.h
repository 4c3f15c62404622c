#pragma once

#include "preview/PageSurface.h"
#include "preview/PrintTarget.h"

#include <QBuffer>
#include <QList>
#include <QPdfWriter>
#include <QRectF>
#include <QString>
#include <memory>

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

// A print target that records what reaches it: the bytes of a PDF printer
// in memory, and whether the job was completed or dropped.
class RecordingTarget : public PrintTarget {
public:
    QPagedPaintDevice& openDevice(const QString&) override {
        ++opened;
        printed.clear();
        buffer_ = std::make_unique<QBuffer>(&printed);
        buffer_->open(QIODevice::WriteOnly);
        writer_ = std::make_unique<QPdfWriter>(buffer_.get());
        return *writer_;
    }
    void finishDevice() override { ++finished; }
    void closeDevice() override {
        ++closed;
        writer_.reset();
        buffer_.reset();
    }

    QByteArray printed;
    int opened = 0;
    int finished = 0;
    int closed = 0;

private:
    std::unique_ptr<QBuffer> buffer_;
    std::unique_ptr<QPdfWriter> writer_;
};

} // namespace iksa::test
