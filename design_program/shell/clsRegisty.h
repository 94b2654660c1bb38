#pragma once

#include "shell/T_RegistryIO.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cindrel::shell {

// What the settings object needs of the rest of the program: the design-file
// object and the main window's File menu. Set once those exist; until then
// the settings object does without them.
class SettingsHost {
public:
    virtual ~SettingsHost() = default;
    // The active design is still the default design (nothing saved under a name of its own).
    virtual bool activeDesignIsDefault() const = 0;
    // A message box with an OK button and the program's title.
    virtual void showMessage(std::string_view text) = 0;
    // Opens a design file as File > Open does.
    virtual void openDesignFile(const std::string& path) = 0;
    // The recent-file entries of the File menu, in order, already captioned.
    virtual void showRecentFiles(const std::vector<std::string>& captions) = 0;
};

// A window's place, in twips; windowState 0 normal, 1 minimised, 2 maximised.
struct WindowPlacement {
    double left = 0, top = 0, width = 0, height = 0;
    int windowState = 0;

    bool operator==(const WindowPlacement&) const = default;
};

// Every user preference, window positions and the recent-files list, kept in
// the registry of the current user. Getters read the registry at each call and
// setters write at once; only the CSV switch and the recent-files list are
// held in memory.
class clsRegisty {
public:
    // userFilesFolder: the default starting folder of the design-file dialogs.
    clsRegisty(runtime::RunLog& runLog, registry::Store& store, std::string userFilesFolder);
    ~clsRegisty(); // writes the recent-files list back
    clsRegisty(const clsRegisty&) = delete;
    clsRegisty& operator=(const clsRegisty&) = delete;

    void setHost(SettingsHost* host) { host_ = host; }

    bool AutoUpdate();
    void AutoUpdate(bool value);
    bool UpDatePinListEveryTime();
    void DecimalPrecision(std::string_view value);
    // A number-format pattern; index 0 is the stored choice.
    std::string DecimalPrecision2(std::int32_t index);
    std::int32_t FileVersionCheck();
    void FileVersionCheck(std::int32_t value); // 0 or 1; others ignored
    bool ShowMensButts();
    void ShowMensButts(bool value);
    std::int32_t DiamRad();
    void DiamRad(std::int32_t value); // 1 radii, 2 diameters; others ignored
    std::int32_t Graphfontsize();
    void Graphfontsize(std::int32_t value); // limited to 8..14, even
    bool CreateCSV();
    void CreateCSV(bool value);
    std::int32_t SubSurfaceLongPrint();
    void SubSurfaceLongPrint(std::int32_t value);
    bool ShowEquation();
    void ShowEquation(bool value);
    std::string ScrnOutFontName();
    void ScrnOutFontName(std::string_view value);
    std::int32_t ScrnOutFontSize();
    void ScrnOutFontSize(double value); // limited to 4..16
    std::string UserFilesLocation();
    void UserFilesLocation(std::string_view value);
    std::int32_t RecentFileNumberOf();
    void RecentFileNumberOf(std::int32_t value);
    bool ShowErrors();
    void ShowErrors(bool value);

    // The user's address block, by value name (UserName, CompanyName,
    // AddressLine1, AddressLine2, City, State, ZipCode, PhoneNumber, EMail, WebSite).
    std::string UserInfo(std::string_view valueName);
    void UserInfo(std::string_view valueName, std::string_view value);

    void SaveWindowPosition(std::string_view windowName, const WindowPlacement& placement);
    // The stored place; what is not stored keeps `current` (Left and Top default to 100).
    WindowPlacement GetWindowPosition(std::string_view windowName, const WindowPlacement& current);

    // Recent files, most recent first; entries compare as exact texts.
    const std::vector<std::string>& RecentFiles() const { return recentFiles_; }
    void RUF_AddFile2Coll(const std::string& path);
    void RUF_2Registry();
    void RUF_FromRegistry();
    void RUF_2Menu();
    void RUF_MenuClick(std::int16_t Index);
    void DeleteRUF_Entry(const std::string& FileName);

    T_RegistryIO& registryIO() { return io_; }

private:
    void UseUserSettingsKey();

    runtime::RunLog& runLog_;
    T_RegistryIO io_;
    std::string userFilesFolder_;
    SettingsHost* host_ = nullptr;
    bool csvSwitch_ = false;
    bool csvWarned_ = false;
    std::vector<std::string> recentFiles_;
};

// The caption of a recent-file menu entry: "1;   pair one.cnd".
std::string recentFileCaption(int position, std::string_view path);

} // namespace cindrel::shell
