#include "design_program/model/RecordingShell.h"
#include "design_program/model/ReferencePairs.h"

#include "model/T_Gear.h"
#include "model/T_Hob.h"
#include "model/T_Set.h"

#include <benchmark/benchmark.h>

namespace {

using cindrel::model::T_Gear;
using cindrel::model::T_Set;
namespace testing = cindrel::model::testing;

enum Routine { FullCircular, Trochoidal, Agma };
enum ReferencePair { Spur, Helical, Internal };

// One J routine on one member of a reference pair, standard hob, no trace.
void jFactor(benchmark::State& state) {
    const auto routine = static_cast<Routine>(state.range(0));
    const auto reference = static_cast<ReferencePair>(state.range(1));
    const int member = static_cast<int>(state.range(2));
    testing::RecordingShell shell;
    T_Set pair(shell);
    testing::setUpPair(pair, reference == Spur      ? testing::spurPairInputs()
                             : reference == Helical ? testing::helicalPairInputs()
                                                    : testing::internalPairInputs());
    T_Gear& gear = pair.member(member);
    gear.oHob->SetDefaultHob(1);
    for (auto _ : state) {
        const double j = routine == FullCircular ? gear.FullCircularFilletJFactor()
                         : routine == Trochoidal ? gear.ZRK_Trochoidal_JFactor()
                                                 : gear.AGMA_JFactor(0);
        benchmark::DoNotOptimize(j);
    }
    state.SetLabel(std::string(routine == FullCircular ? "full-circular " : routine == Trochoidal ? "trochoidal " : "AGMA ") +
                   (reference == Spur ? "spur " : reference == Helical ? "helical " : "internal ") +
                   (member == 0 ? "pinion" : "gear"));
}

BENCHMARK(jFactor)->ArgsProduct({{FullCircular, Trochoidal, Agma}, {Spur, Helical, Internal}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

} // namespace
