// Changing tabs on the shown window: the leave tests, the materials tests,
// the entry actions, and the allowable power of the last tab.
#include "AgmaWindowFixture.h"

#include "agma/AllowablePower.h"

#include "forms/MenuItem.h"

#include <QApplication>
#include <QDir>
#include <QImage>

#include <functional>

namespace {

int pixelsWhere(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& test)
{
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    return count;
}

} // namespace

class AgmaTabs : public AgmaWindowTest {
protected:
    void SetUp() override
    {
        load().show();
        QApplication::setActiveWindow(form().window());
        settle();
    }
    void withMaterials()
    {
        chooseMaterial(0, rows::ThroughHardenedGrade1);
        chooseMaterial(1, rows::ThroughHardenedGrade1);
        tabs().setSelectedTab(0);
    }
    void quietly(const char* name, int index, const std::string& value)
    {
        agma->StopTheEvents(true);
        type(name, index, value);
        agma->StopTheEvents(false);
    }
    void select(int tab)
    {
        tabs().setSelectedTab(tab);
        settle();
    }
    // The spur pair whose powers are worked by hand in the calculator's tests:
    // 52.5, 59.4, 122 and 139 hp.
    void spurPair()
    {
        const std::pair<const char*, const char*> single[] = {
            {"txtEye", "0.1"}, {"txtKo", "1.25"}, {"txtKV", "1.38*"}, {"txtKm", "1.371"}, {"txtKs", "1"},
            {"txtCf", "1"},    {"txtKt", "1"},    {"txtKr", "1"},     {"txtCP", "2291"}};
        for (const auto& [name, value] : single)
            quietly(name, -1, value);
        const char* inps[] = {"1800", "2", "4", "5"};
        for (int k = 0; k < 4; ++k)
            quietly("txtInps", k, inps[k]);
        const std::pair<const char*, std::array<const char*, 2>> members[] = {
            {"txtJay", {"0.35", "0.40"}}, {"txtZn", {"0.95", "1"}},       {"txtCh", {"1", "1.01"}},
            {"txtSh", {"1", "1"}},        {"txtYn", {"1", "1"}},          {"txtKb", {"1", "1"}},
            {"txtSf", {"1", "1"}},        {"txtSAC", {"125,700", "125,700"}}, {"txtSAT", {"35,990", "35,990"}}};
        for (const auto& [name, values] : members)
            for (int i : {0, 1})
                quietly(name, i, values[static_cast<std::size_t>(i)]);
    }
};

