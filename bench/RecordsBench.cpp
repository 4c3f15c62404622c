// The examinee tables with many records: opening and going to the last
// record, "přidat" with its post, a surname search that finds nothing, and
// the peak memory with 10,000 records open. The records are made by
// iksa-generate-records in temporary directories (1,000 / 10,000 / 32,000;
// ID is an int16 column, so 32,768 records are the most "přidat" can make).
#include "BenchSupport.h"
#include "records/SurnameSearch.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

using namespace iksa;

namespace {

double peakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Runs first: the process's peak memory after opening 10,000 records, going
// to the last one, searching and moving over every record.
void PeakMemoryWith10000Open(benchmark::State& state) {
    const QDir dir = bench::generatedRecords(10000);
    for (auto _ : state) {
        bench::OpenTables open(dir);
        open.record.press(NavigatorButton::Last);
        SurnameSearch(open.record).press(QStringLiteral("NIKDO"));
        for (open.record.press(NavigatorButton::First); !open.data.table3().eof();)
            open.record.press(NavigatorButton::Next);
    }
    state.counters["peak_rss_MB"] = peakRssMb();
}
BENCHMARK(PeakMemoryWith10000Open)->Iterations(1)->Unit(benchmark::kMillisecond);

void OpenAndGoToLast(benchmark::State& state) {
    const QDir dir = bench::generatedRecords(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        bench::OpenTables open(dir);
        open.record.press(NavigatorButton::Last);
        benchmark::DoNotOptimize(open.record.recNo());
    }
}
BENCHMARK(OpenAndGoToLast)->Arg(10000)->Arg(32000)->Unit(benchmark::kMillisecond);

// "přidat" (four synced row writes), a surname typed, "potvrdit" (three more).
void InsertAndPost(benchmark::State& state) {
    const QDir dir = bench::generatedRecords(static_cast<int>(state.range(0)));
    bench::OpenTables open(dir);
    ExamineeRecord& record = open.record;
    for (auto _ : state) {
        record.press(NavigatorButton::Insert);
        record.setText(QStringLiteral("PRIJM"), QStringLiteral("Nový"));
        record.press(NavigatorButton::Post);
    }
    state.counters["records"] = record.recordCount();
}
BENCHMARK(InsertAndPost)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(32000)
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

void SearchFindsNothing(benchmark::State& state) {
    const QDir dir = bench::generatedRecords(static_cast<int>(state.range(0)));
    bench::OpenTables open(dir);
    SurnameSearch search(open.record);
    for (auto _ : state)
        benchmark::DoNotOptimize(search.press(QStringLiteral("NEEXISTUJÍCÍ")).found);
}
BENCHMARK(SearchFindsNothing)->Arg(10000)->Arg(32000)->Unit(benchmark::kMillisecond);

} // namespace
