#include "shell/T_RegistryIO.h"
#include "support/TemporaryFolder.h"

#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>

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

// A store file holding `values` settings of the usual kind (short names,
// short texts) spread over keys of ten values each, as windows and lists keep
// them; its size is reported with each result.
struct StoreOfSize {
    TemporaryFolder folder;
    std::filesystem::path file = folder.file("registry.sqlite3");

    explicit StoreOfSize(int values)
    {
        registry::Store store(file);
        store.inTransaction([&] {
            for (int i = 0; i < values; ++i) {
                registry::Handle key = 0;
                store.createKey(registry::root::CurrentUser,
                                "Software\\Tesmark\\Cindrel\\Window" + std::to_string(i / 10), registry::access::All,
                                key);
                store.setValue(key, "Setting" + std::to_string(i), registry::Value::text("value " + std::to_string(i)));
                store.closeKey(key);
            }
            return registry::status::Success;
        });
    }

    void reportSize(benchmark::State& state) const
    {
        state.counters["file_kB"] = static_cast<double>(std::filesystem::file_size(file)) / 1024.0;
    }
};

// What the program pays at start: opening the store, with its integrity check.
void OpenStore(benchmark::State& state)
{
    const StoreOfSize stored(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        registry::Store store(stored.file);
        benchmark::DoNotOptimize(&store);
    }
    stored.reportSize(state);
}
BENCHMARK(OpenStore)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The check alone, the full one against the structural one it replaced.
void runCheck(benchmark::State& state, const char* pragma)
{
    const StoreOfSize stored(static_cast<int>(state.range(0)));
    sqlite3* db = nullptr;
    sqlite3_open_v2(stored.file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    for (auto _ : state)
        sqlite3_exec(db, pragma, nullptr, nullptr, nullptr);
    sqlite3_close(db);
    stored.reportSize(state);
}

void IntegrityCheck(benchmark::State& state) { runCheck(state, "PRAGMA integrity_check"); }
BENCHMARK(IntegrityCheck)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void QuickCheck(benchmark::State& state) { runCheck(state, "PRAGMA quick_check"); }
BENCHMARK(QuickCheck)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace
