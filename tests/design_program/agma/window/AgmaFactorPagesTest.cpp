// The factor pages on the window: Kv and its quality lists, Kb, Km, the Ko
// and Kr options, the life and stress cycle factors, Ch, and what a change
// of tabs does.
#include "AgmaWindowFixture.h"

#include "forms/MenuItem.h"

#include <cmath>

namespace {

// Sets a box without running its handlers, as the design sequence and the
// design file do.
struct Quietly {
    Quietly(cindrel::agma::frmAGMA& window) : window(window) { window.StopTheEvents(true); }
    ~Quietly() { window.StopTheEvents(false); }
    cindrel::agma::frmAGMA& window;
};

} // namespace

TEST_F(AgmaWindowTest, KvComesFromTheLowerQualityOnceBothMembersHaveOne)
{
    load();
    type("txtInps", 0, "1000");
    type("txtInps", 2, "5");
    combo("cmbKV", 0).setListIndex(2); // Quality = 10
    EXPECT_EQ(text("txtKV"), "1.0");    // the gear has none: Kv stays
    EXPECT_EQ(text("lblComboQuality", 0), "2");
    EXPECT_EQ(text("lblComboQuality", 1), "-1");
    combo("cmbKV", 1).setListIndex(4); // Quality = 8
    // Av 10: vt = 1309 ft/min, B = 0.25·5^0.667 = 0.7314, A = 65.04; Kv = ((A + √vt)/A)^B = 1.382.
    EXPECT_EQ(text("txtKV"), "1.38");
    EXPECT_EQ(text("lblMaxPLV"), "4767"); // (A + 4)²
    EXPECT_EQ(text("lblMaxRPM"), "3642"); // 4767 · 12 / π / 5
    EXPECT_EQ(text("lblComboQuality", 1), "4");

    combo("cmbKV", 0).setListIndex(7);
    combo("cmbKV", 1).setListIndex(7);
    EXPECT_EQ(text("txtKV"), "1.00");
    EXPECT_EQ(text("lblMaxPLV"), "13225"); // (106 + 9)²

    // A pitch diameter of 0 keeps Kv and empties the limits.
    type("txtInps", 2, "0");
    combo("cmbKV", 1).setListIndex(6);
    EXPECT_EQ(text("txtKV"), "1.00");
    EXPECT_EQ(text("lblMaxPLV"), "");
    EXPECT_EQ(text("lblMaxRPM"), "");
}

TEST_F(AgmaWindowTest, ATypedKvClearsBothQualities)
{
    load();
    combo("cmbKV", 0).setListIndex(2);
    combo("cmbKV", 1).setListIndex(4);
    type("txtKV", "1.2");
    for (int i : {0, 1}) {
        EXPECT_EQ(combo("cmbKV", i).listIndex(), -1);
        EXPECT_EQ(combo("cmbKV", i).text().toStdString(), "User selected Kv");
        EXPECT_EQ(text("lblComboQuality", i), "-1");
    }
    EXPECT_EQ(text("txtKV"), "1.2");
    EXPECT_EQ(text("lblMaxPLV"), "");
    EXPECT_EQ(text("lblMaxRPM"), "");
}

TEST_F(AgmaWindowTest, KbFollowsWholeDepthAndRimThickness)
{
    load();
    struct Case {
        const char* depth;
        const char* rim;
        const char* backup;
        const char* kb;
    };
    // Kb = 1.6 ln(2.242 / mB) up to mB 1.2, mB rounded to two decimals first.
    const Case cases[] = {
        {"2.25", "2.7", "1.2", "1.00"}, {"2.25", "2.0", "0.89", "1.48"}, {"2.25", "1.0", "0.44", "2.61"},
        {"2.25", "3.0", "1.33", "1.0"}, {"0.5", "0.001", "0", "34.45"},   {"2.25", "0", "", ""},
        {"-1", "2", "", ""},
    };
    for (int member : {0, 1})
        for (const Case& c : cases) {
            {
                Quietly quiet(*agma);
                type("txtKBin", 2 * member, "");
                type("txtKBin", 2 * member + 1, "");
            }
            type("txtKBin", 2 * member, c.depth);
            type("txtKBin", 2 * member + 1, c.rim);
            EXPECT_EQ(text("txtKbmB", member), c.backup) << member << " " << c.depth << "/" << c.rim;
            EXPECT_EQ(text("txtKb", member), c.kb) << member << " " << c.depth << "/" << c.rim;
        }
    type("txtKBin", 0, "2.25");
    type("txtKBin", 1, "2.0");
    type("txtKb", 0, "1.3*");
    EXPECT_EQ(text("txtKBin", 0), "");
    EXPECT_EQ(text("txtKBin", 1), "");
    EXPECT_EQ(text("txtKbmB", 0), "");
    EXPECT_EQ(text("txtKb", 0), "1.3*");
    EXPECT_EQ(text("txtKBin", 2), "-1"); // the other member's inputs stay
}

