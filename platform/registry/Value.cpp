#include "registry/Value.h"

namespace registry {

namespace {

void appendText(std::vector<std::uint8_t>& data, std::string_view text)
{
    data.insert(data.end(), text.begin(), text.end());
    data.push_back(0);
}

template <typename Number>
void appendLittleEndian(std::vector<std::uint8_t>& data, Number number)
{
    for (std::size_t i = 0; i < sizeof(Number); ++i)
        data.push_back(static_cast<std::uint8_t>(number >> (8 * i)));
}

template <typename Number>
Number readLittleEndian(const std::vector<std::uint8_t>& data)
{
    Number number = 0;
    for (std::size_t i = 0; i < sizeof(Number); ++i)
        number |= static_cast<Number>(data[i]) << (8 * i);
    return number;
}

} // namespace

Value Value::text(std::string_view text)
{
    Value value{type::Text, {}};
    appendText(value.data, text);
    return value;
}

Value Value::expandableText(std::string_view text)
{
    Value value{type::ExpandableText, {}};
    appendText(value.data, text);
    return value;
}

Value Value::multiText(const std::vector<std::string>& texts)
{
    Value value{type::MultiText, {}};
    for (const std::string& text : texts)
        appendText(value.data, text);
    value.data.push_back(0);
    return value;
}

Value Value::number32(std::uint32_t number)
{
    Value value{type::Number32, {}};
    appendLittleEndian(value.data, number);
    return value;
}

Value Value::number64(std::uint64_t number)
{
    Value value{type::Number64, {}};
    appendLittleEndian(value.data, number);
    return value;
}

Value Value::binary(std::span<const std::uint8_t> bytes)
{
    return raw(type::Binary, bytes);
}

Value Value::raw(std::uint32_t type, std::span<const std::uint8_t> bytes)
{
    return Value{type, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

std::optional<std::string> Value::asText() const
{
    if (type != type::Text && type != type::ExpandableText)
        return std::nullopt;
    std::string text(data.begin(), data.end());
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    return text;
}

std::optional<std::vector<std::string>> Value::asMultiText() const
{
    if (type != type::MultiText)
        return std::nullopt;
    std::vector<std::string> texts;
    std::string current;
    for (std::uint8_t byte : data) {
        if (byte != 0) {
            current.push_back(static_cast<char>(byte));
            continue;
        }
        // An empty entry ends the list.
        if (current.empty())
            break;
        texts.push_back(std::move(current));
        current.clear();
    }
    if (!current.empty())
        texts.push_back(std::move(current));
    return texts;
}

std::optional<std::uint32_t> Value::asNumber32() const
{
    if (type != type::Number32 || data.size() != 4)
        return std::nullopt;
    return readLittleEndian<std::uint32_t>(data);
}

std::optional<std::uint64_t> Value::asNumber64() const
{
    if (type != type::Number64 || data.size() != 8)
        return std::nullopt;
    return readLittleEndian<std::uint64_t>(data);
}

} // namespace registry