TEST_F(AgmaTabs, AZeroFactorKeepsItsTabAndTakesTheFocus)
{
    withMaterials();
    struct Case {
        int tab;
        const char* name;
        int index;
        int innerTab;
    };
    const Case cases[] = {{0, "txtInps", 0, -1}, {2, "txtKV", -1, -1}, {3, "txtKb", 1, 1}, {4, "txtKm", -1, -1},
                          {5, "txtKt", -1, -1},  {6, "txtZn", 1, -1},  {7, "txtCf", -1, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        select(c.tab);
        const std::string kept = text(c.name, c.index);
        quietly(c.name, c.index, "0");
        select(c.tab == 5 ? 6 : 5);
        EXPECT_EQ(tabs().selectedTab(), c.tab);
        EXPECT_TRUE(visible("pict", c.tab));
        EXPECT_TRUE(box(c.name, c.index).hasFocus());
        if (c.innerTab >= 0) {
            EXPECT_EQ(form().get<forms::TabStrip>(q("TabKb")).selectedTab(), c.innerTab);
        }
        quietly(c.name, c.index, kept.empty() || kept == "0" ? "1" : kept);
    }
}

TEST_F(AgmaTabs, TwoZeroFactorsEndOnTheTabLeft)
{
    withMaterials();
    select(2);
    quietly("txtKV", -1, "0");
    quietly("txtKm", -1, "0");
    select(4);
    EXPECT_EQ(tabs().selectedTab(), 2);
    quietly("txtKV", -1, "1.2");
    select(4);
    EXPECT_EQ(tabs().selectedTab(), 4);
    quietly("txtKV", -1, "0");
    select(2);
    EXPECT_EQ(tabs().selectedTab(), 4);
    EXPECT_TRUE(visible("pict", 4));
    EXPECT_FALSE(visible("pict", 2));
}

TEST_F(AgmaTabs, NoMaterialGoesToMaterialsAndCalculatesNoPower)
{
    spurPair();
    select(8);
    EXPECT_EQ(tabs().selectedTab(), 1);
    EXPECT_EQ(label("lblPac", 0).caption(), QStringLiteral("Pac"));
    EXPECT_EQ(messageCount(), 0u);
    EXPECT_FALSE(visible("cmdNext"));
    // Leaving the materials tab without both materials returns to it, except to Set Inputs.
    chooseMaterial(0, rows::ThroughHardenedGrade1);
    select(4);
    EXPECT_EQ(tabs().selectedTab(), 1);
    select(0);
    EXPECT_EQ(tabs().selectedTab(), 0);
}

TEST_F(AgmaTabs, PowerTabShowsTheGoldenPowersAndTheLimit)
{
    withMaterials();
    spurPair();
    select(8);
    ASSERT_EQ(tabs().selectedTab(), 8);
    EXPECT_EQ(label("lblPac", 0).caption(), QStringLiteral("52.5 hp"));
    EXPECT_EQ(label("lblPac", 1).caption(), QStringLiteral("59.4 hp"));
    EXPECT_EQ(label("lblPat", 0).caption(), QStringLiteral("122 hp"));
    EXPECT_EQ(label("lblPat", 1).caption(), QStringLiteral("139 hp"));
    EXPECT_TRUE(visible("cmdNext"));
    const auto& state = agma->state();
    EXPECT_FLOAT_EQ(state.LowestAllowablePower, 52.5f);
    EXPECT_EQ(state.AllowablePowerTable[0].key, "PAC");
    EXPECT_FLOAT_EQ(static_cast<float>(state.AllowablePowerTable[1].gear), 139);
    forms::Label& limit = label("lblLimitT");
    forms::Label& pac = label("lblPac", 0);
    EXPECT_TRUE(limit.visible());
    EXPECT_DOUBLE_EQ(limit.top(), pac.top());
    EXPECT_DOUBLE_EQ(limit.left(), pac.left() + pac.width() + 50);

    // A failure voids everything, names the box and sends the user to the materials.
    select(7);
    quietly("txtCP", -1, "");
    select(8);
    EXPECT_EQ(lastMessage(),
              std::string(cindrel::agma::PowerFailureMessage) + "\r\nCp, the elastic coefficient: the box is empty.");
    EXPECT_EQ(tabs().selectedTab(), 1);
    EXPECT_EQ(label("lblPac", 0).caption(), QStringLiteral("Pac"));
    EXPECT_EQ(label("lblPat", 1).caption(), QStringLiteral("Pat"));
    EXPECT_FALSE(limit.visible());
    EXPECT_EQ(agma->state().LowestAllowablePower, 0);
    EXPECT_EQ(agma->state().AllowablePowerTable[0].key, "");
}

// A Set Inputs box holding no whole number shows no power worked from its
// first digits ("1,5" was a face of 1: 26.3 hp), names the box and sends the
// user back to it; the whole value works as before. Leaving the tab is
// refused first; a slip the tab did not see (a box written quietly) is
// refused by the power tab itself.
TEST_F(AgmaTabs, ASetInputsSlipShowsNoPowerAndGoesBackToTheBox)
{
    struct Case {
        int index;
        const char* slip;
        const char* sound;
        const char* named;
    };
    const Case cases[] = {
        {1, "1,5", "2", "The face width: \"1,5\" is not a number."},
        {2, "4,5", "4", "The pinion operating pitch diameter: \"4,5\" is not a number."},
        {3, "5,5", "5", "The transverse diametral pitch: \"5,5\" is not a number."},
        {4, "2,5", "2.5", "The gear ratio: \"2,5\" is not a number."},
    };
    withMaterials();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.named);
        select(0);
        spurPair();
        type("txtInps", c.index, c.slip);
        select(8);
        EXPECT_EQ(lastMessage(), std::string(c.named) + " Correct it to go on.");
        EXPECT_EQ(tabs().selectedTab(), 0);
        EXPECT_TRUE(visible("pict", 0));
        EXPECT_TRUE(box("txtInps", c.index).hasFocus());

        spurPair();
        quietly("txtInps", c.index, c.sound);
        select(7);
        ASSERT_EQ(tabs().selectedTab(), 7);
        quietly("txtInps", c.index, c.slip);
        select(8);
        EXPECT_EQ(lastMessage(), std::string(cindrel::agma::PowerFailureMessage) + "\r\n" + c.named);
        EXPECT_EQ(tabs().selectedTab(), 0);
        EXPECT_TRUE(box("txtInps", c.index).hasFocus());
        EXPECT_EQ(label("lblPac", 0).caption(), QStringLiteral("Pac"));
        EXPECT_EQ(label("lblPat", 1).caption(), QStringLiteral("Pat"));
        EXPECT_EQ(agma->state().LowestAllowablePower, 0);

        quietly("txtInps", c.index, c.sound);
        select(8);
        ASSERT_EQ(tabs().selectedTab(), 8);
        EXPECT_EQ(label("lblPac", 0).caption(), QStringLiteral("52.5 hp"));
        EXPECT_EQ(label("lblPat", 1).caption(), QStringLiteral("139 hp"));
    }
}

