#include "registry/Store.h"

#include "registry/Database.h"
#include "registry/Rescue.h"

#include <sqlite3.h>

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace registry {

namespace {

using detail::foldCase;
using detail::Query;
using detail::Sql;

constexpr std::size_t MaxKeyNameLength = 255;
constexpr std::size_t MaxValueNameLength = 16383;
constexpr Handle FirstKeyHandle = 0x100;

struct RootKey {
    Handle handle;
    const char* name;
};

constexpr RootKey Roots[] = {
    {root::ClassesRoot, "HKEY_CLASSES_ROOT"}, {root::CurrentUser, "HKEY_CURRENT_USER"},
    {root::LocalMachine, "HKEY_LOCAL_MACHINE"}, {root::Users, "HKEY_USERS"},
    {root::CurrentConfig, "HKEY_CURRENT_CONFIG"},
};

bool isRoot(Handle handle)
{
    for (const RootKey& rootKey : Roots)
        if (rootKey.handle == handle)
            return true;
    return false;
}

// Splits a key path into its names; one leading and one trailing "\" are
// ignored, an empty name anywhere else is refused.
Status splitPath(std::string_view path, std::vector<std::string_view>& names)
{
    names.clear();
    if (!path.empty() && path.front() == '\\')
        path.remove_prefix(1);
    if (!path.empty() && path.back() == '\\')
        path.remove_suffix(1);
    if (path.empty())
        return status::Success;
    while (true) {
        const std::size_t separator = path.find('\\');
        const std::string_view name = path.substr(0, separator);
        if (name.empty() || name.size() > MaxKeyNameLength || name.find('\0') != std::string_view::npos)
            return status::InvalidParameter;
        names.push_back(name);
        if (separator == std::string_view::npos)
            return status::Success;
        path.remove_prefix(separator + 1);
    }
}

bool validValueName(std::string_view name)
{
    return name.size() <= MaxValueNameLength && name.find('\0') == std::string_view::npos;
}

void stripMachinePrefix(std::string_view& machine)
{
    while (!machine.empty() && machine.front() == '\\')
        machine.remove_prefix(1);
}

bool isThisMachine(std::string_view machine)
{
    stripMachinePrefix(machine);
    if (machine.empty() || machine == "." || foldCase(machine) == "localhost")
        return true;
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) != 0)
        return false;
    return foldCase(machine) == foldCase(host);
}

} // namespace

struct Store::Impl {
    struct OpenKey {
        std::int64_t id;
        std::uint32_t access;
    };

    detail::Database database;
    std::unordered_map<Handle, OpenKey> handles;
    std::unordered_map<Handle, std::int64_t> rootIds;
    Handle nextHandle = FirstKeyHandle;
    std::vector<std::string_view> names;

    Impl(std::filesystem::path file, Logger logger) : database(std::move(file), std::move(logger))
    {
        loadRoots();
    }

    void loadRoots()
    {
        readRoots();
        // Written only when missing, so that opening needs no write. A store
        // that may not be written has its roots already, or none to find; a
        // temporary one gets them, as they are no caller's write.
        if (rootIds.size() == std::size(Roots) || (database.readOnly() && !database.temporary()))
            return;
        insertRoots();
        readRoots();
    }

    void readRoots()
    {
        for (const RootKey& rootKey : Roots) {
            Query select(database, Sql::RootId);
            select.bind(1, foldCase(rootKey.name));
            // An unreadable root stays unknown: its handle then reports an invalid handle.
            if (select.step() == SQLITE_ROW)
                rootIds[rootKey.handle] = select.integer(0);
        }
    }

    void insertRoots()
    {
        database.setUp([this] {
            for (const RootKey& rootKey : Roots) {
                Query insert(database, Sql::InsertRoot);
                insert.bind(1, std::string_view(rootKey.name)).bind(2, foldCase(rootKey.name));
                const int code = insert.step();
                if (code != SQLITE_DONE)
                    return database.failure(code, "creating the roots");
            }
            return status::Success;
        });
    }

    // The key a handle stands for, checking that it was opened with `needed` rights.
    Status keyOf(Handle handle, std::uint32_t needed, std::int64_t& id) const
    {
        if (isRoot(handle)) {
            const auto found = rootIds.find(handle);
            if (found == rootIds.end())
                return status::InvalidHandle;
            id = found->second;
            return status::Success;
        }
        const auto found = handles.find(handle);
        if (found == handles.end())
            return status::InvalidHandle;
        if ((found->second.access & needed) != needed)
            return status::AccessDenied;
        id = found->second.id;
        return status::Success;
    }

