#pragma once

#include "component/Dispatch.h"
#include "component/Unknown.h"

#include <cstdint>
#include <string>
#include <vector>

// The registry and INI-file component as its callers see it: identities, the
// two interfaces, the error codes and the library's exports. Texts are UTF-8
// bytes, Booleans bool, currency amounts 64-bit ten-thousandths, dates days
// from 1899-12-30 with the time of day as the fraction.
namespace brimlock {

using component::HResult;

inline constexpr component::Guid LIBID_BrimlockRegistry = component::guid("{779055E1-D8BE-11D2-B532-00104B9A3597}");
inline constexpr component::InterfaceId IID_IRegistry = component::guid("{779055EE-D8BE-11D2-B532-00104B9A3597}");
inline constexpr component::ClassId CLSID_Registry = component::guid("{779055EF-D8BE-11D2-B532-00104B9A3597}");
inline constexpr component::InterfaceId IID_IINIFile = component::guid("{779055F0-D8BE-11D2-B532-00104B9A3597}");
inline constexpr component::ClassId CLSID_INIFile = component::guid("{779055F1-D8BE-11D2-B532-00104B9A3597}");

// Message ids of the string table; a failure returns errorResult(id).
namespace message {
constexpr int ComponentName = 100;
constexpr int InvalidByteArray = 101;
constexpr int AccessDenied = 102;
constexpr int MachineNotFound = 103;
constexpr int PathNotFound = 104;
constexpr int ValueNotFound = 105;
constexpr int IniFileNotFound = 106;
constexpr int IniFileError = 107;
constexpr int InvalidRoot = 108;
constexpr int ApplicationTitle = 57344;
} // namespace message

constexpr HResult errorResult(int messageId)
{
    return static_cast<HResult>(0x80040F00u + static_cast<std::uint32_t>(messageId));
}

// The largest INI file Open reads and Save writes, in bytes: a larger one is
// refused with error 107 both ways, so whatever Save writes Open reads back.
// Settings files run to kilobytes; 8 MiB is a thousand times a large one, yet
// bounds what a mistaken or hostile file (a disk image, a log) may cost the
// caller: at worst, a file of a million of the shortest keys, a few seconds
// and some fifteen times its size in memory.
inline constexpr std::int64_t IniFileSizeLimit = 8 * 1024 * 1024;

// Typed access to the settings store under a root, a base key and a machine.
// The Get members return the store's status when the key does not open (2
// for a missing key): a success to the caller, who gets Default.
class IRegistry : public component::IDispatch {
public:
    virtual HResult get_Root(std::uint32_t* root) = 0;
    virtual HResult put_Root(std::uint32_t root) = 0;
    virtual HResult get_BaseKey(std::string* baseKey) = 0;
    virtual HResult put_BaseKey(const std::string& baseKey) = 0;
    virtual HResult GetString(const std::string& subKey, const std::string& name, const std::string& defaultValue, std::string* value) = 0;
    virtual HResult GetLong(const std::string& subKey, const std::string& name, std::int32_t defaultValue, std::int32_t* value) = 0;
    virtual HResult GetDouble(const std::string& subKey, const std::string& name, double defaultValue, double* value) = 0;
    virtual HResult GetCurrency(const std::string& subKey, const std::string& name, std::int64_t defaultValue, std::int64_t* value) = 0;
    virtual HResult GetBoolean(const std::string& subKey, const std::string& name, bool defaultValue, bool* value) = 0;
    virtual HResult GetDate(const std::string& subKey, const std::string& name, double defaultValue, double* value) = 0;
    virtual HResult SetString(const std::string& subKey, const std::string& name, const std::string& value) = 0;
    virtual HResult SetBoolean(const std::string& subKey, const std::string& name, bool value) = 0;
    virtual HResult SetLong(const std::string& subKey, const std::string& name, std::int32_t value) = 0;
    virtual HResult SetDouble(const std::string& subKey, const std::string& name, double value) = 0;
    virtual HResult SetCurrency(const std::string& subKey, const std::string& name, std::int64_t value) = 0;
    virtual HResult SetDate(const std::string& subKey, const std::string& name, double value) = 0;
    virtual HResult ValueType(const std::string& subKey, const std::string& name, std::int32_t* type) = 0;
    virtual HResult ValueSize(const std::string& subKey, const std::string& name, std::int32_t* size) = 0;
    virtual HResult KeyExists(const std::string& subKey, bool* exists) = 0;
    virtual HResult ValueExists(const std::string& subKey, const std::string& name, bool* exists) = 0;
    virtual HResult CreateKey(const std::string& subKey) = 0;
    virtual HResult DeleteValue(const std::string& subKey, const std::string& name) = 0;
    virtual HResult get_MachineName(std::string* machineName) = 0;
    virtual HResult put_MachineName(const std::string& machineName) = 0;
    virtual HResult SubKeyNames(const std::string& subKey, std::vector<std::string>* names) = 0;
    virtual HResult ValueNames(const std::string& subKey, std::vector<std::string>* names) = 0;
    virtual HResult DeleteKey(const std::string& subKey) = 0;

protected:
    ~IRegistry() = default;
};

// An INI file held in memory: sections of keys, names upper-cased.
class IINIFile : public component::IDispatch {
public:
    virtual HResult get_Dirty(bool* dirty) = 0;
    virtual HResult get_IsNew(bool* isNew) = 0;
    virtual HResult get_FileName(std::string* fileName) = 0;
    virtual HResult Open(const std::string& fileName) = 0;
    virtual HResult Save(const std::string& fileName) = 0;
    virtual HResult get_LineBreakMarker(std::string* marker) = 0;
    virtual HResult put_LineBreakMarker(const std::string& marker) = 0;
    virtual HResult Clear() = 0;
    virtual HResult GetString(const std::string& section, const std::string& key, const std::string& defaultValue, std::string* value) = 0;
    virtual HResult GetBoolean(const std::string& section, const std::string& key, bool defaultValue, bool* value) = 0;
    virtual HResult GetLong(const std::string& section, const std::string& key, std::int32_t defaultValue, std::int32_t* value) = 0;
    virtual HResult GetDouble(const std::string& section, const std::string& key, double defaultValue, double* value) = 0;
    virtual HResult GetCurrency(const std::string& section, const std::string& key, std::int64_t defaultValue, std::int64_t* value) = 0;
    virtual HResult GetDate(const std::string& section, const std::string& key, double defaultValue, double* value) = 0;
    virtual HResult SetString(const std::string& section, const std::string& key, const std::string& value) = 0;
    virtual HResult SetBoolean(const std::string& section, const std::string& key, bool value) = 0;
    virtual HResult SetLong(const std::string& section, const std::string& key, std::int32_t value) = 0;
    virtual HResult SetDouble(const std::string& section, const std::string& key, double value) = 0;
    virtual HResult SetCurrency(const std::string& section, const std::string& key, std::int64_t value) = 0;
    virtual HResult SetDate(const std::string& section, const std::string& key, double value) = 0;
    virtual HResult DeleteSection(const std::string& section) = 0;
    virtual HResult DeleteKey(const std::string& section, const std::string& key) = 0;
    virtual HResult KeyExists(const std::string& section, const std::string& key, bool* exists) = 0;
    virtual HResult SectionExists(const std::string& section, bool* exists) = 0;
    virtual HResult SectionNames(std::vector<std::string>* names) = 0;
    virtual HResult KeyNames(const std::string& section, std::vector<std::string>* names) = 0;
    virtual HResult ValueLength(const std::string& section, const std::string& key, std::int32_t* length) = 0;

protected:
    ~IINIFile() = default;
};

} // namespace brimlock

#define BRIMLOCK_EXPORT extern "C" __attribute__((visibility("default")))

// No exception leaves the library: every export and every member of its
// objects answers a failure with a result (E_OUTOFMEMORY when memory ran out).

// The class object of Registry or INIFile, queried for the interface asked.
BRIMLOCK_EXPORT component::HResult DllGetClassObject(const component::ClassId* classId,
                                                     const component::InterfaceId* id, void** object) noexcept;
// S_OK when no object and no server lock is alive.
BRIMLOCK_EXPORT component::HResult DllCanUnloadNow() noexcept;
// Writes both classes' keys under HKEY_CLASSES_ROOT in one transaction.
BRIMLOCK_EXPORT component::HResult DllRegisterServer() noexcept;
// Removes them again, all but the CLSID key.
BRIMLOCK_EXPORT component::HResult DllUnregisterServer() noexcept;
// "1, 0, 0, 1".
BRIMLOCK_EXPORT const char* BrimlockRegistryVersion() noexcept;
