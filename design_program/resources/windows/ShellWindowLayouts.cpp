#include "ShellWindowLayouts.h"

#include <vector>

namespace cindrel::layouts {

using forms::ControlKind;
using forms::ControlSpec;

namespace {

const std::vector<ControlSpec> disclaimerLayout = {
    {.kind = ControlKind::Label, .name = "Label2", .left = 240, .top = 180, .width = 6600, .height = 300},
    {.kind = ControlKind::Label, .name = "Label1", .left = 240, .top = 600, .width = 6600, .height = 2700, .border = false},
    {.kind = ControlKind::CheckBox, .name = "chkDebugMode", .left = 240, .top = 3480, .width = 2400, .height = 255, .caption = "Show Run Notes"},
    {.kind = ControlKind::CheckBox, .name = "chkWriteRunNotes2File", .left = 240, .top = 3780, .width = 2400, .height = 255, .caption = "Write Run Notes To File", .value = 1, .visible = false},
    {.kind = ControlKind::CommandButton, .name = "cmdAgree", .index = 1, .left = 3960, .top = 3480, .width = 1335, .height = 375, .caption = "I Agree"},
    {.kind = ControlKind::CommandButton, .name = "cmdAgree", .index = 0, .left = 5460, .top = 3480, .width = 1335, .height = 375, .caption = "I Disagree"},
};

const std::vector<ControlSpec> miscLayout = {
    {.kind = ControlKind::MenuItem, .name = "mnuOpt", .caption = "Options"},
    {.kind = ControlKind::MenuItem, .name = "mnuClear", .container = "mnuOpt", .caption = "Clear text"},
    {.kind = ControlKind::MenuItem, .name = "mnuAutoClose", .container = "mnuOpt", .caption = "Auto-close"},
    {.kind = ControlKind::TextBox, .name = "txtNotes", .left = 0, .top = 0, .width = 4800, .height = 4200, .multiLine = true},
    {.kind = ControlKind::CommandButton, .name = "cmdHelp", .left = 2880, .top = 3825, .width = 960, .height = 375, .caption = "Help", .visible = false},
    {.kind = ControlKind::CommandButton, .name = "cmdClose", .left = 3840, .top = 3825, .width = 960, .height = 375, .caption = "Close"},
    {.kind = ControlKind::Timer, .name = "Timer", .value = 60000},
};

const std::vector<ControlSpec> aboutLayout = {
    {.kind = ControlKind::PictureBox, .name = "Picture1", .left = 240, .top = 240, .width = 540, .height = 540, .border = false},
    {.kind = ControlKind::Label, .name = "lblWebSite", .left = 990, .top = 627, .width = 2948, .height = 319},
    {.kind = ControlKind::Label, .name = "lblTitle", .left = 429, .top = 1067, .width = 3971, .height = 495},
    {.kind = ControlKind::TextBox, .name = "Text1", .left = 594, .top = 1694, .width = 3630, .height = 781, .multiLine = true},
    {.kind = ControlKind::Label, .name = "lblVersion", .left = 2035, .top = 3047, .width = 1500, .height = 242, .caption = "Version:"},
    {.kind = ControlKind::CommandButton, .name = "cmdOK", .left = 3883, .top = 77, .width = 900, .height = 375, .caption = "&Ok"},
};

const std::vector<ControlSpec> hardnessLayout = {
    {.kind = ControlKind::Label, .name = "Label1", .left = 600, .top = 120, .width = 405, .height = 195, .caption = "BHN"},
    {.kind = ControlKind::Label, .name = "Label2", .left = 2100, .top = 120, .width = 405, .height = 195, .caption = "HRC"},
    {.kind = ControlKind::TextBox, .name = "txtBHN", .left = 240, .top = 420, .width = 1095, .height = 375, .toolTip = "convert from BHN 300 - 750 to HRC"},
    {.kind = ControlKind::TextBox, .name = "txtHRC", .left = 1680, .top = 420, .width = 1095, .height = 375, .toolTip = "convert from 32 - 65 HRC to BHN"},
    {.kind = ControlKind::Label, .name = "lblNotes", .left = 240, .top = 960, .width = 2595, .height = 735, .caption = "Hardness values are approximate and discretion should be exercised when using any conversion method"},
};

const std::vector<ControlSpec> runNotesLayout = {
    {.kind = ControlKind::TextBox, .name = "txtRunNotes", .left = 0, .top = 0, .width = 4680, .height = 3250, .multiLine = true},
};

} // namespace

std::span<const ControlSpec> frmDisclaimer() { return disclaimerLayout; }
std::span<const ControlSpec> frmMisc() { return miscLayout; }
std::span<const ControlSpec> frmAbout() { return aboutLayout; }
std::span<const ControlSpec> frmHardnessConverter() { return hardnessLayout; }
std::span<const ControlSpec> frmRunNotes() { return runNotesLayout; }

} // namespace cindrel::layouts
