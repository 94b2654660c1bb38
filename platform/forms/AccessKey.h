#pragma once

#include <QChar>
#include <QString>

namespace forms {

// Captions mark their access key with "&" before a letter and show "&&" as one
// ampersand. Qt uses the same marks; a lone "&" at the end, which marks
// nothing, is shown as written.
QString toQtMnemonic(const QString& caption);

// The caption as shown on screen: marks removed, "&&" as one ampersand.
QString displayedCaption(const QString& caption);

// The access key of a caption, upper-cased; a null character when it has none.
QChar accessKey(const QString& caption);

} // namespace forms
