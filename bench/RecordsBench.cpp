// The examinee tables with many records: opening and going to the last
// record, "přidat" with its post, a surname search that finds nothing, and
// the peak memory with 10,000 records open. The records are made by
// iksa-generate-records in temporary directories (1,000 / 10,000 / 32,000;
// ID is an int16 column, so 32,768 records are the most "přidat" can make).
#include "records/DataModule.h"
#include "records/ExamineeRecord.h"
#include "records/SurnameSearch.h"
#include "records/UserMessages.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>
#include <sys/resource.h>

using namespace iksa;

namespace {

class QuietMessages : public UserMessages {
public:
    void show(const QString&) override {}
    int ask(const QString&, const QStringList&, int defaultButton) override {
        return defaultButton;
    }
};

// A start directory holding `count` generated records, made once per size.
QDir recordsDir(int count) {
    static std::map<int, std::unique_ptr<QTemporaryDir>> dirs;
    auto& dir = dirs[count];
    if (!dir) {
        dir = std::make_unique<QTemporaryDir>();
        QProcess::execute(QStringLiteral(IKSA_GENERATOR),
                          {dir->path(), QString::number(count), QStringLiteral("1")});
    }
    return QDir(dir->path());
}

double peakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Runs first: the process's peak memory after opening 10,000 records, going
// to the last one, searching and moving over every record.
void PeakMemoryWith10000Open(benchmark::State& state) {
    const QDir dir = recordsDir(10000);
    for (auto _ : state) {
        QuietMessages messages;
        DataModule data;
        data.open(dir, messages);
        ExamineeRecord record(data);
        record.press(NavigatorButton::Last);
        SurnameSearch(record).press(QStringLiteral("NIKDO"));
        for (record.press(NavigatorButton::First); !data.table3().eof();)
            record.press(NavigatorButton::Next);
    }
    state.counters["peak_rss_MB"] = peakRssMb();
}
BENCHMARK(PeakMemoryWith10000Open)->Iterations(1)->Unit(benchmark::kMillisecond);

void OpenAndGoToLast(benchmark::State& state) {
    const QDir dir = recordsDir(static_cast<int>(state.range(0)));
    QuietMessages messages;
    for (auto _ : state) {
        DataModule data;
        data.open(dir, messages);
        ExamineeRecord record(data);
        record.press(NavigatorButton::Last);
        benchmark::DoNotOptimize(record.recNo());
    }
}
BENCHMARK(OpenAndGoToLast)->Arg(10000)->Arg(32000)->Unit(benchmark::kMillisecond);

// "přidat" (four synced row writes), a surname typed, "potvrdit" (three more).
void InsertAndPost(benchmark::State& state) {
    const QDir dir = recordsDir(static_cast<int>(state.range(0)));
    QuietMessages messages;
    DataModule data;
    data.open(dir, messages);
    ExamineeRecord record(data);
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
    const QDir dir = recordsDir(static_cast<int>(state.range(0)));
    QuietMessages messages;
    DataModule data;
    data.open(dir, messages);
    ExamineeRecord record(data);
    SurnameSearch search(record);
    for (auto _ : state)
        benchmark::DoNotOptimize(search.press(QStringLiteral("NEEXISTUJÍCÍ")).found);
}
BENCHMARK(SearchFindsNothing)->Arg(10000)->Arg(32000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
