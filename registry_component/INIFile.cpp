#include "INIFile.h"

#include "IniFileAccess.h"
#include "ValueText.h"

#include <algorithm>
#include <climits>
#include <type_traits>

namespace brimlock {

namespace {

using component::invokeMember;
using component::InvokeKind;

constexpr component::DispatchMember<IINIFile> Members[] = {
    {"Dirty", 1, InvokeKind::PropertyGet, invokeMember<&IINIFile::get_Dirty>},
    {"IsNew", 2, InvokeKind::PropertyGet, invokeMember<&IINIFile::get_IsNew>},
    {"FileName", 3, InvokeKind::PropertyGet, invokeMember<&IINIFile::get_FileName>},
    {"Open", 4, InvokeKind::Method, invokeMember<&IINIFile::Open>},
    {"Save", 5, InvokeKind::Method, invokeMember<&IINIFile::Save>},
    {"LineBreakMarker", 6, InvokeKind::PropertyGet, invokeMember<&IINIFile::get_LineBreakMarker>},
    {"LineBreakMarker", 6, InvokeKind::PropertyPut, invokeMember<&IINIFile::put_LineBreakMarker>},
    {"Clear", 7, InvokeKind::Method, invokeMember<&IINIFile::Clear>},
    {"GetString", 8, InvokeKind::Method, invokeMember<&IINIFile::GetString>},
    {"GetBoolean", 9, InvokeKind::Method, invokeMember<&IINIFile::GetBoolean>},
    {"GetLong", 10, InvokeKind::Method, invokeMember<&IINIFile::GetLong>},
    {"GetDouble", 11, InvokeKind::Method, invokeMember<&IINIFile::GetDouble>},
    {"GetCurrency", 12, InvokeKind::Method, invokeMember<&IINIFile::GetCurrency>},
    {"GetDate", 13, InvokeKind::Method, invokeMember<&IINIFile::GetDate>},
    {"SetString", 14, InvokeKind::Method, invokeMember<&IINIFile::SetString>},
    {"SetBoolean", 15, InvokeKind::Method, invokeMember<&IINIFile::SetBoolean>},
    {"SetLong", 16, InvokeKind::Method, invokeMember<&IINIFile::SetLong>},
    {"SetDouble", 17, InvokeKind::Method, invokeMember<&IINIFile::SetDouble>},
    {"SetCurrency", 18, InvokeKind::Method, invokeMember<&IINIFile::SetCurrency>},
    {"SetDate", 19, InvokeKind::Method, invokeMember<&IINIFile::SetDate>},
    {"DeleteSection", 20, InvokeKind::Method, invokeMember<&IINIFile::DeleteSection>},
    {"DeleteKey", 21, InvokeKind::Method, invokeMember<&IINIFile::DeleteKey>},
    {"KeyExists", 22, InvokeKind::Method, invokeMember<&IINIFile::KeyExists>},
    {"SectionExists", 23, InvokeKind::Method, invokeMember<&IINIFile::SectionExists>},
    {"SectionNames", 24, InvokeKind::Method, invokeMember<&IINIFile::SectionNames>},
    {"KeyNames", 25, InvokeKind::Method, invokeMember<&IINIFile::KeyNames>},
    {"ValueLength", 26, InvokeKind::Method, invokeMember<&IINIFile::ValueLength>},
};

const ComponentObject<IINIFile>::Identity INIFileIdentity{IID_IINIFile, "BrimlockRegistry.INIFile.1", Members};

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to)
{
    std::string result;
    std::size_t start = 0;
    for (std::size_t found; (found = text.find(from, start)) != std::string_view::npos; start = found + from.size())
        result.append(text, start, found - start).append(to);
    result.append(text, start);
    return result;
}

bool startsWithUtf16ByteOrderMark(std::string_view text)
{
    return text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF");
}

} // namespace

INIFile::INIFile(component::ModuleLocks& module, component::IUnknown* outer) noexcept
    : ComponentObject(module, outer, INIFileIdentity)
{
}

// Every member runs inside guard(), so no exception reaches the caller, and
// changes the object only in steps that cannot fail, after everything that
// can: a member that fails, out of memory too, leaves the object as it was.
static_assert(std::is_nothrow_move_assignable_v<IniContent>);