    // 0 while the key exists, 1010 once it has been deleted.
    Status keyStatus(std::int64_t id)
    {
        Query query(database, Sql::KeyExists);
        query.bind(1, id);
        const int code = query.step();
        if (code == SQLITE_ROW)
            return status::Success;
        if (code == SQLITE_DONE)
            return status::KeyDeleted;
        return database.failure(code, "reading a key");
    }

    // The status for something missing below `id`: 2, or 1010 when `id` itself is gone.
    Status missingBelow(std::int64_t id, Status missing)
    {
        const Status parent = keyStatus(id);
        return parent == status::Success ? missing : parent;
    }

    Status child(std::int64_t parent, std::string_view name, std::int64_t& id)
    {
        Query query(database, Sql::ChildKey);
        query.bind(1, parent).bind(2, foldCase(name));
        const int code = query.step();
        if (code == SQLITE_ROW) {
            id = query.integer(0);
            return status::Success;
        }
        if (code == SQLITE_DONE)
            return status::FileNotFound;
        return database.failure(code, "reading a key");
    }

    Status walk(std::int64_t base, std::int64_t& id)
    {
        if (names.empty()) {
            id = base;
            return keyStatus(base);
        }
        std::int64_t current = base;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const Status found = child(current, names[i], current);
            if (found == status::FileNotFound && i == 0)
                return missingBelow(base, found);
            if (found != status::Success)
                return found;
        }
        id = current;
        return status::Success;
    }

    Status insertKey(std::int64_t parent, std::string_view name, std::int64_t& id)
    {
        Query insert(database, Sql::InsertKey);
        insert.bind(1, parent).bind(2, name).bind(3, foldCase(name));
        const int code = insert.step();
        if (code != SQLITE_DONE)
            return database.failure(code, "creating a key");
        id = sqlite3_last_insert_rowid(sqlite3_db_handle(database.statement(Sql::InsertKey)));
        return status::Success;
    }

    Handle allocateHandle(std::int64_t id, std::uint32_t access)
    {
        while (handles.contains(nextHandle) || isRoot(nextHandle) || nextHandle == 0)
            ++nextHandle;
        const Handle handle = nextHandle++;
        handles[handle] = OpenKey{id, access};
        return handle;
    }

    Status run(Sql sql, std::int64_t id, std::string_view what)
    {
        Query query(database, sql);
        query.bind(1, id);
        const int code = query.step();
        return code == SQLITE_DONE ? status::Success : database.failure(code, what);
    }

    Status hasSubKeys(std::int64_t id, bool& result)
    {
        Query query(database, Sql::HasSubKey);
        query.bind(1, id);
        const int code = query.step();
        if (code != SQLITE_ROW && code != SQLITE_DONE)
            return database.failure(code, "reading a key");
        result = code == SQLITE_ROW;
        return status::Success;
    }
};

Store::Store(std::filesystem::path databaseFile, Logger logger)
    : impl_(std::make_unique<Impl>(std::move(databaseFile), std::move(logger)))
{
}

Store::~Store() = default;

std::filesystem::path Store::defaultLocation()
{
    if (const char* explicitFile = std::getenv("GEARSUITE_REGISTRY"); explicitFile && *explicitFile)
        return explicitFile;
    std::filesystem::path configFolder;
    std::error_code ignored;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/')
        configFolder = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        configFolder = std::filesystem::path(home) / ".config";
    else
        configFolder = std::filesystem::current_path(ignored);
    return configFolder / "gearsuite" / "registry.sqlite3";
}

Store& Store::currentUser()
{
    static Store store(defaultLocation());
    return store;
}

const std::filesystem::path& Store::databaseFile() const
{
    return impl_->database.file();
}

Status Store::openKey(Handle key, std::string_view subKey, std::uint32_t accessMask, Handle& result)
{
    result = 0;
    std::int64_t base = 0;
    if (const Status found = impl_->keyOf(key, 0, base); found != status::Success)
        return found;
    if (const Status parsed = splitPath(subKey, impl_->names); parsed != status::Success)
        return parsed;
    std::int64_t id = 0;
    if (const Status walked = impl_->walk(base, id); walked != status::Success)
        return walked;
    result = impl_->allocateHandle(id, accessMask);
    return status::Success;
}

