#include "OptionsWindowLayout.h"

#include <vector>

namespace cindrel::layouts {

using forms::ControlKind;
using forms::ControlSpec;

namespace {

const QString Tabs = QStringLiteral("tabOptions");

// Five tabs on one strip; the two hidden at load (Units, Window) keep their controls.
const std::vector<ControlSpec> optionsLayout = {
    {.kind = ControlKind::TabStrip, .name = Tabs, .left = 120, .top = 120, .width = 6360, .height = 4560, .items = {"File", "Preferences", "Units", "Window", "User Info"}},

    // File
    {.kind = ControlKind::Label, .name = "lblRecentFiles", .container = Tabs, .tab = 0, .left = 240, .top = 300, .width = 3000, .height = 255, .caption = "Number of recent files on &File menu:", .border = false},
    {.kind = ControlKind::TextBox, .name = "txtRecentFiles", .container = Tabs, .tab = 0, .left = 3360, .top = 260, .width = 600, .height = 315},
    {.kind = ControlKind::Label, .name = "lblFileLocations", .container = Tabs, .tab = 0, .left = 240, .top = 780, .width = 3000, .height = 255, .caption = "&File Locations:", .border = false},
    {.kind = ControlKind::ListView, .name = "lstFileLocations", .container = Tabs, .tab = 0, .left = 240, .top = 1080, .width = 5760, .height = 1200},
    {.kind = ControlKind::CommandButton, .name = "cmdFileLocations", .container = Tabs, .tab = 0, .left = 4800, .top = 2400, .width = 1200, .height = 375, .caption = "&Modify..."},
    {.kind = ControlKind::CheckBox, .name = "chkCreateCSV", .container = Tabs, .tab = 0, .left = 240, .top = 2940, .width = 5760, .height = 300, .caption = "Create Comma Separated Value files"},
    {.kind = ControlKind::CheckBox, .name = "chkFileInconsistence", .container = Tabs, .tab = 0, .left = 240, .top = 3300, .width = 5760, .height = 300, .caption = "Alert if input data files are inconsistent", .toolTip = "As the program has changed input variables have come and gone, checking this box will alert you to differences in the data file you have and this version of Cindrel"},
    {.kind = ControlKind::CheckBox, .name = "chkSubSurfaceLongPrint", .container = Tabs, .tab = 0, .left = 240, .top = 3660, .width = 5760, .height = 300, .caption = "Create detailed sub-surface shear printout in CSV file ( >600 KByte)"},

    // Preferences
    {.kind = ControlKind::Frame, .name = "fraOutputScreen", .container = Tabs, .tab = 1, .left = 240, .top = 240, .width = 3480, .height = 2040, .caption = "Output Screen"},
    {.kind = ControlKind::Label, .name = "lblDecimalPrecision", .container = "fraOutputScreen", .left = 120, .top = 300, .width = 3240, .height = 255, .caption = "Decimal Precision:  Includes Printouts", .border = false},
    {.kind = ControlKind::ComboBox, .name = "cmbDecimalPrecision", .container = "fraOutputScreen", .left = 120, .top = 600, .width = 2040, .height = 315, .editable = true},
    {.kind = ControlKind::CheckBox, .name = "chkAutoUpdate", .container = "fraOutputScreen", .left = 120, .top = 1020, .width = 2040, .height = 300, .caption = "Auto Update on"},
    {.kind = ControlKind::CommandButton, .name = "cmdChangeFont", .container = "fraOutputScreen", .left = 120, .top = 1440, .width = 1320, .height = 375, .caption = "Change Font"},
    {.kind = ControlKind::Label, .name = "lblFontNameSize", .container = "fraOutputScreen", .left = 1560, .top = 1500, .width = 1800, .height = 255, .border = false},
    {.kind = ControlKind::Frame, .name = "fraAGMAScreen", .container = Tabs, .tab = 1, .left = 3840, .top = 240, .width = 2280, .height = 720, .caption = "AGMA Screen"},
    {.kind = ControlKind::CheckBox, .name = "chkShowEquation", .container = "fraAGMAScreen", .left = 120, .top = 300, .width = 2040, .height = 300, .caption = "Show Equation"},
    {.kind = ControlKind::Label, .name = "lblGraphFontSize", .container = Tabs, .tab = 1, .left = 3840, .top = 1140, .width = 1560, .height = 255, .caption = "Font size on graphs", .toolTip = "only accepts 8, 10, 12, or 14", .border = false},
    {.kind = ControlKind::TextBox, .name = "txtGraphFontSize", .container = Tabs, .tab = 1, .left = 5460, .top = 1100, .width = 600, .height = 315, .toolTip = "only accepts 8, 10, 12, or 14"},
    {.kind = ControlKind::Frame, .name = "fraDiamRad", .container = Tabs, .tab = 1, .left = 240, .top = 2400, .width = 3480, .height = 960, .caption = "Diameter or Radius"},
    {.kind = ControlKind::OptionButton, .name = "optDiamRad", .index = 2, .container = "fraDiamRad", .left = 120, .top = 300, .width = 1200, .height = 255, .caption = "Diameter"},
    {.kind = ControlKind::OptionButton, .name = "optDiamRad", .index = 1, .container = "fraDiamRad", .left = 120, .top = 600, .width = 1200, .height = 255, .caption = "Radius"},
    {.kind = ControlKind::Label, .name = "lblDiamRad", .container = "fraDiamRad", .left = 1440, .top = 300, .width = 600, .height = 255, .caption = "----", .visible = false},
    {.kind = ControlKind::Label, .name = "lblInOutputStream", .container = "fraDiamRad", .left = 1440, .top = 600, .width = 1920, .height = 255, .caption = "in output stream", .border = false},
    {.kind = ControlKind::Label, .name = "lblShowMessages", .container = Tabs, .tab = 1, .left = 240, .top = 3480, .width = 4200, .height = 615, .caption = "Press this button to clear the check box in all messages where you did not want the  message to appear again.", .border = false},
    {.kind = ControlKind::CommandButton, .name = "cmdShowMessages", .container = Tabs, .tab = 1, .left = 4560, .top = 3600, .width = 1560, .height = 375, .caption = "Show All Messages"},

    // Units (hidden at load)
    {.kind = ControlKind::Label, .name = "lblDecimilPlaces", .container = Tabs, .tab = 2, .left = 240, .top = 300, .width = 3000, .height = 255, .caption = "Number of Decimal Places in Display", .border = false},
    {.kind = ControlKind::TextBox, .name = "txtDecimilPlaces", .container = Tabs, .tab = 2, .left = 3360, .top = 260, .width = 600, .height = 315},
    {.kind = ControlKind::Frame, .name = "fraUnits", .container = Tabs, .tab = 2, .left = 240, .top = 720, .width = 5880, .height = 2400},
    {.kind = ControlKind::Label, .name = "lblLinear", .container = "fraUnits", .left = 120, .top = 300, .width = 1200, .height = 255, .caption = "Linear", .border = false},
    {.kind = ControlKind::ComboBox, .name = "cmbLinear", .container = "fraUnits", .left = 1440, .top = 260, .width = 4200, .height = 315},
    {.kind = ControlKind::Label, .name = "lblLoads", .container = "fraUnits", .left = 120, .top = 720, .width = 1200, .height = 255, .caption = "Loads", .border = false},
    {.kind = ControlKind::ComboBox, .name = "cmbLoads", .container = "fraUnits", .left = 1440, .top = 680, .width = 4200, .height = 315},
    {.kind = ControlKind::Label, .name = "lblTorque", .container = "fraUnits", .left = 120, .top = 1140, .width = 1200, .height = 255, .caption = "Torque", .border = false},
    {.kind = ControlKind::ComboBox, .name = "cmbTorque", .container = "fraUnits", .left = 1440, .top = 1100, .width = 4200, .height = 315},
    {.kind = ControlKind::Label, .name = "lblStress", .container = "fraUnits", .left = 120, .top = 1560, .width = 1200, .height = 255, .caption = "Stress", .border = false},
    {.kind = ControlKind::ComboBox, .name = "cmbStress", .container = "fraUnits", .left = 1440, .top = 1520, .width = 4200, .height = 315},
    {.kind = ControlKind::Label, .name = "lblAngles", .container = "fraUnits", .left = 120, .top = 1980, .width = 1200, .height = 255, .caption = "Angles", .border = false},
    {.kind = ControlKind::ComboBox, .name = "cmbAngles", .container = "fraUnits", .left = 1440, .top = 1940, .width = 4200, .height = 315},

    // Window (hidden at load)
    {.kind = ControlKind::CheckBox, .name = "chkRunningTotalsVisible", .container = Tabs, .tab = 3, .left = 240, .top = 300, .width = 5760, .height = 300, .caption = "Running totals visible at startup"},
    {.kind = ControlKind::CheckBox, .name = "chkRememberPositionsOld", .container = Tabs, .tab = 3, .left = 240, .top = 660, .width = 5760, .height = 300, .caption = "Remember indow positions"},
    {.kind = ControlKind::CheckBox, .name = "chkRunningTotalsOnTop", .container = Tabs, .tab = 3, .left = 240, .top = 1020, .width = 5760, .height = 300, .caption = "Running totals on top"},
    {.kind = ControlKind::CheckBox, .name = "chkShowErrors", .container = Tabs, .tab = 3, .left = 240, .top = 1380, .width = 5760, .height = 300, .caption = "Show error window"},
    {.kind = ControlKind::CheckBox, .name = "chkRememberPositions", .container = Tabs, .tab = 3, .left = 240, .top = 1740, .width = 5760, .height = 300, .caption = "Remember window positions"},

    // User Info
    {.kind = ControlKind::Label, .name = "lblUserName", .container = Tabs, .tab = 4, .left = 240, .top = 300, .width = 1080, .height = 255, .caption = "Name*", .border = false},
    {.kind = ControlKind::TextBox, .name = "txtUserName", .container = Tabs, .tab = 4, .left = 1440, .top = 260, .width = 4680, .height = 315},
    {.kind = ControlKind::Label, .name = "lblCompanyName", .container = Tabs, .tab = 4, .left = 240, .top = 700, .width = 1080, .height = 255, .caption = "Company*", .border = false},
    {.kind = ControlKind::TextBox, .name = "txtCompanyName", .container = Tabs, .tab = 4, .left = 1440, .top = 660, .width = 4680, .height = 315},
    {.kind = ControlKind::Label, .name = "lblAddress", .container = Tabs, .tab = 4, .left = 240, .top = 1100, .width = 1080, .height = 255, .caption = "Address*", .border = false},
    {.kind = ControlKind::TextBox, .name = "txtAddress1", .container = Tabs, .tab = 4, .left = 1440, .top = 1060, .width = 4680, .height = 315},
    {.kind = ControlKind::TextBox, .name = "txtAddress2", .container = Tabs, .tab = 4, .left = 1440, .top = 1420, .width = 4680, .height = 315},
    {.kind = ControlKind::Label, .name = "lblCity", .container = Tabs, .tab = 4, .left = 240, .top = 1860, .width = 1080, .height = 255, .caption = "City*", .border = false},
    {.kind = ControlKind::TextBox, .name = "txtCity", .container = Tabs, .tab = 4, .left = 1440, .top = 1820, .width = 2040, .height = 315},
    {.kind = ControlKind::Label, .name = "lblState", .container = Tabs, .tab = 4, .left = 3600, .top = 1860, .width = 480, .height = 255, .caption = "St.*", .border = false},
    {.kind = ControlKind::TextBox, .name = "txtState", .container = Tabs, .tab = 4, .left = 4080, .top = 1820, .width = 600, .height = 315},
    {.kind = ControlKind::Label, .name = "lblZip", .container = Tabs, .tab = 4, .left = 4800, .top = 1860, .width = 480, .height = 255, .caption = "ZIP*", .border = false},
    {.kind = ControlKind::TextBox, .name = "txtZip", .container = Tabs, .tab = 4, .left = 5280, .top = 1820, .width = 840, .height = 315},
    {.kind = ControlKind::Label, .name = "lblPhoneNumber", .container = Tabs, .tab = 4, .left = 240, .top = 2260, .width = 1080, .height = 255, .caption = "Phone*", .border = false},
    {.kind = ControlKind::TextBox, .name = "txtPhoneNumber", .container = Tabs, .tab = 4, .left = 1440, .top = 2220, .width = 2040, .height = 315},
    {.kind = ControlKind::Label, .name = "lblEMail", .container = Tabs, .tab = 4, .left = 240, .top = 2660, .width = 1080, .height = 255, .caption = "E-Mail", .border = false},
    {.kind = ControlKind::TextBox, .name = "txtEMail", .container = Tabs, .tab = 4, .left = 1440, .top = 2620, .width = 4680, .height = 315},
    {.kind = ControlKind::Label, .name = "lblWebSite", .container = Tabs, .tab = 4, .left = 240, .top = 3060, .width = 1080, .height = 255, .caption = "Web Site", .border = false},
    {.kind = ControlKind::TextBox, .name = "txtWebSite", .container = Tabs, .tab = 4, .left = 1440, .top = 3020, .width = 4680, .height = 315},
    {.kind = ControlKind::Label, .name = "lblRecommended", .container = Tabs, .tab = 4, .left = 240, .top = 3600, .width = 3000, .height = 255, .caption = "* Recommended for printing.", .border = false},

    {.kind = ControlKind::CommandButton, .name = "cmdOK", .left = 2640, .top = 4800, .width = 1200, .height = 375, .caption = "OK"},
    {.kind = ControlKind::CommandButton, .name = "cmdCancel", .left = 3960, .top = 4800, .width = 1200, .height = 375, .caption = "Cancel"},
    {.kind = ControlKind::CommandButton, .name = "cmdApply", .left = 5280, .top = 4800, .width = 1200, .height = 375, .caption = "Apply"},
};

} // namespace

std::span<const ControlSpec> frmOptions() { return optionsLayout; }

} // namespace cindrel::layouts
