#include "OverrideMark.h"

#include "BoxNumber.h"

#include <algorithm>

namespace cindrel::agma {

namespace {

bool listed(std::string_view box) { return std::ranges::find(MarkedBoxes, box) != std::end(MarkedBoxes); }

// Yn and Zn test the first five characters and the last one only.
bool memberTag(std::string_view box) { return box == "txtYn" || box == "txtZn"; }

// The indexed tags; Kb and Ch record theirs without the member.
bool indexedTag(std::string_view box) { return memberTag(box) || box == "txtSAC" || box == "txtSAT"; }

} // namespace

std::optional<std::string> changeTag(std::string_view box, int index) {
    if (!listed(box))
        return std::nullopt;
    // Kv's change records "txtKv", the box being txtKV.
    std::string tag = box == "txtKV" ? std::string("txtKv") : std::string(box);
    if (indexedTag(box))
        tag += std::to_string(index);
    return tag;
}

bool tagsWhileQuiet(std::string_view box) {
    return box == "txtKm" || box == "txtYn" || box == "txtZn" || box == "txtSAC" || box == "txtSAT";
}

bool passesTagTest(std::string_view box, int index, std::string_view lastChange) {
    if (!listed(box))
        return false;
    if (memberTag(box))
        return lastChange.size() >= 6 && lastChange.substr(0, 5) == box &&
               lastChange.back() == static_cast<char>('0' + index);
    return lastChange == *changeTag(box, index);
}

std::optional<std::string> markedOnLeaving(std::string_view box, int index, std::string_view text,
                                           std::string_view lastChange, bool typed) {
    if (!typed || carriesMark(text) || !passesTagTest(box, index, lastChange))
        return std::nullopt;
    return std::string(text) + "*";
}

} // namespace cindrel::agma
