#include "shell/T_RegistryIO.h"

#include "runtime/CheckedMath.h"
#include "runtime/ResumeNext.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <new>

namespace cindrel::shell {

namespace {

using registry::Handle;
namespace status = registry::status;

constexpr std::int32_t UnreadableType = -1;

Handle rootHandle(std::int32_t root)
{
    return static_cast<Handle>(root);
}

std::string asText(const QueriedValue& value)
{
    if (const auto* text = std::get_if<std::string>(&value))
        return *text;
    if (const auto* number = std::get_if<std::int32_t>(&value))
        return std::to_string(*number);
    return {};
}

bool equalsIgnoringCase(std::string_view text, std::string_view word)
{
    if (text.size() != word.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(text[i]) != lower(word[i]))
            return false;
    }
    return true;
}

// "True"/"False" in any case, or a number (0 false); anything else is false.
bool booleanFromText(std::string_view text)
{
    if (equalsIgnoringCase(text, "true"))
        return true;
    if (equalsIgnoringCase(text, "false") || !runtime::isNumeric(text))
        return false;
    return runtime::toNumber(text) != 0.0;
}

// A whole number from a text, ties to even; 0 for no number or one beyond 32 bits.
std::int32_t wholeNumberFromText(std::string_view text)
{
    if (!runtime::isNumeric(text))
        return 0;
    try {
        return runtime::toInt32(runtime::toNumber(text));
    } catch (const runtime::RuntimeError&) {
        return 0;
    }
}

// The 32-bit number a value is written as, or none for a kind that cannot be stored.
std::optional<std::int32_t> numberOf(const RegistryValue& value)
{
    if (std::holds_alternative<std::monostate>(value))
        return 0;
    if (const auto* flag = std::get_if<bool>(&value))
        return *flag ? -1 : 0;
    if (const auto* small = std::get_if<std::int16_t>(&value))
        return *small;
    if (const auto* whole = std::get_if<std::int32_t>(&value))
        return *whole;
    if (const auto* real = std::get_if<double>(&value); real && (*real == 0.0 || *real == -1.0))
        return static_cast<std::int32_t>(*real);
    return std::nullopt;
}

registry::Value storedForm(const RegistryValue& value)
{
    if (const auto* text = std::get_if<std::string>(&value))
        return registry::Value::text(*text);
    if (const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&value))
        return registry::Value::binary(*bytes);
    const std::optional<std::int32_t> number = numberOf(value);
    if (!number)
        runtime::raise(runtime::UnsupportedValueType);
    return registry::Value::number32(static_cast<std::uint32_t>(*number));
}

// The bytes of a value as text less one terminating NUL: a NUL inside the
// text, or a last character that is not NUL, stays.
std::string textWithoutFinalNul(const registry::Value& value)
{
    std::string text(value.data.begin(), value.data.end());
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

// The data of a listed value as text: a 32-bit number in decimal, anything
// else as its bytes less a final NUL.
std::string listedText(const registry::Value& value)
{
    if (const auto number = value.asNumber32())
        return std::to_string(static_cast<std::int32_t>(*number));
    return textWithoutFinalNul(value);
}

} // namespace

QueryResult QueryValueEx(registry::Store& store, Handle key, std::string_view valueName)
{
    QueryResult result;
    registry::Value stored;
    result.status = store.queryValue(key, valueName, stored);
    if (result.status == status::Success) {
        if (stored.type == registry::type::Text) {
            result.value = textWithoutFinalNul(stored);
        } else if (stored.type == registry::type::Number32) {
            // Read into 4 bytes: a longer value does not fit.
            if (stored.data.size() > 4) {
                result.status = status::MoreData;
            } else {
                std::uint32_t number = 0;
                for (std::size_t i = 0; i < stored.data.size(); ++i)
                    number |= static_cast<std::uint32_t>(stored.data[i]) << (8 * i);
                result.value = static_cast<std::int32_t>(number);
            }
        } else {
            result.status = UnreadableType;
        }
    }
    store.closeKey(key);
    return result;
}

