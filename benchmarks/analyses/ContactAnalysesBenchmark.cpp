#include "design_program/analyses/AnalysesShell.h"

#include "analyses/T_Deflections.h"
#include "analyses/T_Scoring.h"
#include "analyses/T_SubShear.h"

#include <benchmark/benchmark.h>

namespace {

using namespace cindrel;
using model::testing::PairInputs;

// The three analyses of one pair as the analyses step runs them: reports
// off, the deflection dumps written into memory.
template <PairInputs (*Inputs)()>
void BM_ThreeAnalyses(benchmark::State& state) {
    analyses::testing::AnalysedPair analysed;
    model::testing::setUpPair(analysed.pair, Inputs());
    analyses::T_Scoring& scoring = analyses::scoringOf(analysed.pair);
    analyses::T_SubShear& subShear = analyses::subShearOf(analysed.pair);
    analyses::T_Deflections& deflection = analyses::deflectionOf(analysed.pair);
    for (auto _ : state) {
        benchmark::DoNotOptimize(scoring.GoScoring());
        benchmark::DoNotOptimize(subShear.GoSubShear());
        benchmark::DoNotOptimize(deflection.DeflectionsData());
        analysed.shell.notes.clear();
    }
}

template <PairInputs (*Inputs)(), int Analysis>
void BM_OneAnalysis(benchmark::State& state) {
    analyses::testing::AnalysedPair analysed;
    model::testing::setUpPair(analysed.pair, Inputs());
    for (auto _ : state) {
        if constexpr (Analysis == 0)
            benchmark::DoNotOptimize(analyses::scoringOf(analysed.pair).GoScoring());
        else if constexpr (Analysis == 1)
            benchmark::DoNotOptimize(analyses::subShearOf(analysed.pair).GoSubShear());
        else
            benchmark::DoNotOptimize(analyses::deflectionOf(analysed.pair).DeflectionsData());
        analysed.shell.notes.clear();
    }
}

using model::testing::helicalPairInputs;
using model::testing::spurPairInputs;

BENCHMARK(BM_ThreeAnalyses<spurPairInputs>)->Name("ThreeAnalyses/spur")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ThreeAnalyses<helicalPairInputs>)->Name("ThreeAnalyses/helical")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OneAnalysis<spurPairInputs, 0>)->Name("Scoring/spur")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OneAnalysis<spurPairInputs, 1>)->Name("SubShear/spur")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OneAnalysis<spurPairInputs, 2>)->Name("Deflection/spur")->Unit(benchmark::kMicrosecond);

} // namespace
