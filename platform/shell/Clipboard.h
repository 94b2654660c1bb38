#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace shellservices {

// The system clipboard. Without a GUI application, or off its GUI thread,
// there is none: every call then raises runtime::RuntimeError 521
// "Can't open Clipboard".
void clearClipboard();
void setClipboardText(const QString& text);
QString clipboardText();
void setClipboardImage(const QImage& image);
QImage clipboardImage(); // null when the clipboard holds no image
// Any other format, by MIME type (a chart as "image/svg+xml", say).
void setClipboardData(const QString& mimeType, const QByteArray& data);
QByteArray clipboardData(const QString& mimeType);

} // namespace shellservices
