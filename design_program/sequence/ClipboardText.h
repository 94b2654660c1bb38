#pragma once

#include "results/ResultTable.h"

#include <string>
#include <string_view>

namespace cindrel::sequence {

class T_State;

// One field of a clipboard line: as it is, or between double quotes (inner
// quotes doubled) when it holds a comma, a double quote or a line break, so
// that a spreadsheet reads it as one cell.
std::string clipboardField(std::string_view text);

// The results tables of the path from first on, following the NextState
// links: one line per table row (key, pinion value, gear value and
// description joined by commas, ended by CR LF), tables one after another.
// A step without a table adds nothing; the walk ends at a step already passed.
std::string clipboardText(const T_State* first, const results::CaptionReader& caption);

} // namespace cindrel::sequence
