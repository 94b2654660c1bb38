// The AGMA factors window on the offscreen platform: a material click, which
// rewrites every box of the material page and those that follow from it,
// and the material tree filled with the built-in rows and a user table.
#include "agma/frmAGMA.h"

#include "agma/AGMA_Materials.h"
#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Forms.h"
#include "forms/TabStrip.h"
#include "forms/TreeView.h"
#include "support/TemporaryFolder.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

namespace {

class Quiet : public runtime::RunLog, public cindrel::agma::MaterialMessages {
public:
    void writeRunNote(std::string_view) override {}
    void reportError(std::string_view, std::string_view, std::string_view, std::string_view,
                     std::string_view) override {}
    void showMaterialsMessage(std::string_view) override {}
};

// A user table of 1,000 rows: ten groups under one top node, the rest spread below them.
void writeThousandRowTable(const std::filesystem::path& path)
{
    std::ofstream file(path, std::ios::binary);
    file << "Shop materials\r\nheader 2\r\nheader 3\r\nheader 4\r\n";
    for (int id = 0; id < 1000; ++id) {
        file << id << ',';
        if (id > 0)
            file << (id <= 10 ? 0 : (id - 1) / 10);
        file << ',' << (id > 0 ? 4 : 0) << ",Material " << id
             << ",Through Hardened steel,Shop,30000000,0.3,322,29100,,77.3,12800,,482,-32800,100,650,,BHN,Note";
        for (int field = 21; field < 40; ++field)
            file << ',';
        file << "\r\n";
    }
}

void MaterialClickOnTheWindow(benchmark::State& state)
{
    TemporaryFolder folder;
    Quiet quiet;
    auto windows = std::make_unique<forms::Forms>();
    cindrel::agma::AgmaWindowServices services;
    services.runLog = &quiet;
    services.programFolder = [&folder] { return folder.path(); };
    services.showEquation = [] { return true; };
    auto window = std::make_unique<cindrel::agma::frmAGMA>(*windows, std::move(services));
    forms::Form& form = window->form();
    form.show();
    form.get<forms::TabStrip>(QStringLiteral("tabMain")).setSelectedTab(1);
    // Both members through hardened, so that Ch, Cp and the source lines follow too.
    auto& tree = form.get<forms::TreeView>(QStringLiteral("TreeView"));
    const auto click = [&](int member, const QString& key) {
        form.get<forms::CommandButton>(QStringLiteral("cmdPoG"), member).click();
        tree.select(key);
        tree.onNodeClick(key);
    };
    click(1, QStringLiteral("3a"));
    QCoreApplication::processEvents();
    bool second = false;
    for (auto _ : state) {
        click(0, second ? QStringLiteral("4a") : QStringLiteral("3a"));
        QCoreApplication::processEvents();
        second = !second;
    }
    windows.reset();
    window.reset();
}
BENCHMARK(MaterialClickOnTheWindow)->Unit(benchmark::kMillisecond);

void TreeFilledWithBuiltInRowsAndAThousandRowFile(benchmark::State& state)
{
    TemporaryFolder folder;
    writeThousandRowTable(folder.file("shop.tbl"));
    Quiet quiet;
    const cindrel::agma::MaterialsTable table = cindrel::agma::LoadMaterials(folder.path(), quiet, quiet);
    if (table.rowCount() != 1065)
        state.SkipWithError("the user table was not taken");
    forms::Form form(QStringLiteral("frmTree"), [](forms::Form& f) {
        f.add<forms::TreeView>({QStringLiteral("TreeView")}).move(0, 0, 3600, 3000);
    });
    form.load();
    auto& tree = form.get<forms::TreeView>(QStringLiteral("TreeView"));
    for (auto _ : state) {
        cindrel::agma::fillMaterialTree(tree, table);
        benchmark::DoNotOptimize(tree.nodeCount());
    }
    state.counters["nodes"] = tree.nodeCount();
}
BENCHMARK(TreeFilledWithBuiltInRowsAndAThousandRowFile)->Unit(benchmark::kMillisecond);

} // namespace
