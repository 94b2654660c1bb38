#include "agma/AgmaCommit.h"

#include "design_program/model/RecordingShell.h"
#include "model/T_AGMA1.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

namespace cindrel::agma {
namespace {

struct SilentErrors : runtime::ErrorReporter {
    int count = 0;
    void reportError(std::string_view, std::string_view, std::string_view, std::string_view, std::string_view) override
    {
        ++count;
    }
};

class AgmaCommit : public ::testing::Test {
protected:
    AgmaCommit()
    {
        t.Cf = "1.0";
        t.Km = "1.371";
        t.Ko = "1.25";
        t.Kr = "1.0";
        t.Ks = "1.0";
        t.Kt = "1.0";
        t.Kv = "1.38*";
        t.Ch = {"1.0", "1.02*"};
        t.Kb = {"1.0", "1.1*"};
        t.SF = {"1.2", "1.3"};
        t.Sh = {"1.4", "1.5"};
        t.Yn = {"0.977", "0.99*"};
        t.Zn = {"0.95", "1.0*"};
        t.Youngs = {"30,000,000", "29,000,000"};
        t.Poissons = {"0.3", "0.29"};
        t.SAC = {"125,700", "120,000"};
        t.SAT = {"35,990", "30,000"};
        t.matSourceType = {"AGMA", "AGMA"};
        t.matSource = {"Through hardened, grade 1", "Nitrided, grade 2"};
        t.life = {"10,000,000", "4000000", "166.7"};
        t.contacts = {"1", "1"};
        t.speed = "1800";
        t.faceWidth = "2";
        t.pitchDiameter = "4";
        t.diametralPitch = "5";
        t.ratio = "2.5";
        t.kmEquation = "Km = 1 + 1 (0.02 + 0.05)";
        AllowablePowers powers;
        powers.power = {52.5f, 59.4f, 122, 139};
        t.powers = powers;
        main.powerHowInput = "1";
        pair.member(0).aaNumberOfTeeth(20);
        pair.member(1).aaNumberOfTeeth(50);
    }
    std::optional<std::string> written(const CommitResult& r, const std::string& name, int index = -1)
    {
        std::optional<std::string> text;
        for (const MainWindowWrite& w : r.writes)
            if (w.name == name && w.index == index)
                text = w.text;
        return text;
    }
    CommitResult commit() { return commitFactors(t, main, pair, errors); }