Status Store::createKey(Handle key, std::string_view subKey, std::uint32_t accessMask, Handle& result,
                        Disposition* disposition)
{
    result = 0;
    std::int64_t base = 0;
    if (const Status found = impl_->keyOf(key, 0, base); found != status::Success)
        return found;
    if (const Status parsed = splitPath(subKey, impl_->names); parsed != status::Success)
        return parsed;
    const bool mayCreate = isRoot(key) || (impl_->handles.at(key).access & access::CreateSubKey);

    std::int64_t id = 0;
    // An existing key needs no write, so it opens in a store we may only read as well.
    if (impl_->walk(base, id) == status::Success) {
        if (disposition)
            *disposition = Disposition::OpenedExistingKey;
        result = impl_->allocateHandle(id, accessMask);
        return status::Success;
    }
    bool created = false;
    const Status written = impl_->database.write([&] {
        if (const Status parent = impl_->keyStatus(base); parent != status::Success)
            return parent;
        std::int64_t current = base;
        for (std::string_view name : impl_->names) {
            Status found = impl_->child(current, name, current);
            if (found == status::FileNotFound) {
                if (!mayCreate)
                    return status::AccessDenied;
                found = impl_->insertKey(current, name, current);
                created = true;
            }
            if (found != status::Success)
                return found;
        }
        id = current;
        return status::Success;
    });
    if (written != status::Success)
        return written;
    if (disposition)
        *disposition = created ? Disposition::CreatedNewKey : Disposition::OpenedExistingKey;
    result = impl_->allocateHandle(id, accessMask);
    return status::Success;
}

Status Store::closeKey(Handle key)
{
    if (isRoot(key))
        return status::Success;
    return impl_->handles.erase(key) == 1 ? status::Success : status::InvalidHandle;
}

Status Store::connectRegistry(std::string_view machineName, Handle rootKey, Handle& result)
{
    result = 0;
    if (!isRoot(rootKey))
        return status::InvalidHandle;
    if (!isThisMachine(machineName))
        return status::BadNetPath;
    result = rootKey;
    return status::Success;
}

Status Store::queryValue(Handle key, std::string_view valueName, Value& value)
{
    std::int64_t id = 0;
    if (const Status found = impl_->keyOf(key, access::QueryValue, id); found != status::Success)
        return found;
    if (!validValueName(valueName))
        return status::InvalidParameter;
    Query query(impl_->database, Sql::SelectValue);
    query.bind(1, id).bind(2, foldCase(valueName));
    const int code = query.step();
    if (code == SQLITE_ROW) {
        value.type = static_cast<std::uint32_t>(query.integer(0));
        value.data = query.blob(1);
        return status::Success;
    }
    if (code == SQLITE_DONE)
        return impl_->missingBelow(id, status::FileNotFound);
    return impl_->database.failure(code, "reading a value");
}

Status Store::queryValue(Handle key, std::string_view valueName, std::uint32_t* valueType, std::uint8_t* data,
                         std::uint32_t* size)
{
    if (data && !size)
        return status::InvalidParameter;
    Value value;
    if (const Status read = queryValue(key, valueName, value); read != status::Success)
        return read;
    if (valueType)
        *valueType = value.type;
    if (!size)
        return status::Success;
    const auto needed = static_cast<std::uint32_t>(value.data.size());
    if (data && *size < needed) {
        *size = needed;
        return status::MoreData;
    }
    *size = needed;
    if (data && needed > 0)
        std::memcpy(data, value.data.data(), needed);
    return status::Success;
}

Status Store::setValue(Handle key, std::string_view valueName, const Value& value)
{
    std::int64_t id = 0;
    if (const Status found = impl_->keyOf(key, access::SetValue, id); found != status::Success)
        return found;
    if (!validValueName(valueName))
        return status::InvalidParameter;
    return impl_->database.write([&] {
        if (const Status exists = impl_->keyStatus(id); exists != status::Success)
            return exists;
        Query upsert(impl_->database, Sql::UpsertValue);
        upsert.bind(1, id).bind(2, valueName).bind(3, foldCase(valueName));
        upsert.bind(4, static_cast<std::int64_t>(value.type)).bindBlob(5, value.data);
        const int code = upsert.step();
        return code == SQLITE_DONE ? status::Success : impl_->database.failure(code, "writing a value");
    });
}

