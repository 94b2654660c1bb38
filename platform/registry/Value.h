#pragma once

#include "registry/RegistryTypes.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace registry {

// A typed value as stored: its type number and its raw bytes. The bytes are
// kept exactly as written, whatever the type says, because readers check the
// size themselves (a 32-bit number of 8 bytes is not read as one).
struct Value {
    std::uint32_t type = type::None;
    std::vector<std::uint8_t> data;

    // Texts are stored with one terminating NUL, as the readers expect.
    static Value text(std::string_view text);
    static Value expandableText(std::string_view text);
    // Each text NUL-terminated, then one more NUL.
    static Value multiText(const std::vector<std::string>& texts);
    static Value number32(std::uint32_t number);
    static Value number64(std::uint64_t number);
    static Value binary(std::span<const std::uint8_t> bytes);
    static Value raw(std::uint32_t type, std::span<const std::uint8_t> bytes);

    // The text up to the first NUL, for Text and ExpandableText; none otherwise.
    std::optional<std::string> asText() const;
    // The texts of a MultiText value, the empty terminating entry dropped.
    std::optional<std::vector<std::string>> asMultiText() const;
    // Number32 of exactly 4 bytes, little-endian.
    std::optional<std::uint32_t> asNumber32() const;
    // Number64 of exactly 8 bytes, little-endian.
    std::optional<std::uint64_t> asNumber64() const;

    bool operator==(const Value&) const = default;
};

} // namespace registry