// A slip typed in the speed empties the cycles, factors and Kv it had
// worked: the tab names the speed, never one of the emptied boxes, and the
// pages holding them are not reached until the speed is a number.
TEST_F(AgmaTabs, ASpeedSlipIsNamedNotTheBoxesItEmptied)
{
    withMaterials();
    quietly("txtLife", 2, "100");
    for (int i : {0, 1}) {
        quietly("txtContacts", i, "1");
        quietly("txtYn", i, "1.0");
    }
    quietly("txtInps", 2, "5");
    quietly("txtInps", 4, "2");
    combo("cmbKV", 0).setListIndex(2);
    combo("cmbKV", 1).setListIndex(4);
    quietly("txtInps", 0, "");
    type("txtInps", 0, "1000");
    ASSERT_EQ(text("txtKV"), "1.38");
    ASSERT_EQ(text("txtLife", 1), "3000000");
    type("txtInps", 0, "1,8");
    ASSERT_EQ(text("txtKV"), "");
    ASSERT_EQ(text("txtYn", 1), "");
    for (int tab : {2, 6, 1}) {
        select(tab);
        EXPECT_EQ(lastMessage(), "The pinion speed: \"1,8\" is not a number. Correct it to go on.") << tab;
        EXPECT_EQ(tabs().selectedTab(), 0) << tab;
        EXPECT_TRUE(box("txtInps", 0).hasFocus()) << tab;
    }
    type("txtInps", 0, "1800");
    select(2);
    EXPECT_EQ(tabs().selectedTab(), 2);
    // Av 10, vt = 1800 · π · 5 / 12 = 2356 ft/min: Kv ((65.04 + 48.54) / 65.04)^0.7314 = 1.500.
    EXPECT_EQ(text("txtKV"), "1.50");
    select(6);
    EXPECT_EQ(tabs().selectedTab(), 6);
    EXPECT_EQ(text("txtLife", 0), "10800000"); // 100 h × 60 × 1800
    EXPECT_EQ(text("txtLife", 1), "5400000");
}

// A Cp missing for a modulus that is no number names the modulus, on the
// member's own materials page; an empty modulus says the box is empty.
TEST_F(AgmaTabs, AMissingCpNamesTheModulus)
{
    withMaterials();
    spurPair();
    const std::string sound = text("txtYoungs", 0);
    type("txtYoungs", 0, "1,5");
    ASSERT_EQ(text("txtCP"), "");
    select(8);
    EXPECT_EQ(lastMessage(), std::string(cindrel::agma::PowerFailureMessage) +
                                 "\r\nThe modulus of elasticity of the pinion: \"1,5\" is not a number.");
    EXPECT_EQ(tabs().selectedTab(), 1);
    EXPECT_TRUE(box("txtYoungs", 0).hasFocus());
    EXPECT_EQ(label("lblPac", 0).caption(), QStringLiteral("Pac"));

    type("txtYoungs", 0, sound);
    type("txtYoungs", 1, "");
    select(8);
    EXPECT_EQ(lastMessage(), std::string(cindrel::agma::PowerFailureMessage) +
                                 "\r\nThe modulus of elasticity of the gear: the box is empty.");
}

