// FillGridFromStates from every done step of a full helical design with both
// hobs: nine printed sections, about 190 rows, each formatted, the column
// widths set and the row heights measured, in a shown window.
#include "design_program/outputs/OutputsFakes.h"

#include "outputs/ScreenOutputWindow.h"
#include "outputs/clsQXOutputs.h"

#include "forms/Forms.h"
#include "grid/Grid.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace outputstest;
using cindrel::results::Cell;

// A step's table shaped as the results tables are: mostly values of the
// pair, some per member, a text row now and then, a few red or bold cells.
ResultTable stepTable(const std::string& prefix, int rows)
{
    std::vector<std::vector<Cell>> cells;
    for (int row = 0; row < rows; ++row) {
        const std::string key = prefix + "_" + std::to_string(row);
        const std::int16_t kind = row % 9 == 8 ? cindrel::results::RowKindText : row % 3 == 0 ? 0 : 1;
        const std::string pinion = std::to_string(0.2 + row * 0.013).substr(0, 5) + " / 0.202";
        const std::string gear = kind == 0 ? std::to_string(0.3 + row * 0.017).substr(0, 5) : pinion;
        const std::string description =
            kind == cindrel::results::RowKindText
                ? pinion
                : "(in) Transverse tooth thickness at the operating circle, row " + std::to_string(row);
        cells.push_back({key, pinion, kind == cindrel::results::RowKindText ? pinion : gear, description, kind,
                         std::int16_t(row % 11 == 5 ? 15 : 0), std::int16_t(row % 7 == 3 ? 8 : 0), std::int16_t{0}});
    }
    return tableOf(cells);
}

struct FullDesign {
    FullDesign()
    {
        done.add("Startup Screen", "", "", std::nullopt, false);
        done.add("Main Inputs", "Main Inputs", "btnMainInputs", stepTable("MI", 16));
        done.add("Center Distance", "Center Distance", "btnCenterDistance", stepTable("CD", 11));
        done.add("Tooth Thickness", "Tooth Thickness", "btnToothThickness", stepTable("TT", 13));
        done.add("Tooth Proportions", "Tooth Proportions", "btnToothProp", stepTable("TP", 24));
        done.add("Pinion Hob", "Hob Information", "btnHobInfo", stepTable("PH", 22), false);
        done.add("Gear Hob", "Hob Information", "btnHobInfo", stepTable("GH", 22));
        done.add("Horsepower and CP", "Horsepower and Elasticity Coefficient", "btnToothLoad", stepTable("HP", 18));
        done.add("Agma on Main", "AGMA Factors", "btnAGMA", stepTable("AG", 32));
        done.add("Scoring and SubShear Inputs", "Scoring and SubShear", "btnScoring", stepTable("SC", 28));
        host.steps = &done.collection;
        host.places["frmScreenOutput"] = {100, 100, 9600, 7200, 0};
        cindrel::outputs::defineScreenOutputWindow(windows, host);
        outputs = std::make_unique<clsQXOutputs>(host, windows);
        host.outputs = outputs.get();
        outputs->ShowScreenOutputs(-1);
        QCoreApplication::processEvents();
    }
    ~FullDesign()
    {
        host.outputs = nullptr;
        outputs.reset();
    }

    RecordingHost host;
    DoneSteps done;
    forms::Forms windows;
    std::unique_ptr<clsQXOutputs> outputs;
};

void BM_FillGridFromStates(benchmark::State& state)
{
    FullDesign design;
    for (auto _ : state) {
        design.outputs->FillGridFromStates(design.done.collection, false);
        benchmark::DoNotOptimize(design.outputs->TotalRowHeight());
    }
    state.counters["rows"] = design.windows.find(QStringLiteral("frmScreenOutput"))
                                 ->get<grid::Grid>(QStringLiteral("grdOutputs"))
                                 .rowCount();
}
BENCHMARK(BM_FillGridFromStates)->Unit(benchmark::kMillisecond);

} // namespace
