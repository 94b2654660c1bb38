#pragma once

#include <string>
#include <string_view>

// The notes of the AGMA factors window, by key ("Kt", "Ks", "Kv", "Kb", "Cf",
// "Sf", "Ch", "Km", "Kr", "AGMA"); keys compare exactly, letter case included.
namespace cindrel::agma {

// The note of key, UTF-8; empty for any other key.
std::string noteFor(std::string_view key);

} // namespace cindrel::agma
