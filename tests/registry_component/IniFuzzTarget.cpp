#include "IniRoundTrip.h"

#include "support/TemporaryFolder.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// libFuzzer entry point: any bytes must survive the INI round trip.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TemporaryFolder folder;
    const std::string failure =
        iniRoundTripFailure(std::string_view(reinterpret_cast<const char*>(data), size), folder.path());
    if (!failure.empty()) {
        std::fprintf(stderr, "%s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
