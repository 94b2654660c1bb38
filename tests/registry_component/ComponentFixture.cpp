#include "ComponentFixture.h"

#include "support/TemporaryFolder.h"

#include <cstdlib>
#include <fstream>
#include <memory>

namespace {

struct TestStore {
    TemporaryFolder folder;
    std::filesystem::path file = folder.file("registry.sqlite3");
    TestStore() { setenv("GEARSUITE_REGISTRY", file.c_str(), 1); }
};

// Set up before main runs, so that no store of the process opens anything else.
const TestStore& testStore()
{
    static const TestStore store;
    return store;
}

[[maybe_unused]] const bool storeReady = (testStore(), true);

} // namespace

const std::filesystem::path& testStoreFile()
{
    return testStore().file;
}

void writeBytes(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}