// A geometry factor whose routine failed comes over as "failed": the power
// tab marks the powers it would give, names it, stays, and works out none.
TEST_F(AgmaTabs, AFailedGeometryFactorIsMarkedOnThePowerTab)
{
    struct Case {
        const char* box;
        int index;
        const char* sound;
        const char* label;
        int labelIndex;
        const char* caption;
        const char* named;
    };
    const Case cases[] = {
        {"txtJay", 0, "0.35", "lblPat", 0, "J failed", "Pinion J geometry factor failed"},
        {"txtJay", 1, "0.40", "lblPat", 1, "J failed", "Gear J geometry factor failed"},
        {"txtEye", -1, "0.1", "lblPac", 1, "I failed", "The I geometry factor failed"},
    };
    withMaterials();
    spurPair();
    for (const Case& c : cases) {
        select(0);
        quietly(c.box, c.index, "failed");
        select(8);
        EXPECT_EQ(tabs().selectedTab(), 8) << c.named;
        EXPECT_EQ(label(c.label, c.labelIndex).caption(), QString::fromUtf8(c.caption)) << c.named;
        EXPECT_NE(lastMessage().find(c.named), std::string::npos) << lastMessage();
        EXPECT_EQ(agma->state().LowestAllowablePower, 0) << c.named;
        EXPECT_EQ(agma->state().AllowablePowerTable[0].key, "") << c.named;
        EXPECT_FALSE(label("lblLimitT").visible()) << c.named;
        quietly(c.box, c.index, c.sound);
    }
    // Sound again: the powers worked by hand.
    select(0);
    select(8);
    EXPECT_EQ(label("lblPat", 0).caption(), QStringLiteral("122 hp"));
    EXPECT_EQ(label("lblPac", 1).caption(), QStringLiteral("59.4 hp"));
}

// The spur pair of the golden powers with a pinion of 450 HB and a gear of
// 300 HB at 10^6 and 5·10^5 cycles. Worked by hand: pinion sac 322·450 +
// 29100 = 174,000 psi, sat 77.3·450 + 12800 = 47,585 psi, Yn 1.223, Zn 1.138;
// Pat = 1800·4·2·0.35·47585·1.223 / (126000·1.25·1.38·5·1.371) = 196.9 hp,
// Pac = 360 / 297986.85 · (4·174000·1.138 / 2291)² = 144.4 hp.
TEST_F(AgmaTabs, ThePowerTakesTheStressCycleFactorsOfTheNewHardness)
{
    withMaterials();
    spurPair();
    quietly("txtInps", 4, "2");
    quietly("txtLife", 0, "1000000");
    quietly("txtLife", 1, "500000");
    type("txtBHN", 1, "300");
    type("txtBHN", 0, "450");
    EXPECT_EQ(text("txtYn", 0), "1.223");
    EXPECT_EQ(text("txtZn", 0), "1.138");
    select(8);
    ASSERT_EQ(tabs().selectedTab(), 8);
    EXPECT_EQ(label("lblPat", 0).caption(), QStringLiteral("197 hp"));
    EXPECT_EQ(label("lblPac", 0).caption(), QStringLiteral("144 hp"));
}

// A surface-hardened pinion at its table hardness, a 300 HB gear, ratio 3,
// Ra 16: Ch = (450 − 300) · 0.00075 e^(−0.0112·16) + 1 = 1.0940, shown 1.09;
// the gear's Pac of the golden spur pair becomes 360 / 297986.85 ·
// (4·125700·1.09 / 2291)² = 69.1 hp (58.2 hp without the gain).
TEST_F(AgmaTabs, ASurfaceHardenedPinionRaisesTheGearsPittingPower)
{
    struct Case {
        int pinionRow;
        const char* surface;
    };
    for (const Case& c : {Case{rows::FlameHardened50HRC, "481"}, Case{rows::Nitralloy135MGrade1, "614"}}) {
        SCOPED_TRACE(c.pinionRow);
        select(0);
        chooseMaterial(0, c.pinionRow);
        chooseMaterial(1, rows::ThroughHardenedGrade1);
        type("txtBHN", 1, "300");
        spurPair();
        quietly("txtInps", 4, "3");
        quietly("txtRMS", -1, "16");
        // Entering the tab brings each member's surface hardness.
        quietly("txtSurfaceBHN", 0, "");
        quietly("txtSurfaceBHN", 1, "");
        select(7);
        EXPECT_EQ(text("txtSurfaceBHN", 0), c.surface);
        EXPECT_EQ(text("txtSurfaceBHN", 1), "300");
        EXPECT_EQ(text("txtCh", 1), "1.09");
        select(8);
        ASSERT_EQ(tabs().selectedTab(), 8);
        EXPECT_EQ(label("lblPac", 1).caption(), QStringLiteral("69.1 hp"));
    }
}

