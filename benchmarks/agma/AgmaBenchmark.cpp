#include "agma/AGMA_Materials.h"
#include "agma/AllowableStresses.h"
#include "agma/DynamicFactor.h"
#include "agma/HardnessRatio.h"
#include "agma/LoadDistribution.h"
#include "agma/MaterialTree.h"
#include "agma/OverloadReliability.h"
#include "agma/StressCycles.h"
#include "support/TemporaryFolder.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

namespace {

using namespace cindrel::agma;

class QuietErrors : public runtime::ErrorReporter, public MaterialMessages {
public:
    void reportError(std::string_view, std::string_view, std::string_view, std::string_view,
                     std::string_view) override {}
    void showMaterialsMessage(std::string_view) override {}
};

// Every factor of one design as the window's handlers work them out: a
// carburized pinion on a through-hardened gear.
void AllFactorsOfADesign(benchmark::State& state) {
    TemporaryFolder folder;
    QuietErrors errors;
    const MaterialsTable table = LoadMaterials(folder.path(), errors, errors);
    const MaterialRecord pinion = table.record(22);
    const MaterialRecord gear = table.record(3);
    for (auto _ : state) {
        benchmark::DoNotOptimize(dynamicFactor(2, 4, "1800", "4.5"));
        benchmark::DoNotOptimize(rimThicknessFactor("0.5625", "0.9"));
        benchmark::DoNotOptimize(rimThicknessFactor("0.5625", "0.6"));
        const CpmOutcome cpm = pinionProportionModifier("1", "10");
        benchmark::DoNotOptimize(loadDistributionFactor({"3", "4.5", 1, true, false, cpm.caption.value()}));
        benchmark::DoNotOptimize(overloadOptionFor(OverloadOptions[3].factor));
        benchmark::DoNotOptimize(reliabilityOptionFor(ReliabilityOptions[2].factor));
        const LifeOutcome life = deriveLife(Hours, {"1800", "3.2", {"", "", "20000"}, {"1", "1"}}, errors);
        benchmark::DoNotOptimize(stressCycleFactors({StressCycleMember{&pinion, *life.life[0], "60", false},
                                                     StressCycleMember{&gear, *life.life[1], "300", true}}));
        benchmark::DoNotOptimize(hardnessRatioFactor(
            {chApplies(&pinion, &gear), {"613", "300"}, "32", "3.2", {&pinion, &gear}}));
        benchmark::DoNotOptimize(elasticCoefficient({"30,000,000", "30,000,000"}, {"0.310", "0.310"}));
        benchmark::DoNotOptimize(stressesForHardness(pinion, "60", false));
        benchmark::DoNotOptimize(stressesForHardness(gear, "300", true));
    }
}
BENCHMARK(AllFactorsOfADesign)->Unit(benchmark::kMicrosecond);

// The window's load: the built-in rows and a user table of 1,000 rows read,
// checked and merged, and the tree's node list made from them.
void LoadTreeNodesWithAThousandUserRows(benchmark::State& state) {
    TemporaryFolder folder;
    {
        std::ofstream file(folder.file("shop.tbl"), std::ios::binary);
        file << "Shop materials\r\nheader\r\nheader\r\nheader\r\n0,,,Shop steels\r\n";
        for (int id = 1; id < 1000; ++id)
            file << id << ",0,4,Steel " << id << ",Through Hardened steel,Shop,30000000,0.3,322,29100,,77.3,12800,"
                 << ",482,-32800,180,400,,BHN,Shop note,10000,10000000,2.466,-0.056,1.4488,-0.023,2.466,-0.056,"
                 << "1000,3000000,666,666,1.3558,-0.0178,1.6831,-0.0323,remark,,\r\n";
    }
    QuietErrors errors;
    if (LoadMaterials(folder.path(), errors, errors).rowCount() != AGMA_Materials::BuiltInRowCount + 1000) {
        state.SkipWithError("the user table was left out");
        return;
    }
    for (auto _ : state) {
        const MaterialsTable table = LoadMaterials(folder.path(), errors, errors);
        benchmark::DoNotOptimize(materialTreeNodes(table));
    }
}
BENCHMARK(LoadTreeNodesWithAThousandUserRows)->Unit(benchmark::kMillisecond);

} // namespace
