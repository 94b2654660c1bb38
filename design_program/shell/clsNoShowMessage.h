#pragma once

#include "registry/Store.h"
#include "runtime/ErrorReporter.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace cindrel::shell {

// A question the user may silence for good: shown in the message window with
// the "Do not show this message in the future." box, its silencing kept per
// question under Software\<product>\Preferences\CheckedMessageBoxes.
class clsNoShowMessage {
public:
    // Buttons are bits, in Buttons and in the result.
    enum Button : std::int32_t { OK = 1, Yes = 2, No = 4, Cancel = 8 };

    clsNoShowMessage(runtime::RunLog& runLog, registry::Store& store, std::string_view productName = "Cindrel");

    // The bit of the button pressed; 0 when the question is silenced (nothing
    // is shown) or the window was closed without a button. A ticked box is
    // kept for OK, Yes and No, not for Cancel.
    std::int32_t ShowMessage(std::string_view Message, std::string_view RegistryValueName, std::int32_t Buttons);

private:
    bool ReadNoShowFlag(std::string_view valueName);
    void SaveNoShowFlag(std::string_view valueName);

    runtime::RunLog& runLog_;
    registry::Store& store_;
    std::string keyPath_;
};

} // namespace cindrel::shell