TEST_F(AgmaWindowTest, KmByTheEmpiricalMethod)
{
    load();
    struct Case {
        const char* face;
        const char* diameter;
        int style;
        int cmc, ce;
        const char* offset;
        const char* span;
        const char* km;
        const char* message;
    };
    // Km = 1 + Cmc (Cpf Cpm + Cma Ce), worked by hand from the page's tables.
    const Case cases[] = {
        {"3", "4", 0, 0, 0, "0", "", "1.371", ""},
        {"3", "4", 0, 1, 1, "0", "", "1.250", ""},
        {"3", "4", 3, 0, 0, "2", "10", "1.150", ""},
        {"20", "10", 1, 0, 0, "0", "", "1.811", ""},
        {"1", "10", 0, 0, 0, "0", "", "1.289", ""},
        {"40", "10", 2, 0, 0, "0", "", "2.184", ""},
        {"50", "10", 2, 0, 0, "0", "", "1.476", "You are exceeding the AGMA limits for the facewidth."},
        {"80", "10", 0, 0, 0, "0", "", "", "The facewidth is far out of bounds and a calculated"},
    };
    for (const Case& c : cases) {
        {
            Quietly quiet(*agma);
            type("txtInps", 1, c.face);
            type("txtInps", 2, c.diameter);
            type("txtKmOffset", c.offset);
            type("txtKmSpan", c.span);
            check("chkCMC").setCheckValue(c.cmc);
            check("chkCE").setCheckValue(c.ce);
            label("lbloptGearStyle").setCaption(QString());
        }
        const std::size_t before = messageCount();
        option("optGearStyle", c.style).setSelected(true);
        EXPECT_EQ(text("txtKm"), c.km) << c.face << " " << c.style;
        if (*c.message == '\0') {
            EXPECT_EQ(messageCount(), before);
        } else {
            ASSERT_EQ(messageCount(), before + 1);
            EXPECT_EQ(lastMessage().rfind(c.message, 0), 0u) << lastMessage();
        }
    }
    // F 3, d 4, open gearing: Cpf 0.075, Cma 0.296 (0.247 + 0.0167·3 − 0.0000765·9).
    {
        Quietly quiet(*agma);
        type("txtInps", 1, "3");
        type("txtInps", 2, "4");
        type("txtKmOffset", "0");
        check("chkCMC").setCheckValue(0);
        check("chkCE").setCheckValue(0);
        label("lbloptGearStyle").setCaption(QString());
    }
    option("optGearStyle", 0).setSelected(true);
    EXPECT_EQ(agma->state().KmEquation, "Km = (1 + Cmc*(Cpf*Cpm + Cma*Ce)): 1.371 = (1 + 1*(0.075*1.000 + 0.296*1))");
    EXPECT_EQ(text("lblCpm"), "Cpm= 1.0");
    EXPECT_EQ(text("lblCe"), "Ce=1.0");
    check("chkCE").setCheckValue(1);
    EXPECT_EQ(text("lblCe"), "Ce=0.8");
    check("chkCMC").setCheckValue(1);
    EXPECT_EQ(text("lblCmc"), "Cmc=0.8");
    EXPECT_EQ(text("txtKm"), "1.250");
}

TEST_F(AgmaWindowTest, KmSendsTheUserBackForAMissingDiameterOrFaceWidth)
{
    load();
    tabs().setSelectedTab(4);
    struct Case {
        const char* face;
        const char* diameter;
        const char* message;
    };
    const Case cases[] = {{"3", "0", "Operating pitch diameter not valid"},
                          {"0", "4", "Face width not filled in"},
                          {"-1", "4", "Face width is negative, can't be"}};
    for (const Case& c : cases) {
        tabs().setSelectedTab(4);
        {
            // Written as the sequence writes them, so that only Km's own checks speak.
            Quietly quiet(*agma);
            type("txtInps", 1, c.face);
            type("txtInps", 2, c.diameter);
        }
        check("chkCE").setCheckValue(check("chkCE").checkValue() == 0 ? 1 : 0);
        EXPECT_EQ(lastMessage(), c.message);
        EXPECT_EQ(tabs().selectedTab(), 0);
        EXPECT_EQ(text("txtKm"), "1.0");
        EXPECT_EQ(agma->state().KmEquation, "");
    }
}

