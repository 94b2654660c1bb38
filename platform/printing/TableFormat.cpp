#include "TableFormat.h"

#include "runtime/RuntimeError.h"

namespace printing {

namespace {

constexpr int InvalidPropertyValue = 380;

[[noreturn]] void badFormat(const QString& format, int column, const QString& why)
{
    runtime::raise(InvalidPropertyValue, QStringLiteral("Invalid table format \"%1\": column %2 %3")
                                             .arg(format.left(80))
                                             .arg(column + 1)
                                             .arg(why)
                                             .toStdString());
}

} // namespace

std::vector<TableColumn> parseTableFormat(const QString& format)
{
    if (format.trimmed().isEmpty())
        runtime::raise(InvalidPropertyValue, "Invalid table format: it is empty");
    std::vector<TableColumn> columns;
    const QStringList parts = format.split(u'|');
    for (int index = 0; index < parts.size(); ++index) {
        QString part = parts[index].trimmed();
        if (part.isEmpty())
            badFormat(format, index, QStringLiteral("is empty"));
        TableColumn column;
        const QChar first = part.front();
        if (first == u'<' || first == u'^' || first == u'>') {
            column.alignment = first == u'<' ? Alignment::Left : first == u'^' ? Alignment::Centre : Alignment::Right;
            part = part.mid(1).trimmed();
        }
        if (part.startsWith(u'+'))
            part = part.mid(1).trimmed();
        bool ok = false;
        const int width = part.toInt(&ok);
        if (!ok || part.isEmpty() || !part.front().isDigit())
            badFormat(format, index, QStringLiteral("has no width in twips"));
        if (width < 1 || width > MaximumColumnWidth)
            badFormat(format, index, QStringLiteral("is %1 twips wide").arg(width));
        column.width = width;
        columns.push_back(column);
    }
    return columns;
}

std::vector<QStringList> parseTableHeader(const QString& header)
{
    std::vector<QStringList> rows;
    if (header.isEmpty())
        return rows;
    QStringList parts = header.split(u';');
    if (header.endsWith(u';'))
        parts.removeLast();
    for (const QString& part : parts)
        rows.push_back(part.split(u'|'));
    return rows;
}

std::vector<QStringList> parseTableBody(const QString& body)
{
    std::vector<QStringList> rows;
    if (body.isEmpty())
        return rows;
    QString text = body;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    if (text.endsWith(u'\n'))
        text.chop(1);
    for (const QString& line : text.split(u'\n'))
        rows.push_back(line.split(u'|'));
    return rows;
}

} // namespace printing
