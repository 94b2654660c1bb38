#pragma once

#include <QString>

#include <cstdint>

namespace forms {
class Control;
}

// The main window's frame: what it does when it loads, resizes, closes, and
// receives keys or dropped files, its menu commands and the graph's popup.
// Start-up relies on: the step panels picStates(0) to (10); the buttons
// cmdPrevious, cmdFinished and cmdNext; the unit label arrays lblLengthUnits,
// lblPressureUnits, lblTempUnits and lblRMSUnits; the hidden labels
// lblToothOrient and lblRunNotes; the File menu's recent-file array
// mnuFileRecent (member 0 a separator); the last key pressed kept in
// Startup::KeyState; its place restored at load and stored when it closes,
// which ends the program.
namespace cindrel::shell {

class Startup;

// Opens the options dialog modal on its tab ShowTab (numbered from 0).
void ShowOptionsPreferences(Startup& startup, std::int32_t ShowTab);
// Options > Preferences: the dialog on its first tab.
void mnuOptionsPreferences_Click(Startup& startup);

// Where the graph's JPEG command writes: one fixed file, overwritten each time.
QString graphImagePath();

// The graph's three copies, of whatever the chart shows.
void copyGraphAsBitmap(forms::Control& chart);
void copyGraphAsMetafile(forms::Control& chart);
// True when the image was written whole.
bool saveGraphAsJpeg(forms::Control& chart, const QString& path);

} // namespace cindrel::shell