TEST_F(AgmaWindowTest, TheOverloadAndReliabilityOptionsAndTheirTypedFactors)
{
    load();
    option("optKo", 1).setSelected(true); // moderate shock, uniform
    EXPECT_EQ(text("txtKo"), "1.25");
    EXPECT_TRUE(option("optKo", 1).isSelected());
    EXPECT_EQ(text("lblKoSelection"), "1");
    type("txtKo", "1.3");
    EXPECT_TRUE(option("optKo", 2).isSelected());
    EXPECT_EQ(text("lblKoSelection"), "2");
    EXPECT_EQ(text("txtKo"), "1.3");
    type("txtKo", "0.9");
    EXPECT_TRUE(option("optKo", 2).isSelected());
    label("lblKoSelection").setCaption(QString());
    for (int k = 0; k < 7; ++k)
        EXPECT_FALSE(option("optKo", k).isSelected());
    label("lblKoSelection").setCaption(q("9")); // names no option
    for (int k = 0; k < 7; ++k)
        EXPECT_FALSE(option("optKo", k).isSelected());

    option("optKR", 4).setSelected(true);
    EXPECT_EQ(text("txtKr"), "0.7");
    EXPECT_EQ(text("lblKrSelection"), "4");
    EXPECT_TRUE(visible("CmdnotesKr"));
    option("optKR", 2).setSelected(true);
    EXPECT_EQ(text("txtKr"), "1.0");
    EXPECT_EQ(text("lblKrSelection"), "2");
    EXPECT_FALSE(visible("CmdnotesKr"));
    for (const char* typed : {"0.8", "0", ""}) {
        type("txtKr", "1.0");
        type("txtKr", typed);
        EXPECT_EQ(text("lblKrSelection"), "4") << typed;
        EXPECT_TRUE(option("optKR", 4).isSelected()) << typed;
    }
}

TEST_F(AgmaWindowTest, LifeQuantitiesStayInStep)
{
    load();
    type("txtInps", 0, "1000");
    type("txtInps", 4, "2");
    type("txtLife", 2, "100");
    EXPECT_EQ(text("txtLife", 0), "6000000"); // 100 h · 60 · 1000 rpm
    EXPECT_EQ(text("txtLife", 1), "3000000");
    type("txtInps", 4, "2.5");
    type("txtLife", 1, "1000000");
    EXPECT_EQ(text("txtLife", 0), "2500000");
    EXPECT_EQ(text("txtLife", 2), "41.7");
    // No material for either member: the factors stay.
    EXPECT_EQ(text("txtYn", 0), "1.0");
    EXPECT_EQ(text("txtZn", 1), "1.0");
    // Two contacts per revolution on the pinion double its cycles.
    type("txtContacts", 0, "2");
    EXPECT_EQ(text("txtLife", 0), "5000000");

    type("txtInps", 0, "0");
    type("txtLife", 2, "50");
    EXPECT_EQ(lastMessage(), "Set RPM of pinion");
    EXPECT_EQ(tabs().selectedTab(), 0);
}

TEST_F(AgmaWindowTest, StressCycleFactorsFollowTheCurvesOfTheMaterial)
{
    load();
    type("txtInps", 0, "1000");
    type("txtInps", 4, "1");
    chooseMaterial(0, rows::ThroughHardenedGrade1);
    type("txtBHN", 0, "300");
    tabs().setSelectedTab(6);
    type("txtLife", 0, "2000000");
    EXPECT_EQ(text("txtYn", 0), "1.085"); // 4.9404 · 2000000^−0.1045
    EXPECT_FALSE(visible("chkConservative", 0));
    EXPECT_EQ(text("txtYn", 1), "1.0");    // the gear has no material
    type("txtLife", 0, "5000000");
    EXPECT_TRUE(visible("chkConservative", 0));
    EXPECT_EQ(text("txtYn", 0), "1.030"); // 1.3558 · 5000000^−0.0178
    check("chkConservative", 0).setCheckValue(1);
    EXPECT_EQ(text("txtYn", 0), "1.023"); // 1.6831 · 5000000^−0.0323
    type("txtLife", 0, "3000000");
    EXPECT_TRUE(visible("chkConservative", 0)); // the knee takes the curve above it
    type("txtLife", 0, "1000");
    EXPECT_EQ(text("txtZn", 0), "1.472"); // 2.466 · 10000^−0.056, at the lowest count
    type("txtLife", 0, "500");
    EXPECT_EQ(text("txtYn", 0), "2.400"); // 4.9404 · 1000^−0.1045, at the lowest count
    const std::string factor = text("lblYnFactor", 0);
    EXPECT_EQ(factor.substr(factor.size() - 6), " * 500") << factor;
    type("txtLife", 0, "0");
    for (const char* name : {"txtYn", "txtZn"})
        for (int i : {0, 1})
            EXPECT_EQ(text(name, i), "1*") << name << i;
}

