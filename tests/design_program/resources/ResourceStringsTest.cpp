#include "resources/ResourceStrings.h"

#include "runtime/RuntimeError.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

using cindrel::resources::findResourceString;
using cindrel::resources::resourceNumbers;
using cindrel::resources::ResourceStrings;

namespace {

// The numbers that have a text: those quoted with their text, the factor
// descriptions 4100 to 4111, and those whose text is their own number.
std::set<int> expectedNumbers()
{
    std::set<int> numbers = {
        2027, 2028, 3002, 3003, 3004, 3005, 3006, 3007, 3008, 3009, 3010, 3011, 3012, 3013, 3015, 3017,
        3018, 3019, 3020, 3021, 3022, 3023, 3039, 3040, 3042, 3043, 3044, 3045, 3046, 4000, 4001, 4002,
        4003, 4004, 4005, 4006, 4007, 4008, 4009, 4010, 4011, 4012, 4013, 4014, 4015, 4016, 4017, 4018,
        4019, 4020, 4022, 4023, 4024, 4025, 4026, 4027, 4029, 4030, 4031, 4032, 4033, 4034, 4035, 4036,
        4037, 4038, 4040, 4041, 4042, 4043, 4044, 4045, 4046, 4047, 4048, 4049, 4050, 4051, 4052, 4053,
        4054, 4057, 4067, 4068, 4069, 4070, 4071, 4073, 4074, 4076, 4077, 4078, 4079, 4085, 4086, 4087,
        4089, 4090, 4091, 4092, 4093, 4094, 4095, 4096, 4097, 4098, 4099, 4112, 4113, 4114, 4115, 4116,
        4144, 4145, 4146, 4148, 4149, 4150, 4200, 4201, 4202, 4203, 4204, 4207, 4208, 4210, 4211, 4212,
        4214, 4216, 4217, 4218, 4220, 4221, 4222, 4223, 4224, 4225, 4226, 4227, 4228, 4230,
    };
    for (int number = 4100; number <= 4111; ++number)
        numbers.insert(number);
    for (int number = 2001; number <= 2026; ++number)
        numbers.insert(number);
    numbers.insert({3001, 4072, 4147, 4215, 4219});
    return numbers;
}

} // namespace

TEST(ResourceStrings, HoldsExactlyTheNumbersInUse)
{
    const std::set<int> expected = expectedNumbers();
    ASSERT_EQ(expected.size(), 185u);
    const std::vector<int> numbers = resourceNumbers();
    EXPECT_EQ(std::set<int>(numbers.begin(), numbers.end()), expected);
    EXPECT_EQ(numbers.size(), expected.size()) << "a number appears twice";
}

TEST(ResourceStrings, TextsThatAreTheirOwnNumber)
{
    for (int number : {2001, 2013, 2026, 3001, 4072, 4147, 4215, 4219})
        EXPECT_EQ(ResourceStrings(number), std::to_string(number));
}

TEST(ResourceStrings, TextsByteForByte)
{
    const std::pair<int, const char*> cases[] = {
        {2027, "due to limitations in the manner Cindrel calculates critical parameters; a 1 to 1 internal gear "
               "(gear coupling) is not available.  Suggestion; increase the number of teeth on the gear to one "
               "more than the pinion."},
        // The checks add the bounds they hold, in the units shown.
        {3019, "The gear modulus of elasticity is out of bounds"},
        {4047, "Radial force (separating force)"},
        {3039, "You have designed a High Contact Ratio Gear which this version cannot calculate; (Mp > 2;  Z / "
               "Pb > 2).  You can increase the pressure angle, or decrease the tooth number while increasing the "
               "size of the teeth. "},
        {3020, "The pinion poisson's ratio is out of bounds; acceptable values are 0.10 < Mu < 0.60; steel = ~0.3"},
        {4022, "Transverse operating pressure angle  \xC2\xB0"},
        {4023, "Normal operating pressure angle  \xC2\xB0"},
        {4024, "Operating helix angle  \xC2\xB0"},
        {4003, "Transverse pressure angle \xC2\xB0"},
        {4085, "Allowable bending stress    SAT * Yn / (Sf * Kt * Kr)"},
        {4086, "Allowable contact stress    SAC * Zn * Ch / (Sh * Kt * Kr)"},
        {4087, " at lowest point of contact"},
        {4089, "Maximum temperature (at pinion roll angle\xC2\xB0)"},
        {4090, "Minimum specific film thickness  (at pinion roll angle\xC2\xB0)"},
        {4091, "Specific sliding (slip ratio)  (at pinion roll angle\xC2\xB0)"},
        {4092, "Maximum tangential load  (at pinion roll angle\xC2\xB0)"},
        {4000, "Base "},
        {4001, "Standard pitch "},
        {4017, "Operating pitch "},
        {4026, "Tip "},
        {4027, "Root "},
        {4217, "Minimum fillet radius "},
        {4220, "Percent tooth thickness at the operating circle % "},
        {4224, "Normal tooth thickness at the generating circle "},
        {4226, "Normal tooth thickness at the base circle "},
        {4071, "Tooth thickness coefficient (PI-TTK_sn*Pdn) / (2*tan(phi_n))"},
        {4200, "Must fill in at least maximum or minimum gear tooth thickness"},
        {4230, "Must fill in at least maximum or minimum pinion tooth thickness"},
        {4210, "span measurement exceeds facewidth, select fewer teeth to span"},
        {4211, "The number of teeth selected for span measure is less than the minimum number allowed"},
        {4212, "The number of teeth selected for span measure is greater than the maximum number allowed"},
    };
    for (const auto& [number, text] : cases)
        EXPECT_EQ(ResourceStrings(number), text) << number;
}

TEST(ResourceStrings, FactorDescriptionsInRowOrder)
{
    const char* rows[] = {"Load distribution factor", "Dynamic factor", "Overload factor", "Reliability factor",
                          "Temperature factor", "Size factor", "Rim thickness factor", "Hardness ratio factor",
                          "Bending stress cycle factor", "Pitting resistance stress cycle factor",
                          "Safety factor- bending", "Safety factor- pitting"};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(ResourceStrings(4100 + i), rows[i]);
}

TEST(ResourceStrings, AbsentNumberRaises326)
{
    for (int number : {0, -1, 2000, 3014, 4059, 4229, 99999}) {
        try {
            ResourceStrings(number);
            ADD_FAILURE() << number << " has a text";
        } catch (const runtime::RuntimeError& error) {
            EXPECT_EQ(error.number(), 326);
            EXPECT_EQ(error.description(), "Resource with identifier '" + std::to_string(number) + "' not found");
        }
        EXPECT_FALSE(findResourceString(number).has_value());
    }
    EXPECT_EQ(findResourceString(4026), "Tip ");
}

// Every literal number that the program's code hands to the table, to a
// numbered message box or to the model's message texts has a text.
TEST(ResourceStrings, EveryNumberTheCodeReadsExists)
{
    namespace fs = std::filesystem;
    const std::regex call(R"((?:ResourceStrings|findResourceString|showResourceMessage|messageText)\(\s*(\d+)\s*\))");
    int calls = 0;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(GEARSUITE_SOURCE_DIR) / "design_program")) {
        const auto extension = entry.path().extension();
        if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h"))
            continue;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        const std::string source = text.str();
        for (std::sregex_iterator it(source.begin(), source.end(), call), end; it != end; ++it) {
            ++calls;
            const int number = std::stoi((*it)[1].str());
            EXPECT_TRUE(findResourceString(number).has_value())
                << entry.path().string() << " reads " << number << ", which has no text";
        }
    }
    RecordProperty("calls", calls);
}
