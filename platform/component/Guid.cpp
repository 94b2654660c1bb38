#include "component/Guid.h"

#include <cstdio>

namespace component {

std::string Guid::text() const
{
    char buffer[39];
    std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", data1, data2, data3,
                  data4[0], data4[1], data4[2], data4[3], data4[4], data4[5], data4[6], data4[7]);
    return buffer;
}

std::optional<Guid> Guid::parse(std::string_view text)
{
    if (text.size() != 38 || text.front() != '{' || text.back() != '}')
        return std::nullopt;
    // Field boundaries of the braced form; every other character is a hexadecimal digit.
    std::array<std::uint8_t, 16> bytes{};
    int byte = 0;
    for (std::size_t i = 1; i < 37;) {
        if (i == 9 || i == 14 || i == 19 || i == 24) {
            if (text[i] != '-')
                return std::nullopt;
            ++i;
            continue;
        }
        int value = 0;
        for (int half = 0; half < 2; ++half, ++i) {
            const int digit = hexDigitValue(text[i]);
            if (digit < 0)
                return std::nullopt;
            value = value * 16 + digit;
        }
        bytes[static_cast<std::size_t>(byte++)] = static_cast<std::uint8_t>(value);
    }
    Guid id;
    id.data1 = (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8) | bytes[3];
    id.data2 = static_cast<std::uint16_t>((bytes[4] << 8) | bytes[5]);
    id.data3 = static_cast<std::uint16_t>((bytes[6] << 8) | bytes[7]);
    for (int i = 0; i < 8; ++i)
        id.data4[static_cast<std::size_t>(i)] = bytes[static_cast<std::size_t>(8 + i)];
    return id;
}

} // namespace component
