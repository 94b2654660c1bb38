#include "dialogs/mAPI_misc.h"

#include "dialogs/CommonDialogs.h"
#include "runtime/RuntimeError.h"

#include <QColor>
#include <QString>

#include <charconv>
#include <optional>

namespace vantrope {

namespace {

constexpr const char* ColorSection = "CustomColors";

// A stored byte: a whole decimal number from 0 to 255, blanks around allowed.
std::optional<std::uint8_t> storedByte(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::nullopt;
    const auto last = text.find_last_not_of(" \t");
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    unsigned value = 0;
    auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end || value > 255)
        return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

QColor colorAt(const mAPI_misc::ColorBytes& bytes, int index)
{
    const auto i = static_cast<std::size_t>(index) * 4;
    return QColor(bytes[i], bytes[i + 1], bytes[i + 2]);
}

} // namespace

std::string folderPart(const std::string& fileName)
{
    const auto slash = fileName.rfind('/');
    return slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
}

mAPI_misc::mAPI_misc(SettingsStore& store, std::string appName, const std::string& dialogFileName,
                     std::string programFolder, runtime::ErrorReporter& log)
    : store_(store), appName_(std::move(appName)), dialogFileName_(dialogFileName),
      programFolder_(std::move(programFolder)), log_(log)
{
}

mAPI_misc::ColorBytes mAPI_misc::readCustomColors()
{
    ColorBytes bytes{};
    for (int i = 0; i < CustomColorBytes; ++i) {
        const std::string key = std::to_string(i);
        const std::string text = store_.GetSetting(appName_, ColorSection, key, "255");
        if (auto byte = storedByte(text)) {
            bytes[static_cast<std::size_t>(i)] = *byte;
            continue;
        }
        bytes[static_cast<std::size_t>(i)] = 255;
        log_.reportError("mAPI_misc", "ShowColor", std::to_string(runtime::TypeMismatch),
                         runtime::errorDescription(runtime::TypeMismatch),
                         std::string(ColorSection) + "\\" + key + " = \"" + text + "\"");
    }
    return bytes;
}

void mAPI_misc::writeCustomColors(const ColorBytes& bytes)
{
    // All 64 keys as one change, so a crash never leaves half a palette.
    store_.saveTogether([&] {
        bool kept = true;
        for (int i = 0; i < CustomColorBytes; ++i)
            kept = store_.SaveSetting(appName_, ColorSection, std::to_string(i),
                                      std::to_string(bytes[static_cast<std::size_t>(i)])) &&
                   kept;
        return kept;
    });
}

std::int32_t mAPI_misc::ShowColor(QWidget* /*Owner*/, std::int32_t Color)
{
    ColorBytes bytes = readCustomColors();
    dialogs::ColorDialogRequest request;
    for (int c = 0; c < dialogs::CustomColorCount; ++c)
        request.customColors[static_cast<std::size_t>(c)] = colorAt(bytes, c);
    // No preselected colour and the basic form, as the chooser is set up with
    // no flags.
    request.flags = 0;
    const dialogs::ColorDialogAnswer answer = dialogs::showColorDialog(request);

    for (int c = 0; c < dialogs::CustomColorCount; ++c) {
        const QColor edited = answer.customColors[static_cast<std::size_t>(c)];
        if (!edited.isValid() || edited.rgb() == colorAt(bytes, c).rgb())
            continue; // unchanged: its fourth byte stays as stored
        const auto i = static_cast<std::size_t>(c) * 4;
        const QColor rgb = edited.toRgb();
        bytes[i] = static_cast<std::uint8_t>(rgb.red());
        bytes[i + 1] = static_cast<std::uint8_t>(rgb.green());
        bytes[i + 2] = static_cast<std::uint8_t>(rgb.blue());
        bytes[i + 3] = 0;
    }
    writeCustomColors(bytes);

    if (answer.cancelled || !answer.color.isValid())
        return Color;
    return static_cast<std::int32_t>(dialogs::colorToNumber(answer.color));
}

dialogs::FileDialogRequest mAPI_misc::FileDialog(QWidget* /*Owner*/, std::string& Filter) const
{
    if (Filter.empty())
        Filter = DefaultFileFilter;
    dialogs::FileDialogRequest request;
    request.filter = QString::fromStdString(Filter);
    request.filterIndex = 0;
    request.fileName = QString::fromStdString(dialogFileName_);
    request.initialFolder =
        QString::fromStdString(dialogFileName_.empty() ? programFolder_ : folderPart(dialogFileName_));
    request.flags = 0;
    return request;
}

std::string mAPI_misc::runFileDialog(QWidget* Owner, std::string Filter, dialogs::FileDialogMode mode)
{
    dialogs::FileDialogRequest request = FileDialog(Owner, Filter);
    request.mode = mode;
    if (mode == dialogs::FileDialogMode::Save)
        request.flags |= dialogs::FileOverwritePrompt;
    const dialogs::FileDialogAnswer answer = dialogs::showFileDialog(request);
    if (answer.cancelled)
        return {};
    std::string name = answer.path().toStdString();
    // The name ends at its first NUL, as the dialog's buffer is read.
    if (auto nul = name.find('\0'); nul != std::string::npos)
        name.resize(nul);
    return name;
}

std::string mAPI_misc::ShowOpenDialog(QWidget* Owner, std::string Filter)
{
    return runFileDialog(Owner, std::move(Filter), dialogs::FileDialogMode::Open);
}

std::string mAPI_misc::ShowSaveDialog(QWidget* Owner, std::string Filter)
{
    return runFileDialog(Owner, std::move(Filter), dialogs::FileDialogMode::Save);
}

} // namespace vantrope
