// Start-up of the design program, from Main to the main window shown, on the
// offscreen platform: the disclaimer, "I Agree" with run notes on, and every
// object and window of the start-up order, with the settings store on disk.
#include "shell/Startup.h"

#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "registry/Store.h"
#include "shell/ProgramFolders.h"
#include "support/TemporaryFolder.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

void startUpToTheMainWindow(benchmark::State& state, bool showRunNotes)
{
    TemporaryFolder folder;
    std::filesystem::create_directories(folder.file("program"));
    std::filesystem::copy_file(CINDREL_DEFAULT_DESIGN, folder.file("program") / "Cindrel.def");
    shellservices::setProgramFolderOverride(QString::fromStdString(folder.file("program").string()));
    shellservices::setUserDataFolderOverride(QString::fromStdString(folder.file("user").string()));
    registry::Store store(folder.file("registry.sqlite3"));
    for (auto _ : state) {
        state.PauseTiming();
        auto startup = std::make_unique<cindrel::shell::Startup>(store, [](int) {});
        state.ResumeTiming();

        startup->Main();
        forms::Form& disclaimer = startup->windows()[QStringLiteral("frmDisclaimer")];
        disclaimer.get<forms::CheckBox>(QStringLiteral("chkDebugMode")).setCheckValue(showRunNotes ? 1 : 0);
        disclaimer.get<forms::CommandButton>(QStringLiteral("cmdAgree"), 1).click();
        QCoreApplication::processEvents();
        if (!startup->windows()[QStringLiteral("frmMain")].visible())
            state.SkipWithError("the main window is not shown");

        state.PauseTiming();
        startup->ShutDown();
        startup.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    shellservices::setProgramFolderOverride({});
    shellservices::setUserDataFolderOverride({});
}

void BM_StartupWithRunNotes(benchmark::State& state) { startUpToTheMainWindow(state, true); }
void BM_StartupWithoutRunNotes(benchmark::State& state) { startUpToTheMainWindow(state, false); }

BENCHMARK(BM_StartupWithRunNotes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupWithoutRunNotes)->Unit(benchmark::kMillisecond);

} // namespace
