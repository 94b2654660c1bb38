#pragma once

#include <QDateTime>
#include <QString>

#include <exception>
#include <string>

// Texts that the printed results report and the manufacturing printout share.
namespace cindrel::outputs::printed {

// Data texts print as they stand: the markup characters in them are escaped.
std::string plain(const std::string& text);
// A table cell as it stands: besides the markup, the cell separator "|" and
// line breaks, which would split the cell or the row, are replaced.
std::string cellPlain(std::string text);
std::string replaceAll(std::string text, const std::string& from, const std::string& to);
// "2.01.3" prints as 2.1.3.
std::string versionNumbers(const std::string& version);
// "Printed March 5, 2024 - 3:07 PM", in English whatever the user's settings.
QString printedStamp(const QDateTime& now);

// Tells the user, in a message box, that `what` was not printed and why
// (the error's own text); the run log is no substitute, it may be off.
void tellNotPrinted(const std::string& what, const std::exception& error);

inline QString q(const std::string& text) { return QString::fromStdString(text); }

} // namespace cindrel::outputs::printed
