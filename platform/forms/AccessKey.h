#pragma once

#include <QChar>
#include <QString>
#include <Qt>

namespace forms {

// Captions mark their access key with "&" before a letter and show "&&" as one
// ampersand. Qt uses the same marks; a lone "&" at the end, which marks
// nothing, is shown as written.
QString toQtMnemonic(const QString& caption);

// The caption as shown on screen: marks removed, "&&" as one ampersand.
QString displayedCaption(const QString& caption);

// The access key of a caption, upper-cased; a null character when it has none.
QChar accessKey(const QString& caption);

// Alt with a character key, as the forms' platform has it, is a command key:
// it presses an access key or opens a menu, and never types. AltGr types: it
// comes as Ctrl+Alt on that platform, and here without Alt or with the group
// switch. Text that is no printable character (Enter, Backspace) is no
// typing and is left alone.
bool isAltCharacter(Qt::KeyboardModifiers modifiers, const QString& text);

// Makes every Alt character that reaches a widget type nothing, in every
// window and dialog of the application; installed once, by the first window
// loaded. Access keys and menu keys are tried before a key reaches a widget,
// so they act as before. The key still reaches the widget and its window
// (KeyDown sees Alt with the key's code), only without its text; open menus
// keep their own letters.
void keepAltCharactersFromTyping();

} // namespace forms
