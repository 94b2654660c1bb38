#pragma once

#include "registry_component/BrimlockRegistry.h"

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

// Everything an INIFile holds, read through its Gets, in name order.
using IniSnapshot = std::map<std::string, std::map<std::string, std::string>>;
IniSnapshot snapshot(brimlock::IINIFile& file);

// Checks what any bytes must do as an INI file: open (a UTF-16 mark is
// refused with 107), save, and give the same Gets once saved and opened
// again; a saved file opened and saved twice comes back byte for byte.
// Empty when all held, else what failed. Works in `folder`.
std::string iniRoundTripFailure(std::string_view bytes, const std::filesystem::path& folder);
