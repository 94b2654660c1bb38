#include "AccessKey.h"

namespace forms {

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
