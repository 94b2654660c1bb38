#pragma once

#include "sequence/Ports.h"

#include "model/MMath.h"
#include "resources/ResourceStrings.h"
#include "results/TableRun.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Small pieces that the step results tables share.
namespace cindrel::sequence::tables {

// A description of the message table, as it stands.
inline std::string text(int number) { return resources::ResourceStrings(number); }

// A description of a length shown in display units: the unit label, then the text.
inline std::string lengthText(const Units& units, int number)
{
    return units.LengthUnits() + resources::ResourceStrings(number);
}

// Pitch rows give the diametral pitch while lengths show in inches, the
// module otherwise.
inline bool diametralPitchForm(const Units& units) { return units.LengthFactor() == 1; }

// An angle held in radians, shown in degrees in the run's number format.
inline std::string degrees(const results::TableRun& run, double radians)
{
    return run.format(model::MMath::Rad2Deg(radians));
}

// A unit label as the tables show it ("(in) ") without its brackets, for
// a number in running text: "in".
inline std::string unitName(std::string_view label)
{
    std::string name;
    for (const char c : label)
        if (c != '(' && c != ')' && c != ' ')
            name += c;
    return name;
}

// The text of a negative value that rounds to zero keeps its sign: a
// backlash of -0.0002 shows "-0.000", not a zero that hides interference.
inline std::string keepSign(double value, std::string shown)
{
    if (value < 0 && shown.find('-') == std::string::npos) {
        std::string negative = "-";
        negative += shown;
        return negative;
    }
    return shown;
}

// A value in the run's number format, its sign kept (keepSign).
inline std::string signedText(const results::TableRun& run, double value) { return keepSign(value, run.format(value)); }

// A cell holding both limits of a length: the minimum, " / ", the maximum,
// each in display units and formatted by itself.
inline std::string minMaxText(const results::TableRun& run, double minimum, double maximum, double lengthFactor)
{
    return run.format(minimum * lengthFactor) + " / " + run.format(maximum * lengthFactor);
}

// The red mask of a row whose failed values are marked: the failed members'
// columns and the description that names them; 0 when nothing failed.
inline std::int16_t failedMask(const std::array<bool, 2>& failed)
{
    if (!failed[0] && !failed[1])
        return 0;
    return static_cast<std::int16_t>((failed[0] ? results::ColumnBitPinion : 0) |
                                     (failed[1] ? results::ColumnBitGear : 0) | results::ColumnBitDescription);
}

// A description followed by what failed, in parentheses; as it is when nothing did.
inline std::string withFailure(std::string description, std::string_view failure)
{
    if (failure.empty())
        return description;
    return description + " (" + std::string(failure) + ")";
}

} // namespace cindrel::sequence::tables
