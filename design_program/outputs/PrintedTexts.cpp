#include "outputs/PrintedTexts.h"

#include <QLocale>
#include <QStringList>

namespace cindrel::outputs::printed {

std::string plain(const std::string& text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        if (c == '\\' || c == '{' || c == '}')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

std::string cellPlain(std::string text)
{
    for (char& c : text)
        if (c == '|')
            c = '/';
        else if (c == '\r' || c == '\n')
            c = ' ';
    return plain(text);
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::string versionNumbers(const std::string& version)
{
    std::string result;
    for (const QString& part : q(version).split(u'.')) {
        bool ok = false;
        const long long number = part.trimmed().toLongLong(&ok);
        if (!result.empty())
            result += '.';
        result += ok ? std::to_string(number) : part.trimmed().toStdString();
    }
    return result;
}

QString printedStamp(const QDateTime& now)
{
    const QLocale english = QLocale::c();
    return QStringLiteral("Printed ") + english.toString(now.date(), QStringLiteral("MMMM d, yyyy")) +
           QStringLiteral(" - ") + english.toString(now.time(), QStringLiteral("h:mm AP"));
}

} // namespace cindrel::outputs::printed
