// The examinee list "Seznam vyšetřených" over 10,000 examinee records (made
// by iksa-generate-records), offscreen: opening it (the records read, the
// current one marked, the window shown and painted), the first opening with
// the window made, one key typed into its filter or taken back, and a sort
// by surname. Every timed step ends with the list painted.
#include "BenchSupport.h"
#include "ExamineeListWindow.h"
#include "MainWindow.h"
#include "Program.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <benchmark/benchmark.h>
#include <memory>

using namespace iksa;

namespace {

struct Started {
    SilentMessages messages;
    std::unique_ptr<app::Program> program;

    Started() {
        QDir::setCurrent(bench::generatedRecords(10000).path());
        program = std::make_unique<app::Program>(&messages, false);
        program->start();
        program->form1().FormActivate();
        (void)QTest::qWaitForWindowExposed(&program->form1());
    }

    app::ExamineeListWindow* list() { return program->form1().examineeList(); }

    // What Ctrl+L and the menu item run, then everything the list paints.
    // (A key sent while the list itself is still the active window would
    // reach no shortcut.)
    void openList() {
        program->form1().showExamineeList();
        painted();
    }

    void painted() {
        QApplication::processEvents();
        list()->view()->viewport()->repaint();
    }
};

void OpenList(benchmark::State& state) {
    Started started;
    started.openList(); // the window made once
    for (auto _ : state) {
        state.PauseTiming();
        started.list()->hide();
        QApplication::processEvents();
        state.ResumeTiming();
        started.openList();
    }
    state.counters["records"] = started.list()->view()->model()->rowCount();
}
BENCHMARK(OpenList)->Unit(benchmark::kMillisecond)->UseRealTime();

void OpenListFirstTime(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto started = std::make_unique<Started>();
        state.ResumeTiming();
        started->openList();
        state.PauseTiming();
        started.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(OpenListFirstTime)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

// One key typed into the filter: the list of 10,000 narrowed to the
// records whose names hold the text (state.range(0): 0 a first letter
// typed into the empty filter, 1 the last letter of "dvora|k").
void FilterKeystroke(benchmark::State& state) {
    Started started;
    started.openList();
    QLineEdit* filter = started.list()->filterBox();
    const bool first = state.range(0) == 0;
    for (auto _ : state) {
        state.PauseTiming();
        filter->setText(first ? QString() : QStringLiteral("dvora"));
        started.painted();
        state.ResumeTiming();
        QTest::keyClick(filter, Qt::Key_K);
        started.painted();
    }
    state.counters["shown"] = started.list()->view()->model()->rowCount();
}
BENCHMARK(FilterKeystroke)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Backspace in the filter "k": the whole list of 10,000 shown again.
void FilterBackspace(benchmark::State& state) {
    Started started;
    started.openList();
    QLineEdit* filter = started.list()->filterBox();
    for (auto _ : state) {
        state.PauseTiming();
        filter->setText(QStringLiteral("k"));
        started.painted();
        state.ResumeTiming();
        QTest::keyClick(filter, Qt::Key_Backspace);
        started.painted();
    }
    state.counters["shown"] = started.list()->view()->model()->rowCount();
}
BENCHMARK(FilterBackspace)->Unit(benchmark::kMillisecond)->UseRealTime();

// A click on the header "Příjmení": 10,000 surnames in Czech order, then back.
void SortBySurname(benchmark::State& state) {
    Started started;
    started.openList();
    QHeaderView* header = started.list()->view()->horizontalHeader();
    const QPoint surname(header->sectionViewportPosition(1) + 8, header->height() / 2);
    for (auto _ : state) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, surname);
        started.painted();
    }
}
BENCHMARK(SortBySurname)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
