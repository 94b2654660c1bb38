#include "StartedProgram.h"

#include "forms/CheckBox.h"
#include "forms/TextBox.h"
#include "shell/Clipboard.h"
#include "shell/MfgOutputsHost.h"

#include <QCoreApplication>

namespace {

TEST_F(StartedProgram, TheManufacturingTableReachesUnitsClipboardAndRunLog)
{
    answerDisclaimer(true, true);
    cindrel::shell::MfgOutputsHost host(*startup);
    auto& metric = window("frmMain").get<forms::CheckBox>(QStringLiteral("chkMetricUnits"));

    metric.setCheckValue(0);
    EXPECT_FALSE(host.units().metricChecked);
    EXPECT_EQ(host.units().LengthFactor, 1.0);
    EXPECT_EQ(host.units().SmallLengthUnits, "(0.0001 in ) ");
    metric.setCheckValue(1);
    EXPECT_TRUE(host.units().metricChecked);
    EXPECT_EQ(host.units().LengthFactor, 25.4);
    EXPECT_EQ(host.units().SmallLengthUnits, "(\u00B5m) ");

    host.replaceClipboardText("Number of teeth , 20, 40, 0\r\n");
    EXPECT_EQ(shellservices::clipboardText(), QStringLiteral("Number of teeth , 20, 40, 0\r\n"));

    startup->WriteRunNote("an earlier note");
    window("frmMisc").hide();
    host.showRunLogText("Pinion; Pin 0.1728\r\nGear; Pin 0.1728");
    QCoreApplication::processEvents();
    EXPECT_TRUE(window("frmMisc").visible());
    EXPECT_EQ(startup->runLogWindow().text(), QStringLiteral("Pinion; Pin 0.1728\r\nGear; Pin 0.1728"));
}

} // namespace
