#include "IniContent.h"

#include "ValueText.h"

namespace brimlock {

namespace {

std::string upperCased(std::string_view name)
{
    std::string upper(name);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

} // namespace

IniContent IniContent::parse(std::string_view text)
{
    IniContent content;
    if (text.starts_with(Utf8ByteOrderMark))
        text.remove_prefix(Utf8ByteOrderMark.size());
    Section* current = nullptr;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty())
            continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            current = &content.sections_.obtain(upperCased(line.substr(1, line.size() - 2)));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!current || equals == std::string_view::npos)
            continue;
        current->obtain(upperCased(line.substr(0, equals))) = std::string(line.substr(equals + 1));
    }
    return content;
}

template <class Piece>
void IniContent::walkText(Piece&& piece) const
{
    bool first = true;
    for (const auto& [name, section] : sections_.ordered()) {
        if (!first)
            piece("\r\n");
        first = false;
        piece("[");
        piece(*name);
        piece("]\r\n");
        for (const auto& [key, value] : section->ordered()) {
            piece(*key);
            piece("=");
            piece(*value);
            piece("\r\n");
        }
    }
}

std::string IniContent::text() const
{
    std::string file;
    walkText([&file](std::string_view piece) { file.append(piece); });
    return file;
}

std::uint64_t IniContent::textSize() const
{
    std::uint64_t size = 0;
    walkText([&size](std::string_view piece) { size += piece.size(); });
    return size;
}

std::string IniContent::sectionNameToStore(std::string_view name)
{
    std::string stored = upperCased(name);
    for (char& c : stored)
        if (c == '\r' || c == '\n')
            c = '_';
    return stored;
}

std::string IniContent::keyNameToStore(std::string_view name)
{
    while (!name.empty() && isWhiteSpace(name.front()))
        name.remove_prefix(1);
    std::string stored = sectionNameToStore(name);
    if (!stored.empty() && stored.front() == '[')
        stored.front() = '_';
    for (char& c : stored)
        if (c == '=')
            c = '_';
    return stored;
}

const IniContent::Section* IniContent::findSection(std::string_view section) const
{
    if (const Section* found = sections_.find(upperCased(section)))
        return found;
    return sections_.find(sectionNameToStore(section));
}

const std::string* IniContent::findValue(std::string_view section, std::string_view key) const
{
    if (const Section* exact = sections_.find(upperCased(section)))
        if (const std::string* value = exact->find(upperCased(key)))
            return value;
    if (const Section* stored = sections_.find(sectionNameToStore(section)))
        return stored->find(keyNameToStore(key));
    return nullptr;
}

void IniContent::set(std::string_view section, std::string_view key, std::string value)
{
    const std::string storedSection = sectionNameToStore(section);
    const std::string storedKey = keyNameToStore(key);
    const std::string exactSection = upperCased(section);
    const std::string exactKey = upperCased(key);
    // What may run out of memory comes first: an insertion that fails leaves
    // its map as it was, and the rest cannot fail.
    if (Section* existing = sections_.find(storedSection)) {
        existing->obtain(storedKey) = std::move(value);
    } else {
        Section created;
        created.obtain(storedKey) = std::move(value);
        sections_.obtain(storedSection) = std::move(created);
    }
    // A name read from a file as given would be found before the stored one: it is replaced.
    if (exactSection != storedSection || exactKey != storedKey)
        if (Section* exact = sections_.find(exactSection))
            exact->erase(exactKey);
}

bool IniContent::eraseSection(std::string_view section)
{
    return sections_.erase(upperCased(section)) || sections_.erase(sectionNameToStore(section));
}

bool IniContent::eraseKey(std::string_view section, std::string_view key)
{
    if (Section* exact = sections_.find(upperCased(section)); exact && exact->erase(upperCased(key)))
        return true;
    Section* stored = sections_.find(sectionNameToStore(section));
    return stored && stored->erase(keyNameToStore(key));
}

std::vector<std::string> IniContent::sectionNames() const
{
    std::vector<std::string> names;
    for (const auto& entry : sections_.ordered())
        names.push_back(*entry.first);
    return names;
}

std::vector<std::string> IniContent::keyNames(std::string_view section) const
{
    std::vector<std::string> names;
    if (const Section* found = findSection(section))
        for (const auto& entry : found->ordered())
            names.push_back(*entry.first);
    return names;
}

} // namespace brimlock
