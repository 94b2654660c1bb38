#pragma once

#include "dialogs/DialogTypes.h"

#include <QDateTime>

#include <cstdint>
#include <string>
#include <string_view>

class QPainter;
class QRectF;
namespace cindrel::analyses {
class T_Chart;
}

namespace cindrel::outputs {

// What the printed results report needs of the rest of the program: the
// printer dialog, the settings' user information, the silenceable question,
// the options dialog, the gear-set notes, the design file's names, the
// program version, the busy pointer, the clock and the graphs of the
// analyses. The shell implements it; tests use a recording fake.
class ReportHost {
public:
    virtual ~ReportHost() = default;

    // The printer dialog; false when the user cancelled it.
    virtual bool SetPrinter() = 0;
    // The printer chosen last, which the report prints on.
    virtual dialogs::PrinterChoice chosenPrinter() = 0;
    // The user's information by value name (UserName, CompanyName, AddressLine1, ...).
    virtual std::string UserInfo(std::string_view valueName) = 0;
    // A question the user may silence: the bit of the button pressed, 0 when silenced.
    virtual std::int32_t ShowNoShowMessage(std::string_view message, std::string_view valueName, std::int32_t buttons) = 0;
    // The options dialog, modal, on a tab.
    virtual void ShowOptionsPreferences(std::int32_t tab) = 0;
    // The caption of the main window's gear-set notes label.
    virtual std::string RunNotesCaption() = 0;
    virtual std::string ActiveFileName(bool withExtension, bool withFolder) = 0;
    virtual std::string DefaultFileName() = 0;
    // Major, minor and revision: "2.1.3".
    virtual std::string ProgramVersion() = 0;
    // The hourglass while the report is built; pending window events run once at the start.
    virtual void BeginBusy() = 0;
    virtual void EndBusy() = 0;
    virtual QDateTime Now() = 0;

    // The chart object of the contact analyses; null until they first ran.
    virtual analyses::T_Chart* chartObject() = 0;
    // Draws the graph the main window's chart shows now into target; raises
    // when that chart is not there.
    virtual void drawShownChart(QPainter& painter, const QRectF& target) = 0;
};

} // namespace cindrel::outputs
