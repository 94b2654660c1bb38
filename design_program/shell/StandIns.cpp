#include "shell/StandIns.h"

#include "shell/Startup.h"

#include "outputs/ScreenOutputWindow.h"

#include "forms/ComboBox.h"
#include "forms/CommandButton.h"
#include "forms/Label.h"
#include "forms/Layout.h"
#include "forms/PictureBox.h"

namespace cindrel::shell {

namespace {

using forms::ControlKind;

// The saved controls of the manufacturing outputs window, in creation order:
// a design file holds them in reverse, and an array's second member renames
// the first after its index, so each array is created gear first.
const std::vector<forms::ControlSpec> mfgOutputsSavedControls = {
    {.kind = ControlKind::CheckBox, .name = "chkUseMFGNotes", .caption = "Use notes", .dataField = "UseMFGNotes"},
    {.kind = ControlKind::TextBox, .name = "txtMFGNotes", .dataField = "MFGNotes", .multiLine = true},
    {.kind = ControlKind::TextBox, .name = "txtTeethSpanned", .index = 1, .dataField = "TeethSpanned"},
    {.kind = ControlKind::TextBox, .name = "txtTeethSpanned", .index = 0, .dataField = "TeethSpanned"},
    {.kind = ControlKind::TextBox, .name = "txtPinDiam", .index = 1, .dataField = "PinDiam"},
    {.kind = ControlKind::TextBox, .name = "txtPinDiam", .index = 0, .dataField = "PinDiam"},
    {.kind = ControlKind::TextBox, .name = "txtTIF", .index = 1, .dataField = "TIF"},
    {.kind = ControlKind::TextBox, .name = "txtTIF", .index = 0, .dataField = "TIF"},
    {.kind = ControlKind::Label, .name = "lblHelixHandPinion", .caption = "0", .dataField = "HelixHandPinion", .visible = false},
    {.kind = ControlKind::Label, .name = "lblDecimalPlacesMFG", .caption = "4", .dataField = "DecimalPlacesMFG", .visible = false},
};

} // namespace

NavigatorStandIn::NavigatorStandIn(Startup& startup)
{
    forms::Form& main = startup.windows()[QStringLiteral("frmMain")];
    main.get<forms::CommandButton>(QStringLiteral("cmdPrevious")).setVisible(false);
    main.get<forms::PictureBox>(QStringLiteral("picStates"), 0).setVisible(true);
    main.show();
}

void defineStandInWindows(Startup& startup)
{
    forms::Forms& windows = startup.windows();
    windows.define(QStringLiteral("frmMFGOutputs"), [&windows](forms::Form& form) {
        form.setCaption(QStringLiteral("Manufacturing Outputs"));
        form.move(0, 0, 9600, 5900);
        forms::buildLayout(form, mfgOutputsSavedControls);
        // The quality of each member, shared with the AGMA factors window:
        // list position k is quality number k + 5.
        for (int member : {0, 1}) {
            auto& quality = form.add<forms::ComboBox>({QStringLiteral("cmbQuality"), member});
            quality.move(240 + member * 1560, 240, 1320, 315);
            for (int number = 5; number <= 15; ++number)
                quality.addItem(QString::number(number));
            quality.onClick.connect([&windows, &quality, member] {
                if (auto* recorded = dynamic_cast<forms::Label*>(
                        windows.findControl(QStringLiteral("frmAGMA"), QStringLiteral("lblComboQuality"), member)))
                    recorded->setCaption(QString::number(quality.listIndex()));
            });
        }
    });
    outputs::defineScreenOutputWindow(windows, startup.outputsHost());
}

} // namespace cindrel::shell
