#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace component {

// A 128-bit identity of a class or an interface, written
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in the registry.
struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};

    // The braced text form, hexadecimal digits in capitals.
    std::string text() const;
    // Reads the braced form, any letter case; none for anything else.
    static std::optional<Guid> parse(std::string_view text);

    bool operator==(const Guid&) const = default;
};

using ClassId = Guid;
using InterfaceId = Guid;

// The value of a hexadecimal digit, -1 for any other character.
constexpr int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Builds an identity from its text at compile time; a malformed text does not compile.
consteval Guid guid(const char (&text)[39])
{
    auto hex = [&](int position, int digits) {
        std::uint32_t value = 0;
        for (int i = 0; i < digits; ++i) {
            const int digit = hexDigitValue(text[position + i]);
            if (digit < 0)
                throw "not a hexadecimal digit";
            value = value * 16 + static_cast<std::uint32_t>(digit);
        }
        return value;
    };
    if (text[0] != '{' || text[9] != '-' || text[14] != '-' || text[19] != '-' || text[24] != '-' || text[37] != '}')
        throw "not a braced identity";
    Guid id;
    id.data1 = hex(1, 8);
    id.data2 = static_cast<std::uint16_t>(hex(10, 4));
    id.data3 = static_cast<std::uint16_t>(hex(15, 4));
    id.data4[0] = static_cast<std::uint8_t>(hex(20, 2));
    id.data4[1] = static_cast<std::uint8_t>(hex(22, 2));
    for (int i = 0; i < 6; ++i)
        id.data4[2 + i] = static_cast<std::uint8_t>(hex(25 + 2 * i, 2));
    return id;
}

} // namespace component
