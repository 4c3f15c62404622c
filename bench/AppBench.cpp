// The main window with 10,000 examinee records (made by
// iksa-generate-records): from start to the main window shown with the
// tables open, moving to the next record with every bound control of all
// pages refreshed, and typing a score into a box (QTest key events). Offscreen.
#include "BenchSupport.h"
#include "MainWindow.h"
#include "Program.h"
#include "controls/DBEdit.h"
#include "controls/DBNavigator.h"
#include "records/ExamineeRecord.h"

#include <QTest>
#include <QToolButton>
#include <benchmark/benchmark.h>
#include <memory>

using namespace iksa;

namespace {

// The start directory with 10,000 generated records, made once.
QString startDir() {
    return bench::generatedRecords(10000).path();
}

struct Started {
    SilentMessages messages;
    std::unique_ptr<app::Program> program;

    Started() {
        QDir::setCurrent(startDir());
        program = std::make_unique<app::Program>(&messages, false);
        program->start();
        program->form1().FormActivate();
        (void)QTest::qWaitForWindowExposed(&program->form1());
    }
};

void StartToMainWindowShown(benchmark::State& state) {
    startDir();
    for (auto _ : state) {
        Started started;
        benchmark::DoNotOptimize(started.program->data().table3().recordCount());
        state.PauseTiming();
        started.program.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(StartToMainWindowShown)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

void NextRecordAllPagesRefreshed(benchmark::State& state) {
    Started started;
    app::MainWindow& form1 = started.program->form1();
    ExamineeRecord& record = started.program->record();
    QWidget* next = form1.navigator()->button(NavigatorButton::Next);
    const int controls = form1.findChildren<app::DBEdit*>().size();
    for (auto _ : state) {
        if (record.recNo() == record.recordCount()) {
            state.PauseTiming();
            record.press(NavigatorButton::First);
            state.ResumeTiming();
        }
        QTest::mouseClick(next, Qt::LeftButton);
    }
    state.counters["bound_boxes"] = controls;
}
BENCHMARK(NextRecordAllPagesRefreshed)->Unit(benchmark::kMillisecond)->UseRealTime();

void TypingAScore(benchmark::State& state) {
    Started started;
    app::MainWindow& form1 = started.program->form1();
    form1.pageControl()->setCurrentIndex(1);
    auto* first = form1.findChild<app::DBEdit*>(QStringLiteral("S_2_1"));
    first->setFocus();
    // Each round: a score typed (which moves the focus on), then Backspace
    // in the box that holds it; two keys.
    for (auto _ : state) {
        QTest::keyClick(first, Qt::Key_1);
        QTest::keyClick(first, Qt::Key_Backspace);
    }
    state.SetItemsProcessed(state.iterations() * 2);
    started.program->record().press(NavigatorButton::Cancel);
}
BENCHMARK(TypingAScore)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
