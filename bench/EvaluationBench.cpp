// The evaluation run and the report analyses of one record, in memory.
//
//   evaluation_bench            (see README "Benchmarks")
//
// EvaluateRecord is one click of "Vyhodnotit" on a record already in the
// buffer: checks, 14 conversions, sums, reference texts, composite lookups
// and the subtest means (target < 1 ms). AnalyseRecord is what the report
// works out besides: the strengths table, the comparisons and the process
// scores.
#include "BenchSupport.h"
#include "evaluation/EvaluationRun.h"
#include "norms/CompiledNorms.h"
#include "report/ReportAnalyses.h"

#include <benchmark/benchmark.h>

using namespace iksa;

namespace {

// One stored examinee of 30 years with a raw score in every subtest and the
// process-score entries filled, over real tables in a temporary directory.
struct OneRecord : bench::StoredExaminee {
    OneRecord()
        : StoredExaminee({{"VEK", "30"},      {"HS_1_DO", "17"},   {"HS_2_SL", "40"},
                          {"HS_3_CSK", "80"}, {"HS_4_POD", "20"},  {"HS_5_KOS", "40"},
                          {"HS_6_POC", "13"}, {"HS_7_MAT", "17"},  {"HS_8_OPA", "17"},
                          {"HS_9_INF", "16"}, {"HS_10_ROB", "12"}, {"HS_11_POR", "20"},
                          {"HS_12_HS", "33"}, {"HS_13_RPC", "11"}, {"HS_14_SO", "30"},
                          {"RAD_DOP_8", "6"}, {"RAD_DOZ_8", "4"},  {"PAR_3", "12"},
                          {"VOL_VYB_3", "7"}, {"C_HS_OP_3", "100"}}) {}
};

void EvaluateRecord(benchmark::State& state) {
    OneRecord one;
    EvaluationRun run(one.record, one.options, one.page, one.messages);
    for (auto _ : state)
        benchmark::DoNotOptimize(run.Button2Click());
}
BENCHMARK(EvaluateRecord)->Unit(benchmark::kMicrosecond);

void AnalyseRecord(benchmark::State& state) {
    OneRecord one;
    EvaluationRun(one.record, one.options, one.page, one.messages).Button2Click();
    const NormSet& norms = compiledNormSet();
    for (auto _ : state) {
        const ReportAnalyses analyses =
            analyseReport(one.record, one.options, one.page, one.messages, norms);
        benchmark::DoNotOptimize(analyses.strengths.rows[0].frequency);
    }
}
BENCHMARK(AnalyseRecord)->Unit(benchmark::kMicrosecond);

} // namespace