HResult INIFile::get_Dirty(bool* dirty)
{
    return guard([&] { return copyOut(dirty_, dirty); });
}

HResult INIFile::get_IsNew(bool* isNew)
{
    return guard([&] { return copyOut(isNew_, isNew); });
}

HResult INIFile::get_FileName(std::string* fileName)
{
    return guard([&] { return copyOut(fileName_, fileName); });
}

HResult INIFile::Open(const std::string& fileName)
{
    return guard([&] {
        std::string text;
        const FileOutcome read = readRegularFile(fileName, IniFileSizeLimit, text);
        if (read == FileOutcome::NotFound)
            return report(message::IniFileNotFound);
        // A UTF-16 file would read as garbage, and a Save would ruin it.
        if (read == FileOutcome::Failed || startsWithUtf16ByteOrderMark(text))
            return report(message::IniFileError);
        IniContent content = IniContent::parse(text);
        std::string name = fileName;
        content_ = std::move(content);
        fileName_ = std::move(name);
        dirty_ = false;
        isNew_ = false;
        return component::S_OK;
    });
}

HResult INIFile::Save(const std::string& fileName)
{
    return guard([&] {
        // Refused before anything is made: what Save writes, Open must read.
        if (content_.textSize() > static_cast<std::uint64_t>(IniFileSizeLimit))
            return report(message::IniFileError);
        std::string name = fileName;
        const FileOutcome written = replaceFile(fileName, content_.text());
        if (written == FileOutcome::NotFound)
            return report(message::IniFileNotFound);
        if (written == FileOutcome::Failed)
            return report(message::IniFileError);
        fileName_ = std::move(name);
        dirty_ = false;
        isNew_ = false;
        return component::S_OK;
    });
}

HResult INIFile::get_LineBreakMarker(std::string* marker)
{
    return guard([&] { return copyOut(lineBreakMarker_, marker); });
}

HResult INIFile::put_LineBreakMarker(const std::string& marker)
{
    return guard([&] {
        // A marker is written inside a line, so it may not hold a line end itself.
        if (marker.find_first_of("\r\n") != std::string::npos)
            return component::E_INVALIDARG;
        lineBreakMarker_ = marker;
        return component::S_OK;
    });
}

HResult INIFile::Clear()
{
    return guard([&] {
        content_ = IniContent();
        fileName_.clear();
        isNew_ = true;
        return component::S_OK;
    });
}

std::string INIFile::withLineBreaks(std::string text) const
{
    if (lineBreakMarker_.empty())
        return text;
    return replaceAll(text, lineBreakMarker_, "\r\n");
}

HResult INIFile::GetString(const std::string& section, const std::string& key, const std::string& defaultValue,
                           std::string* value)
{
    return guard([&] {
        if (!value)
            return component::E_POINTER;
        const std::string* found = content_.findValue(section, key);
        *value = withLineBreaks(found ? *found : defaultValue);
        return component::S_OK;
    });
}

template <class T, class Convert>
HResult INIFile::lookUpAs(const std::string& section, const std::string& key, const T& defaultValue, T* value,
                          Convert convert) const
{
    return guard([&] {
        if (!value)
            return component::E_POINTER;
        const std::string* found = content_.findValue(section, key);
        *value = found ? convert(*found) : defaultValue;
        return component::S_OK;
    });
}

HResult INIFile::GetBoolean(const std::string& section, const std::string& key, bool defaultValue, bool* value)
{
    return lookUpAs(section, key, defaultValue, value, leadingIntegerIsNonZero);
}

HResult INIFile::GetLong(const std::string& section, const std::string& key, std::int32_t defaultValue,
                         std::int32_t* value)
{
    return lookUpAs(section, key, defaultValue, value,
                    [&](const std::string& text) { return leadingLong(text).value_or(defaultValue); });
}

HResult INIFile::GetDouble(const std::string& section, const std::string& key, double defaultValue, double* value)
{
    return lookUpAs(section, key, defaultValue, value,
                    [&](const std::string& text) { return leadingDouble(text).value_or(defaultValue); });
}

HResult INIFile::GetCurrency(const std::string& section, const std::string& key, std::int64_t defaultValue,
                             std::int64_t* value)
{
    return lookUpAs(section, key, defaultValue, value,
                    [&](const std::string& text) { return parseCurrency(text).value_or(defaultValue); });
}

