// Repainting the shown page in the report window's page view.
//
//   preview_repaint_bench            (offscreen; see README "Benchmarks")
//
// RepaintShownPage is what every paint event of the page view costs at
// 100 %: the cached sheet bitmap copied into the view (target < 16 ms).
// RenderSheet is the cost when the sheet changes (another page, another
// zoom): the recorded page played into a new bitmap. RecordPage is drawing
// the page on the surface.
#include "preview/PageSurface.h"
#include "preview/PrintPreview.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

using namespace iksa;

namespace {

// A page like the protocol's: a frame, a grid of about a hundred lines,
// three hundred texts in several sizes and styles, fills and a logo.
void drawRealisticPage(PageSurface& surface) {
    PageCanvas& canvas = surface.canvas();
    canvas.setPenWidth(3);
    canvas.moveTo(1270, 27730);
    canvas.lineTo(19560, 27730);
    canvas.moveTo(19560, 1238);
    canvas.lineTo(1270, 1238);
    for (int column = 0; column < 7; ++column) {
        canvas.setBrushColor(column % 2 ? QColor(235, 230, 230) : QColor(220, 230, 230));
        canvas.fillRect(1016 + column * 559, 12132, 1575 + column * 559, 24091);
    }
    canvas.setBrushColor(QColor(180, 180, 180));
    canvas.fillRect(460, 18400, 5000, 18970);
    for (int row = 0; row <= 21; ++row) {
        canvas.moveTo(1016, 12132 + row * 570);
        canvas.lineTo(4928, 12132 + row * 570);
        canvas.moveTo(5639, 12132 + row * 570);
        canvas.lineTo(9551, 12132 + row * 570);
    }
    for (int column = 0; column <= 7; ++column) {
        canvas.moveTo(1016 + column * 559, 12132);
        canvas.lineTo(1016 + column * 559, 24091);
        canvas.moveTo(5639 + column * 559, 12132);
        canvas.lineTo(5639 + column * 559, 24091);
    }
    canvas.setBrushColor(Qt::white);
    for (int i = 0; i < 300; ++i) {
        canvas.setFontSize(7 + i % 4);
        canvas.setFontBold(i % 3 == 0);
        canvas.textOut(1000 + (i % 12) * 1500, 3000 + (i / 12) * 900,
                       QStringLiteral("Hodnota %1").arg(i));
    }
    canvas.setFontSize(18);
    canvas.setFontBold(false);
    canvas.textOut(3810, 1486, QStringLiteral("IKSA-III"));
    canvas.setPenWidth(100);
    for (int i = 0; i < 6; ++i) {
        canvas.moveTo(1300 + i * 559, 15000 + (i % 3) * 1100);
        canvas.lineTo(1300 + (i + 1) * 559, 15000 + ((i + 1) % 3) * 1100);
    }
    canvas.setPenWidth(10);
    canvas.setPenStyle(Qt::DotLine);
    canvas.moveTo(1300, 17000);
    canvas.lineTo(4700, 17000);
    canvas.setPenStyle(Qt::SolidLine);
    canvas.setFontSize(10);
    canvas.verticalTextOut(813, 14955, QStringLiteral("Úroveň subtestu"));
    QImage logo(400, 74, QImage::Format_RGB32);
    logo.fill(QColor(40, 60, 120));
    QRect bounds = surface.pageBounds();
    const QPoint step = PageSurface::convertPoint(350, 38, TUnits::mmLoMetric, TUnits::mmHiMetric);
    bounds.adjust(2 * step.x(), 2 * step.y(), -2 * step.x(), 0);
    bounds.setHeight(3 * step.y());
    surface.paintPicture(bounds, logo, true, true, true);
}

// The page view at 100 % with the realistic page shown.
struct ShownPage {
    ShownPage() {
        preview.resize(1000, 800);
        preview.show();
        QApplication::processEvents();
        preview.surface().beginDoc();
        drawRealisticPage(preview.surface());
        preview.surface().endDoc();
        preview.setZoom(100);
        target = QImage(preview.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
        if (preview.viewport()->width() < 900)
            qFatal("the page view is not laid out");
    }
    TPrintPreview preview;
    QImage target;
};

void RepaintShownPage(benchmark::State& state) {
    ShownPage shown;
    QPainter painter(&shown.target);
    shown.preview.paintSheet(painter, shown.target.rect()); // fills the cache
    for (auto _ : state)
        shown.preview.paintSheet(painter, shown.target.rect());
}
BENCHMARK(RepaintShownPage)->Unit(benchmark::kMillisecond);

void RenderSheet(benchmark::State& state) {
    ShownPage shown;
    QPainter painter(&shown.target);
    for (auto _ : state) {
        shown.preview.invalidateSheet();
        shown.preview.paintSheet(painter, shown.target.rect());
    }
}
BENCHMARK(RenderSheet)->Unit(benchmark::kMillisecond);

void RecordPage(benchmark::State& state) {
    PageSurface surface;
    for (auto _ : state) {
        surface.beginDoc();
        drawRealisticPage(surface);
        surface.endDoc();
    }
}
BENCHMARK(RecordPage)->Unit(benchmark::kMillisecond);

} // namespace
