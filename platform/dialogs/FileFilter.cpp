#include "dialogs/FileFilter.h"

namespace dialogs {

namespace {

QStringList splitPatterns(const QString& text) {
    QStringList patterns;
    for (const QString& piece : text.split(QLatin1Char(';'))) {
        const QString pattern = piece.trimmed();
        if (!pattern.isEmpty())
            patterns << pattern;
    }
    if (patterns.isEmpty())
        patterns << QStringLiteral("*");
    return patterns;
}

bool endsWithPatterns(const QString& description, const QStringList& patterns) {
    const QString trimmed = description.trimmed();
    const QString spaced = QLatin1Char('(') + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    const QString semicolons = QLatin1Char('(') + patterns.join(QLatin1Char(';')) + QLatin1Char(')');
    return trimmed.endsWith(spaced, Qt::CaseInsensitive) ||
           trimmed.endsWith(semicolons, Qt::CaseInsensitive);
}

QString qtNameFilter(const FileFilterEntry& entry) {
    const QString patterns = entry.patterns.join(QLatin1Char(' '));
    if (entry.description.isEmpty())
        return patterns + QStringLiteral(" (") + patterns + QLatin1Char(')');
    if (endsWithPatterns(entry.description, entry.patterns))
        return entry.description.trimmed();
    return entry.description.trimmed() + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

} // namespace

std::vector<FileFilterEntry> parseFileFilter(const QString& filter) {
    std::vector<FileFilterEntry> entries;
    if (filter.trimmed().isEmpty())
        return entries;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString patterns = i + 1 < parts.size() ? parts[i + 1] : QString();
        if (parts[i].trimmed().isEmpty() && patterns.trimmed().isEmpty())
            continue; // a trailing "|" or an empty pair
        entries.push_back({parts[i].trimmed(), splitPatterns(patterns)});
    }
    return entries;
}

QStringList qtNameFilters(const QString& filter) {
    QStringList filters;
    for (const FileFilterEntry& entry : parseFileFilter(filter))
        filters << qtNameFilter(entry);
    return filters;
}

} // namespace dialogs
