#include "shell/Clipboard.h"

#include "runtime/RuntimeError.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QThread>

namespace shellservices {

namespace {

constexpr int CannotOpenClipboard = 521;

// The clipboard belongs to the GUI thread of a GUI application; reached from
// anywhere else it would crash the process instead of failing.
QClipboard& systemClipboard() {
    const QCoreApplication* application = QCoreApplication::instance();
    if (qobject_cast<const QGuiApplication*>(application) == nullptr ||
        QThread::currentThread() != application->thread())
        runtime::raise(CannotOpenClipboard, "Can't open Clipboard");
    return *QGuiApplication::clipboard();
}

} // namespace

void clearClipboard() { systemClipboard().clear(); }

void setClipboardText(const QString& text) { systemClipboard().setText(text); }

QString clipboardText() { return systemClipboard().text(); }

void setClipboardImage(const QImage& image) { systemClipboard().setImage(image); }

QImage clipboardImage() { return systemClipboard().image(); }

void setClipboardData(const QString& mimeType, const QByteArray& data) {
    QClipboard& clipboard = systemClipboard();
    auto* mime = new QMimeData;
    mime->setData(mimeType, data);
    clipboard.setMimeData(mime); // the clipboard owns it
}

QByteArray clipboardData(const QString& mimeType) {
    const QMimeData* mime = systemClipboard().mimeData();
    return mime != nullptr ? mime->data(mimeType) : QByteArray();
}

} // namespace shellservices
