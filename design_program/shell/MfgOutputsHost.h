#pragma once

#include "outputs/MfgHost.h"

namespace cindrel::shell {

class Startup;

// The manufacturing table's view of the program: the unit system, the main
// window's metric box, the clipboard, the run-log window and the common
// error handler.
class MfgOutputsHost : public outputs::MfgHost, private runtime::ErrorReporter {
public:
    explicit MfgOutputsHost(Startup& startup) : startup_(startup) {}

    outputs::MfgUnits units() const override;
    void replaceClipboardText(std::string_view text) override;
    void showRunLogText(std::string_view text) override;
    runtime::ErrorReporter& errorReporter() override { return *this; }

private:
    void reportError(std::string_view module, std::string_view routine, std::string_view errorNumber,
                     std::string_view description, std::string_view other) override;

    Startup& startup_;
};

} // namespace cindrel::shell