    model::testing::RecordingShell shell;
    model::T_Set pair{shell};
    SilentErrors errors;
    CommitTexts t;
    CommitMainSide main;
};

TEST_F(AgmaCommit, FactorsGoIntoTheModelAndTheMainWindowMarksIncluded)
{
    const CommitResult r = commit();
    EXPECT_EQ(pair.oAGMA1->Kv(), "1.38*");
    EXPECT_EQ(pair.oAGMA1->Km(), "1.371");
    EXPECT_EQ(written(r, "txtKV"), "1.38*");
    EXPECT_EQ(written(r, "txtKo"), "1.25");
    EXPECT_EQ(written(r, "txtCh"), "1.02*"); // always the gear's
    EXPECT_EQ(written(r, "txtKb", 1), "1.1*");
    EXPECT_EQ(written(r, "txtSf", 0), "1.2");
    EXPECT_EQ(written(r, "txtSh", 1), "1.5");
    EXPECT_EQ(written(r, "txtYn", 1), "0.99*");
    EXPECT_EQ(written(r, "txtZn", 0), "0.95");
    EXPECT_EQ(written(r, "lblKmString"), "Km = 1 + 1 (0.02 + 0.05)");
    EXPECT_EQ(written(r, "lblMaterial", 1), "AGMA Nitrided, grade 2");
    EXPECT_EQ(written(r, "lblGearLife", 0), "10000000");
    EXPECT_EQ(written(r, "lblGearLife", 2), "166.7");
    EXPECT_DOUBLE_EQ(pair.hp(), 52.5);
    EXPECT_DOUBLE_EQ(pair.member(0).RPM(), 1800);
    EXPECT_DOUBLE_EQ(pair.member(0).E(), 30e6);
    EXPECT_DOUBLE_EQ(pair.member(1).Mu(), 0.29);
    EXPECT_EQ(written(r, "txtYoungsModulus", 1), "2.90E+07");
    EXPECT_EQ(written(r, "txtPoissonRatio", 0), "0.3");
    ASSERT_TRUE(r.powerTable.has_value());
    EXPECT_EQ((*r.powerTable)[1].key, "PAT");
    EXPECT_EQ(errors.count, 0);

    t.Km = "1.25*"; // a typed Km has no equation
    EXPECT_EQ(written(commit(), "lblKmString"), "");
}

TEST_F(AgmaCommit, PowersInTheMainWindowsUnits)
{
    CommitResult r = commit();
    EXPECT_TRUE(r.showPowerFrame);
    EXPECT_EQ(written(r, "txtSAC", 0), "52.5 HP");
    EXPECT_EQ(written(r, "txtSAT", 1), "139 HP");
    main.metric = true;
    // Kilowatts from the power worked out, to the three figures it has:
    // 20.126 hp (shown 20.1) x 0.7457 = 15.008 kW, not 20.1 x 0.7457 = 14.98857;
    // 13.449 hp (13.4) is 10.029 kW, where 13.4 would give 9.99; 100 hp 74.57.
    const struct {
        float shown;
        double worked;
        const char* kilowatts;
    } metricCases[] = {{20.1f, 20.126, "15 kW"}, {13.4f, 13.449, "10 kW"}, {100, 100, "74.6 kW"}, {100, 0, "74.6 kW"}};
    for (const auto& c : metricCases) {
        t.powers->power[GearPac] = c.shown;
        t.powers->unrounded[GearPac] = c.worked; // 0: a table made without them
        r = commit();
        EXPECT_EQ(written(r, "txtSAC", 1), c.kilowatts) << c.worked;
    }

    // No valid power: the boxes are emptied, the pair's power and the table stay out.
    pair.aaHorsePower(false, 7);
    t.powers.reset();
    r = commit();
    EXPECT_EQ(written(r, "txtSAC", 0), "");
    EXPECT_EQ(written(r, "txtSAT", 1), "");
    EXPECT_FALSE(r.powerTable.has_value());
    EXPECT_DOUBLE_EQ(pair.hp(), 7);
}

TEST_F(AgmaCommit, LoadInputModes)
{
    struct Case {
        const char* mode;
        std::optional<std::string> input1, input2;
    };
    const Case cases[] = {{"0", std::nullopt, std::nullopt},
                          {"1", std::nullopt, "1800"},
                          {"2", "1800", std::nullopt},
                          {"7", std::nullopt, "1800"},
                          {"x", std::nullopt, std::nullopt}};
    for (const Case& c : cases) {
        main.powerHowInput = c.mode;
        const CommitResult r = commit();
        EXPECT_EQ(written(r, "txtPowerInput1"), c.input1) << c.mode;
        EXPECT_EQ(written(r, "txtPowerInput2"), c.input2) << c.mode;
    }
}

TEST_F(AgmaCommit, SurfaceFinishInTheBoxsUnit)
{
    t.rms = "16";
    EXPECT_EQ(written(commit(), "txtSurfaceFinish"), "17.6"); // 16 × 1.1 RMS µin
    main.rmsFactor = 0.023091;
    EXPECT_EQ(written(commit(), "txtSurfaceFinish"), "0.4064"); // 17.6 × 0.023091 µm
    t.rms = "";
    EXPECT_EQ(written(commit(), "txtSurfaceFinish"), std::nullopt);
    t.rms = "smooth";
    EXPECT_EQ(written(commit(), "txtSurfaceFinish"), std::nullopt);
}

// A box that holds no number refuses the whole commit, named in the message;
// the pair keeps every value it had.
TEST_F(AgmaCommit, ABoxThatHoldsNoNumberChangesNothing)
{
    struct Case {
        std::string* text;
        const char* value;
        const char* box;
        int index;
        int tab;
        const char* named;
    };
    const Case cases[] = {
        {&t.Km, "abc", "txtKm", -1, 4, "Km, the load distribution factor: \"abc\" is not a number"},
        {&t.Kt, "", "txtKt", -1, 5, "Kt, the temperature factor: the box is empty"},
        {&t.Kv, "*", "txtKV", -1, 2, "Kv"},
        {&t.Cf, "x1.0", "txtCf", -1, 7, "Cf"},
        {&t.Ch[1], "1e999", "txtCh", 1, 7, "Ch, the hardness ratio factor of the gear"},
        {&t.Kb[0], "-", "txtKb", 0, 3, "Kb, the rim thickness factor of the pinion"},
        {&t.SF[1], ".", "txtSf", 1, 7, "Sf"},
        {&t.Sh[0], "n/a", "txtSh", 0, 7, "Sh"},
        {&t.Yn[0], "Err", "txtYn", 0, 6, "Yn, the bending stress cycle factor of the pinion: \"Err\""},
        {&t.Zn[1], "Err", "txtZn", 1, 6, "Zn"},
        {&t.Youngs[0], "abc", "txtYoungs", 0, 1, "The modulus of elasticity of the pinion: \"abc\""},
        {&t.Youngs[1], "30,000,000 psi", "txtYoungs", 1, 1, "modulus of elasticity of the gear"},
        {&t.Poissons[1], "nu", "txtPoissons", 1, 1, "Poisson's ratio of the gear"},
        {&t.SAC[0], "high", "txtSAC", 0, 1, "The allowable contact stress (SAC) of the pinion"},
        {&t.SAT[1], "1.2.3", "txtSAT", 1, 1, "The allowable bending stress (SAT) of the gear"},
        // Read as a whole, never by its digits or its leading number.
        {&t.SAC[0], "17x000", "txtSAC", 0, 1, "(SAC) of the pinion: \"17x000\" is not a number"},
        {&t.SAT[0], "35,990 psi", "txtSAT", 0, 1, "(SAT) of the pinion: \"35,990 psi\" is not a number"},
        {&t.Youngs[1], "17x000", "txtYoungs", 1, 1, "elasticity of the gear: \"17x000\" is not a number"},
        {&t.Ko, "17x000", "txtKo", -1, 5, "Ko, the overload factor: \"17x000\" is not a number"},
        {&t.Km, "1.25* typed", "txtKm", -1, 4, "Km"},
        {&t.Poissons[0], "0.3x", "txtPoissons", 0, 1, "Poisson's ratio of the pinion"},
        // No factor, stress or modulus is below 0.
        {&t.Ko, "-3", "txtKo", -1, 5, "Ko, the overload factor: \"-3\" is below 0"},
        {&t.Yn[0], "-0.5", "txtYn", 0, 6, "Yn, the bending stress cycle factor of the pinion: \"-0.5\" is below 0"},
        {&t.SAT[1], "-3", "txtSAT", 1, 1, "(SAT) of the gear: \"-3\" is below 0"},
        {&t.Youngs[0], "-3e7", "txtYoungs", 0, 1, "elasticity of the pinion: \"-3e7\" is below 0"},
        // Life and contacts boxes, by the box's own index.
        {&t.life[2], "17x000", "txtLife", 2, 6, "The life in hours: \"17x000\" is not a number"},
        {&t.life[2], "-3", "txtLife", 2, 6, "The life in hours: \"-3\" is below 0"},
        {&t.life[0], "1,5", "txtLife", 0, 6, "The pinion load cycles: \"1,5\" is not a number"},
        {&t.life[1], "4e6 cycles", "txtLife", 1, 6, "The gear load cycles: \"4e6 cycles\""},
        {&t.contacts[1], "2x", "txtContacts", 1, 1, "The contacts per revolution of the gear: \"2x\""},
        {&t.contacts[0], "-1", "txtContacts", 0, 1, "The contacts per revolution of the pinion: \"-1\" is below 0"},
        {&t.speed, "17x000", "txtInps", 0, 0, "The pinion speed: \"17x000\" is not a number"},
        {&t.speed, "-1800", "txtInps", 0, 0, "The pinion speed: \"-1800\" is below 0"},
        // The other Set Inputs alike: "1,5" is no face of 1, "2,5" no ratio of 2.
        {&t.faceWidth, "1,5", "txtInps", 1, 0, "The face width: \"1,5\" is not a number"},
        {&t.pitchDiameter, "4,5", "txtInps", 2, 0, "The pinion operating pitch diameter: \"4,5\" is not a number"},
        {&t.diametralPitch, "5,5", "txtInps", 3, 0, "The transverse diametral pitch: \"5,5\" is not a number"},
        {&t.ratio, "2,5", "txtInps", 4, 0, "The gear ratio: \"2,5\" is not a number"},
        {&t.pitchDiameter, "4 in", "txtInps", 2, 0, "pitch diameter: \"4 in\" is not a number"},
        {&t.ratio, "-2.5", "txtInps", 4, 0, "The gear ratio: \"-2.5\" is below 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        model::testing::RecordingShell freshShell;
        model::T_Set fresh{freshShell};
        fresh.member(0).aaNumberOfTeeth(20);
        fresh.member(1).aaNumberOfTeeth(50);
        fresh.member(0).aaModulus_Elasticity(29e6);
        fresh.aaHorsePower(false, 7);
        const std::string kept = *c.text;
        *c.text = c.value;
        const CommitResult r = commitFactors(t, main, fresh, errors);
        *c.text = kept;
        ASSERT_TRUE(r.refused.has_value());
        EXPECT_EQ(r.refused->name, c.box);
        EXPECT_EQ(r.refused->index, c.index);
        EXPECT_EQ(r.refused->tab, c.tab);
        EXPECT_NE(r.refused->message.find(c.named), std::string::npos) << r.refused->message;
        EXPECT_TRUE(r.writes.empty());
        EXPECT_FALSE(r.showPowerFrame);
        EXPECT_FALSE(r.powerTable.has_value());
        EXPECT_DOUBLE_EQ(fresh.member(0).E(), 29e6);
        EXPECT_DOUBLE_EQ(fresh.hp(), 7);
        EXPECT_DOUBLE_EQ(fresh.member(0).RPM(), 0);
        EXPECT_NE(fresh.oAGMA1->Ko(), "1.25");
    }
    EXPECT_EQ(errors.count, 0);

    // A Set Inputs slip is named before the factors worked from it.
    t.ratio = "2,5";
    t.Ch[1] = "";
    const std::optional<UnreadableBox> first = unreadableBox(t);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->name, "txtInps");
    EXPECT_EQ(first->index, 4);
    t.Ch[1] = "1.02*";

    // Marks, grouping, blanks around and exponents are numbers.
    t.faceWidth = "1,000.5";
    t.ratio = "2.5*";
    t.diametralPitch = "";
    t.Km = "1.25*";
    t.Kb[1] = " .5";
    t.Yn[0] = "1e0";
    t.SAC[0] = "125,700*";
    t.Youngs[0] = "3e7";
    const CommitResult r = commit();
    EXPECT_FALSE(r.refused.has_value());
    EXPECT_DOUBLE_EQ(pair.member(0).E(), 3e7);
}

// The life labels take the whole number of each box, never its digits
// ("2e4" is 20,000 h, not 24); an empty box is 0, as before.
TEST_F(AgmaCommit, LifeGoesToTheMainWindowAsAWholeNumber)
{
    struct Case {
        int box;
        const char* typed;
        const char* label;
    };
    const Case cases[] = {
        {2, "1,000", "1000"}, {2, "20000", "20000"},    {2, "2e4", "20000"},         {2, "166.7", "166.7"},
        {2, "", "0"},         {0, "1.08e8", "108000000"}, {0, "10,000,000", "10000000"}, {1, "", "0"},
    };
    for (const Case& c : cases) {
        const std::string kept = t.life[static_cast<std::size_t>(c.box)];
        t.life[static_cast<std::size_t>(c.box)] = c.typed;
        const CommitResult r = commit();
        t.life[static_cast<std::size_t>(c.box)] = kept;
        EXPECT_FALSE(r.refused.has_value()) << c.typed;
        EXPECT_EQ(written(r, "lblGearLife", c.box), c.label) << c.typed;
    }
    t.contacts = {"", ""}; // not read by the commit but for its fault
    EXPECT_FALSE(commit().refused.has_value());
    EXPECT_EQ(errors.count, 0);
}

// The power tab names the box at fault as the commit does.
TEST(PowerFailure, NamesTheBoxAndWhatIsWrong)
{
    struct Case {
        PowerBox box;
        const char* text;
        const char* named;
    };
    const Case cases[] = {
        {{"txtKo"}, "17x000", "\r\nKo, the overload factor: \"17x000\" is not a number."},
        {{"txtSAT", 1}, "0", "\r\nThe allowable bending stress (SAT) of the gear: \"0\" is not above 0."},
        {{"txtInps", 0}, "", "\r\nThe pinion speed: the box is empty."},
        {{"txtCP"}, "-2291", "\r\nCp, the elastic coefficient: \"-2291\" is not above 0."},
        {{"txtZn", 0}, "Err", "\r\nZn, the pitting stress cycle factor of the pinion: \"Err\" is not a number."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(powerFailureMessage(c.box, c.text), std::string(PowerFailureMessage) + c.named);
    // Poisson's ratio has an upper bound too.
    EXPECT_EQ(powerFailureMessage({"txtPoissons", 1}, "1.5"),
              std::string(PowerFailureMessage) + "\r\nPoisson's ratio of the gear: \"1.5\" is not below 1.");
    // A power beyond range has no box: the general message alone.
    EXPECT_EQ(powerFailureMessage(PowerBox{}, ""), PowerFailureMessage);

    // The box the calculation itself reports is the one named.
    PowerInputs in;
    in.np = "1800";
    in.F = "2";
    in.d = "4";
    in.Pd = "5";
    in.I = "0.1";
    in.SAC = {"125700", "120000"};
    in.Ko = "17x000";
    const PowerResult result = allowablePower(in);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.fault, (PowerBox{"txtKo"}));
}

// A missing Cp is named by the elastic data it lacks, pinion before gear,
// moduli before Poisson's ratios.
TEST(PowerFailure, AMissingCpNamesItsElasticData) {
    struct Case {
        std::array<const char*, 2> modulus;
        std::array<const char*, 2> poisson;
        std::optional<PowerBox> fault;
    };
    const Case cases[] = {
        {{"30,000,000", "29e6"}, {"0.3", "0.29"}, std::nullopt},
        {{"1,5", "29e6"}, {"0.3", "0.29"}, PowerBox{"txtYoungs", 0}},
        {{"30e6", ""}, {"0.3", "0.29"}, PowerBox{"txtYoungs", 1}},
        {{"30e6", "0"}, {"0.3", "0.29"}, PowerBox{"txtYoungs", 1}},
        {{"30e6", "-29e6"}, {"0.3", "0.29"}, PowerBox{"txtYoungs", 1}},
        {{"30e6", "29e6"}, {"0,3", "0.29"}, PowerBox{"txtPoissons", 0}},
        {{"30e6", "29e6"}, {"0.3", "1"}, PowerBox{"txtPoissons", 1}},
        {{"30e6", "29e6"}, {"0.3", "0"}, PowerBox{"txtPoissons", 1}},
        {{"30e6", "abc"}, {"0,3", "0.29"}, PowerBox{"txtYoungs", 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(elasticDataFault({c.modulus[0], c.modulus[1]}, {c.poisson[0], c.poisson[1]}), c.fault)
            << c.modulus[0] << " " << c.modulus[1] << " " << c.poisson[0] << " " << c.poisson[1];

    EXPECT_EQ(powerFailureMessage({"txtYoungs", 0}, "1,5"),
              std::string(PowerFailureMessage) + "\r\nThe modulus of elasticity of the pinion: \"1,5\" is not a number.");
    EXPECT_EQ(powerFailureMessage({"txtYoungs", 1}, ""),
              std::string(PowerFailureMessage) + "\r\nThe modulus of elasticity of the gear: the box is empty.");
}

// The power tab's gate: the first Set Inputs box that holds text but no
// whole number.
TEST(PowerFailure, ASetInputsSlipIsFound) {
    EXPECT_EQ(unreadableSetInput({"1800", "2", "4", "5", "2.5"}), std::nullopt);
    EXPECT_EQ(unreadableSetInput({"1,800", "2*", "", "5", "1,000.5"}), std::nullopt);
    EXPECT_EQ(unreadableSetInput({"1800", "1,5", "4", "5", "2,5"}), (PowerBox{"txtInps", 1}));
    EXPECT_EQ(unreadableSetInput({"1800", "2", "4", "5", "2,5"}), (PowerBox{"txtInps", 4}));
    EXPECT_EQ(unreadableSetInput({"1800 rpm", "2", "4", "5", "2"}), (PowerBox{"txtInps", 0}));
}

// An empty material box means no material is chosen yet: no fault, and the
// modulus goes in as 0 for the sequence's checks to speak of.
TEST_F(AgmaCommit, EmptyMaterialBoxesAreNoFault)
{
    t.Youngs[0] = "";
    t.Poissons[1] = "";
    t.SAC[1] = "";
    const CommitResult r = commit();
    EXPECT_FALSE(r.refused.has_value());
    EXPECT_DOUBLE_EQ(pair.member(0).E(), 0);
    EXPECT_EQ(written(r, "txtYoungsModulus", 0), "0.00E+00");
    EXPECT_DOUBLE_EQ(pair.member(1).Mu(), 0);
    EXPECT_EQ(written(r, "lblGearLife", 2), "166.7");
}

} // namespace
} // namespace cindrel::agma