// Yn and Zn follow a new material or hardness as they follow a new life;
// a factor the user typed stays. At 10^6 cycles, worked by hand:
// through hardened 250 to 400 HB Yn 4.9404 N^-0.1045 = 1.1662, 400 HB and
// above 9.4518 N^-0.148 = 1.2232, Zn 2.466 N^-0.056 = 1.1376; nitrided
// Yn 3.517 N^-0.0817 = 1.1376, Zn 1.249 N^-0.0138 = 1.0322.
TEST_F(AgmaWindowTest, StressCycleFactorsFollowTheMaterialAndItsHardness)
{
    load();
    type("txtInps", 0, "1000");
    type("txtInps", 4, "2");
    type("txtLife", 0, "1000000");
    chooseMaterial(0, rows::ThroughHardenedGrade1);
    type("txtBHN", 0, "300");
    EXPECT_EQ(text("txtYn", 0), "1.166");
    EXPECT_EQ(text("txtZn", 0), "1.138");
    type("txtBHN", 0, "450");
    EXPECT_EQ(text("txtYn", 0), "1.223");
    EXPECT_EQ(text("lblYnFactor", 0), "9.4518 * 1000000");
    EXPECT_EQ(text("txtYn", 1), "1.0"); // the gear has no material

    // Each member's own change: the other member's factors stay.
    chooseMaterial(1, rows::ThroughHardenedGrade1);
    type("txtBHN", 1, "300");
    EXPECT_EQ(text("txtYn", 1), "1.254"); // 4.9404 · 500000^-0.1045
    type("txtYn", 1, "1.5");
    chooseMaterial(0, rows::Nitralloy135MGrade3);
    EXPECT_EQ(text("txtYn", 0), "1.138");
    EXPECT_EQ(text("txtZn", 0), "1.032");
    EXPECT_EQ(text("txtYn", 1), "1.5");

    // Typed values stay; the other factor of the member follows.
    type("txtYn", 0, "1.2*");
    chooseMaterial(0, rows::ThroughHardenedGrade1);
    type("txtBHN", 0, "300");
    EXPECT_EQ(text("txtYn", 0), "1.2*");
    EXPECT_EQ(text("txtZn", 0), "1.138");

    // Without gear cycles a new hardness changes nothing.
    type("txtZn", 0, "0.9");
    {
        Quietly quiet(*agma);
        type("txtLife", 1, "");
    }
    type("txtBHN", 0, "450");
    EXPECT_EQ(text("txtZn", 0), "0.9");
    EXPECT_EQ(text("txtYn", 1), "1.5");
}