namespace {

// CreateRegistryKey with the status of the creation.
registry::Status createKey(registry::Store& store, std::string_view keyPath, std::int32_t root)
{
    Handle key = 0;
    const registry::Status created = store.createKey(rootHandle(root), keyPath, registry::access::AllSpecific, key);
    if (created == status::Success)
        store.closeKey(key);
    return created;
}

} // namespace

void CreateRegistryKey(registry::Store& store, std::string_view keyPath, std::int32_t root)
{
    createKey(store, keyPath, root);
}

std::int32_t SetRegistryValue(registry::Store& store, std::int32_t root, std::string_view keyPath,
                              std::string_view valueName, const RegistryValue& value, bool closeKey)
{
    // Checked before the key is touched, so a refused value leaves nothing behind.
    const registry::Value stored = storedForm(value);

    Handle key = 0;
    if (store.openKey(rootHandle(root), keyPath, registry::access::Write, key) != status::Success) {
        const registry::Status created = createKey(store, keyPath, root);
        const registry::Status opened = store.openKey(rootHandle(root), keyPath, registry::access::Write, key);
        // A key the store would not create is reported by why it would not
        // (a store that keeps no changes says so), not as a missing handle.
        if (opened != status::Success)
            return created != status::Success ? created : opened;
    }
    const std::int32_t written = store.setValue(key, valueName, stored);
    // Nobody else holds this handle, so it is closed even when the caller asks to keep it.
    (void)closeKey;
    store.closeKey(key);
    return written;
}

T_RegistryIO::T_RegistryIO(runtime::RunLog& runLog, registry::Store& store) : runLog_(runLog), store_(store)
{
}

std::string T_RegistryIO::keyPath(std::string_view argument) const
{
    return Path + std::string(argument);
}

Handle T_RegistryIO::openForReading(std::string_view argument, std::int32_t& openStatus)
{
    Handle key = 0;
    openStatus = store_.openKey(rootHandle(Root), keyPath(argument), registry::access::Read, key);
    return key;
}

void T_RegistryIO::noteFailure(std::string_view note)
{
    if (LastStatus != status::Success)
        runLog_.writeRunNote(note);
}

void T_RegistryIO::DeleteKey(std::string_view SubKey)
{
    LastStatus = store_.deleteKey(rootHandle(Root), keyPath(SubKey));
    noteFailure("RegDeleteKeyEx, " + std::to_string(LastStatus) + ", " + std::string(SubKey));
}

void T_RegistryIO::CreateKey(std::string_view SubKey)
{
    CreateRegistryKey(store_, SubKey, Root);
}

bool T_RegistryIO::ReadBoolean(std::string_view SubKey, std::string_view ValName, bool DefaultVal)
{
    std::int32_t openStatus = 0;
    const Handle key = openForReading(SubKey, openStatus);
    // A missing key is created, and the read below then goes through no handle.
    if (openStatus != status::Success)
        CreateRegistryKey(store_, keyPath(SubKey), Root);

    const QueryResult read = QueryValueEx(store_, key, ValName);
    LastStatus = read.status;
    noteFailure("QueryValueEx@ReadBoolean, Err#" + std::to_string(LastStatus) + ", " + std::string(SubKey) +
                std::string(ValName));

    const std::string text = asText(read.value);
    if (text.empty())
        return DefaultVal;
    return booleanFromText(text);
}

void T_RegistryIO::WriteBoolean(std::string_view SubKey, std::string_view ValName, bool inputval)
{
    const std::string text = inputval ? "True" : "False";
    LastStatus = SetRegistryValue(store_, Root, keyPath(SubKey), ValName, text, true);
    noteFailure("SetRegistryValue@WriteBoolean, Err#" + std::to_string(LastStatus) + ", " + std::string(SubKey) +
                "-" + std::string(ValName) + ", " + text);
}

Handle T_RegistryIO::OpenKey(std::string_view SubPath, std::uint32_t accessMask)
{
    Handle key = 0;
    LastStatus = store_.openKey(rootHandle(Root), keyPath(SubPath), accessMask, key);
    noteFailure("SetRegistryValue@OpenKey, Err#" + std::to_string(LastStatus) + ", " + std::string(SubPath) +
                "- Read or Write" + std::to_string(accessMask));
    return key;
}

