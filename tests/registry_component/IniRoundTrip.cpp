#include "IniRoundTrip.h"

#include "ComponentFixture.h"

#include "support/FileText.h"

using namespace brimlock;
using namespace component;

IniSnapshot snapshot(IINIFile& file)
{
    IniSnapshot content;
    std::vector<std::string> sections;
    file.SectionNames(&sections);
    for (const std::string& section : sections) {
        auto& keys = content[section];
        std::vector<std::string> names;
        file.KeyNames(section, &names);
        for (const std::string& key : names)
            file.GetString(section, key, "<missing>", &keys[key]);
    }
    return content;
}

std::string iniRoundTripFailure(std::string_view bytes, const std::filesystem::path& folder)
{
    const auto input = folder / "input.ini";
    writeBytes(input, std::string(bytes));
    auto first = newIniFile();
    const HResult opened = first->Open(input.string());
    const bool utf16 = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
    if (opened != (utf16 ? errorResult(message::IniFileError) : S_OK))
        return "Open gave " + std::to_string(opened);
    if (utf16)
        return {};

    std::string saved[3];
    IniSnapshot held[3];
    auto file = std::move(first);
    for (int round = 0; round < 3; ++round) {
        held[round] = snapshot(*file);
        const auto path = folder / ("saved" + std::to_string(round) + ".ini");
        if (file->Save(path.string()) != S_OK)
            return "Save failed in round " + std::to_string(round);
        saved[round] = testsupport::fileText(path);
        file = newIniFile();
        if (file->Open(path.string()) != S_OK)
            return "a saved file does not open in round " + std::to_string(round);
    }
    if (held[1] != held[0] || held[2] != held[0])
        return "the Gets changed through Save and Open";
    if (saved[2] != saved[0])
        return "a saved file opened and saved twice changed";
    return {};
}
