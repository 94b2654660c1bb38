#include "shell/T_RegistryIO.h"
#include "support/TemporaryFolder.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

class SilentRunLog : public runtime::RunLog {
public:
    void writeRunNote(std::string_view) override {}
    void reportError(std::string_view, std::string_view, std::string_view, std::string_view, std::string_view) override {}
};

// A settings object as the program holds one: base path set, values present.
struct Fixture {
    TemporaryFolder folder; // outlives the store opened in it
    SilentRunLog log;
    std::unique_ptr<registry::Store> store;
    std::unique_ptr<cindrel::shell::T_RegistryIO> io;

    Fixture()
    {
        store = std::make_unique<registry::Store>(folder.file("registry.sqlite3"));
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
