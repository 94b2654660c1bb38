#include "drawing/SettingsStore.h"

#include <iostream>

namespace vantrope {

namespace {

std::string keyPath(std::string_view appName, std::string_view section)
{
    std::string path = "Software\\Tesmark\\";
    path += appName;
    path += '\\';
    path += section;
    return path;
}

} // namespace

RegistrySettingsStore::RegistrySettingsStore(registry::Store& store, Logger logger)
    : store_(store), logger_(std::move(logger))
{
}

void RegistrySettingsStore::log(const std::string& message) const
{
    if (logger_)
        logger_(message);
    else
        std::cerr << message << '\n';
}

std::string RegistrySettingsStore::GetSetting(std::string_view appName, std::string_view section,
                                              std::string_view key, std::string_view defaultValue)
{
    registry::Handle handle = 0;
    if (store_.openKey(registry::root::CurrentUser, keyPath(appName, section), registry::access::Read, handle) != 0)
        return std::string(defaultValue);
    registry::Value value;
    registry::Status status = store_.queryValue(handle, key, value);
    store_.closeKey(handle);
    if (status != 0)
        return std::string(defaultValue);
    std::optional<std::string> text = value.asText();
    return text ? *text : std::string(defaultValue);
}

bool RegistrySettingsStore::SaveSetting(std::string_view appName, std::string_view section, std::string_view key,
                                        std::string_view value)
{
    registry::Handle handle = 0;
    std::string path = keyPath(appName, section);
    registry::Status status = store_.createKey(registry::root::CurrentUser, path, registry::access::All, handle);
    if (status == 0) {
        status = store_.setValue(handle, key, registry::Value::text(value));
        store_.closeKey(handle);
    }
    if (status != 0) {
        log("the setting " + path + "\\" + std::string(key) + " was not saved (status " + std::to_string(status) +
            ")");
        return false;
    }
    return true;
}

bool RegistrySettingsStore::saveTogether(const std::function<bool()>& saves)
{
    // A failed save rolls back the others, so another program never reads
    // half of one program's settings.
    constexpr registry::Status NotKept = 1016;
    return store_.inTransaction([&saves] { return saves() ? registry::Status{0} : NotKept; }) == 0;
}

} // namespace vantrope
