#include "ComponentFixture.h"
#include "IniRoundTrip.h"

#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <random>

using namespace brimlock;
using namespace component;

namespace {

// Pieces that meet every rule of the format: brackets, "=", white space,
// line ends, NUL, letters of both cases and bytes beyond ASCII.
const std::string Pieces[] = {"[", "]", "=", " ", "\t", "\r", "\n", "\r\n", std::string(1, '\0'), "a", "A", "z",
                              "key", "\xC3\xA9", "\xFF", ";", "||", "\xEF\xBB\xBF", "\v"};

std::string randomText(std::mt19937& random, int maxPieces)
{
    std::string text;
    const int count = std::uniform_int_distribution<int>(0, maxPieces)(random);
    for (int i = 0; i < count; ++i)
        text += Pieces[std::uniform_int_distribution<std::size_t>(0, std::size(Pieces) - 1)(random)];
    return text;
}

} // namespace

TEST(IniRandomized, SetSaveOpenGiveTheSameGets)
{
    TemporaryFolder folder;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        auto file = newIniFile();
        const std::string marker = seed % 2 ? "||" : "";
        file->put_LineBreakMarker(marker);
        for (int step = 0; step < 60; ++step) {
            const std::string section = randomText(random, 2);
            const std::string key = randomText(random, 3);
            switch (std::uniform_int_distribution<int>(0, 5)(random)) {
            case 0:
                file->SetLong(section, key, static_cast<std::int32_t>(random()));
                break;
            case 1:
                file->SetDouble(section, key, std::uniform_real_distribution<double>(-1e9, 1e9)(random));
                break;
            case 2:
                file->DeleteKey(section, key);
                break;
            case 3:
                file->DeleteSection(section);
                break;
            default:
                // Refused values leave nothing behind; the rest must read back.
                file->SetString(section, key, randomText(random, 6));
            }
        }
        const IniSnapshot before = snapshot(*file);
        const auto path = folder.file("random.ini");
        ASSERT_EQ(file->Save(path.string()), S_OK) << "seed " << seed;
        auto reread = newIniFile();
        reread->put_LineBreakMarker(marker);
        ASSERT_EQ(reread->Open(path.string()), S_OK) << "seed " << seed;
        EXPECT_EQ(snapshot(*reread), before) << "seed " << seed;
    }
}

TEST(IniRandomized, AnyBytesSurviveTheRoundTrip)
{
    TemporaryFolder folder;
    for (unsigned seed = 1; seed <= 150; ++seed) {
        std::mt19937 random(seed);
        std::string bytes;
        if (seed % 3 == 0) {
            const int size = std::uniform_int_distribution<int>(0, 400)(random);
            for (int i = 0; i < size; ++i)
                bytes += static_cast<char>(random());
        } else {
            bytes = randomText(random, 120);
        }
        EXPECT_EQ(iniRoundTripFailure(bytes, folder.path()), "") << "seed " << seed;
    }
}

TEST(IniRandomized, AFileOpenedAndSavedTwiceComesBackWhole)
{
    TemporaryFolder folder;
    // Keys of one bucket (K 7; S and B 15), so that the order within a bucket is exercised.
    EXPECT_EQ(iniRoundTripFailure("[s]\nk=1\nb=2\n[b]\nx=1\n", folder.path()), "");
}
