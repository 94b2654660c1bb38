#pragma once

#include "ComponentObject.h"

#include "registry/RegistryTypes.h"
#include "registry/Value.h"

#include <cstdint>
#include <string>

namespace brimlock {

// Typed access to the settings store. Each call opens the key it needs and
// closes it again; only the root, the base key and the machine persist.
// Every member runs inside guard(): no exception reaches the caller.
class Registry final : public ComponentObject<IRegistry> {
public:
    Registry(component::ModuleLocks& module, component::IUnknown* outer) noexcept;

    HResult get_Root(std::uint32_t* root) override;
    HResult put_Root(std::uint32_t root) override;
    HResult get_BaseKey(std::string* baseKey) override;
    HResult put_BaseKey(const std::string& baseKey) override;
    HResult GetString(const std::string& subKey, const std::string& name, const std::string& defaultValue, std::string* value) override;
    HResult GetLong(const std::string& subKey, const std::string& name, std::int32_t defaultValue, std::int32_t* value) override;
    HResult GetDouble(const std::string& subKey, const std::string& name, double defaultValue, double* value) override;
    HResult GetCurrency(const std::string& subKey, const std::string& name, std::int64_t defaultValue, std::int64_t* value) override;
    HResult GetBoolean(const std::string& subKey, const std::string& name, bool defaultValue, bool* value) override;
    HResult GetDate(const std::string& subKey, const std::string& name, double defaultValue, double* value) override;
    HResult SetString(const std::string& subKey, const std::string& name, const std::string& value) override;
    HResult SetBoolean(const std::string& subKey, const std::string& name, bool value) override;
    HResult SetLong(const std::string& subKey, const std::string& name, std::int32_t value) override;
    HResult SetDouble(const std::string& subKey, const std::string& name, double value) override;
    HResult SetCurrency(const std::string& subKey, const std::string& name, std::int64_t value) override;
    HResult SetDate(const std::string& subKey, const std::string& name, double value) override;
    HResult ValueType(const std::string& subKey, const std::string& name, std::int32_t* type) override;
    HResult ValueSize(const std::string& subKey, const std::string& name, std::int32_t* size) override;
    HResult KeyExists(const std::string& subKey, bool* exists) override;
    HResult ValueExists(const std::string& subKey, const std::string& name, bool* exists) override;
    HResult CreateKey(const std::string& subKey) override;
    HResult DeleteValue(const std::string& subKey, const std::string& name) override;
    HResult get_MachineName(std::string* machineName) override;
    HResult put_MachineName(const std::string& machineName) override;
    HResult SubKeyNames(const std::string& subKey, std::vector<std::string>* names) override;
    HResult ValueNames(const std::string& subKey, std::vector<std::string>* names) override;
    HResult DeleteKey(const std::string& subKey) override;

private:
    // A value as read: text, a 32-bit number, or none (missing, another type or size).
    struct ReadValue {
        enum class Kind { None, Text, Number } kind = Kind::None;
        std::string text;
        std::int32_t number = 0;
    };
    // A Get: the value read and converted by its kind, Default when there is none.
    template <class T, class FromText, class FromNumber>
    HResult readAs(const std::string& subKey, const std::string& name, const T& defaultValue, T* value,
                   FromText fromText, FromNumber fromNumber) const;
    // Opens the key of a call; `unreachable` tells a remote machine that cannot be reached.
    registry::Status openKey(const std::string& subKey, bool forWriting, bool create, registry::Handle& key,
                             bool& unreachable) const;
    registry::Status openPath(const std::string& path, bool forWriting, bool create, registry::Handle& key,
                              bool& unreachable) const;
    // S_OK with the key open for reading; 103 for an unreachable machine, else the status of the open.
    HResult openForReading(const std::string& subKey, registry::Handle& key) const;
    // The outcome of a Get: 103 for an unreachable machine, else the status of the open.
    HResult read(const std::string& subKey, const std::string& name, ReadValue& value) const;
    // The raw value, for the tests that never fail.
    bool lookUp(const std::string& subKey, const std::string& name, registry::Value& value) const;
    HResult write(const std::string& subKey, const std::string& name, const registry::Value& value);
    HResult listNames(const std::string& subKey, bool subKeys, std::vector<std::string>* names) const;
    std::string keyPath(const std::string& subKey) const;

    std::string machineName_;
    std::uint32_t root_ = registry::root::CurrentUser;
    std::string baseKey_;
};

} // namespace brimlock
