#include "Registry.h"

#include "ValueText.h"

#include "registry/Store.h"

#include <algorithm>
#include <climits>

namespace brimlock {

namespace {

using component::invokeMember;
using component::InvokeKind;
namespace status = registry::status;

constexpr component::DispatchMember<IRegistry> Members[] = {
    {"Root", 1, InvokeKind::PropertyGet, invokeMember<&IRegistry::get_Root>},
    {"Root", 1, InvokeKind::PropertyPut, invokeMember<&IRegistry::put_Root>},
    {"BaseKey", 2, InvokeKind::PropertyGet, invokeMember<&IRegistry::get_BaseKey>},
    {"BaseKey", 2, InvokeKind::PropertyPut, invokeMember<&IRegistry::put_BaseKey>},
    {"GetString", 3, InvokeKind::Method, invokeMember<&IRegistry::GetString>},
    {"GetLong", 4, InvokeKind::Method, invokeMember<&IRegistry::GetLong>},
    {"GetDouble", 5, InvokeKind::Method, invokeMember<&IRegistry::GetDouble>},
    {"GetCurrency", 6, InvokeKind::Method, invokeMember<&IRegistry::GetCurrency>},
    {"GetBoolean", 7, InvokeKind::Method, invokeMember<&IRegistry::GetBoolean>},
    {"GetDate", 8, InvokeKind::Method, invokeMember<&IRegistry::GetDate>},
    {"SetString", 9, InvokeKind::Method, invokeMember<&IRegistry::SetString>},
    {"SetBoolean", 10, InvokeKind::Method, invokeMember<&IRegistry::SetBoolean>},
    {"SetLong", 11, InvokeKind::Method, invokeMember<&IRegistry::SetLong>},
    {"SetDouble", 12, InvokeKind::Method, invokeMember<&IRegistry::SetDouble>},
    {"SetCurrency", 13, InvokeKind::Method, invokeMember<&IRegistry::SetCurrency>},
    {"SetDate", 14, InvokeKind::Method, invokeMember<&IRegistry::SetDate>},
    {"ValueType", 15, InvokeKind::Method, invokeMember<&IRegistry::ValueType>},
    {"ValueSize", 16, InvokeKind::Method, invokeMember<&IRegistry::ValueSize>},
    {"KeyExists", 17, InvokeKind::Method, invokeMember<&IRegistry::KeyExists>},
    {"ValueExists", 18, InvokeKind::Method, invokeMember<&IRegistry::ValueExists>},
    {"CreateKey", 19, InvokeKind::Method, invokeMember<&IRegistry::CreateKey>},
    {"DeleteValue", 20, InvokeKind::Method, invokeMember<&IRegistry::DeleteValue>},
    {"MachineName", 21, InvokeKind::PropertyGet, invokeMember<&IRegistry::get_MachineName>},
    {"MachineName", 21, InvokeKind::PropertyPut, invokeMember<&IRegistry::put_MachineName>},
    {"SubKeyNames", 22, InvokeKind::Method, invokeMember<&IRegistry::SubKeyNames>},
    {"ValueNames", 23, InvokeKind::Method, invokeMember<&IRegistry::ValueNames>},
    {"DeleteKey", 24, InvokeKind::Method, invokeMember<&IRegistry::DeleteKey>},
};

const ComponentObject<IRegistry>::Identity RegistryIdentity{IID_IRegistry, "BrimlockRegistry.Registry.1", Members};

bool isAcceptedRoot(std::uint32_t root)
{
    using namespace registry::root;
    return root == ClassesRoot || root == CurrentUser || root == LocalMachine || root == Users || root == CurrentConfig;
}

// Closes a key handle when the call ends, whichever way it ends.
class OpenedKey {
public:
    OpenedKey() = default;
    ~OpenedKey()
    {
        if (handle)
            threadStore().closeKey(handle);
    }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;
    registry::Handle handle = 0;
};

} // namespace

Registry::Registry(component::ModuleLocks& module, component::IUnknown* outer) noexcept
    : ComponentObject(module, outer, RegistryIdentity)
{
}

std::string Registry::keyPath(const std::string& subKey) const
{
    if (subKey.empty())
        return baseKey_;
    return baseKey_.empty() ? subKey : baseKey_ + "\\" + subKey;
}

registry::Status Registry::openKey(const std::string& subKey, bool forWriting, bool create, registry::Handle& key,
                                   bool& unreachable) const
{
    return openPath(keyPath(subKey), forWriting, create, key, unreachable);
}

registry::Status Registry::openPath(const std::string& path, bool forWriting, bool create, registry::Handle& key,
                                    bool& unreachable) const
{
    key = 0;
    unreachable = false;
    registry::Store& store = threadStore();
    registry::Handle root = root_;
    registry::Handle remoteRoot = 0;
    if (!machineName_.empty()) {
        const registry::Status connected = store.connectRegistry(machineName_, root_, remoteRoot);
        if (connected != status::Success) {
            unreachable = connected == status::BadNetPath;
            return connected;
        }
        root = remoteRoot;
    }
    const std::uint32_t access = forWriting ? registry::access::Write : registry::access::Read;
    const registry::Status opened =
        create ? store.createKey(root, path, access, key) : store.openKey(root, path, access, key);
    if (remoteRoot)
        store.closeKey(remoteRoot);
    return opened;
}

HResult Registry::openForReading(const std::string& subKey, registry::Handle& key) const
{
    bool unreachable = false;
    const registry::Status opened = openKey(subKey, false, false, key, unreachable);
    return unreachable ? report(message::MachineNotFound) : opened;
}

HResult Registry::read(const std::string& subKey, const std::string& name, ReadValue& value) const
{
    value = ReadValue();
    OpenedKey key;
    if (const HResult opened = openForReading(subKey, key.handle); opened != component::S_OK)
        return opened;
    registry::Value stored;
    const registry::Status queried = threadStore().queryValue(key.handle, name, stored);
    if (queried == status::FileNotFound)
        return component::S_OK;
    if (queried != status::Success)
        return queried;
    if (auto text = stored.asText()) {
        value.kind = ReadValue::Kind::Text;
        value.text = std::move(*text);
    } else if (auto number = stored.asNumber32()) {
        value.kind = ReadValue::Kind::Number;
        value.number = static_cast<std::int32_t>(*number);
    }
    return component::S_OK;
}

bool Registry::lookUp(const std::string& subKey, const std::string& name, registry::Value& value) const
{
    OpenedKey key;
    bool unreachable = false;
    if (openKey(subKey, false, false, key.handle, unreachable) != status::Success)
        return false;
    return threadStore().queryValue(key.handle, name, value) == status::Success;
}

HResult Registry::write(const std::string& subKey, const std::string& name, const registry::Value& value)
{
    OpenedKey key;
    bool unreachable = false;
    const registry::Status opened = openKey(subKey, true, true, key.handle, unreachable);
    if (unreachable)
        return report(message::MachineNotFound);
    if (opened != status::Success || threadStore().setValue(key.handle, name, value) != status::Success)
        return report(message::AccessDenied);
    return component::S_OK;
}

HResult Registry::listNames(const std::string& subKey, bool subKeys, std::vector<std::string>* names) const
{
    if (!names)
        return component::E_POINTER;
    names->clear();
    OpenedKey key;
    if (const HResult opened = openForReading(subKey, key.handle); opened != component::S_OK)
        return opened;
    registry::Store& store = threadStore();
    for (std::uint32_t index = 0;; ++index) {
        std::string name;
        registry::Value ignored;
        const registry::Status listed =
            subKeys ? store.enumKey(key.handle, index, name) : store.enumValue(key.handle, index, name, ignored);
        if (listed != status::Success)
            return listed;
        names->push_back(std::move(name));
    }
}

HResult Registry::get_Root(std::uint32_t* root)
{
    return guard([&] { return copyOut(root_, root); });
}

HResult Registry::put_Root(std::uint32_t root)
{
    return guard([&] {
        if (!isAcceptedRoot(root))
            return report(message::InvalidRoot);
        root_ = root;
        return component::S_OK;
    });
}

HResult Registry::get_BaseKey(std::string* baseKey)
{
    return guard([&] { return copyOut(baseKey_, baseKey); });
}

HResult Registry::put_BaseKey(const std::string& baseKey)
{
    return guard([&] {
        baseKey_ = baseKey;
        return component::S_OK;
    });
}

HResult Registry::get_MachineName(std::string* machineName)
{
    return guard([&] { return copyOut(machineName_, machineName); });
}

HResult Registry::put_MachineName(const std::string& machineName)
{
    return guard([&] {
        // "server" and "\\server" both become "\\\\server".
        machineName_.clear();
        if (!machineName.empty()) {
            const std::size_t leading = std::min<std::size_t>(machineName.find_first_not_of('\\'), 2);
            machineName_.append(2 - leading, '\\').append(machineName);
        }
        return component::S_OK;
    });
}

template <class T, class FromText, class FromNumber>
HResult Registry::readAs(const std::string& subKey, const std::string& name, const T& defaultValue, T* value,
                         FromText fromText, FromNumber fromNumber) const
{
    if (!value)
        return component::E_POINTER;
    ReadValue read;
    const HResult outcome = this->read(subKey, name, read);
    if (read.kind == ReadValue::Kind::Text)
        *value = fromText(read.text);
    else if (read.kind == ReadValue::Kind::Number)
        *value = fromNumber(read.number);
    else
        *value = defaultValue;
    return outcome;
}

HResult Registry::GetString(const std::string& subKey, const std::string& name, const std::string& defaultValue,
                            std::string* value)
{
    return guard([&] {
        return readAs(
            subKey, name, defaultValue, value, [](const std::string& text) { return text; },
            [](std::int32_t number) { return std::to_string(number); });
    });
}

HResult Registry::GetLong(const std::string& subKey, const std::string& name, std::int32_t defaultValue,
                          std::int32_t* value)
{
    return guard([&] {
        return readAs(
            subKey, name, defaultValue, value,
            [&](const std::string& text) { return leadingLong(text).value_or(defaultValue); },
            [](std::int32_t number) { return number; });
    });
}

HResult Registry::GetDouble(const std::string& subKey, const std::string& name, double defaultValue, double* value)
{
    return guard([&] {
        return readAs(
            subKey, name, defaultValue, value,
            [&](const std::string& text) { return leadingDouble(text).value_or(defaultValue); },
            [](std::int32_t number) { return static_cast<double>(number); });
    });
}

HResult Registry::GetCurrency(const std::string& subKey, const std::string& name, std::int64_t defaultValue,
                              std::int64_t* value)
{
    return guard([&] {
        return readAs(
            subKey, name, defaultValue, value,
            [&](const std::string& text) { return parseCurrency(text).value_or(defaultValue); },
            [](std::int32_t number) { return std::int64_t{number} * 10000; });
    });
}

HResult Registry::GetBoolean(const std::string& subKey, const std::string& name, bool defaultValue, bool* value)
{
    return guard([&] {
        return readAs(
            subKey, name, defaultValue, value, [](const std::string& text) { return leadingIntegerIsNonZero(text); },
            [](std::int32_t number) { return number != 0; });
    });
}

HResult Registry::GetDate(const std::string& subKey, const std::string& name, double defaultValue, double* value)
{
    return guard([&] {
        return readAs(
            subKey, name, defaultValue, value,
            [&](const std::string& text) { return parseDate(text).value_or(defaultValue); },
            [&](std::int32_t) { return defaultValue; });
    });
}

HResult Registry::SetString(const std::string& subKey, const std::string& name, const std::string& value)
{
    return guard([&] {
        // A text is stored up to its first NUL; one holding a NUL could not come back whole.
        if (value.find('\0') != std::string::npos)
            return component::E_INVALIDARG;
        return write(subKey, name, registry::Value::text(value));
    });
}

HResult Registry::SetBoolean(const std::string& subKey, const std::string& name, bool value)
{
    return guard([&] { return write(subKey, name, registry::Value::text(value ? "1" : "0")); });
}

HResult Registry::SetLong(const std::string& subKey, const std::string& name, std::int32_t value)
{
    return guard([&] { return write(subKey, name, registry::Value::number32(static_cast<std::uint32_t>(value))); });
}

HResult Registry::SetDouble(const std::string& subKey, const std::string& name, double value)
{
    return guard([&] {
        const auto text = doubleText(value);
        if (!text)
            return component::E_INVALIDARG;
        return write(subKey, name, registry::Value::text(*text));
    });
}

HResult Registry::SetCurrency(const std::string& subKey, const std::string& name, std::int64_t value)
{
    return guard([&] { return write(subKey, name, registry::Value::text(currencyText(value))); });
}

HResult Registry::SetDate(const std::string& subKey, const std::string& name, double value)
{
    return guard([&] {
        const auto text = dateText(value);
        if (!text)
            return component::E_INVALIDARG;
        return write(subKey, name, registry::Value::text(*text));
    });
}

HResult Registry::ValueType(const std::string& subKey, const std::string& name, std::int32_t* type)
{
    return guard([&] {
        if (!type)
            return component::E_POINTER;
        registry::Value value;
        *type = 0;
        if (lookUp(subKey, name, value)) {
            if (value.type == registry::type::Text || value.type == registry::type::ExpandableText ||
                value.type == registry::type::MultiText)
                *type = 1;
            else if (value.type == registry::type::Number32)
                *type = 2;
        }
        return component::S_OK;
    });
}

HResult Registry::ValueSize(const std::string& subKey, const std::string& name, std::int32_t* size)
{
    return guard([&] {
        if (!size)
            return component::E_POINTER;
        registry::Value value;
        *size = 0;
        if (lookUp(subKey, name, value)) {
            std::int64_t bytes = static_cast<std::int64_t>(value.data.size());
            if (value.type == registry::type::Text || value.type == registry::type::ExpandableText ||
                value.type == registry::type::MultiText)
                --bytes;
            *size = static_cast<std::int32_t>(std::clamp<std::int64_t>(bytes, 0, INT32_MAX));
        }
        return component::S_OK;
    });
}

HResult Registry::KeyExists(const std::string& subKey, bool* exists)
{
    return guard([&] {
        if (!exists)
            return component::E_POINTER;
        OpenedKey key;
        bool unreachable = false;
        *exists = openKey(subKey, false, false, key.handle, unreachable) == status::Success;
        return component::S_OK;
    });
}

HResult Registry::ValueExists(const std::string& subKey, const std::string& name, bool* exists)
{
    return guard([&] {
        if (!exists)
            return component::E_POINTER;
        registry::Value value;
        *exists = lookUp(subKey, name, value);
        return component::S_OK;
    });
}

HResult Registry::CreateKey(const std::string& subKey)
{
    return guard([&] {
        OpenedKey key;
        bool unreachable = false;
        const registry::Status opened = openKey(subKey, true, true, key.handle, unreachable);
        if (unreachable)
            return report(message::MachineNotFound);
        return opened == status::Success ? component::S_OK : report(message::AccessDenied);
    });
}

HResult Registry::DeleteValue(const std::string& subKey, const std::string& name)
{
    return guard([&] {
        OpenedKey key;
        bool unreachable = false;
        const registry::Status opened = openKey(subKey, true, false, key.handle, unreachable);
        if (unreachable)
            return report(message::MachineNotFound);
        if (opened == status::FileNotFound)
            return component::S_OK;
        if (opened != status::Success)
            return report(message::AccessDenied);
        const registry::Status deleted = threadStore().deleteValue(key.handle, name);
        if (deleted == status::FileNotFound)
            return report(message::ValueNotFound);
        return deleted == status::Success ? component::S_OK : report(message::AccessDenied);
    });
}

HResult Registry::SubKeyNames(const std::string& subKey, std::vector<std::string>* names)
{
    return guard([&] { return listNames(subKey, true, names); });
}

HResult Registry::ValueNames(const std::string& subKey, std::vector<std::string>* names)
{
    return guard([&] { return listNames(subKey, false, names); });
}

HResult Registry::DeleteKey(const std::string& subKey)
{
    return guard([&] {
        const std::string path = keyPath(subKey);
        // A root is never deleted; an empty path or one of separators alone names the root.
        if (path.find_first_not_of('\\') == std::string::npos)
            return report(message::AccessDenied);
        int failure = 0;
        registry::Store& store = threadStore();
        // One transaction: the subtree goes whole or not at all.
        const registry::Status outcome = store.inTransaction([&]() -> registry::Status {
            {
                OpenedKey key;
                bool unreachable = false;
                openKey(subKey, false, false, key.handle, unreachable);
                if (unreachable) {
                    failure = message::MachineNotFound;
                    return status::BadNetPath;
                }
                if (!key.handle)
                    return status::Success;
            }
            // The parent of every SubKey is the base key; with no SubKey, the base key's own parent.
            std::string parentPath = baseKey_;
            std::string leaf = subKey;
            if (subKey.empty()) {
                const std::size_t separator = baseKey_.find_last_of('\\', baseKey_.find_last_not_of('\\'));
                parentPath = separator == std::string::npos ? std::string() : baseKey_.substr(0, separator);
                leaf = separator == std::string::npos ? baseKey_ : baseKey_.substr(separator + 1);
            }
            OpenedKey parent;
            bool unreachable = false;
            const registry::Status parentOpened = openPath(parentPath, true, false, parent.handle, unreachable);
            if (parentOpened != status::Success) {
                failure = parentOpened == status::FileNotFound ? message::PathNotFound : message::AccessDenied;
                return parentOpened;
            }
            const registry::Status deleted = store.deleteTree(parent.handle, leaf);
            if (deleted != status::Success) {
                failure = message::AccessDenied;
                return deleted;
            }
            return status::Success;
        });
        if (outcome == status::Success)
            return component::S_OK;
        return report(failure ? failure : message::AccessDenied);
    });
}

} // namespace brimlock
