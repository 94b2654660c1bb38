#include "AccessKey.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPointer>
#include <QWidget>

namespace forms {

namespace {

// Sits in front of every widget of the application. A key press is seen here
// first at the widget it is sent to: an Alt character goes on to that widget
// as the same key without text, and propagates from there as any key does.
class AltCharacterFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (!isAltCharacter(key->modifiers(), key->text()))
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        // An open menu chooses its items by their letters, Alt held or not.
        if (widget == nullptr || widget->window()->windowType() == Qt::Popup || qobject_cast<QMenuBar*>(widget))
            return false;
        QKeyEvent bare(key->type(), key->key(), key->modifiers(), key->nativeScanCode(), key->nativeVirtualKey(),
                       key->nativeModifiers(), QString(), key->isAutoRepeat(), key->count(), key->device());
        QCoreApplication::sendEvent(widget, &bare);
        // Handled, whoever took the bare key: the original must not be
        // propagated again to the widgets around.
        key->accept();
        return true;
    }
};

} // namespace

bool isAltCharacter(Qt::KeyboardModifiers modifiers, const QString& text) {
    if (!modifiers.testFlag(Qt::AltModifier) || modifiers.testFlag(Qt::ControlModifier) ||
        modifiers.testFlag(Qt::GroupSwitchModifier))
        return false;
    return !text.isEmpty() && text.at(0).isPrint();
}

void keepAltCharactersFromTyping() {
    static QPointer<AltCharacterFilter> installed;
    if (!installed.isNull() || qApp == nullptr)
        return;
    // Owned by the application, so gone with it; a later application gets its own.
    installed = new AltCharacterFilter(qApp);
    qApp->installEventFilter(installed);
}

QString toQtMnemonic(const QString& caption) {
    if (caption.endsWith(QLatin1Char('&'))) {
        int trailing = 0;
        for (qsizetype i = caption.size() - 1; i >= 0 && caption[i] == QLatin1Char('&'); --i)
            ++trailing;
        if (trailing % 2 == 1)
            return caption + QLatin1Char('&');
    }
    return caption;
}

QString displayedCaption(const QString& caption) {
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&')) {
            shown += caption[i];
            continue;
        }
        if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) {
            shown += QLatin1Char('&');
            ++i;
        } else if (i + 1 == caption.size()) {
            shown += QLatin1Char('&');
        }
    }
    return shown;
}

QChar accessKey(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption[i + 1].toUpper();
    }
    return QChar();
}

} // namespace forms
