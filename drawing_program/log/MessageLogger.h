#pragma once

#include "runtime/ErrorReporter.h"

#include <functional>
#include <string>
#include <string_view>

namespace vantrope {

// The message window as the logger needs it; the Qt window implements it.
class MessageWindow {
public:
    virtual ~MessageWindow() = default;
    // Shows the window modeless (loading it first when needed).
    virtual void showMessages() = 0;
    virtual const std::string& text() const = 0;
    virtual void setText(std::string text) = 0;
};

// CR LF, then each non-empty part: "Module; m", ", Routine; r", ", Mess#n",
// ", Description; d", ", x".
std::string messageLine(std::string_view module, std::string_view routine, std::string_view messNum,
                        std::string_view description, std::string_view extra);

// Error handlers report here; each report becomes one line of the message
// window unless the user switched messages off.
class MessageLogger : public runtime::ErrorReporter {
public:
    explicit MessageLogger(MessageWindow& window) : window_(window) {}

    // Asked on every message; the settings object answers once it exists.
    void setMessagesOff(std::function<bool()> messagesOff) { messagesOff_ = std::move(messagesOff); }

    void LogMessage(std::string_view module, std::string_view routine, std::string_view messNum,
                    std::string_view description, std::string_view extra);

    void reportError(std::string_view module, std::string_view routine, std::string_view errorNumber,
                     std::string_view description, std::string_view other) override
    {
        LogMessage(module, routine, errorNumber, description, other);
    }

private:
    MessageWindow& window_;
    std::function<bool()> messagesOff_;
};

} // namespace vantrope
