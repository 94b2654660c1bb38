#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace automation {

// An argument that the caller left out: told apart from 0 and from an empty
// text all the way to the server. Also the result of a member without one.
struct Missing {
    bool operator==(const Missing&) const = default;
};

// The types that cross the channel.
enum class ValueType : std::uint8_t {
    Missing = 0,
    Int16 = 1,
    Int32 = 2,
    Double = 3,
    Boolean = 4,
    Text = 5,
};

// One typed value of a call: an argument, a by-reference value or a result.
using Value = std::variant<Missing, std::int16_t, std::int32_t, double, bool, std::string>;

ValueType typeOf(const Value& value);
std::string_view typeName(ValueType type);

// The value as the given parameter type, as a late-bound call converts it:
// numbers and booleans convert among themselves (true is -1, any nonzero
// number is true, halves round to even), a text only to a text. Raises the
// numbered error 13 (type mismatch) or 6 (overflow). Missing stays Missing.
Value convertTo(const Value& value, ValueType type);

// The value for a log or a message: 12, 3.5, True, "text", (missing).
std::string describe(const Value& value);

} // namespace automation