HResult INIFile::GetDate(const std::string& section, const std::string& key, double defaultValue, double* value)
{
    return lookUpAs(section, key, defaultValue, value,
                    [&](const std::string& text) { return parseDate(text).value_or(defaultValue); });
}

HResult INIFile::store(const std::string& section, const std::string& key, std::string text)
{
    return guard([&] {
        content_.set(section, key, std::move(text));
        dirty_ = true;
        return component::S_OK;
    });
}

HResult INIFile::SetString(const std::string& section, const std::string& key, const std::string& value)
{
    return guard([&] {
        // Trailing white space would be trimmed off the line when the file is read.
        std::string_view kept = value;
        while (!kept.empty() && isWhiteSpace(kept.back()))
            kept.remove_suffix(1);
        if (lineBreakMarker_.empty()) {
            if (kept.find_first_of("\r\n") != std::string_view::npos)
                return component::E_INVALIDARG;
            return store(section, key, std::string(kept));
        }
        std::string text = replaceAll(kept, "\n", lineBreakMarker_);
        std::erase(text, '\r');
        // Refused unless GetString will give back exactly these line breaks: a
        // marker already in the value, or one formed across a line break, would
        // come back as a line break that was not there.
        std::string expected(kept);
        std::erase(expected, '\r');
        if (withLineBreaks(text) != replaceAll(expected, "\n", "\r\n"))
            return component::E_INVALIDARG;
        return store(section, key, std::move(text));
    });
}

HResult INIFile::SetBoolean(const std::string& section, const std::string& key, bool value)
{
    return guard([&] { return store(section, key, value ? "1" : "0"); });
}

HResult INIFile::SetLong(const std::string& section, const std::string& key, std::int32_t value)
{
    return guard([&] { return store(section, key, std::to_string(value)); });
}

HResult INIFile::SetDouble(const std::string& section, const std::string& key, double value)
{
    return guard([&] {
        auto text = doubleText(value);
        if (!text)
            return component::E_INVALIDARG;
        return store(section, key, std::move(*text));
    });
}

HResult INIFile::SetCurrency(const std::string& section, const std::string& key, std::int64_t value)
{
    return guard([&] { return store(section, key, currencyText(value)); });
}

HResult INIFile::SetDate(const std::string& section, const std::string& key, double value)
{
    return guard([&] {
        auto text = dateText(value);
        if (!text)
            return component::E_INVALIDARG;
        return store(section, key, std::move(*text));
    });
}

HResult INIFile::DeleteSection(const std::string& section)
{
    return guard([&] {
        if (content_.eraseSection(section))
            dirty_ = true;
        return component::S_OK;
    });
}

HResult INIFile::DeleteKey(const std::string& section, const std::string& key)
{
    return guard([&] {
        if (content_.eraseKey(section, key))
            dirty_ = true;
        return component::S_OK;
    });
}

HResult INIFile::KeyExists(const std::string& section, const std::string& key, bool* exists)
{
    return guard([&] {
        if (!exists)
            return component::E_POINTER;
        *exists = content_.findValue(section, key) != nullptr;
        return component::S_OK;
    });
}

HResult INIFile::SectionExists(const std::string& section, bool* exists)
{
    return guard([&] {
        if (!exists)
            return component::E_POINTER;
        *exists = content_.findSection(section) != nullptr;
        return component::S_OK;
    });
}

HResult INIFile::SectionNames(std::vector<std::string>* names)
{
    return guard([&] {
        if (!names)
            return component::E_POINTER;
        *names = content_.sectionNames();
        return component::S_OK;
    });
}

HResult INIFile::KeyNames(const std::string& section, std::vector<std::string>* names)
{
    return guard([&] {
        if (!names)
            return component::E_POINTER;
        *names = content_.keyNames(section);
        return component::S_OK;
    });
}

HResult INIFile::ValueLength(const std::string& section, const std::string& key, std::int32_t* length)
{
    return guard([&] {
        if (!length)
            return component::E_POINTER;
        const std::string* found = content_.findValue(section, key);
        *length = found ? static_cast<std::int32_t>(std::min<std::size_t>(found->size(), INT32_MAX)) : -1;
        return component::S_OK;
    });
}

} // namespace brimlock
