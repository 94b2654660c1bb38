// Writing and reading a whole design (175 saved controls on three windows) on
// the offscreen platform, with the recent-files list stored in the settings
// store on disk as the program does after each.
#include "QuietHosts.h"
#include "shell/T_colData.h"
#include "shell/clsRegisty.h"

#include "forms/Forms.h"
#include "forms/Layout.h"
#include "registry/Store.h"
#include "support/FileText.h"
#include "support/TemporaryFolder.h"


#include <benchmark/benchmark.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using benchmarks::QuietHost;
using benchmarks::QuietLog;

// The three design windows with a control for every record of the design, created
// in the reverse of the file's order, so that the collection gives the file's keys.
void defineDesignWindows(forms::Forms& windows, const std::string& design)
{
    std::map<QString, std::vector<forms::ControlSpec>> layouts;
    std::vector<std::string> lines;
    std::istringstream in(design);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::set<std::string> arrays;
    for (const std::string& line : lines) {
        const std::string key = line.substr(1, line.find('"', 1) - 1);
        if (const auto hash = key.find('#'); hash != std::string::npos)
            arrays.insert(key.substr(0, hash));
    }
    std::map<std::string, std::set<int>> used;
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        const std::string key = line->substr(1, line->find('"', 1) - 1);
        const std::string value = line->substr(key.size() + 3);
        const std::size_t underscore = key.find('_');
        const std::size_t hash = key.find('#');
        const std::string base = key.substr(0, hash);
        forms::ControlSpec spec;
        spec.name = QString::fromStdString(base.substr(underscore + 1, hash - underscore - 1));
        if (hash != std::string::npos) {
            spec.index = std::stoi(key.substr(hash + 1));
        } else if (arrays.contains(base)) {
            // The array member holding the bare key: the lowest index not yet used.
            while (used[base].contains(spec.index + 1))
                ++spec.index;
            ++spec.index;
        }
        if (spec.index >= 0)
            used[base].insert(spec.index);
        spec.kind = !value.starts_with('"')              ? forms::ControlKind::CheckBox
                    : spec.name.startsWith(QStringLiteral("lbl")) ? forms::ControlKind::Label
                                                                  : forms::ControlKind::TextBox;
        spec.dataField = QString::fromStdString(key);
        layouts[QString::fromStdString(key.substr(0, underscore))].push_back(spec);
    }
    for (auto& [name, layout] : layouts) {
        windows.define(name, [layout](forms::Form& form) { forms::buildLayout(form, layout); });
        windows[name].load();
    }
}

struct DesignFiles {
    DesignFiles()
    {
        design = testsupport::fileText(GOLDEN_DESIGN);
        defineDesignWindows(windows, design);
        path = folder.file("pair.cnd").string();
        std::ofstream(path, std::ios::binary) << design;
        files = std::make_unique<cindrel::shell::T_colData>(windows, settings, host,
                                                            folder.file("Cindrel.def").string(), path);
    }

    TemporaryFolder folder;
    registry::Store store{folder.file("registry.sqlite3")};
    QuietLog log;
    cindrel::shell::clsRegisty settings{log, store, folder.path().string()};
    QuietHost host;
    forms::Forms windows;
    std::string design;
    std::string path;
    std::unique_ptr<cindrel::shell::T_colData> files;
};

void writeDesignFile(benchmark::State& state)
{
    DesignFiles setup;
    if (setup.files->keys().size() != 175)
        state.SkipWithError("the windows do not hold the 175 saved controls");
    for (auto _ : state)
        if (!setup.files->FileSave())
            state.SkipWithError("the design was not written");
    if (testsupport::fileText(setup.path) != setup.design)
        state.SkipWithError("the design file was not written back byte for byte");
}
BENCHMARK(writeDesignFile)->Unit(benchmark::kMillisecond);

void readDesignFile(benchmark::State& state)
{
    DesignFiles setup;
    for (auto _ : state) {
        std::string name = setup.path;
        if (!setup.files->ReadFile(name))
            state.SkipWithError("the design was not read");
    }
}
BENCHMARK(readDesignFile)->Unit(benchmark::kMillisecond);

} // namespace
