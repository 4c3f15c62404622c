// The main window with 10,000 examinee records (made by
// iksa-generate-records): from start to the main window shown with the
// tables open, moving to the next record with every bound control of all
// pages refreshed, typing a score into a box, and typing a whole subtest
// page by keyboard as an examiner does (QTest key events). Offscreen.
#include "BenchSupport.h"
#include "KeyboardTypist.h"
#include "MainWindow.h"
#include "Program.h"
#include "controls/DBEdit.h"
#include "controls/DBNavigator.h"
#include "records/ExamineeRecord.h"
#include "scoring/Catalogue.h"
#include "scoring/KeyFilters.h"

#include <QTest>
#include <QToolButton>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>

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

// Values for every box and group of a page that the Tab chain reaches
// (responses left empty), drawn from the boxes' domains with a fixed seed.
QHash<QString, QString> pageValues(const app::SubtestPage& page) {
    std::mt19937 random(19);
    const auto upTo = [&random](int highest) {
        return QString::number(std::uniform_int_distribution<int>(0, highest)(random));
    };
    QHash<QString, QString> values;
    for (const QWidget* control : page.findChildren<QWidget*>()) {
        const QString field = control->property("field").toString();
        if (field.isEmpty() || !(control->focusPolicy() & Qt::TabFocus))
            continue;
        const ItemCell* cell = Catalogue::instance().cellOf(field).cell;
        if (cell && cell->role == CellRole::Response)
            continue;
        if (const auto* group = qobject_cast<const app::DBRadioGroup*>(control)) {
            values.insert(field,
                          group->values().value(upTo(int(group->values().size()) - 1).toInt()));
            continue;
        }
        switch (keyFilterFor(field)) {
        case KeyFilter::ZeroToOne:
            values.insert(field, upTo(1));
            break;
        case KeyFilter::ZeroToTwo:
            values.insert(field, upTo(2));
            break;
        case KeyFilter::ZeroToThree:
            values.insert(field, upTo(3));
            break;
        case KeyFilter::None:
            values.insert(field, QString::number(1 + upTo(8).toInt()));
            break;
        }
    }
    return values;
}

// One subtest page typed from its first item to its "=" (Tab, Shift+Tab,
// digits, Enter), on a new record; the time per key is the counter "per_key".
void TypingOnePageByKeyboard(benchmark::State& state) {
    Started started;
    app::MainWindow& form1 = started.program->form1();
    ExamineeRecord& record = started.program->record();
    const int number = int(state.range(0));
    app::SubtestPage& page = *form1.subtestPage(number);
    const QHash<QString, QString> values = pageValues(page);
    int keys = 0;
    for (auto _ : state) {
        state.PauseTiming();
        record.press(NavigatorButton::Cancel);
        record.press(NavigatorButton::Insert);
        form1.pageControl()->setCurrentIndex(number - 1);
        page.focusFirstEntry();
        test::KeyboardTypist typist(page, values);
        state.ResumeTiming();
        const QString problem = typist.typePage();
        if (!problem.isEmpty()) {
            state.SkipWithError(problem.toStdString().c_str());
            break;
        }
        keys += typist.keys();
    }
    record.press(NavigatorButton::Cancel);
    state.counters["keys"] = benchmark::Counter(keys, benchmark::Counter::kAvgIterations);
    state.counters["per_key"] =
        benchmark::Counter(keys, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(TypingOnePageByKeyboard)->DenseRange(1, 14)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
