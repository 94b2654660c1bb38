#include "shell/StandIns.h"

#include "shell/Startup.h"

#include "outputs/PrintPreviewWindow.h"
#include "outputs/ScreenOutputWindow.h"

#include "forms/ComboBox.h"
#include "forms/Label.h"
#include "forms/Layout.h"

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

void frmMFGOutputs_EditScreen(Startup&) {}

void frmMFGOutputs_loadPinCombo(Startup&, const std::vector<float>&, double, std::int16_t, bool) {}

void defineStandInWindows(Startup& startup)
{
    forms::Forms& windows = startup.windows();
    forms::Form& manufacturing = windows.define(QStringLiteral("frmMFGOutputs"), [&windows](forms::Form& form) {
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
        // What the main window sets on it: the helix hands and the default spans and allowances.
        const QStringList hands[] = {{QStringLiteral("Right"), QStringLiteral("Left")},
                                     {QStringLiteral("Left"), QStringLiteral("Right")}};
        for (int member : {0, 1}) {
            const double left = 240.0 + 1560 * member;
            forms::buildControl(form, {.kind = ControlKind::ComboBox, .name = "cmbHelixHand", .index = member,
                                       .left = left, .top = 720, .width = 1320, .height = 315, .items = hands[member]});
            forms::buildControl(form, {.kind = ControlKind::TextBox, .name = "txtTeethSpanneddef", .index = member,
                                       .left = left, .top = 1200, .width = 1095, .height = 315});
            forms::buildControl(form, {.kind = ControlKind::TextBox, .name = "txtTIFdef", .index = member,
                                       .left = left, .top = 1680, .width = 1095, .height = 315});
        }
    });
    // Closing it releases the manufacturing outputs and brings the main window back.
    manufacturing.onQueryUnload.connect([&startup, &manufacturing](bool& cancel, forms::UnloadReason reason) {
        if (reason != forms::UnloadReason::FormControlMenu)
            return;
        cancel = true;
        startup.gobjMFGOutputs.reset();
        startup.windows()[QStringLiteral("frmMain")].show();
        manufacturing.hide();
    });
    outputs::defineScreenOutputWindow(windows, startup.outputsHost());
    outputs::definePrintPreviewWindow(windows, startup.outputsHost());
}

} // namespace cindrel::shell