Status Store::deleteValue(Handle key, std::string_view valueName)
{
    std::int64_t id = 0;
    if (const Status found = impl_->keyOf(key, access::SetValue, id); found != status::Success)
        return found;
    if (!validValueName(valueName))
        return status::InvalidParameter;
    return impl_->database.write([&] {
        Query erase(impl_->database, Sql::DeleteValue);
        erase.bind(1, id).bind(2, foldCase(valueName));
        const int code = erase.step();
        if (code != SQLITE_DONE)
            return impl_->database.failure(code, "deleting a value");
        if (impl_->database.changes() == 0)
            return impl_->missingBelow(id, status::FileNotFound);
        return status::Success;
    });
}

Status Store::deleteKey(Handle key, std::string_view subKey)
{
    std::int64_t base = 0;
    if (const Status found = impl_->keyOf(key, 0, base); found != status::Success)
        return found;
    if (const Status parsed = splitPath(subKey, impl_->names); parsed != status::Success)
        return parsed;
    if (impl_->names.empty() && isRoot(key))
        return status::AccessDenied;
    return impl_->database.write([&] {
        std::int64_t id = 0;
        if (const Status walked = impl_->walk(base, id); walked != status::Success)
            return walked;
        bool hasSubKeys = false;
        if (const Status read = impl_->hasSubKeys(id, hasSubKeys); read != status::Success)
            return read;
        if (hasSubKeys)
            return status::AccessDenied;
        if (const Status erased = impl_->run(Sql::DeleteKeyValues, id, "deleting a key"); erased != status::Success)
            return erased;
        return impl_->run(Sql::DeleteKeyRow, id, "deleting a key");
    });
}

Status Store::deleteTree(Handle key, std::string_view subKey)
{
    std::int64_t base = 0;
    if (const Status found = impl_->keyOf(key, 0, base); found != status::Success)
        return found;
    if (const Status parsed = splitPath(subKey, impl_->names); parsed != status::Success)
        return parsed;
    const bool keepTop = impl_->names.empty();
    return impl_->database.write([&] {
        std::int64_t id = 0;
        if (const Status walked = impl_->walk(base, id); walked != status::Success)
            return walked;
        if (keepTop) {
            if (const Status erased = impl_->run(Sql::DeleteBelowValues, id, "deleting a tree");
                erased != status::Success)
                return erased;
            return impl_->run(Sql::DeleteBelowKeys, id, "deleting a tree");
        }
        if (const Status erased = impl_->run(Sql::DeleteTreeValues, id, "deleting a tree"); erased != status::Success)
            return erased;
        return impl_->run(Sql::DeleteTreeKeys, id, "deleting a tree");
    });
}

Status Store::enumKey(Handle key, std::uint32_t index, std::string& name)
{
    std::int64_t id = 0;
    if (const Status found = impl_->keyOf(key, access::EnumerateSubKeys, id); found != status::Success)
        return found;
    Query query(impl_->database, Sql::EnumKey);
    query.bind(1, id).bind(2, static_cast<std::int64_t>(index));
    const int code = query.step();
    if (code == SQLITE_ROW) {
        name = query.text(0);
        return status::Success;
    }
    if (code == SQLITE_DONE)
        return impl_->missingBelow(id, status::NoMoreItems);
    return impl_->database.failure(code, "listing keys");
}

Status Store::enumValue(Handle key, std::uint32_t index, std::string& name, Value& value)
{
    std::int64_t id = 0;
    if (const Status found = impl_->keyOf(key, access::QueryValue, id); found != status::Success)
        return found;
    Query query(impl_->database, Sql::EnumValue);
    query.bind(1, id).bind(2, static_cast<std::int64_t>(index));
    const int code = query.step();
    if (code == SQLITE_ROW) {
        name = query.text(0);
        value.type = static_cast<std::uint32_t>(query.integer(1));
        value.data = query.blob(2);
        return status::Success;
    }
    if (code == SQLITE_DONE)
        return impl_->missingBelow(id, status::NoMoreItems);
    return impl_->database.failure(code, "listing values");
}

Status Store::inTransaction(const std::function<Status()>& work)
{
    return impl_->database.write(work);
}

} // namespace registry
