#include "shell/clsRegisty.h"

#include "runtime/CheckedMath.h"
#include "runtime/ResumeNext.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <algorithm>
#include <new>

namespace cindrel::shell {

namespace {

constexpr const char* BasePath = "Software\\Tesmark\\Cindrel\\";
constexpr const char* Preferences = "Preferences";
constexpr const char* RecentFilesKey = "Files\\RecentFiles";
constexpr std::int32_t CurrentUser = static_cast<std::int32_t>(registry::root::CurrentUser);

std::string windowKey(std::string_view windowName)
{
    return "Windows\\" + std::string(windowName);
}

} // namespace

std::string recentFileCaption(int position, std::string_view path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    return std::to_string(position) + ";   " + std::string(name);
}

clsRegisty::clsRegisty(runtime::RunLog& runLog, registry::Store& store, std::string userFilesFolder)
    : runLog_(runLog), io_(runLog, store), userFilesFolder_(std::move(userFilesFolder))
{
    runLog_.writeRunNote("Loading API access registry Class T_RegistryIO");
    UseUserSettingsKey();
    runLog_.writeRunNote(BasePath);
    csvSwitch_ = io_.ReadBoolean(Preferences, "CreateCSV", false);
    RUF_FromRegistry();
}

clsRegisty::~clsRegisty()
{
    RUF_2Registry();
}

void clsRegisty::UseUserSettingsKey()
{
    io_.Root = CurrentUser;
    io_.Path = BasePath;
}

bool clsRegisty::AutoUpdate()
{
    UseUserSettingsKey();
    return io_.ReadBoolean(Preferences, "AutoUpdate", true);
}

void clsRegisty::AutoUpdate(bool value)
{
    UseUserSettingsKey();
    io_.WriteBoolean(Preferences, "AutoUpdate", value);
}

bool clsRegisty::UpDatePinListEveryTime()
{
    UseUserSettingsKey();
    return io_.ReadBoolean(Preferences, "UpdatePinList", false);
}

void clsRegisty::DecimalPrecision(std::string_view value)
{
    UseUserSettingsKey();
    io_.WriteString(Preferences, "DecimalPrecision2", value);
}

std::string clsRegisty::DecimalPrecision2(std::int32_t index)
{
    if (index == 0) {
        UseUserSettingsKey();
        index = io_.ReadLong(Preferences, "DecimalPrecision2", 3);
    }
    static constexpr const char* patterns[] = {"#,##0.0", "#,##0.00", "#,##0.000", "#,##0.0000", "#,##0.00000",
                                               "#0.0",    "#0.00",    "#0.000",    "#0.0000",    "#0.00000"};
    if (index < 1 || index > 10)
        return "#,##0.000";
    return patterns[index - 1];
}

std::int32_t clsRegisty::FileVersionCheck()
{
    UseUserSettingsKey();
    return io_.ReadLong(Preferences, "FileVersionCheck", 0);
}

void clsRegisty::FileVersionCheck(std::int32_t value)
{
    if (value != 0 && value != 1)
        return;
    UseUserSettingsKey();
    io_.WriteLong(Preferences, "FileVersionCheck", value);
}

bool clsRegisty::ShowMensButts()
{
    UseUserSettingsKey();
    return io_.ReadBoolean(Preferences, "ShowMenusAndButtons", true);
}

void clsRegisty::ShowMensButts(bool value)
{
    UseUserSettingsKey();
    io_.WriteBoolean(Preferences, "ShowMenusAndButtons", value);
}

std::int32_t clsRegisty::DiamRad()
{
    UseUserSettingsKey();
    return io_.ReadLong(Preferences, "DiamRadius", 1);
}

void clsRegisty::DiamRad(std::int32_t value)
{
    if (value != 1 && value != 2)
        return;
    UseUserSettingsKey();
    io_.WriteLong(Preferences, "DiamRadius", value);
}

std::int32_t clsRegisty::Graphfontsize()
{
    UseUserSettingsKey();
    return io_.ReadLong(Preferences, "GraphSizeFont", 10);
}

void clsRegisty::Graphfontsize(std::int32_t value)
{
    const double limited = std::clamp(value, 8, 14);
    UseUserSettingsKey();
    io_.WriteLong(Preferences, "GraphSizeFont", static_cast<std::int32_t>(2 * runtime::roundHalfEven(limited / 2)));
}

bool clsRegisty::CreateCSV()
{
    if (!csvSwitch_)
        return false;
    if (host_ == nullptr || host_->activeDesignIsDefault()) {
        if (!csvWarned_ && host_ != nullptr) {
            csvWarned_ = true;
            host_->showMessage("Won't print variables to *.CSV files until you save the run");
        }
        return false;
    }
    return true;
}

void clsRegisty::CreateCSV(bool value)
{
    UseUserSettingsKey();
    io_.WriteBoolean(Preferences, "CreateCSV", value);
    csvSwitch_ = value;
}

std::int32_t clsRegisty::SubSurfaceLongPrint()
{
    UseUserSettingsKey();
    return io_.ReadLong(Preferences, "SubSurfaceLongPrint", 0);
}

void clsRegisty::SubSurfaceLongPrint(std::int32_t value)
{
    UseUserSettingsKey();
    io_.WriteLong(Preferences, "SubSurfaceLongPrint", value);
}

bool clsRegisty::ShowEquation()
{
    UseUserSettingsKey();
    return io_.ReadBoolean(Preferences, "ShowEquation", true);
}

void clsRegisty::ShowEquation(bool value)
{
    UseUserSettingsKey();
    io_.WriteBoolean(Preferences, "ShowEquation", value);
}

std::string clsRegisty::ScrnOutFontName()
{
    UseUserSettingsKey();
    return io_.ReadString(Preferences, "ScrnOutFontName", "Arial");
}

void clsRegisty::ScrnOutFontName(std::string_view value)
{
    UseUserSettingsKey();
    io_.WriteString(Preferences, "ScrnOutFontName", value);
}

std::int32_t clsRegisty::ScrnOutFontSize()
{
    UseUserSettingsKey();
    const std::string stored = io_.ReadString(Preferences, "ScrnOutFontSize", "10");
    return runtime::toInt32(runtime::leadingNumber(stored));
}

void clsRegisty::ScrnOutFontSize(double value)
{
    const double limited = std::clamp(runtime::checkFinite(value), 4.0, 16.0);
    UseUserSettingsKey();
    io_.WriteString(Preferences, "ScrnOutFontSize", runtime::numberText(limited));
}

std::string clsRegisty::UserFilesLocation()
{
    UseUserSettingsKey();
    return io_.ReadString("Files", "UserFilesLocation", userFilesFolder_);
}

void clsRegisty::UserFilesLocation(std::string_view value)
{
    UseUserSettingsKey();
    io_.WriteString("Files", "UserFilesLocation", value);
}

std::int32_t clsRegisty::RecentFileNumberOf()
{
    UseUserSettingsKey();
    return io_.ReadLong(Preferences, "RecentFileNumberOf", 5);
}

void clsRegisty::RecentFileNumberOf(std::int32_t value)
{
    UseUserSettingsKey();
    io_.WriteLong(Preferences, "RecentFileNumberOf", value);
}

bool clsRegisty::ShowErrors()
{
    // Stored as a true/false text, so it is read as one (a whole-number read
    // of "True" would always give false).
    UseUserSettingsKey();
    return io_.ReadBoolean(Preferences, "ShowErrors", false);
}

void clsRegisty::ShowErrors(bool value)
{
    UseUserSettingsKey();
    io_.WriteBoolean(Preferences, "ShowErrors", value);
}

std::string clsRegisty::UserInfo(std::string_view valueName)
{
    UseUserSettingsKey();
    return io_.ReadString("UserInfo", valueName, "");
}

void clsRegisty::UserInfo(std::string_view valueName, std::string_view value)
{
    UseUserSettingsKey();
    io_.WriteString("UserInfo", valueName, value);
}

void clsRegisty::SaveWindowPosition(std::string_view windowName, const WindowPlacement& placement)
{
    UseUserSettingsKey();
    const std::string key = windowKey(windowName);
    if (placement.windowState != 1) {
        io_.WriteLong(key, "Left", runtime::toInt32(placement.left));
        io_.WriteLong(key, "Top", runtime::toInt32(placement.top));
        io_.WriteLong(key, "Width", runtime::toInt32(placement.width));
        io_.WriteLong(key, "Height", runtime::toInt32(placement.height));
    }
    io_.WriteLong(key, "WindowState", placement.windowState);
}

WindowPlacement clsRegisty::GetWindowPosition(std::string_view windowName, const WindowPlacement& current)
{
    UseUserSettingsKey();
    const std::string key = windowKey(windowName);
    WindowPlacement placement;
    placement.left = io_.ReadLong(key, "Left", 100);
    placement.top = io_.ReadLong(key, "Top", 100);
    placement.width = io_.ReadLong(key, "Width", runtime::toInt32(current.width));
    placement.height = io_.ReadLong(key, "Height", runtime::toInt32(current.height));
    placement.windowState = io_.ReadLong(key, "WindowState", current.windowState);
    return placement;
}

void clsRegisty::RUF_AddFile2Coll(const std::string& path)
{
    const auto listed = std::find(recentFiles_.begin(), recentFiles_.end(), path);
    if (listed != recentFiles_.end())
        recentFiles_.erase(listed);
    if (recentFiles_.empty()) {
        recentFiles_.push_back(path);
    } else {
        const std::int32_t length = RecentFileNumberOf();
        if (length >= 1 && static_cast<std::size_t>(length) == recentFiles_.size())
            recentFiles_.erase(recentFiles_.begin() + (length - 1));
        recentFiles_.insert(recentFiles_.begin(), path);
    }
    RUF_2Menu();
    RUF_2Registry();
}

void clsRegisty::RUF_2Registry()
{
    registry::Handle key = 0;
    try {
        const std::int16_t length = runtime::toInt16(RecentFileNumberOf());
        UseUserSettingsKey();
        key = io_.OpenKey(RecentFilesKey, registry::access::Write);
        if (key != 0) {
            for (int i = 1; io_.store().deleteValue(key, "File" + std::to_string(i)) == registry::status::Success; ++i) {
            }
            io_.store().closeKey(key);
            key = 0;
        }
        for (int i = 1; i <= length && static_cast<std::size_t>(i) <= recentFiles_.size(); ++i)
            io_.WriteString(RecentFilesKey, "File" + std::to_string(i), recentFiles_[i - 1]);
    } catch (const runtime::RuntimeError&) {
        if (key != 0)
            io_.store().closeKey(key);
        runtime::reportError(runLog_, "clsRegistry", "RUF_2Registry", std::current_exception());
    } catch (const std::bad_alloc&) {
        if (key != 0)
            io_.store().closeKey(key);
        runtime::reportError(runLog_, "clsRegistry", "RUF_2Registry", std::current_exception());
    }
}

void clsRegisty::RUF_FromRegistry()
{
    runtime::reportingNumberedOrMemoryErrors(runLog_, "clsRegistry", "RUF_FromRegistry", [&] {
        UseUserSettingsKey();
        std::vector<std::string> files;
        if (const auto values = io_.GetValueNames(RecentFilesKey))
            for (const NamedValue& value : *values)
                files.push_back(value.data);
        recentFiles_ = std::move(files);
    });
}

void clsRegisty::RUF_2Menu()
{
    std::vector<std::string> captions;
    captions.reserve(recentFiles_.size());
    for (std::size_t i = 0; i < recentFiles_.size(); ++i)
        captions.push_back(recentFileCaption(static_cast<int>(i + 1), recentFiles_[i]));
    if (host_ != nullptr)
        host_->showRecentFiles(captions);
}

void clsRegisty::RUF_MenuClick(std::int16_t Index)
{
    if (Index < 1 || static_cast<std::size_t>(Index) > recentFiles_.size())
        runtime::raise(runtime::SubscriptOutOfRange);
    const std::string path = recentFiles_[Index - 1];
    if (host_ != nullptr)
        host_->openDesignFile(path);
}

void clsRegisty::DeleteRUF_Entry(const std::string& FileName)
{
    const auto listed = std::find(recentFiles_.begin(), recentFiles_.end(), FileName);
    if (listed != recentFiles_.end())
        recentFiles_.erase(listed);
}

} // namespace cindrel::shell
