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
// The main window as start-up needs it; the input panels fill it.
void defineMainWindow(Startup& startup);

// The maker's web page that the about box opens.
inline const QString WebAddress = QStringLiteral("https://www.example.com/cindrel");

// The gear-set notes as stored (every double quote as "~dblquotes") and as shown.
QString notesForDisplay(const QString& stored);
QString notesForStorage(const QString& shown);

} // namespace cindrel::shell
