#include "BoxNumber.h"

#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <string>

namespace cindrel::agma {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// A comma at position i groups thousands: a digit before it, exactly three
// digits after it, and the digit run before it belongs to an integer part
// (not to decimals after a point, an exponent or a hexadecimal literal).
bool isGroupingComma(std::string_view text, std::size_t i) {
    if (i == 0 || !isDigit(text[i - 1]))
        return false;
    for (std::size_t k = i + 1; k <= i + 3; ++k)
        if (k >= text.size() || !isDigit(text[k]))
            return false;
    if (i + 4 < text.size() && isDigit(text[i + 4]))
        return false;
    std::size_t start = i;
    while (start > 0 && (isDigit(text[start - 1]) || text[start - 1] == ','))
        --start;
    return start == 0 || (text[start - 1] != '.' && !isLetter(text[start - 1]));
}

} // namespace

double boxNumber(std::string_view text) {
    if (text.find(',') == std::string_view::npos)
        return runtime::leadingNumber(text);
    std::string joined;
    joined.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] != ',' || !isGroupingComma(text, i))
            joined.push_back(text[i]);
    return runtime::leadingNumber(joined);
}

double boxNumberOrZero(std::string_view text) {
    try {
        return boxNumber(text);
    } catch (const runtime::RuntimeError&) {
        return 0;
    }
}

std::optional<double> wholeBoxNumber(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    if (end > 0 && text[end - 1] == '*')
        --end;
    text = text.substr(0, end);
    std::string joined;
    joined.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != ',') {
            joined.push_back(text[i]);
            continue;
        }
        // The whole-text reading would take any comma among digits: only
        // true grouping goes, any other comma makes it no number.
        if (!isGroupingComma(text, i))
            return std::nullopt;
    }
    if (!runtime::isNumeric(joined))
        return std::nullopt;
    return runtime::toNumber(joined);
}

std::optional<double> setInputsNumber(std::string_view text) {
    if (text.empty())
        return 0.0;
    return wholeBoxNumber(text);
}

bool carriesMark(std::string_view text) { return !text.empty() && text.back() == '*'; }

} // namespace cindrel::agma
