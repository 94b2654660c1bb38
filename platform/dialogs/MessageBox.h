#pragma once

#include "dialogs/DialogTypes.h"

#include <QString>

namespace dialogs {

// The title of boxes that have none of their own: the one set here, or else
// the application's name.
void setDefaultTitle(const QString& title);
QString defaultTitle();

// Reads a numeric style (button set + icon + default button) into a request.
// An unknown button set shows OK alone, an unknown icon none, and a default
// button beyond the shown ones falls back to the first.
MessageBoxRequest messageBoxRequest(const QString& text, int style = OKOnly,
                                    const QString& title = QString());

// What a box closed without a button (Escape, the close box) answers: the
// choice that does the least (Cancel, else No, else Abort, else OK).
int closedBoxAnswer(const MessageBoxRequest& request);

// Shows a message box through the current provider; returns the ButtonCode.
int messageBox(const QString& text, int style = OKOnly, const QString& title = QString());
int messageBox(const MessageBoxRequest& request);

// The message window with the "Do not show this message in the future." box.
CheckableMessageAnswer checkableMessage(CheckableMessageRequest request);

} // namespace dialogs
