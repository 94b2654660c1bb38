#pragma once

#include <array>
#include <optional>
#include <string_view>

// The overload factor Ko and the reliability factor Kr: each a row of options
// that writes its factor, and a typed factor that chooses its option.
namespace cindrel::agma {

struct FactorOption {
    std::string_view caption;
    std::string_view factor;
};

// Driving machine, then driven machine, in a fixed-pitch font.
inline constexpr std::array<FactorOption, 7> OverloadOptions = {{
    {"uniform           uniform", "1.0"},
    {"moderate shock    uniform", "1.25"},
    {"uniform           moderate shock", "1.25"},
    {"moderate shock    moderate shock", "1.5"},
    {"heavy shock       moderate shock", "1.75"},
    {"moderate shock    heavy shock", "1.75"},
    {"heavy shock       heavy shock", "2.0"},
}};

// Fewer than one failure in this many.
inline constexpr std::array<FactorOption, 5> ReliabilityOptions = {{
    {"10,000", "1.5"},
    {"1,000", "1.25"},
    {"100", "1.0"},
    {"10", "0.85"},
    {"2", "0.7"},
}};
// The option whose choice shows the reliability note's button.
inline constexpr int ReliabilityNoteOption = 4;

// The overload option a typed Ko chooses; none below 1 (the chosen option
// then stays). A text that does not start with a readable number counts as 0.
std::optional<int> overloadOptionFor(std::string_view typedKo);

// The reliability option a typed Kr chooses; anything below 0.85, a text
// without a readable number included, chooses the last.
int reliabilityOptionFor(std::string_view typedKr);

} // namespace cindrel::agma
