#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace printing {

enum class Alignment { Left, Centre, Right };

struct TableColumn {
    Alignment alignment = Alignment::Left;
    double width = 0; // twips

    bool operator==(const TableColumn&) const = default;
};

// The widest column a format may give, in twips (a yard of paper).
inline constexpr double MaximumColumnWidth = 51840;

// Reads a table format: columns separated by "|", each an alignment
// character ("<" left, "^" centred, ">" right; none is left), an optional
// "+" and the width in twips, as "<+8900" or ">+1400|^+1500". Blanks around
// the parts are allowed. A format that is empty, has an empty column, a
// width that is not a whole number from 1 to MaximumColumnWidth or any other
// character raises run-time error 380 with a description naming the column.
std::vector<TableColumn> parseTableFormat(const QString& format);

// Reads a table header: rows separated by ";" (a final ";" ends the last
// row), cells separated by "|". An empty header has no rows.
std::vector<QStringList> parseTableHeader(const QString& header);

// Reads a table body: rows separated by line breaks (CR, LF or CR LF), cells
// by "|". A ";" is text here, since a description may hold one. An empty
// body has no rows.
std::vector<QStringList> parseTableBody(const QString& body);

} // namespace printing