std::int32_t T_RegistryIO::ReadLong(std::string_view SubPath, std::string_view ValName, std::int32_t DefaultVal)
{
    std::int32_t openStatus = 0;
    const Handle key = openForReading(SubPath, openStatus);
    if (openStatus != status::Success) {
        CreateRegistryKey(store_, keyPath(SubPath), Root);
        return DefaultVal;
    }

    const QueryResult read = QueryValueEx(store_, key, ValName);
    LastStatus = read.status;
    const std::string text = asText(read.value);
    noteFailure("QueryValueEx@ReadLong, Err#" + std::to_string(LastStatus) + ", " + std::string(SubPath) + "-" +
                std::string(ValName) + ", " + text);

    if (const auto* number = std::get_if<std::int32_t>(&read.value))
        return *number;
    if (text.empty())
        return DefaultVal;
    return wholeNumberFromText(text);
}

void T_RegistryIO::WriteLong(std::string_view SubPath, std::string_view ValName, std::int32_t inputval)
{
    LastStatus = SetRegistryValue(store_, Root, keyPath(SubPath), ValName, inputval, true);
    noteFailure("SetRegistryValue@WriteLong, Err#" + std::to_string(LastStatus) + ", " + std::string(SubPath) + "-" +
                std::string(ValName) + ", " + std::to_string(inputval));
}

std::string T_RegistryIO::ReadString(std::string_view SubPath, std::string_view ValName, std::string_view DefaultVal)
{
    std::int32_t openStatus = 0;
    const Handle key = openForReading(SubPath, openStatus);
    if (openStatus != status::Success)
        return std::string(DefaultVal);

    const QueryResult read = QueryValueEx(store_, key, ValName);
    LastStatus = read.status;
    const std::string text = asText(read.value);
    noteFailure("QueryValueEx@ReadString, Err#" + std::to_string(LastStatus) + ", " + std::string(SubPath) + "-" +
                std::string(ValName) + ", " + text);
    return text.empty() ? std::string(DefaultVal) : text;
}

void T_RegistryIO::WriteString(std::string_view SubPath, std::string_view ValName, std::string_view inputval)
{
    LastStatus = SetRegistryValue(store_, Root, keyPath(SubPath), ValName, std::string(inputval), true);
    noteFailure("SetRegistryValue@WriteString, Err#" + std::to_string(LastStatus) + ", " + std::string(SubPath) +
                "-" + std::string(ValName) + ", " + std::string(inputval));
}

std::optional<std::vector<NamedValue>> T_RegistryIO::GetValueNames(std::string_view SubPath)
{
    Handle key = 0;
    try {
        std::int32_t openStatus = 0;
        key = openForReading(SubPath, openStatus);
        if (openStatus != status::Success) {
            CreateRegistryKey(store_, keyPath(SubPath), Root);
            return std::nullopt;
        }
        std::vector<NamedValue> values;
        std::string name;
        registry::Value value;
        for (std::uint32_t index = 0;; ++index) {
            const registry::Status listed = store_.enumValue(key, index, name, value);
            if (listed == status::NoMoreItems)
                break;
            // Any other failure ends the listing too: its index would fail again.
            if (listed != status::Success)
                break;
            if (value.data.empty())
                continue;
            values.push_back({name, listedText(value)});
            runLog_.writeRunNote(" " + values.back().name + " = " + values.back().data);
        }
        store_.closeKey(key);
        return values;
    } catch (const runtime::RuntimeError&) {
        store_.closeKey(key);
        runtime::reportError(runLog_, "T_RegistryIO", "GetValueNames", std::current_exception());
    } catch (const std::bad_alloc&) {
        store_.closeKey(key);
        runtime::reportError(runLog_, "T_RegistryIO", "GetValueNames", std::current_exception());
    }
    return std::nullopt;
}

} // namespace cindrel::shell
