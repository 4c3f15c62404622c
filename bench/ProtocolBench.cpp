// Composing the three protocol pages.
//
//   protocol_bench            (offscreen; see README "Benchmarks")
//
// ComposeIntoPreview is what "Preview" costs after the evaluation: the
// three pages drawn into the report window's page view, with the view
// laid out and its thumbnails rebuilt (target < 100 ms). ComposeOnly is
// the drawing alone into a recording surface; WritePdf writes the recorded
// pages as a vector PDF.
#include "BenchSupport.h"
#include "evaluation/EvaluationRun.h"
#include "norms/CompiledNorms.h"
#include "preview/Form2.h"
#include "preview/PageSurface.h"
#include "preview/PrintPreview.h"
#include "report/ReportComposer.h"
#include "report/ReportPictures.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace iksa;

namespace {

// One evaluated examinee in tables of a temporary directory.
struct Examinee : bench::StoredExaminee {
    Examinee()
        : StoredExaminee({
              {"PRIJM", "Nováková"},  {"JMENO", "Alžběta"}, {"VEK", "34"},
              {"DATUM", "12.3.2024"}, {"HS_1_DO", "18"},    {"HS_2_SL", "41"},
              {"HS_3_CSK", "72"},     {"HS_4_POD", "22"},   {"HS_5_KOS", "40"},
              {"HS_6_POC", "14"},     {"HS_7_MAT", "17"},   {"HS_8_OPA", "17"},
              {"HS_9_INF", "16"},     {"HS_10_ROB", "12"},  {"HS_11_POR", "20"},
              {"HS_12_HS", "32"},     {"HS_13_RPC", "11"},  {"HS_14_SO", "33"},
              {"PAR_3", "14"},        {"VOL_VYB_3", "7"},   {"C_HS_OP_3", "110"},
              {"RAD_DOP_8", "7"},     {"RAD_DOZ_8", "5"},
          }) {
        EvaluationRun(record, options, page, messages).Button2Click();
    }

    ReportSources sources() {
        return {record, options, page, messages, compiledNormSet(), reportLogo(), reportCurve()};
    }
};

void ComposeIntoPreview(benchmark::State& state) {
    Examinee examinee;
    TForm2 form2;
    form2.resize(1280, 900);
    form2.show();
    QApplication::processEvents();
    ReportComposer composer(form2.PrintPreview1->surface(), examinee.sources());
    for (auto _ : state) {
        composer.Rozbal_data_IKSA();
        QApplication::processEvents();
    }
}
BENCHMARK(ComposeIntoPreview)->Unit(benchmark::kMillisecond);

void ComposeOnly(benchmark::State& state) {
    Examinee examinee;
    PageSurface surface;
    ReportComposer composer(surface, examinee.sources());
    for (auto _ : state)
        composer.Rozbal_data_IKSA();
}
BENCHMARK(ComposeOnly)->Unit(benchmark::kMillisecond);

void WritePdf(benchmark::State& state) {
    Examinee examinee;
    PageSurface surface;
    ReportComposer(surface, examinee.sources()).Rozbal_data_IKSA();
    const QString path = examinee.dir.filePath(QStringLiteral("protokol.pdf"));
    for (auto _ : state)
        surface.writePdf(path);
}
BENCHMARK(WritePdf)->Unit(benchmark::kMillisecond);

} // namespace
