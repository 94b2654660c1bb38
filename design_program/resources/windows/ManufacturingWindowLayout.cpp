#include "ManufacturingWindowLayout.h"

namespace cindrel::layouts {

using forms::ControlKind;
using forms::ControlSpec;

namespace {

// Rows of the edit panel and the two value columns.
constexpr double QualityRow = 480;
constexpr double HandRow = 900;
constexpr double TIFRow = 1320;
constexpr double PinRow = 1740;
constexpr double SpanRow = 2160;
constexpr double DecimalsRow = 2580;
constexpr double PinionColumn = 3360;
constexpr double GearColumn = 4800;
constexpr double ValueWidth = 1320;
constexpr double BoxHeight = 315;
// The defaults frame: its rows level with the panel's rows they belong to.
constexpr double FrameTop = 720;
constexpr double FrameLeft = 6400;

} // namespace

std::span<const ControlSpec> frmMFGOutputs()
{
    static const ControlSpec layout[] = {
        {.kind = ControlKind::PictureBox, .name = "pctData", .left = 0, .top = 0, .width = 9480, .height = 5100, .border = false},
        // The saved controls, in the order the design file depends on: each
        // array gear first, since an array's second member renames the first.
        {.kind = ControlKind::CheckBox, .name = "chkUseMFGNotes", .container = "pctData", .left = 240, .top = 3060,
         .width = 3600, .height = 315, .caption = "Use manufacturing notes", .dataField = "UseMFGNotes"},
        {.kind = ControlKind::TextBox, .name = "txtMFGNotes", .container = "pctData", .left = 240, .top = 3420,
         .width = 8900, .height = 1440, .dataField = "MFGNotes", .multiLine = true},
        {.kind = ControlKind::TextBox, .name = "txtTeethSpanned", .index = 1, .container = "pctData", .left = GearColumn,
         .top = SpanRow, .width = ValueWidth, .height = BoxHeight, .dataField = "TeethSpanned"},
        {.kind = ControlKind::TextBox, .name = "txtTeethSpanned", .index = 0, .container = "pctData", .left = PinionColumn,
         .top = SpanRow, .width = ValueWidth, .height = BoxHeight, .dataField = "TeethSpanned"},
        {.kind = ControlKind::TextBox, .name = "txtPinDiam", .index = 1, .container = "pctData", .left = GearColumn,
         .top = PinRow, .width = ValueWidth, .height = BoxHeight, .dataField = "PinDiam"},
        {.kind = ControlKind::TextBox, .name = "txtPinDiam", .index = 0, .container = "pctData", .left = PinionColumn,
         .top = PinRow, .width = ValueWidth, .height = BoxHeight, .dataField = "PinDiam"},
        {.kind = ControlKind::TextBox, .name = "txtTIF", .index = 1, .container = "pctData", .left = GearColumn,
         .top = TIFRow, .width = ValueWidth, .height = BoxHeight, .dataField = "TIF"},
        {.kind = ControlKind::TextBox, .name = "txtTIF", .index = 0, .container = "pctData", .left = PinionColumn,
         .top = TIFRow, .width = ValueWidth, .height = BoxHeight, .dataField = "TIF"},
        {.kind = ControlKind::Label, .name = "lblHelixHandPinion", .container = "pctData", .caption = "0",
         .dataField = "HelixHandPinion", .visible = false},
        {.kind = ControlKind::Label, .name = "lblDecimalPlacesMFG", .container = "pctData", .caption = "4",
         .dataField = "DecimalPlacesMFG", .visible = false},

        // Column headings and row descriptions.
        {.kind = ControlKind::Label, .name = "lblPinion", .container = "pctData", .left = PinionColumn, .top = 120,
         .width = ValueWidth, .height = 255, .caption = "Pinion", .border = false},
        {.kind = ControlKind::Label, .name = "lblGear", .container = "pctData", .left = GearColumn, .top = 120,
         .width = ValueWidth, .height = 255, .caption = "Gear", .border = false},
        {.kind = ControlKind::Label, .name = "lblQualityDesc", .container = "pctData", .left = 240, .top = QualityRow + 30,
         .width = 3000, .height = 255, .caption = "Quality number", .border = false},
        {.kind = ControlKind::Label, .name = "lblHelixHandDescr", .container = "pctData", .left = 240, .top = HandRow + 30,
         .width = 3000, .height = 255, .caption = "Helix hand", .border = false},
        {.kind = ControlKind::Label, .name = "lblDescript", .index = 0, .container = "pctData", .left = 240,
         .top = TIFRow + 30, .width = 3000, .height = 255, .caption = "True Involute Form Clearance (in) ", .border = false},
        {.kind = ControlKind::Label, .name = "lblDescript", .index = 1, .container = "pctData", .left = 240,
         .top = PinRow + 30, .width = 3000, .height = 255, .caption = "Measuring Pin Diameter", .border = false},
        {.kind = ControlKind::Label, .name = "lblNumbTeethSpannedDesc", .container = "pctData", .left = 240,
         .top = SpanRow + 30, .width = 3000, .height = 255, .caption = "No. of teeth for span measure", .border = false},
        {.kind = ControlKind::Label, .name = "Label1", .container = "pctData", .left = 240, .top = DecimalsRow + 30,
         .width = 3000, .height = 255, .caption = "Decimal Places In MFG Outputs", .border = false},

        // The lists.
        {.kind = ControlKind::ComboBox, .name = "cmbQuality", .index = 0, .container = "pctData", .left = PinionColumn,
         .top = QualityRow, .width = ValueWidth, .height = BoxHeight,
         .items = {"5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15"}},
        {.kind = ControlKind::ComboBox, .name = "cmbQuality", .index = 1, .container = "pctData", .left = GearColumn,
         .top = QualityRow, .width = ValueWidth, .height = BoxHeight,
         .items = {"5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15"}},
        {.kind = ControlKind::ComboBox, .name = "cmbHelixHand", .index = 0, .container = "pctData", .left = PinionColumn,
         .top = HandRow, .width = ValueWidth, .height = BoxHeight, .items = {"Right", "Left"}},
        {.kind = ControlKind::ComboBox, .name = "cmbHelixHand", .index = 1, .container = "pctData", .left = GearColumn,
         .top = HandRow, .width = ValueWidth, .height = BoxHeight, .items = {"Left", "Right"}},
        {.kind = ControlKind::ComboBox, .name = "cmbDecimalPlacesMFG", .container = "pctData", .left = PinionColumn,
         .top = DecimalsRow, .width = ValueWidth, .height = BoxHeight, .items = {"1", "2", "3", "4", "5", "6", "7"}},

        // The defaults, to the right.
        {.kind = ControlKind::Frame, .name = "fraDefaults", .container = "pctData", .left = FrameLeft, .top = FrameTop,
         .width = 3000, .height = 2280, .caption = "Default values"},
        {.kind = ControlKind::Label, .name = "lblDefPinion", .container = "fraDefaults", .left = 120, .top = 240,
         .width = 1300, .height = 255, .caption = "Pinion", .border = false},
        {.kind = ControlKind::Label, .name = "lblDefGear", .container = "fraDefaults", .left = 1560, .top = 240,
         .width = 1300, .height = 255, .caption = "Gear", .border = false},
        {.kind = ControlKind::TextBox, .name = "txtTIFdef", .index = 0, .container = "fraDefaults", .left = 120,
         .top = TIFRow - FrameTop, .width = 1300, .height = BoxHeight},
        {.kind = ControlKind::TextBox, .name = "txtTIFdef", .index = 1, .container = "fraDefaults", .left = 1560,
         .top = TIFRow - FrameTop, .width = 1300, .height = BoxHeight},
        {.kind = ControlKind::ComboBox, .name = "cmbPin", .index = 0, .container = "fraDefaults", .left = 120,
         .top = PinRow - FrameTop, .width = 1300, .height = BoxHeight},
        {.kind = ControlKind::ComboBox, .name = "cmbPin", .index = 1, .container = "fraDefaults", .left = 1560,
         .top = PinRow - FrameTop, .width = 1300, .height = BoxHeight},
        {.kind = ControlKind::TextBox, .name = "txtTeethSpanneddef", .index = 0, .container = "fraDefaults", .left = 120,
         .top = SpanRow - FrameTop, .width = 1300, .height = BoxHeight},
        {.kind = ControlKind::TextBox, .name = "txtTeethSpanneddef", .index = 1, .container = "fraDefaults", .left = 1560,
         .top = SpanRow - FrameTop, .width = 1300, .height = BoxHeight},
        {.kind = ControlKind::CommandButton, .name = "cmdMoveDefaults", .container = "fraDefaults", .left = 120,
         .top = SpanRow - FrameTop + 420, .width = 2740, .height = 375, .caption = "<---  move defaults  <---"},

        // The other two panels, in the edit panel's place.
        {.kind = ControlKind::Grid, .name = "grdMFG", .left = 0, .top = 0, .width = 9480, .height = 5100, .visible = false},
        {.kind = ControlKind::PrintPreview, .name = "prtMFG", .left = 0, .top = 0, .width = 9480, .height = 5100,
         .visible = false},

        {.kind = ControlKind::MenuItem, .name = "mnuEditValues", .caption = "--Edit MFG Values--"},
        {.kind = ControlKind::MenuItem, .name = "mnuViewGrid", .caption = "--Calculate MFG Output Data--"},
        {.kind = ControlKind::MenuItem, .name = "mnuPrintTop", .caption = "--Print--"},
        {.kind = ControlKind::MenuItem, .name = "mnuPrint", .container = "mnuPrintTop", .caption = "Print"},
        {.kind = ControlKind::MenuItem, .name = "mnuPrintPreview", .container = "mnuPrintTop", .caption = "Print Preview"},
        {.kind = ControlKind::MenuItem, .name = "mnuClip", .caption = "Copy2Clipboard"},
        {.kind = ControlKind::MenuItem, .name = "mnuExit", .caption = "---Return to Main---"},
    };
    return layout;
}

} // namespace cindrel::layouts
