#include "VantropeLayouts.h"

#include <vector>

namespace vantrope::layouts {

using forms::ControlKind;
using forms::ControlSpec;

namespace {

std::vector<ControlSpec> gearsLayout()
{
    return {
        {.kind = ControlKind::PictureBox, .name = "picDrawing", .left = 0, .top = 0, .width = 4575, .height = 5970, .border = false},
        {.kind = ControlKind::MenuItem, .name = "mnuFile", .caption = "&File"},
        {.kind = ControlKind::MenuItem, .name = "mnuOpen", .container = "mnuFile", .caption = "&Open"},
        {.kind = ControlKind::MenuItem, .name = "mnuSave", .container = "mnuFile", .caption = "&Save"},
        {.kind = ControlKind::MenuItem, .name = "mnuSettings", .caption = "&Settings"},
        {.kind = ControlKind::MenuItem, .name = "mnuOutputTop", .caption = "&Output"},
        {.kind = ControlKind::MenuItem, .name = "mnuDXF", .container = "mnuOutputTop", .caption = "Make &DXF file"},
        {.kind = ControlKind::MenuItem, .name = "mnuText", .container = "mnuOutputTop", .caption = "Make &Text file"},
        {.kind = ControlKind::MenuItem, .name = "mnuPrintSize", .container = "mnuOutputTop", .caption = "&Fix Drawing and Printer Ratio"},
        {.kind = ControlKind::MenuItem, .name = "mnuPrint", .container = "mnuOutputTop", .caption = "&Print drawing"},
        {.kind = ControlKind::MenuItem, .name = "mnuMeshMain", .caption = "&Mesh"},
        {.kind = ControlKind::MenuItem, .name = "mnuMesh", .index = 0, .container = "mnuMeshMain", .caption = "Pinion Tool and Pinion"},
        {.kind = ControlKind::MenuItem, .name = "mnuMesh", .index = 1, .container = "mnuMeshMain", .caption = "Pinion and Gear"},
        {.kind = ControlKind::MenuItem, .name = "mnuMesh", .index = 2, .container = "mnuMeshMain", .caption = "Gear and Gear Tool"},
        {.kind = ControlKind::MenuItem, .name = "mnuLOA", .caption = "&LOA"},
        {.kind = ControlKind::MenuItem, .name = "mnuToggleLOA", .container = "mnuLOA", .caption = "Toggle LOA side"},
        {.kind = ControlKind::MenuItem, .name = "mnuHelpTop", .caption = "&Help"},
        {.kind = ControlKind::MenuItem, .name = "mnuHelp", .container = "mnuHelpTop", .caption = "Help file"},
        {.kind = ControlKind::MenuItem, .name = "mnuAbout", .container = "mnuHelpTop", .caption = "About"},
        {.kind = ControlKind::MenuItem, .name = "mnuTime", .caption = "*"},
    };
}

// Two of the four columns show at a time, at 180 and 960 twips; the field
// labels stand to their right.
constexpr double ColumnWidth = 735, BoxLeft = 60, BoxWidth = 615, BoxHeight = 315;
constexpr double FrameTop = 120;
constexpr double RowTop[] = {240, 600, 960, 1320, 1680, 2040, 2400, 2760}; // inside a column
constexpr double LabelLeft = 1800, LabelWidth = 1380;

std::vector<ControlSpec> inputsLayout()
{
    const char* gearCaption[] = {"", "Tool", "Pinion", "Gear", "Tool"};
    const char* teeth[] = {"", "10000", "16", "32", "10000"};
    const char* addendum[] = {"", "1.2", "1.22", "1.0871", "1.2"};
    const char* thickness[] = {"", ".5", ".527", ".473", ".5"};
    std::vector<ControlSpec> rows;
    for (int i = 1; i <= 4; ++i) {
        const double left = i == 1 || i == 3 ? 180 : 960;
        auto box = [&](const char* name, int row, const char* text, int help) {
            rows.push_back({.kind = ControlKind::TextBox, .name = name, .index = i, .container = "fraGear", .containerIndex = i,
                            .left = BoxLeft, .top = RowTop[row], .width = BoxWidth, .height = BoxHeight, .caption = text,
                            .helpContextId = help});
        };
        rows.push_back({.kind = ControlKind::Frame, .name = "fraGear", .index = i, .left = left, .top = FrameTop,
                        .width = ColumnWidth, .height = 3180, .border = false});
        rows.push_back({.kind = ControlKind::Label, .name = "lblGear", .index = i, .container = "fraGear", .containerIndex = i,
                        .left = BoxLeft, .top = 0, .width = BoxWidth, .height = 225, .caption = gearCaption[i], .border = false});
        box("txtN", 1, teeth[i], 201);
        box("txtAdd", 2, addendum[i], 204);
        box("txtDed", 3, "2.35", 205);
        box("txtEGB", 4, "0", 206);
        box("txtTTK", 5, thickness[i], 207);
        if (i == 1 || i == 4)
            box("txtProtube", 6, "0", 209);
        else
            rows.push_back({.kind = ControlKind::CheckBox, .name = "chkFRR", .index = i, .container = "fraGear", .containerIndex = i,
                            .left = BoxLeft, .top = RowTop[6], .width = BoxWidth + 60, .height = BoxHeight, .caption = "FRR",
                            .value = 1, .helpContextId = 210});
        if (i == 3)
            rows.push_back({.kind = ControlKind::CheckBox, .name = "chkIntExt", .container = "fraGear", .containerIndex = 3,
                            .left = BoxLeft, .top = RowTop[7], .width = BoxWidth + 60, .height = BoxHeight, .caption = "Ext.",
                            .value = 1, .helpContextId = 211});
    }
    auto label = [&](const char* name, double top, const char* caption, bool visible = true) {
        rows.push_back({.kind = ControlKind::Label, .name = name, .left = LabelLeft, .top = top, .width = LabelWidth,
                        .height = 255, .caption = caption, .visible = visible, .border = false});
    };
    const double rowLabelTop = FrameTop + 30;
    label("lblTeeth", rowLabelTop + RowTop[1], "Teeth");
    label("lblAddendum", rowLabelTop + RowTop[2], "Addendum");
    label("lblWholeDepth", rowLabelTop + RowTop[3], "Whole depth");
    label("lblEdgeBreak", rowLabelTop + RowTop[4], "Edge Break");
    label("lblThickness", rowLabelTop + RowTop[5], "Tooth thickness");
    rows.back().toolTip = "fraction of operating circular thickness";
    // Too long for the window's width: two lines, as tall as the font needs.
    constexpr double TwoLines = 390;
    label("lblRootForm", rowLabelTop + RowTop[6], "Protuberance / Full root radius");
    rows.back().height = TwoLines;
    label("lblIntExt", rowLabelTop + RowTop[7], "Internal or External");
    rows.back().height = TwoLines;

    // The shared fields below the columns; the three center distance boxes
    // lie on top of one another, one shown at a time.
    constexpr double PhiTop = 3420, DcoTop = 3780, BklTop = 4140;
    rows.push_back({.kind = ControlKind::TextBox, .name = "txtPhi", .left = 540, .top = PhiTop, .width = 1035, .height = BoxHeight,
                    .caption = "27.236", .helpContextId = 202});
    label("lblPhi", PhiTop + 30, "Pressure Angle");
    const char* dco[] = {".22", ".3", ".0871"};
    for (int m = 0; m <= 2; ++m)
        rows.push_back({.kind = ControlKind::TextBox, .name = "txtDCO", .index = m, .left = 540, .top = DcoTop, .width = 1035,
                        .height = BoxHeight, .caption = dco[m], .visible = false, .helpContextId = 203});
    label("lblDCO", DcoTop + 30, "Center Distance");
    rows.push_back({.kind = ControlKind::TextBox, .name = "txtBKL", .left = 540, .top = BklTop, .width = 1035, .height = BoxHeight,
                    .caption = "0", .helpContextId = 208});
    label("lblBL", BklTop + 30, "Backlash", false);

    rows.push_back({.kind = ControlKind::Frame, .name = "Frame1", .left = 540, .top = 4560, .width = 1035, .height = 375, .border = false});
    for (int m = 0; m <= 2; ++m)
        rows.push_back({.kind = ControlKind::OptionButton, .name = "optMesh", .index = m, .container = "Frame1",
                        .left = 60.0 + m * 330.0, .top = 60, .width = 195, .height = 255, .caption = "Tool", .helpContextId = 212});
    label("lblMesh", 4620, "Mesh");
    rows.push_back({.kind = ControlKind::Label, .name = "lblControl", .left = 180, .top = 5040, .width = 2880, .height = 255,
                    .caption = "ctrl", .border = false});
    rows.push_back({.kind = ControlKind::Slider, .name = "sldSlider", .left = 120, .top = 5340, .width = 3000, .height = 450});
    rows.push_back({.kind = ControlKind::Label, .name = "lblWhichMesh", .left = 180, .top = 5880, .width = 600, .height = 255,
                    .visible = false});
    return rows;
}

// Three pages of one size at the window's top-left, one shown at a time.
constexpr double PageWidth = 4680, PageHeight = 3840;

std::vector<ControlSpec> settingsLayout()
{
    std::vector<ControlSpec> rows;
    rows.push_back({.kind = ControlKind::MenuItem, .name = "mnu1", .caption = "Colors"});
    rows.push_back({.kind = ControlKind::MenuItem, .name = "mnu2", .caption = "Settings1"});
    rows.push_back({.kind = ControlKind::MenuItem, .name = "mnu3", .caption = "Settings2"});
    for (int p = 0; p <= 2; ++p)
        rows.push_back({.kind = ControlKind::PictureBox, .name = "pct1", .index = p, .left = 0, .top = 0, .width = PageWidth,
                        .height = PageHeight, .border = false});

    // Colors: the options with their draw flags, the colour box beside them,
    // the line editors and the reset buttons below.
    auto onPage = [&](int page, ControlSpec spec) {
        spec.container = "pct1";
        spec.containerIndex = page;
        rows.push_back(std::move(spec));
    };
    onPage(0, {.kind = ControlKind::ListView, .name = "lstDropts", .left = 120, .top = 120, .width = 3360, .height = 2880});
    onPage(0, {.kind = ControlKind::PictureBox, .name = "picColor", .left = 3600, .top = 120, .width = 960, .height = 2880,
               .toolTip = "Click to choose the colour"});
    onPage(0, {.kind = ControlKind::Label, .name = "lblLineThickness", .left = 120, .top = 3120, .width = 1260, .height = 255,
               .caption = "Line thickness", .border = false});
    onPage(0, {.kind = ControlKind::TextBox, .name = "txtLineThickness", .left = 1380, .top = 3090, .width = 420, .height = 315,
               .caption = "1"});
    onPage(0, {.kind = ControlKind::ComboBox, .name = "cmbLineStyle", .left = 1920, .top = 3090, .width = 1560, .height = 315,
               .caption = "Line type", .items = {"Solid", "Dash", "Dot", "Dash - dot", "Dash - dot - dot"}});
    onPage(0, {.kind = ControlKind::CommandButton, .name = "cmdDefault", .left = 3600, .top = 3090, .width = 960, .height = 315,
               .caption = "Default"});
    onPage(0, {.kind = ControlKind::CommandButton, .name = "cmdDefaultColors", .left = 120, .top = 3480, .width = 2160,
               .height = 315, .caption = "All default"});
    onPage(0, {.kind = ControlKind::CommandButton, .name = "cmdBlackOnWhite", .left = 2400, .top = 3480, .width = 2160,
               .height = 315, .caption = "All Black on White"});

    // Settings1: points per feature, then the switches.
    onPage(1, {.kind = ControlKind::Frame, .name = "Frame3", .left = 120, .top = 120, .width = 4440, .height = 1080,
               .caption = "Number of points per......"});
    const char* feature[] = {"Root", "Involute", "Edge break"};
    for (int i = 0; i <= 2; ++i) {
        rows.push_back({.kind = ControlKind::Label, .name = "lblIncs", .index = i, .container = "Frame3", .left = 240.0 + i * 1440,
                        .top = 300, .width = 1200, .height = 255, .caption = feature[i], .border = false});
        rows.push_back({.kind = ControlKind::TextBox, .name = "txtIncs", .index = i, .container = "Frame3",
                        .left = 240.0 + i * 1440, .top = 600, .width = 1080, .height = 315});
    }
    struct Switch {
        const char* name;
        const char* caption;
        const char* tip;
    };
    const Switch switches[] = {
        {"chkPanZoom", "Zoom and Pan disabled", "Used when making animated gifs"},
        {"chkMessages", "Suppress Messages", "Suppress all error messages, most are programatic in nature."},
        {"chkLogged", "Append to Vantrope.Log", "This is for debugging: copy various internal events to a logfile "},
        {"chkSaveOnLoseFocus", "Save on lose focus", "Save these settings when you click back in main window"},
        {"chkPrintBW", "Print Black on White", ""},
    };
    for (int i = 0; i < 5; ++i)
        onPage(1, {.kind = ControlKind::CheckBox, .name = switches[i].name, .left = 240, .top = 1380.0 + i * 420,
                   .width = 4200, .height = 315, .caption = switches[i].caption, .toolTip = switches[i].tip});

    // Settings2: teeth drawn per element, then the gear size of the exports.
    onPage(2, {.kind = ControlKind::Frame, .name = "Frame2", .left = 120, .top = 120, .width = 4440, .height = 1080,
               .caption = "Number of teeth to draw."});
    const char* element[] = {"", "PTool", "Pinion", "Gear", "GTool"};
    for (int i = 1; i <= 4; ++i) {
        rows.push_back({.kind = ControlKind::Label, .name = "Label1", .index = i, .container = "Frame2",
                        .left = 240.0 + (i - 1) * 1050, .top = 300, .width = 900, .height = 255, .caption = element[i],
                        .border = false});
        rows.push_back({.kind = ControlKind::TextBox, .name = "txtTeethDrawn", .index = i, .container = "Frame2",
                        .left = 240.0 + (i - 1) * 1050, .top = 600, .width = 900, .height = 315});
    }
    onPage(2, {.kind = ControlKind::Frame, .name = "Frame1", .left = 120, .top = 1380, .width = 4440, .height = 1080,
               .caption = "Transverse Gear Size"});
    rows.push_back({.kind = ControlKind::TextBox, .name = "txtSizer", .container = "Frame1", .left = 240, .top = 420,
                    .width = 1200, .height = 315});
    rows.push_back({.kind = ControlKind::OptionButton, .name = "optSizer", .index = 0, .container = "Frame1", .left = 1680,
                    .top = 300, .width = 2400, .height = 255, .caption = "Diametral Pitch"});
    rows.push_back({.kind = ControlKind::OptionButton, .name = "optSizer", .index = 1, .container = "Frame1", .left = 1680,
                    .top = 660, .width = 2400, .height = 255, .caption = "Module"});

    rows.push_back({.kind = ControlKind::Frame, .name = "fraCancelAccept", .left = 0, .top = PageHeight, .width = 2640,
                    .height = 495, .border = false});
    rows.push_back({.kind = ControlKind::CommandButton, .name = "cmdOKNo", .index = 1, .container = "fraCancelAccept",
                    .left = 120, .top = 60, .width = 1080, .height = 375, .caption = "OK"});
    rows.push_back({.kind = ControlKind::CommandButton, .name = "cmdOKNo", .index = 0, .container = "fraCancelAccept",
                    .left = 1440, .top = 60, .width = 1080, .height = 375, .caption = "Cancel"});
    return rows;
}

const std::vector<ControlSpec> Gears = gearsLayout();
const std::vector<ControlSpec> Inputs = inputsLayout();
const std::vector<ControlSpec> Settings = settingsLayout();

} // namespace

std::span<const ControlSpec> frmGears()
{
    return Gears;
}

std::span<const ControlSpec> frmInputs()
{
    return Inputs;
}

std::span<const ControlSpec> frmSettings()
{
    return Settings;
}

} // namespace vantrope::layouts
