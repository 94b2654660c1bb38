#include "shell/MfgOutputsHost.h"

#include "shell/Clipboard.h"
#include "shell/Startup.h"

#include "forms/CheckBox.h"
#include "forms/Forms.h"

#include <QString>

namespace cindrel::shell {

outputs::MfgUnits MfgOutputsHost::units() const
{
    const UnitSystem& system = startup_.units();
    outputs::MfgUnits now;
    now.LengthFactor = system.LengthFactor;
    now.LengthUnits = system.LengthUnits;
    now.SmallLengthUnits = system.SmallLengthUnits;
    // The tolerance class follows the main window's box; before that window
    // is loaded, the unit system it sets.
    now.metricChecked = system.MetricUnits;
    forms::Control* box = startup_.windows().findControl(QStringLiteral("frmMain"), QStringLiteral("chkMetricUnits"));
    if (auto* metric = dynamic_cast<forms::CheckBox*>(box))
        now.metricChecked = metric->checkValue() == 1;
    return now;
}

void MfgOutputsHost::replaceClipboardText(std::string_view text)
{
    shellservices::clearClipboard();
    shellservices::setClipboardText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void MfgOutputsHost::showRunLogText(std::string_view text)
{
    frmMisc& window = startup_.runLogWindow();
    window.showWindow();
    window.replaceText(std::string(text));
}

void MfgOutputsHost::reportError(std::string_view module, std::string_view routine, std::string_view errorNumber,
                                 std::string_view description, std::string_view other)
{
    startup_.MainErrHandler(module, routine, errorNumber, description, other);
}

} // namespace cindrel::shell