TEST_F(AgmaTabs, SetInputsSpeedAndRatioDriveTheLife)
{
    withMaterials();
    quietly("txtLife", 2, "100");
    quietly("txtContacts", 0, "1");
    type("txtInps", 0, "1200");
    EXPECT_EQ(text("txtLife", 0), "7200000"); // 100 h × 60 × 1 × 1200 rpm
    quietly("txtLife", 0, "10000000");
    quietly("txtContacts", 1, "2");
    type("txtInps", 4, "2.5");
    EXPECT_EQ(text("txtLife", 1), "8000000"); // 10,000,000 / 1 / 2.5 × 2
    // "2,5" is no ratio of 2 (10,000,000 gear cycles): no gear cycles stand.
    type("txtInps", 4, "2,5");
    EXPECT_EQ(text("txtLife", 1), "");
    type("txtInps", 4, "2.5");
    EXPECT_EQ(text("txtLife", 1), "8000000");
    // A marked Zn keeps only itself: the cycles follow the speed.
    quietly("txtZn", 0, "1.0*");
    type("txtInps", 0, "2000");
    EXPECT_EQ(text("txtLife", 0), "12000000"); // 100 h × 60 × 1 × 2000 rpm
    EXPECT_EQ(text("txtLife", 1), "9600000");  // 100 h × 60 × 2 × 2000 rpm / 2.5
    EXPECT_EQ(text("txtZn", 0), "1.0*");
}

// What the user sees: every page drawn in a client area of the notes' height,
// and the red "<- Limit" on the row of the smallest power. The grabs are kept
// in agma-artefacts/ for a look by eye.
TEST_F(AgmaTabs, EachPageDrawsAndTheLimitShowsRedBesideTheLowestPower)
{
    withMaterials();
    spurPair();
    QDir().mkpath(QStringLiteral("agma-artefacts"));
    // Client heights in whole pixels of 15 twips: 5600 and 5600 + 1300 twips.
    const bool notes = form().get<forms::MenuItem>(q("mnuNotes")).checked();
    const int clientHeight = static_cast<int>((5600 + (notes ? 1300 : 0)) / 15.0);
    for (int tab = 0; tab < 9; ++tab) {
        select(tab);
        ASSERT_EQ(tabs().selectedTab(), tab);
        const QImage image = form().clientArea()->grab().toImage();
        image.save(QStringLiteral("agma-artefacts/tab-%1.png").arg(tab));
        EXPECT_NEAR(image.height(), clientHeight, 1) << "tab " << tab;
        EXPECT_GT(pixelsWhere(image, image.rect(), [](QRgb p) { return qGray(p) < 96; }), 200) << "tab " << tab;
    }

    // Tab 8 is shown: the label of the smallest power, pinion Pac, carries the mark.
    const QImage image = form().clientArea()->grab().toImage();
    const auto red = [](QRgb p) { return qRed(p) > 160 && qGreen(p) < 90 && qBlue(p) < 90; };
    QWidget* pac = label("lblPac", 0).widget();
    const QRect pacRow(0, pac->mapTo(form().clientArea(), QPoint(0, 0)).y(), image.width(), pac->height());
    const QRect limitAt = label("lblLimitT").widget()->geometry().translated(
        label("lblLimitT").widget()->parentWidget()->mapTo(form().clientArea(), QPoint(0, 0)));
    EXPECT_GT(pixelsWhere(image, limitAt, red), 20);
    EXPECT_EQ(pixelsWhere(image, limitAt, red), pixelsWhere(image, image.rect(), red)) << "red elsewhere";
    EXPECT_EQ(pixelsWhere(image, limitAt.intersected(pacRow), red), pixelsWhere(image, limitAt, red))
        << "off the power's row";
    EXPECT_GT(limitAt.left(), pac->mapTo(form().clientArea(), QPoint(pac->width(), 0)).x()) << "right of the power";
    QWidget* gearPac = label("lblPac", 1).widget();
    EXPECT_FALSE(limitAt.intersects(QRect(gearPac->mapTo(form().clientArea(), QPoint(0, 0)), gearPac->size())))
        << "over the gear's power";
}
