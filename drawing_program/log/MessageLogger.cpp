#include "log/MessageLogger.h"

namespace vantrope {

std::string messageLine(std::string_view module, std::string_view routine, std::string_view messNum,
                        std::string_view description, std::string_view extra)
{
    std::string line = "\r\n";
    auto part = [&line](std::string_view label, std::string_view text) {
        if (text.empty())
            return;
        line += label;
        line += text;
    };
    part("Module; ", module);
    part(", Routine; ", routine);
    part(", Mess#", messNum);
    part(", Description; ", description);
    part(", ", extra);
    return line;
}

void MessageLogger::LogMessage(std::string_view module, std::string_view routine, std::string_view messNum,
                               std::string_view description, std::string_view extra)
{
    if (messagesOff_ && messagesOff_())
        return;
    std::string line = messageLine(module, routine, messNum, description, extra);
    window_.showMessages();
    window_.setText(window_.text() + line);
}

} // namespace vantrope
