#include "shell/ShellWindows.h"
#include "shell/Startup.h"

#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/Label.h"
#include "ShellWindowLayouts.h"

namespace cindrel::shell {

namespace {

const char* const DisclaimerText =
    "This program computes the geometry and the rating of one pair of parallel-axis gears from the data you "
    "enter. Its results are an aid to engineering judgement, not a replacement for it: check every result "
    "that matters against an independent calculation, the applicable standards and the experience of a "
    "qualified gear engineer before gears are made or put into service.\r\n\r\n"
    "The program is provided as it is, without any warranty. Its authors accept no liability for any loss "
    "or damage arising from its use.\r\n\r\n"
    "By choosing \"I Agree\" you accept these terms.";

} // namespace

QString disclaimerText() { return QString::fromUtf8(DisclaimerText); }

void defineDisclaimer(Startup& startup)
{
    startup.windows().define(QStringLiteral("frmDisclaimer"), [&startup](forms::Form& form) {
        form.setCaption(QStringLiteral("Cindrel Disclaimer:"));
        form.move(0, 0, 7200, 4560);
        forms::buildLayout(form, layouts::frmDisclaimer());
        form.get<forms::Label>(QStringLiteral("Label2")).setCaption(QString::fromStdString(versionLine()));
        auto& text = form.get<forms::Label>(QStringLiteral("Label1"));
        text.setWordWrap(true);
        text.setCaption(disclaimerText());
        for (int index : {0, 1}) {
            form.get<forms::CommandButton>(QStringLiteral("cmdAgree"), index).onClick.connect([&startup, &form, index] {
                startup.AcceptDisclaimer(
                    index != 0, form.get<forms::CheckBox>(QStringLiteral("chkDebugMode")).checkValue() != 0,
                    form.get<forms::CheckBox>(QStringLiteral("chkWriteRunNotes2File")).checkValue() != 0);
            });
        }
    });
}

} // namespace cindrel::shell
