#pragma once

#include <QString>

namespace shellservices {

// Help is a folder of HTML pages, one per context id: a help file named
// "Cindrel.chm" answers id 12321 with "help/Cindrel/12321.html" beside it
// (in the program folder when the name carries no folder). A ">window" suffix
// on the name is ignored. Empty when the name names no file.
QString helpTopicPath(const QString& helpFile, int contextId);

// Opens the topic in the browser. A missing topic, or one the desktop cannot
// open, is told to the user in a message box; returns whether it opened.
bool showHelpTopic(const QString& helpFile, int contextId);

} // namespace shellservices
