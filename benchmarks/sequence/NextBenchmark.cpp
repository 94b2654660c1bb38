// One Next on each step of a full design (helical, both members hobbed,
// factors on the main window), with the program's step handlers on the real
// gear pair model and recording fakes of the windows. The goal: the slowest
// step's Next under 16 ms.

#include "design_program/model/ReferencePairs.h"
#include "design_program/sequence/RatingStepsFixture.h"

#include <benchmark/benchmark.h>

namespace {

using namespace cindrel;
using namespace cindrel::sequence;

const char* const fullPath[] = {
    "Startup Screen", "Main Inputs", "Center Distance", "Tooth Thickness", "Tooth Proportions", "Pinion Hob",
    "Gear Hob", "Agma on Main", "Horsepower and CP", "Scoring and SubShear Inputs",
};

model::testing::PairInputs helical()
{
    model::testing::PairInputs inputs;
    inputs.helixAngleDegrees = 15;
    return inputs;
}

// The same pair on the panels of every step that reads one; the load,
// rating and lubrication panels hold steel at 10 hp and 1750 rpm and the
// default lubrication, and the last step runs the three contact analyses.
struct Design : testing::RatingStepsFixture {
    Design() : RatingStepsFixture(helical())
    {
        fillFirstStepPanels(helical());
        // Both members hobbed, the factors on the main window.
        set("lblFilletType", "1", 0);
        set("lblFilletType", "1", 1);
        start(5, designSteps());
    }
};

void BM_NextOnStep(benchmark::State& state)
{
    const auto step = static_cast<std::size_t>(state.range(0));
    Design design;
    for (std::size_t i = 0; i < step; ++i)
        design.next();
    if (design.current() != fullPath[step]) {
        state.SkipWithError("the design does not reach the step");
        return;
    }
    state.SetLabel(fullPath[step]);
    for (auto _ : state) {
        design.next();
        state.PauseTiming();
        design.previous();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_NextOnStep)->DenseRange(0, 9)->Unit(benchmark::kMicrosecond);

// "Tooth Proportions" without hob steps and with the factors in the AGMA
// factors window: both J factors, I and the hand-over in the one Next.
void BM_NextOnToothProportionsWithoutHobs(benchmark::State& state)
{
    Design design;
    design.set("lblFilletType", "0", 0);
    design.set("lblFilletType", "0", 1);
    design.set("chkAGMA", "1");
    for (int i = 0; i < 4; ++i)
        design.next();
    if (design.current() != "Tooth Proportions") {
        state.SkipWithError("the design does not reach the step");
        return;
    }
    for (auto _ : state) {
        design.next();
        state.PauseTiming();
        if (design.current() != "AGMA Factors") {
            state.SkipWithError("the step does not advance");
            break;
        }
        design.navigator->PushNextButton(2);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_NextOnToothProportionsWithoutHobs)->Unit(benchmark::kMicrosecond);

// Finish from the start to the last step, ten Nexts in one.
void BM_FinishWholeDesign(benchmark::State& state)
{
    Design design;
    for (auto _ : state) {
        design.finish();
        state.PauseTiming();
        if (design.current() != "Scoring and SubShear Graphs") {
            state.SkipWithError("Finish did not reach the last step");
            break;
        }
        design.navigator->BeginNew();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FinishWholeDesign)->Unit(benchmark::kMicrosecond);

} // namespace
