#pragma once

#include "ComponentObject.h"
#include "IniContent.h"

#include <cstdint>
#include <string>

namespace brimlock {

// An INI file held in memory: Open reads it, the Get and Set members work on
// the copy, Save writes it back. Nothing is written unless Save is called.
class INIFile final : public ComponentObject<IINIFile> {
public:
    INIFile(component::ModuleLocks& module, component::IUnknown* outer) noexcept;

    HResult get_Dirty(bool* dirty) override;
    HResult get_IsNew(bool* isNew) override;
    HResult get_FileName(std::string* fileName) override;
    HResult Open(const std::string& fileName) override;
    HResult Save(const std::string& fileName) override;
    HResult get_LineBreakMarker(std::string* marker) override;
    HResult put_LineBreakMarker(const std::string& marker) override;
    HResult Clear() override;
    HResult GetString(const std::string& section, const std::string& key, const std::string& defaultValue, std::string* value) override;
    HResult GetBoolean(const std::string& section, const std::string& key, bool defaultValue, bool* value) override;
    HResult GetLong(const std::string& section, const std::string& key, std::int32_t defaultValue, std::int32_t* value) override;
    HResult GetDouble(const std::string& section, const std::string& key, double defaultValue, double* value) override;
    HResult GetCurrency(const std::string& section, const std::string& key, std::int64_t defaultValue, std::int64_t* value) override;
    HResult GetDate(const std::string& section, const std::string& key, double defaultValue, double* value) override;
    HResult SetString(const std::string& section, const std::string& key, const std::string& value) override;
    HResult SetBoolean(const std::string& section, const std::string& key, bool value) override;
    HResult SetLong(const std::string& section, const std::string& key, std::int32_t value) override;
    HResult SetDouble(const std::string& section, const std::string& key, double value) override;
    HResult SetCurrency(const std::string& section, const std::string& key, std::int64_t value) override;
    HResult SetDate(const std::string& section, const std::string& key, double value) override;
    HResult DeleteSection(const std::string& section) override;
    HResult DeleteKey(const std::string& section, const std::string& key) override;
    HResult KeyExists(const std::string& section, const std::string& key, bool* exists) override;
    HResult SectionExists(const std::string& section, bool* exists) override;
    HResult SectionNames(std::vector<std::string>* names) override;
    HResult KeyNames(const std::string& section, std::vector<std::string>* names) override;
    HResult ValueLength(const std::string& section, const std::string& key, std::int32_t* length) override;

private:
    // Stores a value text, Dirty set; nothing changed when it fails.
    HResult store(const std::string& section, const std::string& key, std::string text);
    // A Get: the stored text converted, Default when the key is not there.
    template <class T, class Convert>
    HResult lookUpAs(const std::string& section, const std::string& key, const T& defaultValue, T* value,
                     Convert convert) const;
    // The value with the marker standing for CR LF, as GetString returns it.
    std::string withLineBreaks(std::string text) const;

    IniContent content_;
    std::string lineBreakMarker_;
    bool dirty_ = false;
    bool isNew_ = true;
    std::string fileName_;
};

} // namespace brimlock
