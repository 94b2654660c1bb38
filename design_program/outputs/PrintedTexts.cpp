#include "outputs/PrintedTexts.h"

#include "dialogs/DialogTypes.h"
#include "dialogs/MessageBox.h"
#include "runtime/RuntimeError.h"

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

void tellNotPrinted(const std::string& what, const std::exception& error)
{
    const auto [number, description] = runtime::errorTextOf(error);
    const std::string why = description.empty() ? runtime::errorDescription(number) : description;
    dialogs::messageBox(q(what + " was not printed.\r\n\r\n" + why),
                        dialogs::OKOnly | dialogs::IconExclamation, QStringLiteral("Print"));
}

} // namespace cindrel::outputs::printed
