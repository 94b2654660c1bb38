#pragma once

#include "registry/RegistryTypes.h"
#include "registry/Value.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace registry {

// Receives the store's error messages (a database moved aside, a failed write).
using Logger = std::function<void(std::string_view message)>;

// The per-user registry: keys below five predefined roots, typed values, and
// the status numbers callers test. It lives in one SQLite database per user;
// every write is its own transaction, so several programs may write at once
// and a crash loses nothing committed.
//
// Key paths are separated by "\"; one leading and one trailing "\" are
// ignored. Key and value names compare without regard to ASCII letter case and
// keep the case they were created with. Keys and values enumerate in the order
// they were created; overwriting a value keeps its place.
//
// Not thread-safe: one Store per thread (and per process after a fork).
class Store {
public:
    // Opens (or creates) the database, waiting up to 5 s in all for other
    // programs that hold it. A file that is not a database or fails its
    // integrity check is renamed with a ".damaged-<timestamp>" suffix and
    // replaced by a fresh one that holds every value still readable from it;
    // the logger (stderr when none is given) is told how many values were
    // kept and how many lost. A file that may only be read, or that stays
    // locked past the wait, is read, and every write fails (5 and 1016). When
    // the file cannot be used at all, every key reads as missing, so that the
    // callers' defaults stand, and every write fails with 1016. A write that
    // fails is always logged; none is ever reported as kept when it was not.
    explicit Store(std::filesystem::path databaseFile, Logger logger = {});
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // $GEARSUITE_REGISTRY when set, else $XDG_CONFIG_HOME/gearsuite/registry.sqlite3,
    // else ~/.config/gearsuite/registry.sqlite3.
    static std::filesystem::path defaultLocation();
    // The store of the current user at defaultLocation(), opened on first use.
    static Store& currentUser();

    const std::filesystem::path& databaseFile() const;

    // Opens an existing key below `key` (a root or an open handle). An empty
    // subKey opens `key` itself again. 2 when the key does not exist.
    Status openKey(Handle key, std::string_view subKey, std::uint32_t accessMask, Handle& result);
    // Opens the key, creating it and every missing key above it.
    Status createKey(Handle key, std::string_view subKey, std::uint32_t accessMask, Handle& result,
                     Disposition* disposition = nullptr);
    // Closing a root handle does nothing and succeeds.
    Status closeKey(Handle key);
    // The root of a machine: empty, ".", "localhost" or this host's name (with
    // or without leading "\\") is this machine; any other machine is 53.
    Status connectRegistry(std::string_view machineName, Handle rootKey, Handle& result);

    // The whole value. 2 when the value does not exist.
    Status queryValue(Handle key, std::string_view valueName, Value& value);
    // Buffer form: any pointer may be null. With data null, *size receives the
    // size; when *size is smaller than the value, *size receives the size
    // needed and the status is 234 with nothing copied.
    Status queryValue(Handle key, std::string_view valueName, std::uint32_t* valueType,
                      std::uint8_t* data, std::uint32_t* size);
    Status setValue(Handle key, std::string_view valueName, const Value& value);
    Status deleteValue(Handle key, std::string_view valueName);

    // Deletes a key that has no subkeys (5 when it has some). An empty subKey
    // deletes `key` itself; roots cannot be deleted (5).
    Status deleteKey(Handle key, std::string_view subKey);
    // Deletes subKey with everything below it; with an empty subKey, deletes
    // the values and subkeys of `key` but keeps `key`.
    Status deleteTree(Handle key, std::string_view subKey);

    // The name of the subkey (or the name and value) at an index, 259 past the end.
    Status enumKey(Handle key, std::uint32_t index, std::string& name);
    Status enumValue(Handle key, std::uint32_t index, std::string& name, Value& value);

    // Runs `work` as one transaction: committed when it returns 0, rolled back
    // otherwise (the status is returned). Store calls made inside join it.
    Status inTransaction(const std::function<Status()>& work);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace registry
