#pragma once

#include "dialogs/DialogTypes.h"
#include "drawing/SettingsStore.h"
#include "runtime/ErrorReporter.h"

#include <array>
#include <cstdint>
#include <string>

class QWidget;

namespace vantrope {

// The colour chooser and the file open and save dialogs of the drawing
// program, shown through the platform's dialog provider (modal to the active
// window). The chooser's sixteen custom colours persist in the settings store,
// section "CustomColors": one key per byte, "0" to "63", red, green, blue and a
// fourth byte per colour.
class mAPI_misc {
public:
    static constexpr int CustomColorBytes = 64;
    using ColorBytes = std::array<std::uint8_t, CustomColorBytes>;

    // `dialogFileName` is the program-wide name handed over with a design
    // (empty when the program runs by itself); it presets the file dialogs.
    mAPI_misc(SettingsStore& store, std::string appName, const std::string& dialogFileName, std::string programFolder,
              runtime::ErrorReporter& log);

    // The chosen colour (red in the lowest byte), or `Color` when cancelled.
    // The custom colours are stored back either way.
    std::int32_t ShowColor(QWidget* Owner, std::int32_t Color);

    // The chosen full file name, or empty text when cancelled. An empty
    // filter offers "Text files" and "All files".
    std::string ShowOpenDialog(QWidget* Owner, std::string Filter);
    std::string ShowSaveDialog(QWidget* Owner, std::string Filter);

    // The set-up shared by both file dialogs; an empty `Filter` is set to the
    // default filter.
    dialogs::FileDialogRequest FileDialog(QWidget* Owner, std::string& Filter) const;

    // The stored custom colour bytes: 255 for a missing key, and for a stored
    // text that is not a whole number from 0 to 255 (reported to the log).
    ColorBytes readCustomColors();
    void writeCustomColors(const ColorBytes& bytes);

private:
    std::string runFileDialog(QWidget* Owner, std::string Filter, dialogs::FileDialogMode mode);

    SettingsStore& store_;
    std::string appName_;
    const std::string& dialogFileName_;
    std::string programFolder_;
    runtime::ErrorReporter& log_;
};

inline constexpr const char* DefaultFileFilter = "Text files|*.txt|All files|*.*";

// The folder part of a file name: every "/"-separated piece but the last, each
// followed by "/" ("/d/pair.ext" gives "/d/", "pair.ext" gives "").
std::string folderPart(const std::string& fileName);

} // namespace vantrope
