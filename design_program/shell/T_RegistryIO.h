#pragma once

#include "registry/Store.h"
#include "runtime/ErrorReporter.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace cindrel::shell {

// ---- The three plain routines over the registry store ----

// What SetRegistryValue can be handed. Texts become REG_SZ, byte arrays
// REG_BINARY, 16/32-bit integers REG_DWORD; true/false, empty, and numbers equal
// to 0 or -1 become the REG_DWORD 0 or -1; any other double is refused (1001).
using RegistryValue =
    std::variant<std::monostate, bool, std::int16_t, std::int32_t, double, std::string, std::vector<std::uint8_t>>;

// A value as read: text, 32-bit number, or empty.
using QueriedValue = std::variant<std::monostate, std::string, std::int32_t>;

struct QueryResult {
    std::int32_t status = 0;
    QueriedValue value;
};

// Reads one value of an open key (REG_SZ less its trailing NUL, REG_DWORD as a
// signed number; any other type gives status -1) and closes the key.
QueryResult QueryValueEx(registry::Store& store, registry::Handle key, std::string_view valueName);

// Creates the key and every missing key above it; the status is not passed on.
void CreateRegistryKey(registry::Store& store, std::string_view keyPath, std::int32_t root);

// Writes one value, creating its key when needed; returns the status of the
// write, or of the key's creation when the key could not be created: never
// 0 for a value the store did not keep.
// Raises the run-time error 1001 "Unsupported value type" for a double other than 0 or -1.
std::int32_t SetRegistryValue(registry::Store& store, std::int32_t root, std::string_view keyPath,
                              std::string_view valueName, const RegistryValue& value, bool closeKey);

// ---- The registry access object ----

// One value of a key as GetValueNames lists it: its name and its data as text.
struct NamedValue {
    std::string name;
    std::string data;

    bool operator==(const NamedValue&) const = default;
};

// Typed access to the settings below a root and a base path. A failed registry
// call never reaches the caller: it leaves a run-log note and the caller's
// default, a null handle or nothing.
class T_RegistryIO {
public:
    explicit T_RegistryIO(runtime::RunLog& runLog, registry::Store& store = registry::Store::currentUser());

    // The predefined root, as the number of its handle (HKEY_CURRENT_USER is 0x80000001); 0 until set.
    std::int32_t Root = 0;
    // The base path, written with a trailing "\"; every key argument is appended to it as it is.
    std::string Path;

    void DeleteKey(std::string_view SubKey);
    // Creates SubKey directly below Root, without the base Path.
    void CreateKey(std::string_view SubKey);
    bool ReadBoolean(std::string_view SubKey, std::string_view ValName, bool DefaultVal);
    void WriteBoolean(std::string_view SubKey, std::string_view ValName, bool inputval);
    // The handle belongs to the caller (close it through store().closeKey); 0 on failure.
    registry::Handle OpenKey(std::string_view SubPath, std::uint32_t accessMask);
    std::int32_t ReadLong(std::string_view SubPath, std::string_view ValName, std::int32_t DefaultVal);
    void WriteLong(std::string_view SubPath, std::string_view ValName, std::int32_t inputval);
    std::string ReadString(std::string_view SubPath, std::string_view ValName, std::string_view DefaultVal);
    void WriteString(std::string_view SubPath, std::string_view ValName, std::string_view inputval);
    // Every value of the key in the store's order; none when the key is missing
    // (it is then created) or the listing failed.
    std::optional<std::vector<NamedValue>> GetValueNames(std::string_view SubPath);

    registry::Store& store() { return store_; }

private:
    std::string keyPath(std::string_view argument) const;
    registry::Handle openForReading(std::string_view argument, std::int32_t& status);
    void noteFailure(std::string_view note);

    runtime::RunLog& runLog_;
    registry::Store& store_;
    std::int32_t LastStatus = 0;
};

} // namespace cindrel::shell
