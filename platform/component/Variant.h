#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace component {

// A typed argument or result of a call by name.
class Variant {
public:
    enum class Kind { Empty, Boolean, Long, Currency, Double, Text, Array };
    using Array = std::vector<Variant>;

    // A currency amount in ten-thousandths of a unit.
    struct Currency {
        std::int64_t tenThousandths = 0;
        bool operator==(const Currency&) const = default;
    };

    Variant() = default;
    Variant(bool value) : value_(value) {}
    Variant(std::int32_t value) : value_(value) {}
    Variant(Currency value) : value_(value) {}
    Variant(double value) : value_(value) {}
    Variant(std::string value) : value_(std::move(value)) {}
    Variant(const char* value) : value_(std::string(value)) {}
    Variant(Array value) : value_(std::move(value)) {}

    Kind kind() const { return static_cast<Kind>(value_.index()); }

    // Conversions a callee applies to an argument: numbers and Booleans
    // convert among themselves (true is -1), texts only to texts. False when
    // the value does not fit the type.
    bool to(bool& result) const;
    bool to(std::int32_t& result) const;
    bool to(std::uint32_t& result) const; // the bits of a Long
    bool to(std::int64_t& result) const;  // a currency amount in ten-thousandths
    bool to(double& result) const;
    bool to(std::string& result) const;

    // The held value; the kind must match.
    bool boolean() const { return std::get<bool>(value_); }
    std::int32_t number() const { return std::get<std::int32_t>(value_); }
    std::int64_t currency() const { return std::get<Currency>(value_).tenThousandths; }
    double real() const { return std::get<double>(value_); }
    const std::string& text() const { return std::get<std::string>(value_); }
    const Array& array() const { return std::get<Array>(value_); }

    bool operator==(const Variant&) const = default;

private:
    std::variant<std::monostate, bool, std::int32_t, Currency, double, std::string, Array> value_;
};

// The Variant a callee returns for each result type of its members.
Variant toVariant(bool value);
Variant toVariant(std::int32_t value);
Variant toVariant(std::uint32_t value);
Variant toVariant(std::int64_t currency);
Variant toVariant(double value);
Variant toVariant(std::string value);
Variant toVariant(const std::vector<std::string>& texts);

} // namespace component