// The default design's life, 1000 h at 1800 rpm with ratio 2 and one contact
// per revolution each (108,000,000 and 54,000,000 cycles), taken to 600 rpm:
// 3.6·10^7 pinion and 1.8·10^7 gear cycles. Above the knees, worked by hand:
//   Yn = 1.3558 N^-0.0178: 3.6·10^7 0.99470, 1.8·10^7 1.00705
//   Zn = 1.4488 N^-0.023:  3.6·10^7 0.97099, 1.8·10^7 0.98659
//   conservative Yn = 1.6831 N^-0.0323 and Zn = 2.466 N^-0.056 at 3.6·10^7:
//   0.95949 and 0.93077.
TEST_F(AgmaWindowTest, TheCyclesFollowEveryInputAndAMarkKeepsOnlyItsFactor)
{
    load();
    chooseMaterial(0, rows::ThroughHardenedGrade1);
    chooseMaterial(1, rows::ThroughHardenedGrade1);
    {
        Quietly quiet(*agma);
        type("txtInps", 0, "1800");
        type("txtInps", 4, "2");
        const char* life[] = {"108000000", "54000000", "1000"};
        for (int k = 0; k < 3; ++k)
            type("txtLife", k, life[k]);
        // The pinion keeps the shipped marked factors; the gear's are unmarked.
        for (int i : {0, 1}) {
            type("txtContacts", i, "1");
            type("txtYn", i, i == 0 ? "1.0*" : "1.0");
            type("txtZn", i, i == 0 ? "1.0*" : "1.0");
        }
    }

    // The marked pinion factors stay; the cycles and the gear's unmarked
    // factors follow the speed, each member at its own speed.
    type("txtInps", 0, "600");
    EXPECT_EQ(text("txtLife", 0), "36000000");
    EXPECT_EQ(text("txtLife", 1), "18000000");
    EXPECT_EQ(text("txtLife", 2), "1000");
    EXPECT_EQ(text("txtYn", 0), "1.0*");
    EXPECT_EQ(text("txtZn", 0), "1.0*");
    EXPECT_EQ(text("txtYn", 1), "1.007");
    EXPECT_EQ(text("txtZn", 1), ".987");

    // The mark taken away, the factor comes from the cycles of today's speed.
    type("txtZn", 0, "1.0");
    type("txtBHN", 0, "300");
    EXPECT_EQ(text("txtZn", 0), ".971");
    EXPECT_EQ(text("txtYn", 0), "1.0*");

    // The pinion's conservative curve: both its factors, the gear's typed one stays.
    type("txtYn", 1, "1.2*");
    ASSERT_TRUE(visible("chkConservative", 0));
    check("chkConservative", 0).setCheckValue(1);
    EXPECT_EQ(text("txtYn", 0), ".959");
    EXPECT_EQ(text("txtZn", 0), ".931");
    EXPECT_EQ(text("txtYn", 1), "1.2*");
    EXPECT_EQ(text("txtZn", 1), ".987");

    // Two contacts per revolution on the gear double its cycles alone.
    type("txtContacts", 1, "2");
    EXPECT_EQ(text("txtLife", 0), "36000000");
    EXPECT_EQ(text("txtLife", 1), "36000000");
    EXPECT_EQ(text("txtYn", 1), "1.2*");
    EXPECT_EQ(text("txtZn", 1), ".971");
    EXPECT_EQ(text("txtZn", 0), ".931");

    // A new ratio gives the gear its cycles at its own speed: 36,000,000 / 4 × 2.
    type("txtInps", 4, "4");
    EXPECT_EQ(text("txtLife", 1), "18000000");
    EXPECT_EQ(text("txtZn", 1), ".987");
}

