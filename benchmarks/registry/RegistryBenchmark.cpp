#include "shell/T_RegistryIO.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

class SilentRunLog : public runtime::RunLog {
public:
    void writeRunNote(std::string_view) override {}
    void reportError(std::string_view, std::string_view, std::string_view, std::string_view, std::string_view) override {}
};

// A settings object as the program holds one: base path set, values present.
struct Fixture {
    std::filesystem::path folder;
    SilentRunLog log;
    std::unique_ptr<registry::Store> store;
    std::unique_ptr<cindrel::shell::T_RegistryIO> io;

    Fixture()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "registry-bench-XXXXXX").string();
        folder = mkdtemp(pattern.data());
        store = std::make_unique<registry::Store>(folder / "registry.sqlite3");
        io = std::make_unique<cindrel::shell::T_RegistryIO>(log, *store);
        io->Root = static_cast<std::int32_t>(registry::root::CurrentUser);
        io->Path = "Software\\Tesmark\\Cindrel\\";
        io->WriteLong("Preferences", "GraphSizeFont", 10);
        io->WriteString("Preferences", "ScrnOutFontName", "Arial");
    }
    ~Fixture()
    {
        io.reset();
        store.reset();
        std::filesystem::remove_all(folder);
    }
};

void ReadLong(benchmark::State& state)
{
    Fixture fixture;
    for (auto _ : state)
        benchmark::DoNotOptimize(fixture.io->ReadLong("Preferences", "GraphSizeFont", 0));
}
BENCHMARK(ReadLong)->Unit(benchmark::kMicrosecond);

void ReadString(benchmark::State& state)
{
    Fixture fixture;
    for (auto _ : state)
        benchmark::DoNotOptimize(fixture.io->ReadString("Preferences", "ScrnOutFontName", ""));
}
BENCHMARK(ReadString)->Unit(benchmark::kMicrosecond);

// Each write is a committed transaction flushed to disk.
void WriteLong(benchmark::State& state)
{
    Fixture fixture;
    std::int32_t value = 0;
    for (auto _ : state)
        fixture.io->WriteLong("Windows\\frmMain", "Left", ++value);
}
BENCHMARK(WriteLong)->Unit(benchmark::kMicrosecond);

} // namespace
