#include "MaterialFile.h"

#include "runtime/CheckedMath.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <optional>

namespace cindrel::agma {

namespace {

constexpr int HeaderLines = 4;
constexpr int HighestRelationship = 4; // child; 0 to 3 place the node beside its relative

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool isUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 0;
        unsigned int lowest = 0;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            lowest = 0x80;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            lowest = 0x800;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            lowest = 0x10000;
        } else {
            return false;
        }
        if (i + length > bytes.size())
            return false;
        unsigned int code = c & (0xFF >> (length + 1));
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

std::string latin1ToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 8);
    for (char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if (c < 0x80) {
            text.push_back(byte);
        } else {
            text.push_back(static_cast<char>(0xC0 | (c >> 6)));
            text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return text;
}

// The lines of a text; a line end is CR LF, CR or LF, and a last line end
// makes no further line.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

// The 1-based line on which the byte at position lies.
int lineAt(std::string_view bytes, std::size_t position) {
    int line = 1;
    for (std::size_t i = 0; i < position; ++i)
        if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')))
            ++line;
    return line;
}

// A whole-number field: the number the whole text is, halves to even; empty
// when it is no number or beyond any row number.
std::optional<long long> wholeNumber(const std::string& field) {
    if (!runtime::isNumeric(field))
        return std::nullopt;
    const double value = runtime::roundHalfEven(runtime::toNumber(field));
    if (value < -1e15 || value > 1e15)
        return std::nullopt;
    return static_cast<long long>(value);
}

// A field as the message quotes it: a long one is cut, so that the message
// stays readable.
std::string quoted(const std::string& text) {
    std::size_t shown = 24;
    std::string result(1, '"');
    if (text.size() <= shown)
        return result.append(text).append(1, '"');
    while (shown > 0 && (static_cast<unsigned char>(text[shown]) & 0xC0) == 0x80)
        --shown; // never inside a UTF-8 character
    return result.append(text, 0, shown).append("...\"");
}

struct Row {
    int line;
    std::vector<std::string> fields;
};

} // namespace

std::vector<std::string> splitMaterialFields(std::string_view row) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t comma; (comma = row.find(',', start)) != std::string_view::npos; start = comma + 1)
        fields.emplace_back(row.substr(start, comma - start));
    fields.emplace_back(row.substr(start));
    return fields;
}

std::variant<MaterialFileRows, LeftOutFile> parseMaterialFile(const std::string& name, std::string_view bytes,
                                                              int firstRow) {
    const auto leftOut = [&](int line, std::string reason, int number) {
        return LeftOutFile{name, line, std::move(reason), number};
    };
    if (bytes.size() >= MaterialFileByteLimit)
        return leftOut(0, "the file is 1 MiB or larger", runtime::Overflow);
    if (const std::size_t nul = bytes.find('\0'); nul != std::string_view::npos)
        return leftOut(lineAt(bytes, nul), "the file is not text (it holds a NUL byte)", runtime::TypeMismatch);
    const std::string converted = isUtf8(bytes) ? std::string() : latin1ToUtf8(bytes);
    const std::string_view text = converted.empty() ? bytes : std::string_view(converted);
    const std::vector<std::string_view> lines = splitLines(text);
    if (static_cast<int>(lines.size()) < HeaderLines)
        return leftOut(0, "the file has fewer than its four header lines", runtime::InputPastEndOfFile);

    std::vector<Row> rows;
    for (std::size_t i = HeaderLines; i < lines.size(); ++i) {
        if (lines[i].empty())
            continue;
        const int line = static_cast<int>(i) + 1;
        std::vector<std::string> fields = splitMaterialFields(lines[i]);
        if (fields.size() > MaterialFieldLimit)
            return leftOut(line, "the row has more than 100 fields", runtime::Overflow);
        rows.push_back({line, std::move(fields)});
    }
    if (rows.empty())
        return leftOut(0, "the file has no rows after its four header lines", runtime::InputPastEndOfFile);
    const long long count = static_cast<long long>(rows.size());
    if (firstRow + count - 1 > MaterialRowLimit)
        return leftOut(0, "its rows would lie beyond row 32767 of the materials", runtime::Overflow);

    MaterialFileRows result;
    result.rows.resize(rows.size());
    std::vector<int> lineOfId(rows.size(), 0);
    for (Row& row : rows) {
        const std::string& idField = row.fields[0];
        const std::optional<long long> id = wholeNumber(idField);
        if (!id)
            return leftOut(row.line, "the row id " + quoted(idField) + " is not a number", runtime::TypeMismatch);
        if (*id < 0 || *id >= count)
            return leftOut(row.line,
                           "the row id " + std::to_string(*id) + " is not between 0 and " + std::to_string(count - 1),
                           runtime::SubscriptOutOfRange);
        const auto index = static_cast<std::size_t>(*id);
        if (lineOfId[index] != 0)
            return leftOut(row.line,
                           "the row id " + std::to_string(*id) + " was already given on line " +
                               std::to_string(lineOfId[index]),
                           runtime::SubscriptOutOfRange);
        lineOfId[index] = row.line;

        if (row.fields.size() > 1 && !row.fields[1].empty()) {
            const std::string& parentField = row.fields[1];
            const std::optional<long long> parent = wholeNumber(parentField);
            if (!parent)
                return leftOut(row.line, "the parent " + quoted(parentField) + " is not a number",
                               runtime::TypeMismatch);
            if (*parent < 0 || *parent >= *id)
                return leftOut(row.line,
                               "the parent " + std::to_string(*parent) + " is not a row before row " +
                                   std::to_string(*id) + " of the file",
                               runtime::SubscriptOutOfRange);
            const std::string relationshipField = row.fields.size() > 2 ? row.fields[2] : std::string();
            const std::optional<long long> relationship = wholeNumber(relationshipField);
            if (!relationship || *relationship < 0 || *relationship > HighestRelationship)
                return leftOut(row.line, "the relationship " + quoted(relationshipField) + " is not 0 to 4",
                               runtime::InvalidProcedureCall);
            row.fields[1] = std::to_string(*parent);
        }
        row.fields[0] = std::to_string(*id);
        result.rows[index] = std::move(row.fields);
    }
    return result;
}

} // namespace cindrel::agma
