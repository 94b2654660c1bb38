#pragma once

#include <QString>

// Each declares one window of the design program with the program's window
// registry; the window is built when it is first used.
namespace cindrel::shell {

class Startup;

void defineDisclaimer(Startup& startup);
void defineAbout(Startup& startup);
void defineHardnessConverter(Startup& startup);
void defineRunNotes(Startup& startup);
// The main window with its menus and step panels.
void defineMainWindow(Startup& startup);

// The disclaimer's paragraph, which the main window's first panel shows too.
QString disclaimerText();

// The gear-set notes as stored (every double quote as "~dblquotes") and as shown.
QString notesForDisplay(const QString& stored);
QString notesForStorage(const QString& shown);

} // namespace cindrel::shell
