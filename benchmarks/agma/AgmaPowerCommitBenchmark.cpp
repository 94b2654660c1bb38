// The AGMA factors window on the offscreen platform: selecting the
// "Horsepower" tab (tab tests, the allowable power and its labels) and a
// commit into the pair and a main window.
#include "agma/frmAGMA.h"

#include "design_program/model/RecordingShell.h"
#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Forms.h"
#include "forms/Frame.h"
#include "forms/TabStrip.h"
#include "forms/TextBox.h"
#include "forms/TreeView.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"
#include "support/TemporaryFolder.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

class Quiet : public runtime::RunLog {
public:
    void writeRunNote(std::string_view) override {}
    void reportError(std::string_view, std::string_view, std::string_view, std::string_view,
                     std::string_view) override {}
};

QString q(const char* text) { return QString::fromLatin1(text); }

// The window shown with both members' materials and a main window to commit into.
struct Bench {
    TemporaryFolder folder;
    Quiet quiet;
    cindrel::model::testing::RecordingShell shell;
    cindrel::model::T_Set pair{shell};
    std::unique_ptr<forms::Forms> windows = std::make_unique<forms::Forms>();
    std::unique_ptr<cindrel::agma::frmAGMA> window;
    int moves = 0;

    Bench()
    {
        windows->define(q("frmMain"), [](forms::Form& main) {
            for (const char* name : {"txtCf", "txtKm", "txtKo", "txtKr", "txtKs", "txtKt", "txtKV", "txtCh",
                                     "lblPowerHowInput", "txtPowerInput1", "txtPowerInput2", "txtSurfaceFinish",
                                     "lblKmString"})
                main.add<forms::TextBox>({q(name), -1});
            for (int i : {0, 1})
                for (const char* name : {"txtSAC", "txtSAT", "txtKb", "txtSf", "txtSh", "txtYn", "txtZn",
                                         "txtYoungsModulus", "txtPoissonRatio", "lblMaterial"})
                    main.add<forms::TextBox>({q(name), i});
            main.add<forms::Frame>({q("fraAGMA_HPs"), -1});
        });
        (*windows)[q("frmMain")].load();
        (*windows)[q("frmMain")].get<forms::TextBox>(q("lblPowerHowInput")).setText(q("1"));
        pair.member(0).aaNumberOfTeeth(20);
        pair.member(1).aaNumberOfTeeth(50);
        cindrel::agma::AgmaWindowServices services;
        services.runLog = &quiet;
        services.programFolder = [this] { return folder.path(); };
        services.showEquation = [] { return true; };
        services.pair = [this] { return &pair; };
        services.pushNextButton = [this](std::int32_t) { ++moves; };
        window = std::make_unique<cindrel::agma::frmAGMA>(*windows, std::move(services));
        forms::Form& form = window->form();
        form.show();
        auto& tree = form.get<forms::TreeView>(q("TreeView"));
        for (int member : {0, 1}) {
            form.get<forms::CommandButton>(q("cmdPoG"), member).click();
            tree.select(q("3a"));
            tree.onNodeClick(q("3a"));
        }
        QCoreApplication::processEvents();
    }
    ~Bench()
    {
        window.reset();
        windows.reset();
    }
    forms::TabStrip& tabs() { return window->form().get<forms::TabStrip>(q("tabMain")); }
};

void SelectingHorsepower(benchmark::State& state)
{
    Bench bench;
    bench.tabs().setSelectedTab(7);
    for (auto _ : state) {
        bench.tabs().setSelectedTab(8);
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (bench.tabs().selectedTab() != 8)
            state.SkipWithError("the power was not calculated");
        bench.tabs().setSelectedTab(7);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(SelectingHorsepower)->Unit(benchmark::kMillisecond);

void CommitIntoPairAndMainWindow(benchmark::State& state)
{
    Bench bench;
    bench.tabs().setSelectedTab(8);
    for (auto _ : state) {
        bench.window->CommitFactors(1);
        QCoreApplication::processEvents();
    }
    if (bench.moves == 0)
        state.SkipWithError("no commit moved the sequence");
}
BENCHMARK(CommitIntoPairAndMainWindow)->Unit(benchmark::kMillisecond);

} // namespace
