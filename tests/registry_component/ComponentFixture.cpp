#include "ComponentFixture.h"

#include "support/TemporaryFolder.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
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

std::optional<std::string> fileBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}
