#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace dialogs {

struct FileFilterEntry {
    QString description;
    QStringList patterns;

    bool operator==(const FileFilterEntry&) const = default;
};

// Reads a filter written as "Description|patterns|Description|patterns...",
// patterns separated by ";". A description without patterns matches every
// file; an empty filter gives no entries.
std::vector<FileFilterEntry> parseFileFilter(const QString& filter);

// The same filter in Qt's form, one "Description (pattern pattern)" per entry;
// a description that already ends with its patterns in parentheses is kept.
QStringList qtNameFilters(const QString& filter);

} // namespace dialogs
