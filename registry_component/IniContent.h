#pragma once

#include "HashOrderedMap.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brimlock {

// The sections and keys of an INI file, names upper-cased, and the file text
// they read from and write to.
class IniContent {
public:
    using Section = HashOrderedMap<std::string>;

    // Reads a file's text: lines end at LF, are trimmed, "[name]" starts a
    // section, "key=value" sets a key of the current section at the first
    // "="; every other line is dropped. A UTF-8 byte order mark is skipped.
    static IniContent parse(std::string_view text);
    // The file text: sections and keys in walking order, CR LF line ends, an
    // empty line between sections.
    std::string text() const;
    // The length of text(), counted without building it.
    std::uint64_t textSize() const;

    // A name as Set stores it: ASCII upper case, CR and LF as "_"; a key also
    // loses its leading white space, and a leading "[" and every "=" become "_".
    static std::string sectionNameToStore(std::string_view name);
    static std::string keyNameToStore(std::string_view name);

    // Lookups find a name as given (upper-cased), as a file may hold it, or
    // else as Set stores it; Set replaces a name held as given.
    const std::string* findValue(std::string_view section, std::string_view key) const;
    const Section* findSection(std::string_view section) const;
    // Either sets the value or, when memory runs out, leaves everything as it was.
    void set(std::string_view section, std::string_view key, std::string value);
    bool eraseSection(std::string_view section);
    bool eraseKey(std::string_view section, std::string_view key);

    std::vector<std::string> sectionNames() const;
    std::vector<std::string> keyNames(std::string_view section) const;

private:
    // Hands the pieces of text(), in order, to `piece`.
    template <class Piece>
    void walkText(Piece&& piece) const;

    HashOrderedMap<Section> sections_;
};

} // namespace brimlock
