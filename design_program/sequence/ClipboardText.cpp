#include "sequence/ClipboardText.h"

#include "sequence/T_State.h"

#include <algorithm>
#include <vector>

namespace cindrel::sequence {

std::string clipboardField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string clipboardText(const T_State* first, const results::CaptionReader& caption)
{
    using results::ResultRow::Description;
    using results::ResultRow::GearValue;
    using results::ResultRow::Key;
    using results::ResultRow::PinionValue;

    std::string text;
    std::vector<const T_State*> passed;
    for (const T_State* step = first; step != nullptr; step = step->NextState) {
        if (std::find(passed.begin(), passed.end(), step) != passed.end())
            break;
        passed.push_back(step);
        if (!step->StateString)
            continue;
        const results::ResultTable& table = *step->StateString;
        for (int row = 0; row < table.rowCount(); ++row) {
            text += clipboardField(results::cellText(table.at(row, Key), caption));
            for (const int column : {PinionValue, GearValue, Description}) {
                text += ',';
                text += clipboardField(results::cellText(table.at(row, column), caption));
            }
            text += "\r\n";
        }
    }
    return text;
}

} // namespace cindrel::sequence