// While a Set Inputs box holds a text that is no number, nothing shown
// beside it is worked from the number it held a key earlier; what the user
// marked stays, and the whole number works as before. Through-hardened
// members of 300 HB, surfaces 360 / 200 HB (r 1.8, A 0.00698), Ra 16,
// 10,000,000 pinion cycles, one contact each; worked by hand:
//   ratio 3:   gear 3,333,333 cycles, Ch 1 + 2 A = 1.01396
//   ratio 3.5: gear 2,857,143 cycles, Ch 1 + 2.5 A = 1.01745,
//              Yn 4.9404 N^-0.1045 = 1.04500, Zn 2.466 N^-0.056 = 1.07266
TEST_F(AgmaWindowTest, ARatioThatIsNoNumberEmptiesTheGearCyclesAndCh)
{
    load();
    chooseMaterial(0, rows::ThroughHardenedGrade1);
    chooseMaterial(1, rows::ThroughHardenedGrade1);
    ASSERT_TRUE(agma->state().ChApplies);
    {
        Quietly quiet(*agma);
        const char* life[] = {"10000000", "", ""};
        for (int k = 0; k < 3; ++k)
            type("txtLife", k, life[k]);
        for (int i : {0, 1}) {
            type("txtContacts", i, "1");
            type("txtBHN", i, "300");
        }
        type("txtSurfaceBHN", 0, "360");
        type("txtSurfaceBHN", 1, "200");
        type("txtRMS", "16");
    }
    type("txtInps", 4, "3");
    EXPECT_EQ(text("txtLife", 1), "3333333");
    EXPECT_EQ(text("txtCh", 1), "1.01");
    EXPECT_EQ(text("txtYn", 1), "1.038"); // 1.3558 N^-0.0178 above the knee
    for (const char* typed : {"3,", "3,5", "3.5:1"}) {
        type("txtInps", 4, typed);
        EXPECT_EQ(text("txtLife", 1), "") << typed;
        EXPECT_EQ(text("txtCh", 1), "") << typed;
        EXPECT_EQ(text("txtYn", 1), "") << typed;
        EXPECT_EQ(text("txtZn", 1), "") << typed;
        EXPECT_EQ(text("lblYnFactor", 1), "") << typed;
        EXPECT_EQ(text("lblZnExponent", 1), "") << typed;
    }
    // The pinion's own cycles and factors do not use the ratio.
    EXPECT_EQ(text("txtLife", 0), "10000000");
    EXPECT_NE(text("txtYn", 0), "");
    type("txtInps", 4, "3.5");
    EXPECT_EQ(text("txtLife", 1), "2857143");
    EXPECT_EQ(text("txtCh", 1), "1.02");
    EXPECT_EQ(text("txtYn", 1), "1.045");
    EXPECT_EQ(text("txtZn", 1), "1.073");
    EXPECT_NE(text("lblYnFactor", 1), "");

    // Values the user marked are the user's: they stay.
    {
        Quietly quiet(*agma);
        type("txtCh", 1, "1.2*");
        type("txtYn", 1, "1.1*");
    }
    type("txtInps", 4, "3,5");
    EXPECT_EQ(text("txtCh", 1), "1.2*");
    EXPECT_EQ(text("txtYn", 1), "1.1*");
    EXPECT_EQ(text("txtZn", 1), "");
    EXPECT_EQ(text("txtLife", 1), "");
    {
        Quietly quiet(*agma);
        type("txtLife", 1, "4000000*");
        type("txtZn", 1, "1.05");
    }
    type("txtInps", 4, "3,50");
    EXPECT_EQ(text("txtLife", 1), "4000000*");
    EXPECT_EQ(text("txtZn", 1), "1.05");
    // Typing where the ratio is no number works no Ch either.
    type("txtCh", 1, "1.3");
    type("txtSurfaceBHN", 1, "210");
    EXPECT_EQ(text("txtCh", 1), "");
}

// The speed likewise: the cycles it drives, their factors and Kv. 100 h at
// 1000 rpm, ratio 2.5, one contact each, pitch diameter 5, qualities 10 and
// 8; worked by hand: 6,000,000 pinion cycles, Yn 1.3558 N^-0.0178 = 1.0269,
// Zn 2.466 N^-0.056 = 1.0290; 2,400,000 gear cycles, Yn 4.9404 N^-0.1045 =
// 1.0642, Zn 1.0832; Kv 1.382, limits 4767 ft/min and 3642 rpm.
TEST_F(AgmaWindowTest, ASpeedThatIsNoNumberEmptiesTheCyclesAndKv)
{
    load();
    chooseMaterial(0, rows::ThroughHardenedGrade1);
    chooseMaterial(1, rows::ThroughHardenedGrade1);
    {
        Quietly quiet(*agma);
        const char* life[] = {"", "", "100"};
        for (int k = 0; k < 3; ++k)
            type("txtLife", k, life[k]);
        for (int i : {0, 1}) {
            type("txtContacts", i, "1");
            type("txtBHN", i, "300");
            type("txtYn", i, "1.0");
            type("txtZn", i, "1.0");
        }
        type("txtInps", 2, "5");
        type("txtInps", 4, "2.5");
        combo("cmbKV", 0).setListIndex(2);
        combo("cmbKV", 1).setListIndex(4);
    }
    type("txtInps", 0, "1");
    EXPECT_EQ(text("txtLife", 0), "6000");
    EXPECT_NE(text("txtKV"), "");
    for (const char* typed : {"1,", "1,8", "1,000.5.", "1 rpm"}) {
        type("txtInps", 0, typed);
        for (int k : {0, 1})
            EXPECT_EQ(text("txtLife", k), "") << typed << " " << k;
        for (const char* name : {"txtYn", "txtZn"})
            for (int i : {0, 1})
                EXPECT_EQ(text(name, i), "") << typed << " " << name << i;
        EXPECT_EQ(text("txtKV"), "") << typed;
        EXPECT_EQ(text("lblMaxPLV"), "") << typed;
        EXPECT_EQ(text("lblMaxRPM"), "") << typed;
        EXPECT_EQ(text("txtLife", 2), "100") << typed; // the hours are the user's
    }
    type("txtInps", 0, "1000");
    EXPECT_EQ(text("txtLife", 0), "6000000");
    EXPECT_EQ(text("txtLife", 1), "2400000");
    EXPECT_EQ(text("txtYn", 0), "1.027");
    EXPECT_EQ(text("txtZn", 0), "1.029");
    EXPECT_EQ(text("txtYn", 1), "1.064");
    EXPECT_EQ(text("txtZn", 1), "1.083");
    EXPECT_EQ(text("txtKV"), "1.38");
    EXPECT_EQ(text("lblMaxPLV"), "4767");
    EXPECT_EQ(text("lblMaxRPM"), "3642");

    // A marked Kv and marked factors stay.
    {
        Quietly quiet(*agma);
        type("txtKV", "1.5*");
        type("txtZn", 0, "0.9*");
    }
    type("txtInps", 0, "1,");
    EXPECT_EQ(text("txtKV"), "1.5*");
    EXPECT_EQ(text("txtZn", 0), "0.9*");
    EXPECT_EQ(text("txtYn", 0), "");
    // An empty speed reads 0, as before: no cycles from it, nothing emptied.
    type("txtInps", 0, "1000");
    type("txtInps", 0, "");
    EXPECT_EQ(text("txtLife", 0), "6000000");
    EXPECT_EQ(text("txtYn", 0), "1.027");
}

