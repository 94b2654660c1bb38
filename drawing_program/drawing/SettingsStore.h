#pragma once

#include "registry/Store.h"

#include <functional>
#include <string>
#include <string_view>

namespace vantrope {

// The per-user program settings: text values addressed by application name,
// section and key; a missing key gives the caller's default.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string GetSetting(std::string_view appName, std::string_view section, std::string_view key,
                                   std::string_view defaultValue) = 0;
    // False when the value was not kept (the failure is logged by the store).
    virtual bool SaveSetting(std::string_view appName, std::string_view section, std::string_view key,
                             std::string_view value) = 0;
    // Runs several saves as one change: kept together or not at all. False
    // when they were not kept.
    virtual bool saveTogether(const std::function<bool()>& saves) { return saves(); }
};

// The settings on the registry store, under Software\Tesmark\<app>\<section>.
// A value that is not text reads as missing. Failures go to the logger.
class RegistrySettingsStore : public SettingsStore {
public:
    using Logger = std::function<void(std::string_view message)>;

    explicit RegistrySettingsStore(registry::Store& store, Logger logger = {});

    std::string GetSetting(std::string_view appName, std::string_view section, std::string_view key,
                           std::string_view defaultValue) override;
    bool SaveSetting(std::string_view appName, std::string_view section, std::string_view key,
                     std::string_view value) override;
    bool saveTogether(const std::function<bool()>& saves) override;

private:
    void log(const std::string& message) const;

    registry::Store& store_;
    Logger logger_;
};

} // namespace vantrope
