#include "agma/AgmaNotes.h"
#include "agma/EquationLegend.h"

#include <gtest/gtest.h>

#include <string>

namespace cindrel::agma {
namespace {

TEST(AgmaNotes, EachNoteAsItStands) {
    EXPECT_EQ(noteFor("Kt"), "Kt, Temperature factor,Generally 1.0 if operating temperature is <=250\xC2\xB0"
                             "F. Care needed for brittle failure if operating below 32\xC2\xB0"
                             "F, and consider loss of hardness if operating over 300\xC2\xB0"
                             "F.");
    EXPECT_EQ(noteFor("Kr"), "Watch out that you don't exceed the maximum yield strength of the material!(note "
                             "stress concentration factor Kf from _Stress.csv in low cycle yielding)");
    EXPECT_EQ(noteFor("Ks"), "Ks, Size factors for gear teeth have not been established in the AGMA 2001, If proper "
                             "choice of steel, heat treatment and hardening process is made, Ks should be 1.0");
    EXPECT_EQ(noteFor("Km"), "Km, Face load distribution factor.  Accounts for non-uniform distribution of load across "
                             "the face width.  The magnitude of this factor is defined to be the peak-load intensity "
                             "divided by the average load intensity across the face width.");
    EXPECT_EQ(noteFor("Ch"), "Ch, Hardness factor, if the pinion is significantly harder than the gear then the gear "
                             "gets work-hardened.  The Ch factor is only applicable to the gear if the gear is through "
                             "hardened steel and the pinion is through hardened or surface hardened steel.");
    EXPECT_EQ(noteFor("Kb"), "Kb, Rim thickness factor is for fabricated gears or gears with a thin rim relative to "
                             "the height of the teeth.  If the ratio of the rim thickness to the whole tooth depth is "
                             "less than 1.2 then the rim is susceptible to failure");
    EXPECT_EQ(noteFor("Cf"), "Cf, Surface condition factor, used in the pitting resistance formula depends on: "
                             "Surface finish such as whether the gear was cut ground or shot peened, Residual stress, "
                             "Plasticity effects and work hardening. The standard for this factor has not yet been "
                             "established and is generally left at the 1.0 default value");
    // Notes whose ends matter: a trailing space, the program name.
    EXPECT_EQ(noteFor("Sf").substr(0, 13), "Sf, Safety fa");
    EXPECT_EQ(noteFor("Sf").back(), ' ');
    EXPECT_NE(noteFor("Kv").find("older Cindrel runs"), std::string::npos);
    EXPECT_EQ(noteFor("AGMA").substr(noteFor("AGMA").size() - 4), ".** ");
    for (const char* other : {"", "kt", "KT", "AGMA ", "Pac"})
        EXPECT_EQ(noteFor(other), "") << other;
}

TEST(EquationLegend, BoundsOfEachBand) {
    struct Case {
        double x, y;
        LegendHit::Line line;
        const char* textStart; // of the region hit, when set
    };
    const Case cases[] = {
        {45, 180, LegendHit::Line::Set, "Pac,"},    {480, 480, LegendHit::Line::Set, "Pac,"},
        {44, 300, LegendHit::Line::Clear, ""},      {481, 300, LegendHit::Line::Clear, ""},
        {45, 179, LegendHit::Line::Clear, ""},      {300, 481, LegendHit::Line::Set, "Pac,"},
        {300, 689, LegendHit::Line::Set, "Pac,"},   {1000, 600, LegendHit::Line::Keep, ""},
        {45, 690, LegendHit::Line::Clear, ""},      {840, 690, LegendHit::Line::Set, "126,000"},
        {1530, 960, LegendHit::Line::Set, "126,000"}, {1531, 960, LegendHit::Line::Clear, ""},
        {3450, 961, LegendHit::Line::Clear, ""},    {7095, 300, LegendHit::Line::Set, "^2"},
        {7155, 480, LegendHit::Line::Set, "^2"},    {7156, 480, LegendHit::Line::Clear, ""},
        {6870, 960, LegendHit::Line::Set, "Kr,"},   {855, 480, LegendHit::Line::Set, "Np,"},
        {855, 481, LegendHit::Line::Keep, ""},
    };
    for (const Case& c : cases) {
        const LegendHit hit = legendAt(c.x, c.y);
        EXPECT_EQ(hit.line, c.line) << c.x << ", " << c.y;
        EXPECT_EQ(hit.region != nullptr, c.line == LegendHit::Line::Set);
        if (hit.region != nullptr) {
            EXPECT_EQ(hit.region->text.substr(0, std::string_view(c.textStart).size()), c.textStart)
                << c.x << ", " << c.y;
        }
    }
}

TEST(EquationLegend, SymbolsLeadToTheirTabAndBox) {
    struct Case {
        double x, y;
        int tab;
        const char* box;
        int index;
    };
    const Case cases[] = {{1000, 300, 0, "txtInps", 0}, {3000, 300, 0, "txtEye", -1}, {5400, 300, 1, "txtSAC", 0},
                          {6000, 300, 6, "txtZn", 0},   {6600, 300, 7, "txtCh", 0},   {3600, 800, 4, "txtKm", -1},
                          {2500, 800, 2, "txtKV", -1},  {4900, 800, 1, "txtCP", -1},  {5400, 800, 7, "txtSh", 0},
                          {100, 300, -1, "", -1},       {1000, 800, -1, "", -1}};
    for (const Case& c : cases) {
        const LegendHit hit = legendAt(c.x, c.y);
        ASSERT_NE(hit.region, nullptr) << c.x << ", " << c.y;
        EXPECT_EQ(hit.region->tab, c.tab) << c.box;
        EXPECT_EQ(hit.region->box, c.box);
        EXPECT_EQ(hit.region->index, c.index) << c.box;
    }
}

} // namespace
} // namespace cindrel::agma
