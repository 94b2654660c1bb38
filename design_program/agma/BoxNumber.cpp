#include "BoxNumber.h"

#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <string>

namespace cindrel::agma {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// A run of digits with commas inside ("12,345,678", "0,350", "1234,567") is
// a grouped integer when its first group has one to three digits, does not
// start with 0, and every later group has exactly three. A run that follows
// a point, an exponent or a hexadecimal prefix is never grouped: its commas
// stand among decimals or other digits.
bool isGroupedRun(std::string_view text, std::size_t start, std::size_t end) {
    if (start > 0 && (text[start - 1] == '.' || isLetter(text[start - 1])))
        return false;
    const std::size_t first = text.find(',', start);
    if (first >= end || first - start > 3 || text[start] == '0')
        return false;
    for (std::size_t comma = first; comma < end; comma += 4)
        if (text[comma] != ',' || comma + 3 >= end || !isDigit(text[comma + 2]) || !isDigit(text[comma + 3]))
            return false;
    return true;
}

// The text with the commas of grouped integers taken out, in one pass; other
// commas stay where they are and are counted in `otherCommas`.
std::string withoutGroupingCommas(std::string_view text, int& otherCommas) {
    std::string joined;
    joined.reserve(text.size());
    otherCommas = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!isDigit(text[i])) {
            otherCommas += text[i] == ',' ? 1 : 0;
            joined.push_back(text[i++]);
            continue;
        }
        // The run: digits, and commas each followed by a digit.
        const std::size_t start = i;
        while (i < text.size() && (isDigit(text[i]) || (text[i] == ',' && i + 1 < text.size() && isDigit(text[i + 1]))))
            ++i;
        const bool grouped = isGroupedRun(text, start, i);
        for (std::size_t k = start; k < i; ++k) {
            if (text[k] != ',')
                joined.push_back(text[k]);
            else if (!grouped) {
                ++otherCommas;
                joined.push_back(',');
            }
        }
    }
    return joined;
}

} // namespace

double boxNumber(std::string_view text) {
    if (text.find(',') == std::string_view::npos)
        return runtime::leadingNumber(text);
    int otherCommas = 0;
    return runtime::leadingNumber(withoutGroupingCommas(text, otherCommas));
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
    // The whole-text reading would take any comma among digits: only true
    // grouping goes, any other comma makes it no number.
    int otherCommas = 0;
    const std::string joined = withoutGroupingCommas(text.substr(0, end), otherCommas);
    if (otherCommas > 0)
        return std::nullopt;
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
