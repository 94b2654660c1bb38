// Reading design files whose size lies in one long line, from 64 KiB up to the
// 16 MiB a design file may hold: the reader's time must grow with the file's
// length, not with its square. Each file goes through the whole read path
// (bytes, decoding, records, placing, the mismatch report) on a small window.
#include "QuietHosts.h"
#include "shell/T_colData.h"
#include "shell/clsRegisty.h"

#include "dialogs/DialogProvider.h"
#include "forms/Forms.h"
#include "forms/Layout.h"
#include "registry/Store.h"
#include "support/TemporaryFolder.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using benchmarks::QuietHost;
using benchmarks::QuietLog;

// Answers a message box with its first button and cancels every other dialog,
// so that a file the reader tells about never waits for a user.
class QuietDialogs : public dialogs::DialogProvider {
public:
    int messageBox(const dialogs::MessageBoxRequest&) override { return dialogs::ButtonOK; }
    dialogs::CheckableMessageAnswer checkableMessage(const dialogs::CheckableMessageRequest&) override { return {}; }
    dialogs::FileDialogAnswer fileDialog(const dialogs::FileDialogRequest&) override { return {}; }
    dialogs::FontDialogAnswer fontDialog(const dialogs::FontDialogRequest&) override { return {}; }
    dialogs::ColorDialogAnswer colorDialog(const dialogs::ColorDialogRequest&) override { return {}; }
    dialogs::PrinterDialogAnswer printerDialog(const dialogs::PrinterDialogRequest&) override { return {}; }
    dialogs::FolderDialogAnswer folderDialog(const dialogs::FolderDialogRequest&) override { return {}; }
};

const std::vector<forms::ControlSpec> mainLayout = {
    {.kind = forms::ControlKind::TextBox, .name = "txtPARad", .dataField = "r"},
    {.kind = forms::ControlKind::TextBox, .name = "txtPADeg", .dataField = "d"},
    {.kind = forms::ControlKind::Label, .name = "lblRunNotes", .dataField = "n"},
};

// `unit` repeated up to `size` bytes, after `head`.
std::string repeated(const std::string& head, const std::string& unit, std::size_t size)
{
    std::string text = head;
    text.reserve(size + unit.size());
    while (text.size() + unit.size() <= size)
        text += unit;
    return text;
}

using FileMaker = std::function<std::string(std::size_t)>;

void readOneLine(benchmark::State& state, const FileMaker& make)
{
    QuietDialogs quietDialogs;
    dialogs::ScopedDialogProvider scopedDialogs(quietDialogs);
    TemporaryFolder folder;
    registry::Store store{folder.file("registry.sqlite3")};
    QuietLog log;
    cindrel::shell::clsRegisty settings{log, store, folder.path().string()};
    settings.FileVersionCheck(1); // the mismatch report is built too
    QuietHost host;
    forms::Forms windows;
    windows.define(QStringLiteral("frmMain"), [](forms::Form& form) { forms::buildLayout(form, mainLayout); });
    windows[QStringLiteral("frmMain")].load();
    const std::string path = folder.file("long.cnd").string();
    const std::string content = make(static_cast<std::size_t>(state.range(0)));
    std::ofstream(path, std::ios::binary) << content;
    cindrel::shell::T_colData files(windows, settings, host, folder.file("Cindrel.def").string(), path);
    for (auto _ : state) {
        std::string name = path;
        benchmark::DoNotOptimize(files.ReadFile(name));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * content.size()));
}

// One record of many quoted fields: key, value, key, value...
void readQuotedFieldsOnOneLine(benchmark::State& state)
{
    readOneLine(state, [](std::size_t size) { return repeated({}, "\"frmMain_txtPARad\",\"v\",", size); });
}

// Bare fields: the same line without its quotes.
void readBareFieldsOnOneLine(benchmark::State& state)
{
    readOneLine(state, [](std::size_t size) { return repeated({}, "frmMain_txtPARad,v,", size); });
}

// A value whose quote never closes, with quotes inside it that close nothing.
void readUnclosedValueOnOneLine(benchmark::State& state)
{
    readOneLine(state, [](std::size_t size) { return repeated("\"frmMain_txtPARad\",\"", "a\"b", size); });
}

// Notes of the whole size, in one label.
void readLongNotes(benchmark::State& state)
{
    readOneLine(state, [](std::size_t size) {
        return repeated("\"frmMain_lblRunNotes\",\"", "notes~crlf", size - 1) + "\"";
    });
}

// A record per line, each of another key the program does not know.
void readManyUnknownKeys(benchmark::State& state)
{
    readOneLine(state, [](std::size_t size) {
        std::string text;
        for (long key = 0;; ++key) {
            const std::string line = "\"frmMain_txtGone" + std::to_string(key) + "\",\"1\"\r\n";
            if (text.size() + line.size() > size)
                return text;
            text += line;
        }
    });
}

constexpr std::int64_t Smallest = 64 << 10;
constexpr std::int64_t Largest = 16 << 20;

BENCHMARK(readQuotedFieldsOnOneLine)->RangeMultiplier(4)->Range(Smallest, Largest)->Unit(benchmark::kMillisecond);
BENCHMARK(readBareFieldsOnOneLine)->RangeMultiplier(4)->Range(Smallest, Largest)->Unit(benchmark::kMillisecond);
BENCHMARK(readUnclosedValueOnOneLine)->RangeMultiplier(4)->Range(Smallest, Largest)->Unit(benchmark::kMillisecond);
BENCHMARK(readLongNotes)->RangeMultiplier(4)->Range(Smallest, Largest)->Unit(benchmark::kMillisecond);
BENCHMARK(readManyUnknownKeys)->RangeMultiplier(4)->Range(Smallest, Largest)->Unit(benchmark::kMillisecond);

} // namespace
