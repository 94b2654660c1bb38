#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cindrel::shell {

// The program's help file for its number: 1 is "Cindrel.chm" in the program
// folder; any other number names no file (empty).
std::string HelpFilePath(std::int32_t HelpFileNumber);

// Opens the topic with the given context id of help file HelpFileNumber, in
// the help window type WindowName (empty: the default one).
void ShowHelpTopic(std::int32_t HelpFileNumber, std::string_view WindowName, std::int32_t ContextID);

} // namespace cindrel::shell
