// The notes area: "Show notes", the notes buttons, the two equation pictures
// and the pitting legend on the shown window.
#include "AgmaWindowFixture.h"

#include "agma/AgmaNotes.h"
#include "agma/EquationLegend.h"
#include "forms/MenuItem.h"
#include "forms/PictureBox.h"

#include <QApplication>
#include <QTest>
#include <QDir>

#include <cmath>

class AgmaNotesArea : public AgmaWindowTest {
protected:
    void SetUp() override
    {
        load().show();
        QApplication::setActiveWindow(form().window());
        QCoreApplication::processEvents();
        // Both members need a material before the tabs past the materials can be shown.
        chooseMaterial(0, rows::ThroughHardenedGrade1);
        chooseMaterial(1, rows::ThroughHardenedGrade1);
        tabs().setSelectedTab(0);
    }
    forms::MenuItem& menu(const char* name) { return form().get<forms::MenuItem>(q(name)); }
    forms::PictureBox& picture(const char* name) { return form().get<forms::PictureBox>(q(name)); }
    void pointAt(int button, double x, double y, bool down)
    {
        const forms::MouseEventArgs mouse{button, 0, x, y};
        if (down)
            picture("imaPac").onMouseDown(mouse);
        else
            picture("imaPac").onMouseMove(mouse);
        QCoreApplication::processEvents();
    }
    static constexpr double NotesTop = 5600;
};

TEST_F(AgmaNotesArea, ShowNotesSetsTheClientHeightAndTheMenus)
{
    EXPECT_TRUE(menu("mnuNotes").checked());
    EXPECT_DOUBLE_EQ(form().scaleHeight(), NotesTop + 1300);
    EXPECT_TRUE(visible("cmdNotesKM"));
    menu("mnuNotes").onClick();
    EXPECT_FALSE(menu("mnuNotes").checked());
    EXPECT_DOUBLE_EQ(form().scaleHeight(), NotesTop);
    EXPECT_FALSE(visible("cmdNotesKM"));
    EXPECT_FALSE(menu("mnuBendEq").visible());
    EXPECT_FALSE(visible("CmdnotesKr")); // its name escapes the test: the Kr options rule it
    menu("mnuNotes").onClick();
    EXPECT_DOUBLE_EQ(form().scaleHeight(), NotesTop + 1300);
    EXPECT_TRUE(menu("mnuAbout").visible());
}

TEST_F(AgmaNotesArea, NotesButtonsAndAboutShowTheirNotes)
{
    struct Case {
        const char* control;
        int index;
        const char* key;
    };
    const Case cases[] = {{"cmdNotesKM", -1, "Km"}, {"cmdNotesKb", 1, "Kb"}, {"cmdNotesCf", -1, "Cf"},
                          {"cmdNotesKt", -1, "Kt"}, {"cmdNotesSf", -1, "Sf"}};
    for (const Case& c : cases) {
        form().get<forms::CommandButton>(q(c.control), c.index).click();
        EXPECT_EQ(label("lblHelpText").caption().toStdString(), cindrel::agma::noteFor(c.key)) << c.control;
    }
    menu("mnuAbout").onClick();
    EXPECT_EQ(label("lblHelpText").caption().toStdString(), cindrel::agma::noteFor("AGMA"));
    label("lblHelpText").onMouseMove({});
    EXPECT_EQ(label("lblHelpText").caption(), QString());
}

TEST_F(AgmaNotesArea, PittingLegendNamesAndLeadsToItsBox)
{
    menu("mnuPittingEq").onClick();
    EXPECT_DOUBLE_EQ(picture("imaPac").left(), 250);
    EXPECT_DOUBLE_EQ(picture("ImaPat").left(), 20000);
    tabs().setSelectedTab(1);
    pointAt(0, 3600, 800, false);
    EXPECT_EQ(label("lblDescription").caption(), QStringLiteral("Km, Load distribution factor."));
    EXPECT_EQ(tabs().selectedTab(), 1); // a move only names the symbol
    pointAt(0, 3600, 600, false);
    EXPECT_EQ(label("lblDescription").caption(), QStringLiteral("Km, Load distribution factor.")); // kept
    pointAt(1, 3600, 800, true);
    EXPECT_EQ(tabs().selectedTab(), 4);
    EXPECT_TRUE(box("txtKm").hasFocus());
    pointAt(0, 3600, 1000, false);
    EXPECT_EQ(label("lblDescription").caption(), QString());

    menu("mnuNotes").onClick(); // hidden notes: the picture is inert
    pointAt(1, 1000, 300, true);
    EXPECT_EQ(label("lblDescription").caption(), QString());
    EXPECT_EQ(tabs().selectedTab(), 4);
}

// The stress-cycle equations: hidden at first, the button brings them up and a
// mouse click on them puts them away again.
TEST_F(AgmaNotesArea, StressCycleEquationsTakeTurnsWithTheirButton)
{
    tabs().setSelectedTab(6);
    QCoreApplication::processEvents();
    EXPECT_FALSE(visible("fraZn"));
    EXPECT_TRUE(visible("cmdShowZnYnEqs"));
    form().get<forms::CommandButton>(q("cmdShowZnYnEqs")).click();
    EXPECT_TRUE(visible("fraZn"));
    EXPECT_FALSE(visible("cmdShowZnYnEqs"));
    EXPECT_TRUE(form().find(q("fraZn"), -1)->widget()->isVisible());
    QTest::mouseClick(form().find(q("fraZn"), -1)->widget(), Qt::LeftButton, {}, QPoint(20, 30));
    QCoreApplication::processEvents();
    EXPECT_FALSE(visible("fraZn"));
    EXPECT_TRUE(visible("cmdShowZnYnEqs"));
}

// Each symbol of the pitting picture is drawn inside its legend region.
TEST_F(AgmaNotesArea, EachLegendRegionHoldsInk)
{
    const QImage image = picture("imaPac").picture();
    ASSERT_FALSE(image.isNull());
    // Kept beside the test binary's run for a look by eye.
    QDir().mkpath(QStringLiteral("agma-artefacts"));
    image.save(QStringLiteral("agma-artefacts/pitting-equation.png"));
    picture("ImaPat").picture().save(QStringLiteral("agma-artefacts/bending-equation.png"));
    for (const cindrel::agma::LegendRegion& r : cindrel::agma::pittingLegend()) {
        int ink = 0;
        for (int y = static_cast<int>(std::ceil(r.yFrom / 15)); y <= static_cast<int>(r.yTo / 15); ++y)
            for (int x = static_cast<int>(std::ceil(r.xFrom / 15)); x <= static_cast<int>(r.xTo / 15); ++x)
                if (x < image.width() && y < image.height() && qGray(image.pixel(x, y)) < 128)
                    ++ink;
        EXPECT_GT(ink, 0) << std::string(r.text);
    }
}