// The face width and pitch diameter empty the Km worked from them, and its
// equation. F 3, d 4, open gearing: Km 1 + 0.075 + 0.296 = 1.371.
TEST_F(AgmaWindowTest, AFaceOrDiameterThatIsNoNumberEmptiesKm)
{
    load();
    {
        Quietly quiet(*agma);
        type("txtInps", 1, "3");
        type("txtInps", 2, "4");
        type("txtKmOffset", "0");
        check("chkCMC").setCheckValue(0);
        check("chkCE").setCheckValue(0);
        label("lbloptGearStyle").setCaption(QString());
    }
    option("optGearStyle", 0).setSelected(true);
    ASSERT_EQ(text("txtKm"), "1.371");
    const std::size_t before = messageCount();
    for (const auto& [index, typed] : {std::pair{1, "1,"}, std::pair{1, "1,5"}, std::pair{2, "4,5"}}) {
        type("txtInps", 1, "3");
        type("txtInps", 2, "4");
        ASSERT_EQ(text("txtKm"), "1.371");
        type("txtInps", index, typed);
        EXPECT_EQ(text("txtKm"), "") << typed;
        EXPECT_EQ(agma->state().KmEquation, "") << typed;
    }
    // No message while typing: the tab and the commit name the box.
    EXPECT_EQ(messageCount(), before);
    type("txtInps", 2, "4");
    EXPECT_EQ(text("txtKm"), "1.371");
    EXPECT_NE(agma->state().KmEquation, "");

    {
        Quietly quiet(*agma);
        type("txtKm", "1.25*");
    }
    type("txtInps", 1, "1,5");
    EXPECT_EQ(text("txtKm"), "1.25*");
}

TEST_F(AgmaWindowTest, TheHardnessRatioFactorOfTheGear)
{
    load();
    struct Case {
        int pinionRow;
        const char* pinion;
        const char* gear;
        const char* ratio;
        const char* finish;
        const char* ch;
    };
    // Through hardened pinion: (mG − 1) A + 1 with A from HBP / HBG; surface
    // hardened: (450 − HBG) · 0.00075 e^(−0.0112 Ra) + 1; never below 1.
    const Case cases[] = {
        {rows::ThroughHardenedGrade1, "300", "200", "3", "16", "1.01"},
        {rows::ThroughHardenedGrade1, "400", "200", "4", "16", "1.02"},
        {rows::ThroughHardenedGrade1, "330", "300", "4", "16", "1.00"},
        {rows::CarburizedGrade1, "600", "300", "4", "16", "1.09"},
        {rows::CarburizedGrade1, "600", "500", "4", "16", "1.0"},
        {rows::CarburizedGrade1, "600", "300", "4", "65", "1.0"},
        {rows::CarburizedGrade1, "600", "300", "4", "64", "1.05"},
        // The flame-hardened rows' own 481 BHN, 50 HRC by the hardness chart
        // (488.8 BHN by the conversion formula), and a nitrided surface of
        // 614 BHN, whose row bounds only the core hardness: 1.0940.
        {rows::FlameHardened50HRC, "481", "300", "4", "16", "1.09"},
        {rows::Nitralloy135MGrade1, "614", "300", "4", "16", "1.09"},
    };
    chooseMaterial(1, rows::ThroughHardenedGrade1);
    for (const Case& c : cases) {
        chooseMaterial(0, c.pinionRow);
        ASSERT_TRUE(agma->state().ChApplies);
        type("txtInps", 4, c.ratio);
        type("txtCh", 1, "7");
        type("txtRMS", "");
        type("txtSurfaceBHN", 0, c.pinion);
        type("txtSurfaceBHN", 1, c.gear);
        // The finish last: above 64 it gives 1.0 at once.
        type("txtRMS", c.finish);
        EXPECT_EQ(text("txtCh", 1), c.ch) << c.pinion << "/" << c.gear << " Ra " << c.finish;
        EXPECT_EQ(text("txtCh", 0), "1.0");
    }
}

