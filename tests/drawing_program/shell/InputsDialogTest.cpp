#include "ShellFixture.h"

#include "runtime/RuntimeError.h"

#include <QApplication>
#include <QPalette>
#include <QTest>

#include <cmath>

using namespace vantropetest;
using vantrope::ElementInputs;

namespace {

constexpr double Pi = 3.14159265358979;

struct InputsDialog : ShellTest {
    InputsDialog() { firstClick(); }

    ElementInputs read(std::int16_t index, std::int16_t mesh)
    {
        ElementInputs values;
        EXPECT_EQ(inputs().GetInputs(index, values, mesh), 1);
        return values;
    }

    void focus(const char* name, int index = -1)
    {
        // A logged message may have taken the activation to the message window.
        dialog().window()->activateWindow();
        settle();
        box(name, index).setFocus();
        settle();
    }
};

TEST_F(InputsDialog, OpensOnThePinionAndGearMesh)
{
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(dialog().get<forms::Frame>(QStringLiteral("fraGear"), i).visible(), i == 2 || i == 3) << i;
    EXPECT_EQ(dialog().get<forms::Frame>(QStringLiteral("fraGear"), 2).left(), 180);
    EXPECT_EQ(dialog().get<forms::Frame>(QStringLiteral("fraGear"), 3).left(), 960);
    EXPECT_TRUE(box("txtDCO", 1).visible());
    EXPECT_FALSE(box("txtDCO", 0).visible());
    EXPECT_EQ(box("txtDCO", 1).text(), ".3");
    EXPECT_EQ(check("chkFRR", 2).checkValue(), 1);
    EXPECT_EQ(check("chkFRR", 3).checkValue(), 1);
    EXPECT_FALSE(meshButton(0).enabled());
    EXPECT_FALSE(meshButton(2).enabled());
    EXPECT_TRUE(box("txtBKL").visible());
}

TEST_F(InputsDialog, GetInputsReadsTheFieldsOfTheElementAndMesh)
{
    ElementInputs tool = read(1, 0);
    EXPECT_EQ(tool.NumbTeeth, 10000);
    EXPECT_NEAR(tool.PressAng, 27.236 * Pi / 180, 1e-15);
    EXPECT_DOUBLE_EQ(tool.CenterDist, 0.22);
    EXPECT_DOUBLE_EQ(tool.Addendum, 1.2);
    EXPECT_DOUBLE_EQ(tool.Dedendum, 2.35);
    EXPECT_DOUBLE_EQ(tool.EdgeBreak, 0);
    EXPECT_DOUBLE_EQ(tool.ToothThickness, 0.5);
    EXPECT_EQ(tool.IntExt, 1);
    EXPECT_DOUBLE_EQ(tool.Protube, 0);
    EXPECT_DOUBLE_EQ(tool.BackLash, 0);
    EXPECT_TRUE(tool.FRR);

    box("txtBKL").setText("0.05");
    check("chkIntExt").setCheckValue(0);
    ElementInputs gear = read(3, 1);
    EXPECT_EQ(gear.NumbTeeth, 32);
    EXPECT_DOUBLE_EQ(gear.CenterDist, 0.3);
    EXPECT_EQ(gear.IntExt, -1);
    EXPECT_DOUBLE_EQ(gear.BackLash, 0.05) << "the backlash is carried in the pinion and gear mesh";
    EXPECT_DOUBLE_EQ(read(3, 0).BackLash, 0.05) << "the dialog's chosen mesh decides, not the mesh asked for";

    box("txtProtube", 4).setText("0.02");
    check("chkFRR", 2).setCheckValue(0);
    EXPECT_DOUBLE_EQ(read(4, 2).Protube, 0.02);
    EXPECT_FALSE(read(2, 1).FRR);
    EXPECT_DOUBLE_EQ(read(2, 1).Protube, 0);
}

TEST_F(InputsDialog, FieldsThatAreNoNumbersReadAsZeroOrTheirLeadingNumber)
{
    struct Case {
        const char* text;
        double value;
    } cases[] = {{"abc", 0}, {"", 0}, {"1.5mm", 1.5}, {" 2 .5", 2.5}, {"&H10", 16}, {"-", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        box("txtAdd", 2).setText(c.text);
        EXPECT_DOUBLE_EQ(read(2, 1).Addendum, c.value);
    }
    box("txtN", 2).setText("16.5");
    EXPECT_EQ(read(2, 1).NumbTeeth, 16) << "halves round to even";
    box("txtN", 2).setText("17.5");
    EXPECT_EQ(read(2, 1).NumbTeeth, 18);
}

TEST_F(InputsDialog, ValuesNoFieldCanHoldReachTheCaller)
{
    ElementInputs values;
    values.NumbTeeth = 77;
    for (auto [index, mesh] : {std::pair<std::int16_t, std::int16_t>{0, 1}, {5, 1}, {2, 3}, {2, -1}}) {
        EXPECT_THROW(inputs().GetInputs(index, values, mesh), runtime::RuntimeError);
        EXPECT_EQ(values.NumbTeeth, 77) << "nothing is written";
    }
    for (const char* teeth : {"3000000000", "1e999"}) {
        box("txtN", 2).setText(teeth);
        EXPECT_THROW(inputs().GetInputs(2, values, 1), runtime::RuntimeError) << teeth;
    }
    // The mesh logs it and keeps the drawing it had.
    const QImage before = gears().drawing();
    inputs().RedrawActiveMesh();
    EXPECT_EQ(gears().drawing(), before);
    EXPECT_NE(startup->messages().text().find("Module; clsMesh, Routine; ReadInputs"), std::string::npos);
}

TEST_F(InputsDialog, GarbageInEveryFieldNeverCrashes)
{
    const char* garbage[] = {"abc", "-5", "0", "1e300", "-1e300", "99999", "&HFFFF", ".", "1e-300"};
    const char* fields[] = {"txtN", "txtAdd", "txtDed", "txtEGB", "txtTTK"};
    for (const char* text : garbage) {
        for (const char* field : fields)
            for (int i = 1; i <= 4; ++i) {
                box(field, i).setText(text);
                inputs().RedrawActiveMesh();
            }
        box("txtPhi").setText(text);
        box("txtDCO", 1).setText(text);
        inputs().RedrawActiveMesh();
        startup->OmeshMaster->KeyDown(37, 0);
    }
    SUCCEED();
}

TEST_F(InputsDialog, FullRootRadiusBoxesGovernTheMeshesAndTheBacklash)
{
    check("chkFRR", 2).setCheckValue(0);
    EXPECT_TRUE(meshButton(0).enabled());
    EXPECT_FALSE(box("txtBKL").visible());
    EXPECT_FALSE(dialog().get<forms::Label>(QStringLiteral("lblBL")).visible());
    EXPECT_FALSE(box("txtDed", 2).enabled());
    EXPECT_FALSE(box("txtTTK", 2).enabled());

    meshButton(0).setSelected(true);
    EXPECT_EQ(inputs().CurrentMesh(), 0);
    EXPECT_EQ(&startup->OmeshMaster->ActiveMesh(), startup->OmeshMaster->OmeshToolPini.get());
    check("chkFRR", 2).setCheckValue(1);
    EXPECT_TRUE(meshButton(1).isSelected()) << "mesh 0 is no longer available";
    EXPECT_EQ(inputs().CurrentMesh(), 1);
    EXPECT_EQ(&startup->OmeshMaster->ActiveMesh(), startup->OmeshMaster->OmeshPiniGear.get());
    EXPECT_TRUE(box("txtBKL").visible());
    EXPECT_TRUE(box("txtTTK", 2).enabled());
}

TEST_F(InputsDialog, ThicknessesOfAPairAreComplementary)
{
    box("txtTTK", 2).setText(".6");
    EXPECT_EQ(box("txtTTK", 3).text(), "0.4");
    box("txtTTK", 3).setText(".45");
    EXPECT_EQ(box("txtTTK", 2).text(), "0.55");

    check("chkFRR", 2).setCheckValue(0);
    meshButton(0).setSelected(true);
    box("txtTTK", 1).setText(".45");
    EXPECT_EQ(box("txtTTK", 2).text(), "0.55");
    box("txtTTK", 2).setText(".7");
    EXPECT_EQ(box("txtTTK", 1).text(), ".45") << "in a tool mesh only the tool's thickness carries over";
}

TEST_F(InputsDialog, FocusBindsTheFieldToTheSlider)
{
    focus("txtAdd", 2);
    EXPECT_EQ(inputs().BoundField(), &box("txtAdd", 2));
    EXPECT_EQ(caption("lblControl"), "Pinion Addendum");
    EXPECT_EQ(inputs().SliderBase(), -1);
    EXPECT_EQ(inputs().SliderScale(), 5000);
    EXPECT_EQ(slider().sliderValue(), 11100) << "(1.22 + 1) x 5000";
    EXPECT_EQ(box("txtAdd", 2).backColor(), QColor(255, 255, 0));
    EXPECT_EQ(box("txtAdd", 2).text(), "1.22") << "binding writes nothing";

    slider().setValue(12000);
    EXPECT_EQ(box("txtAdd", 2).text(), "1.4");
    EXPECT_DOUBLE_EQ(startup->OmeshMaster->Opini->R_tip, 8 + 1.4);

    focus("txtPhi");
    EXPECT_EQ(caption("lblControl"), "Pressure Angle");
    EXPECT_EQ(slider().sliderValue(), 13618);
    EXPECT_EQ(box("txtAdd", 2).backColor(), QApplication::palette().color(QPalette::Base));
    slider().setValue(10000);
    EXPECT_EQ(box("txtPhi").text(), "20");
}

TEST_F(InputsDialog, TabAndShiftTabBindTheFieldTheKeysReach)
{
    // From the pinion's teeth, Tab on to the gear's whole depth; the arrows
    // then drive that field, the pinion's teeth stay as typed.
    focus("txtN", 2);
    ASSERT_EQ(inputs().BoundField(), &box("txtN", 2));
    const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        settle();
    };
    for (int i = 0; i < 40 && !box("txtDed", 3).hasFocus(); ++i)
        press(Qt::Key_Tab);
    ASSERT_TRUE(box("txtDed", 3).hasFocus());
    EXPECT_EQ(inputs().BoundField(), &box("txtDed", 3));
    EXPECT_EQ(caption("lblControl"), "Gear Dedendum");
    EXPECT_EQ(box("txtN", 2).backColor(), QApplication::palette().color(QPalette::Base));
    EXPECT_EQ(box("txtDed", 3).backColor(), QColor(255, 255, 0));
    EXPECT_EQ(slider().sliderValue(), 6750) << "(2.35 - 1) x 5000";

    press(Qt::Key_Up); // to the slider
    press(Qt::Key_Up); // one small step: 200 / 5000
    EXPECT_EQ(box("txtDed", 3).text(), "2.39");
    EXPECT_EQ(box("txtN", 2).text(), "16");

    // Shift+Tab binds the field it reaches as well.
    box("txtEGB", 3).setFocus();
    settle();
    press(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_TRUE(box("txtDed", 3).hasFocus());
    EXPECT_EQ(inputs().BoundField(), &box("txtDed", 3));
    EXPECT_EQ(box("txtEGB", 3).backColor(), QApplication::palette().color(QPalette::Base));
}

TEST_F(InputsDialog, ATeethFieldWithoutAPositionBindsNothing)
{
    check("chkFRR", 2).setCheckValue(0);
    meshButton(0).setSelected(true);
    focus("txtAdd", 2);
    ASSERT_EQ(caption("lblControl"), "Pinion Addendum");
    focus("txtN", 1);
    EXPECT_EQ(caption("lblControl"), "Pinion Addendum") << "the caption stays";
    EXPECT_EQ(box("txtAdd", 2).backColor(), QApplication::palette().color(QPalette::Base));
    EXPECT_EQ(inputs().BoundField(), nullptr);
    slider().setValue(500);
    EXPECT_EQ(box("txtAdd", 2).text(), "1.22") << "no field is driven at the teeth scale";

    focus("txtN", 2);
    EXPECT_EQ(caption("lblControl"), "Pinion teeth");
    EXPECT_EQ(slider().sliderValue(), 1600);
}

TEST_F(InputsDialog, FieldsBeyondTheSliderScale)
{
    startup->Osettings->noMessages = false;
    box("txtAdd", 2).setText("9");
    focus("txtAdd", 2);
    EXPECT_EQ(inputs().BoundField(), &box("txtAdd", 2)) << "the field is bound all the same";
    EXPECT_NE(startup->messages().text().find("Module; frmInputs, Routine; txtAdd_GotFocus, Mess#6"),
              std::string::npos)
        << startup->messages().text();

    const std::string before = startup->messages().text();
    box("txtDed", 2).setText("not a number");
    focus("txtDed", 2);
    EXPECT_EQ(inputs().BoundField(), &box("txtDed", 2));
    EXPECT_EQ(startup->messages().text(), before) << "a strict field skips the step quietly";
}

TEST_F(InputsDialog, EnterRedrawsZeroingTheRotationsOnlyForATeethField)
{
    startup->OmeshMaster->KeyDown(37, 0);
    ASSERT_NE(startup->OmeshMaster->ActiveMesh().rotation(2), 0);
    focus("txtAdd", 2);
    inputs().RedrawActiveMesh();
    EXPECT_NE(startup->OmeshMaster->ActiveMesh().rotation(2), 0);
    focus("txtN", 2);
    inputs().RedrawActiveMesh();
    EXPECT_EQ(startup->OmeshMaster->ActiveMesh().rotation(2), 0);
}

TEST_F(InputsDialog, ElementCaptions)
{
    EXPECT_EQ(vantrope::frmInputs::ElementCaption(1), "Pinion Tool ");
    EXPECT_EQ(vantrope::frmInputs::ElementCaption(2), "Pinion ");
    EXPECT_EQ(vantrope::frmInputs::ElementCaption(3), "Gear ");
    EXPECT_EQ(vantrope::frmInputs::ElementCaption(4), "Gear Tool ");
    EXPECT_EQ(vantrope::frmInputs::ElementCaption(0), "");
}

} // namespace
