#include "ScreenOutputLayout.h"

namespace cindrel::layouts {

using forms::ControlKind;
using forms::ControlSpec;

std::span<const ControlSpec> frmScreenOutput()
{
    static const ControlSpec layout[] = {
        {.kind = ControlKind::Toolbar, .name = "tbrOutputs", .left = 0, .top = 0, .width = 9600, .height = 450},
        {.kind = ControlKind::Grid, .name = "grdOutputs", .left = 45, .top = 525, .width = 9410, .height = 5500},
        {.kind = ControlKind::MenuItem, .name = "mnuFile", .caption = "&Cindrel"},
        {.kind = ControlKind::MenuItem, .name = "mnuFileCloseWindow", .container = "mnuFile", .caption = "&Close Window",
         .shortcut = QKeySequence(QStringLiteral("Ctrl+W"))},
        {.kind = ControlKind::MenuItem, .name = "mnuOptions", .caption = "&Options"},
        {.kind = ControlKind::MenuItem, .name = "mnuOptionsToolBar", .container = "mnuOptions", .caption = "&ToolBar"},
        {.kind = ControlKind::MenuItem, .name = "mnuOptionsAutoUpdate", .container = "mnuOptions", .caption = "&Auto Update"},
        {.kind = ControlKind::MenuItem, .name = "mnuOptionsGridFont", .container = "mnuOptions", .caption = "&Grid Font"},
        {.kind = ControlKind::MenuItem, .name = "mnuGrid", .caption = "&Grid"},
        {.kind = ControlKind::MenuItem, .name = "mnuUpdateOutputs", .container = "mnuGrid", .caption = "&Update Outputs",
         .enabled = false, .shortcut = QKeySequence(QStringLiteral("Ctrl+U"))},
        {.kind = ControlKind::MenuItem, .name = "mnuGridSeparator", .container = "mnuGrid", .caption = "-"},
        {.kind = ControlKind::MenuItem, .name = "mnuGridMainInputs", .container = "mnuGrid", .caption = "&Main Inputs", .visible = false},
        {.kind = ControlKind::MenuItem, .name = "mnuGridCenterDistance", .container = "mnuGrid", .caption = "&Center Distance", .visible = false},
        {.kind = ControlKind::MenuItem, .name = "mnuGridToothThickness", .container = "mnuGrid", .caption = "&Tooth Thickness", .visible = false},
        {.kind = ControlKind::MenuItem, .name = "mnuGridToothProportions", .container = "mnuGrid", .caption = "Tooth &Proportions", .visible = false},
        {.kind = ControlKind::MenuItem, .name = "mnuGridHobInformation", .container = "mnuGrid", .caption = "&Hob Information", .visible = false},
        {.kind = ControlKind::MenuItem, .name = "mnuGridHorsepower", .container = "mnuGrid", .caption = "H&orsepower and CP", .visible = false},
        {.kind = ControlKind::MenuItem, .name = "mnuGridAGMA", .container = "mnuGrid", .caption = "&AGMA", .visible = false},
        {.kind = ControlKind::MenuItem, .name = "mnuGridScoring", .container = "mnuGrid", .caption = "&Scoring and Subshear", .visible = false},
        {.kind = ControlKind::MenuItem, .name = "mnuPopup", .caption = "RightClick", .visible = false},
        {.kind = ControlKind::MenuItem, .name = "mnuButtMen", .container = "mnuPopup", .caption = "Buttons and Menu bar"},
    };
    return layout;
}

std::span<const ToolbarButtonSpec> frmScreenOutputButtons()
{
    static const ToolbarButtonSpec buttons[] = {
        {"btnCloseWindow", "close-window", "Closes This Window"},
        {"btnUpdateOutputs", "update-outputs", "Update Outputs Now"},
        {"btnMainInputs", "main-inputs", "Gear Set Inputs"},
        {"btnCenterDistance", "center-distance", "Center Distance Outputs"},
        {"btnToothThickness", "tooth-thickness", "Tooth Thickness Outputs"},
        {"btnToothProp", "tooth-proportions", "Tooth Proportions Outputs"},
        {"btnHobInfo", "hob-information", "Hob Information"},
        {"btnToothLoad", "tooth-load", "Horsepower and CP"},
        {"btnAGMA", "agma-factors", "AGMA Outputs"},
        {"btnScoring", "scoring", "Scoring and Sub-Shear Outputs"},
    };
    return buttons;
}

std::span<const SectionMenuSpec> frmScreenOutputSectionMenus()
{
    static const SectionMenuSpec menus[] = {
        {"btnMainInputs", "mnuGridMainInputs"},         {"btnCenterDistance", "mnuGridCenterDistance"},
        {"btnToothThickness", "mnuGridToothThickness"}, {"btnToothProp", "mnuGridToothProportions"},
        {"btnHobInfo", "mnuGridHobInformation"},        {"btnToothLoad", "mnuGridHorsepower"},
        {"btnAGMA", "mnuGridAGMA"},                     {"btnScoring", "mnuGridScoring"},
    };
    return menus;
}

} // namespace cindrel::layouts