TEST_F(AgmaWindowTest, EnteringTheFactorsTabFillsTheSurfaceHardness)
{
    load();
    chooseMaterial(0, rows::FlameHardened50HRC);
    chooseMaterial(1, rows::ThroughHardenedGrade1);
    type("txtBHN", 1, "250");
    tabs().setSelectedTab(7);
    EXPECT_EQ(text("txtSurfaceBHN", 0), "481"); // the material's surface hardness
    EXPECT_EQ(text("txtSurfaceBHN", 1), "250"); // none: the member's hardness
}

TEST_F(AgmaWindowTest, ChangingTabsShowsItsPageAndRecomputesKvLeavingTheFirst)
{
    load();
    type("txtInps", 0, "1000");
    type("txtInps", 2, "5");
    combo("cmbKV", 0).setListIndex(2);
    combo("cmbKV", 1).setListIndex(4);
    ASSERT_EQ(text("txtKV"), "1.38");
    type("txtInps", 0, "3000");
    tabs().setSelectedTab(2);
    EXPECT_NE(text("txtKV"), "1.38");
    EXPECT_TRUE(visible("pict", 2));
    EXPECT_FALSE(visible("pict", 0));
    EXPECT_FALSE(visible("cmdNext"));

    // A marked Kv is left alone.
    tabs().setSelectedTab(0);
    {
        Quietly quiet(*agma);
        type("txtKV", "1.5*");
    }
    type("txtInps", 0, "1000");
    tabs().setSelectedTab(1);
    EXPECT_EQ(text("txtKV"), "1.5*");
    EXPECT_TRUE(form().get<forms::MenuItem>(q("mnuMaterials")).visible());
    {
        // Stresses and Cp for an allowable power: without them the last tab sends the user back.
        Quietly quiet(*agma);
        for (int i : {0, 1}) {
            type("txtSAC", i, "100,000");
            type("txtSAT", i, "30,000");
        }
        type("txtCP", "2300");
    }
    tabs().setSelectedTab(8);
    EXPECT_TRUE(visible("cmdNext"));
    EXPECT_FALSE(form().get<forms::MenuItem>(q("mnuMaterials")).visible());
}

TEST_F(AgmaWindowTest, TheKbLengthsFollowTheDisplayUnitAndKeepTheirRatio)
{
    load();
    type("txtKBin", 2, "2.25");
    type("txtKBin", 3, "2.0");
    ASSERT_EQ(text("txtKb", 1), "1.48");
    agma->SetLengthUnit("(mm) ", 25.4);
    EXPECT_EQ(text("lblKbUnits", 2), "(mm) ");
    EXPECT_EQ(text("txtKBin", 2), "57.15");
    EXPECT_EQ(text("txtKBin", 3), "50.8");
    EXPECT_EQ(text("txtKb", 1), "1.48");
    // A rim typed in millimetres against a converted depth: mB 40 / 57.15 = 0.70.
    type("txtKBin", 3, "40");
    EXPECT_EQ(text("txtKbmB", 1), "0.7");
    agma->SetLengthUnit("(in) ", 1);
    EXPECT_EQ(text("txtKBin", 2), "2.25");
    EXPECT_EQ(text("lblKbUnits", 0), "(in) ");
}

TEST_F(AgmaWindowTest, TheCloseBoxKeepsTheWindowAndItsValues)
{
    load();
    chooseMaterial(0, rows::ThroughHardenedGrade1);
    EXPECT_FALSE(form().unload(forms::UnloadReason::FormControlMenu));
    EXPECT_TRUE(form().isLoaded());
    EXPECT_EQ(text("txtSAC", 0), "61,300");
}
