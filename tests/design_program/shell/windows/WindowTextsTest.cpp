#include "design_program/shell/windows/WalkedProgram.h"

#include "forms/CheckBox.h"
#include "forms/ComboBox.h"
#include "forms/MenuItem.h"
#include "forms/TabStrip.h"
#include "support/TextFit.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every window of the design program as a user meets it, the default design
// walked through its steps: each text a control shows must fit the control,
// measured by the control's own font. The layouts place and size every
// control in twips; a text that does not fit is cut off on screen.
class WindowTexts : public WalkedProgram {
protected:
    void look(forms::Form& form, const std::string& where)
    {
        QCoreApplication::processEvents();
        ASSERT_TRUE(form.visible()) << form.name().toStdString() << " at " << where;
        for (textfit::Cut cut : textfit::cutTexts(form)) {
            cut.control += " (" + where + ")";
            cuts.push_back(cut);
        }
    }
    void lookAtEveryTab(forms::Form& form, const char* strip, const std::string& where)
    {
        auto& tabs = form.get<forms::TabStrip>(QString::fromLatin1(strip));
        for (int tab = 0; tab < tabs.tabCount(); ++tab) {
            if (!tabs.tabVisible(tab))
                continue;
            tabs.setSelectedTab(tab);
            look(form, where + " tab " + std::to_string(tab));
        }
        tabs.setSelectedTab(0);
    }
    void step(const char* expected)
    {
        next();
        ASSERT_EQ(current(), expected);
        look(main(), expected);
    }
    void menu(const char* name)
    {
        main().get<forms::MenuItem>(QString::fromLatin1(name)).click();
        QCoreApplication::processEvents();
    }
    // The default design passes its checks with a spur pair, no edge break
    // and a full fillet; the factors go to the window or the main panel.
    void walkToProportions(bool agmaWindow)
    {
        look(main(), "Startup Screen");
        step("Main Inputs");
        main().get<forms::ComboBox>(QStringLiteral("cmbToothOrient")).setListIndex(0);
        look(main(), "Main Inputs, spur");
        step("Center Distance");
        step("Tooth Thickness");
        for (int member : {0, 1}) {
            main().get<forms::TextBox>(QStringLiteral("txtMinEdgeBreak"), member).setText(QStringLiteral("0"));
            main().get<forms::TextBox>(QStringLiteral("txtMaxEdgeBreak"), member).setText(QStringLiteral("0"));
        }
        step("Tooth Proportions");
        for (int member : {0, 1})
            main().get<forms::ComboBox>(QStringLiteral("cmbFilletType"), member).setListIndex(0);
        main().get<forms::CheckBox>(QStringLiteral("chkAGMA")).setCheckValue(agmaWindow ? 1 : 0);
    }

    std::vector<textfit::Cut> cuts;
};

TEST_F(WindowTexts, EveryPanelGraphAndOutputWindowShowsItsTextsWhole)
{
    walkToProportions(false);
    step("Agma on Main");
    step("Horsepower and CP");
    step("Scoring and SubShear Inputs");
    step("Scoring and SubShear Graphs");
    for (const char* graph : {"cmdGraphTemp", "cmdGraphSlide", "cmdGraphFilm", "cmdGraphLoad", "cmdGraphShear",
                              "cmdGraphBHN", "cmdGraphDeflection"}) {
        press(main(), graph);
        look(main(), graph);
        // Their two-line captions are the tightest of the window: another
        // display's font can draw them a pixel wider, so each keeps one spare.
        textfit::checkControl(cuts, main().get<forms::Control>(QString::fromLatin1(graph)), 1);
    }
    look(window("frmScreenOutput"), "outputs");

    menu("mnuMFGOutputs");
    look(window("frmMFGOutputs"), "manufacturing");
    window("frmMFGOutputs").hide();

    menu("mnuFilePrintPreview");
    look(window("frmPrintPreview"), "preview");
    window("frmPrintPreview").hide();

    forms::Form& options = window("frmOptions");
    options.show();
    lookAtEveryTab(options, "tabOptions", "options");
    options.hide();

    EXPECT_TRUE(cuts.empty()) << textfit::describe(cuts);
}

TEST_F(WindowTexts, EveryTabOfTheFactorsWindowShowsItsTextsWhole)
{
    walkToProportions(true);
    next();
    ASSERT_EQ(current(), "AGMA Factors");
    forms::Form& agma = window("frmAGMA");
    auto& tabs = agma.get<forms::TabStrip>(QStringLiteral("tabMain"));
    for (int tab = 0; tab < tabs.tabCount(); ++tab) {
        tabs.setSelectedTab(tab);
        const std::string where = "factors tab " + std::to_string(tab);
        look(agma, where);
        if (forms::Control* inner = agma.find(QStringLiteral("TabKb")); inner != nullptr && inner->widget()->isVisible())
            lookAtEveryTab(agma, "TabKb", where + ", rim");
    }
    EXPECT_TRUE(cuts.empty()) << textfit::describe(cuts);
}

TEST_F(WindowTexts, TheToolWindowsShowTheirTextsWhole)
{
    for (const char* name : {"frmAbout", "frmHardnessConverter"}) {
        forms::Form& tool = window(name);
        tool.show();
        look(tool, name);
        tool.hide();
    }
    EXPECT_TRUE(cuts.empty()) << textfit::describe(cuts);
}

} // namespace
