#include "registry_component/BrimlockRegistry.h"

#include "support/TemporaryFolder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace brimlock;
using namespace component;

namespace {

// A store of its own, named before the component opens any.
const TemporaryFolder& benchFolder()
{
    static TemporaryFolder folder;
    static const bool named = setenv("GEARSUITE_REGISTRY", folder.file("registry.sqlite3").c_str(), 1) == 0;
    (void)named;
    return folder;
}

template <class Interface>
Counted<Interface> create(const ClassId& classId, const InterfaceId& id)
{
    Counted<IClassFactory> factory;
    Counted<Interface> object;
    DllGetClassObject(&classId, &IID_IClassFactory, factory.out());
    factory->CreateInstance(nullptr, id, object.out());
    return object;
}

std::string numbered(const char* prefix, int i)
{
    std::string name = prefix;
    return name.append(std::to_string(i));
}

// One read from an INI file of 1,000 keys in ten sections, opened from disk.
void IniGetString(benchmark::State& state)
{
    const auto path = benchFolder().file("bench.ini").string();
    {
        auto writer = create<IINIFile>(CLSID_INIFile, IID_IINIFile);
        for (int i = 0; i < 1000; ++i)
            writer->SetString(numbered("Section", i % 10), numbered("Key", i), numbered("value of key ", i));
        writer->Save(path);
    }
    auto file = create<IINIFile>(CLSID_INIFile, IID_IINIFile);
    file->Open(path);
    std::string value;
    int i = 0;
    for (auto _ : state) {
        file->GetString(numbered("Section", i % 10), numbered("Key", i), "", &value);
        benchmark::DoNotOptimize(value);
        i = (i + 1) % 1000;
    }
}
BENCHMARK(IniGetString)->Unit(benchmark::kMicrosecond);

// Open of the largest file Open reads, made of the shortest distinct keys:
// what a hostile file can cost a caller in time (and, seen from outside, memory).
void IniOpenAtTheSizeLimit(benchmark::State& state)
{
    const auto path = benchFolder().file("limit.ini").string();
    {
        std::string text = "[s]\n";
        for (int i = 0; text.size() < static_cast<std::size_t>(IniFileSizeLimit); ++i)
            text.append(numbered("", i)).append("=\n");
        text.resize(static_cast<std::size_t>(IniFileSizeLimit));
        FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
    for (auto _ : state) {
        auto file = create<IINIFile>(CLSID_INIFile, IID_IINIFile);
        if (file->Open(path) != S_OK)
            state.SkipWithError("the file at the limit did not open");
    }
}
BENCHMARK(IniOpenAtTheSizeLimit)->Unit(benchmark::kMillisecond);

// One read from the store: open the key, read the value, close it.
void RegistryGetString(benchmark::State& state)
{
    benchFolder();
    auto reg = create<IRegistry>(CLSID_Registry, IID_IRegistry);
    reg->put_BaseKey("Software\\Bench");
    reg->SetString("", "Name", "a value of some length");
    std::string value;
    for (auto _ : state) {
        reg->GetString("", "Name", "", &value);
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(RegistryGetString)->Unit(benchmark::kMicrosecond);

} // namespace
