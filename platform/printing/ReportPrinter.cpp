#include "ReportPrinter.h"

#include "runtime/RuntimeError.h"
#include "runtime/ScopeExit.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPrinterInfo>

#include <cmath>
#include <limits>

namespace printing {

namespace {

constexpr int InvalidPropertyValue = 380;
// Room between a table cell's lines and its edges.
constexpr double CellPaddingX = 80;
constexpr double CellPaddingY = 30;
constexpr double BorderWidth = 10;
const QColor BorderColour(96, 96, 96);
// Sizes a text may take and pages may have, beyond which nothing sensible prints.
constexpr double MaximumPoints = 500;
constexpr double LargestPage = 1440.0 * 50;
// Rounding in twips that is not worth a page break.
constexpr double Slack = 0.5;

// Font metrics of the styles met in one layout, measured once each.
class MetricsCache {
public:
    const QFontMetricsF& of(const TextStyle& style)
    {
        for (auto& [known, metrics] : entries_)
            if (known == style)
                return metrics;
        entries_.emplace_back(style, QFontMetricsF(twipsFont(style)));
        return entries_.back().second;
    }

private:
    std::vector<std::pair<TextStyle, QFontMetricsF>> entries_;
};

void checkFinite(double value, const char* what)
{
    if (!std::isfinite(value))
        runtime::raise(InvalidPropertyValue, std::string("Invalid ") + what + ": not a number");
}

} // namespace

QSizeF printerPageSize(const dialogs::PrinterChoice& printer)
{
    // The PDF printer takes the default printer's paper, as a PDF printer of the system would.
    const QPrinterInfo info = printer.printerName.isEmpty() || printer.isPdf()
                                  ? QPrinterInfo::defaultPrinter()
                                  : QPrinterInfo::printerInfo(printer.printerName);
    QPageSize paper = info.isNull() ? QPageSize() : info.defaultPageSize();
    if (!paper.isValid())
        paper = QPageSize(QPageSize::Letter);
    QSizeF size = paper.size(QPageSize::Inch) * 1440;
    if (printer.orientation == dialogs::PageOrientation::Landscape)
        size.transpose();
    return size;
}

ReportPrinter::ReportPrinter() { document_.pageSize = pageSize_; }

void ReportPrinter::setPageSize(const QSizeF& twips)
{
    checkFinite(twips.width(), "page width");
    checkFinite(twips.height(), "page height");
    if (twips.width() < 1440 || twips.height() < 1440 || twips.width() > LargestPage || twips.height() > LargestPage)
        runtime::raise(InvalidPropertyValue, "Invalid page size: each side must be 1 to 50 inches");
    pageSize_ = twips;
}

void ReportPrinter::setPrinter(const dialogs::PrinterChoice& printer)
{
    printer_ = printer;
    setPageSize(printerPageSize(printer));
}

void ReportPrinter::setMargins(double left, double top, double right, double bottom)
{
    for (double margin : {left, top, right, bottom}) {
        checkFinite(margin, "margin");
        if (margin < 0)
            runtime::raise(InvalidPropertyValue, "Invalid margin: below 0");
    }
    // At least half an inch of the page must stay printable either way.
    const QSizeF size = open_ ? document_.pageSize : pageSize_;
    if (left + right > size.width() - 720 || top + bottom > size.height() - 720)
        runtime::raise(InvalidPropertyValue, "Invalid margins: they leave no room on the page");
    document_.margins = QMarginsF(left, top, right, bottom);
}

void ReportPrinter::startDoc()
{
    const QMarginsF margins = document_.margins;
    document_ = ReportDocument{};
    document_.pageSize = pageSize_;
    document_.margins = margins;
    // Margins set for a larger paper must still leave room on this one.
    if (margins.left() + margins.right() > pageSize_.width() - 720 ||
        margins.top() + margins.bottom() > pageSize_.height() - 720)
        document_.margins = QMarginsF(720, 720, 720, 720);
    document_.pages.emplace_back();
    open_ = true;
    overlay_ = false;
    page_ = 0;
    x_ = marginLeft();
    y_ = marginTop();
}

void ReportPrinter::endDoc()
{
    if (!open_)
        return;
    endOverlay();
    open_ = false;
    if (changed_)
        changed_();
}

void ReportPrinter::setFontName(const QString& family)
{
    if (family.trimmed().isEmpty())
        runtime::raise(InvalidPropertyValue, "Invalid font name: it is empty");
    style_.family = family;
}

void ReportPrinter::setFontSize(double points)
{
    checkFinite(points, "font size");
    if (points < 1 || points > MaximumPoints)
        runtime::raise(InvalidPropertyValue, "Invalid font size: it must be 1 to 500 points");
    style_.points = points;
}

void ReportPrinter::setCurrentX(double twips)
{
    checkFinite(twips, "position");
    x_ = std::clamp(twips, 0.0, document_.pageSize.width());
}

void ReportPrinter::setCurrentY(double twips)
{
    checkFinite(twips, "position");
    y_ = std::clamp(twips, 0.0, document_.pageSize.height());
}

void ReportPrinter::requireOutput() const
{
    if (!open_ && !overlay_)
        runtime::raise(runtime::InvalidProcedureCall, "No document is open: start a document first");
}

bool ReportPrinter::overBottom(double bottom) const
{
    return !overlay_ && bottom > pageHeight() - marginBottom() + Slack;
}

void ReportPrinter::breakPage()
{
    if (pageCount() >= MaximumPages)
        runtime::raise(runtime::OutOfMemory, "The document is longer than " + std::to_string(MaximumPages) + " pages");
    document_.pages.emplace_back();
    page_ = pageCount() - 1;
    x_ = marginLeft();
    y_ = marginTop();
}

void ReportPrinter::newPage()
{
    requireOutput();
    if (overlay_)
        runtime::raise(runtime::InvalidProcedureCall, "No new page can be started on an overlay");
    breakPage();
}

std::vector<ReportPrinter::Line> ReportPrinter::layOut(const std::vector<TextRun>& runs, double width,
                                                      const TextStyle& base) const
{
    MetricsCache metrics;
    const bool wraps = std::isfinite(width);
    std::vector<Line> lines;
    Line line;
    const auto add = [&line](const QString& text, const TextStyle& style, double advance) {
        if (!line.fragments.empty() && line.fragments.back().style == style) {
            line.fragments.back().text += text;
            line.fragments.back().width += advance;
        } else {
            line.fragments.push_back({text, style, advance});
        }
        line.width += advance;
    };
    const auto finish = [&] {
        // Trailing blanks of a wrapped line take no room, so centred and right-aligned lines sit true.
        while (wraps && !line.fragments.empty()) {
            Fragment& last = line.fragments.back();
            qsizetype keep = last.text.size();
            while (keep > 0 && last.text[keep - 1] == u' ')
                --keep;
            if (keep == last.text.size())
                break;
            last.text.truncate(keep);
            line.width -= last.width;
            last.width = metrics.of(last.style).horizontalAdvance(last.text);
            line.width += last.width;
            if (!last.text.isEmpty())
                break;
            line.fragments.pop_back();
        }
        const TextStyle& measured = line.fragments.empty() ? base : line.fragments.front().style;
        line.ascent = metrics.of(measured).ascent();
        line.height = metrics.of(measured).lineSpacing();
        for (const Fragment& fragment : line.fragments) {
            line.ascent = std::max(line.ascent, metrics.of(fragment.style).ascent());
            line.height = std::max(line.height, metrics.of(fragment.style).lineSpacing());
        }
        lines.push_back(std::move(line));
        line = Line{};
    };
    for (const TextRun& run : runs) {
        const QFontMetricsF& font = metrics.of(run.style);
        qsizetype at = 0;
        const QString& text = run.text;
        while (at < text.size()) {
            if (text[at] == u'\n' || text[at] == u'\r') {
                // CR LF is one break.
                if (text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n')
                    ++at;
                ++at;
                finish();
                continue;
            }
            // A word with the blanks after it.
            qsizetype end = at;
            while (end < text.size() && text[end] != u' ' && text[end] != u'\n' && text[end] != u'\r')
                ++end;
            qsizetype blanks = end;
            while (blanks < text.size() && text[blanks] == u' ')
                ++blanks;
            const QString word = text.mid(at, end - at);
            const QString spaces = text.mid(end, blanks - end);
            at = blanks;
            const double wordWidth = font.horizontalAdvance(word);
            if (wraps && line.width > 0 && line.width + wordWidth > width)
                finish();
            if (wraps && wordWidth > width) {
                // A word wider than the line is cut where it reaches the edge.
                for (const QChar c : word) {
                    const double advance = font.horizontalAdvance(c);
                    if (line.width > 0 && line.width + advance > width)
                        finish();
                    add(QString(c), run.style, advance);
                }
            } else if (!word.isEmpty()) {
                add(word, run.style, wordWidth);
            }
            if (!spaces.isEmpty())
                add(spaces, run.style, font.horizontalAdvance(spaces));
        }
    }
    finish();
    return lines;
}

void ReportPrinter::placeLine(const Line& line, double left, double right, Alignment alignment, double top)
{
    double x = left;
    // A line wider than its room (one glyph larger than a cell) starts at the left edge, not before it.
    if (line.width > right - left)
        alignment = Alignment::Left;
    if (alignment == Alignment::Centre)
        x = left + (right - left - line.width) / 2;
    else if (alignment == Alignment::Right)
        x = right - line.width;
    for (const Fragment& fragment : line.fragments) {
        if (!fragment.text.trimmed().isEmpty())
            page().items.push_back(TextItem{QPointF(x, top + line.ascent), fragment.text, fragment.style});
        x += fragment.width;
    }
}

void ReportPrinter::paragraph(const QString& text)
{
    requireOutput();
    const double left = marginLeft();
    const double right = pageWidth() - marginRight();
    for (const Line& line : layOut(parseRichText(text, style_), right - left, style_)) {
        if (overBottom(y_ + line.height) && y_ > marginTop() + Slack)
            breakPage();
        placeLine(line, left, right, align_, y_);
        y_ += line.height;
    }
    x_ = left;
}

void ReportPrinter::text(const QString& text)
{
    requireOutput();
    const QStringList pieces = text.split(u'\r');
    for (qsizetype index = 0; index < pieces.size(); ++index) {
        if (index > 0) {
            y_ += QFontMetricsF(twipsFont(style_)).lineSpacing();
            x_ = marginLeft();
        }
        QString piece = pieces[index];
        piece.remove(u'\n');
        if (piece.isEmpty())
            continue;
        const Line line = layOut(parseRichText(piece, style_), std::numeric_limits<double>::infinity(), style_).front();
        if (overBottom(y_ + line.height) && y_ > marginTop() + Slack)
            breakPage();
        const double left = marginLeft();
        const double right = pageWidth() - marginRight();
        if (align_ == Alignment::Left) {
            placeLine(line, x_, x_ + line.width, Alignment::Left, y_);
            x_ += line.width;
        } else {
            placeLine(line, left, right, align_, y_);
        }
    }
}

ReportPrinter::Row ReportPrinter::tableRow(const QStringList& cells, const std::vector<TableColumn>& columns,
                                           const TextStyle& base, const QColor& fill, bool header) const
{
    Row row;
    row.fill = fill;
    row.header = header;
    for (std::size_t column = 0; column < columns.size(); ++column) {
        const QString text = column < static_cast<std::size_t>(cells.size()) ? cells[static_cast<qsizetype>(column)] : QString();
        const double room = std::max(columns[column].width - 2 * CellPaddingX, 20.0);
        row.cells.push_back(layOut(parseRichText(text, base), room, base));
    }
    return row;
}

void ReportPrinter::frameSegment(double left, const std::vector<TableColumn>& columns, double top, double bottom,
                                 const std::vector<double>& rowBottoms)
{
    if (border_ == TableBorder::None || bottom <= top)
        return;
    double width = 0;
    for (const TableColumn& column : columns)
        width += column.width;
    const int style = static_cast<int>(border_);
    const auto line = [this](double x1, double y1, double x2, double y2) {
        page().items.push_back(LineItem{QLineF(x1, y1, x2, y2), BorderColour, BorderWidth});
    };
    const bool top_ = style == 2 || style == 3 || style == 4 || style == 6 || style == 7;
    const bool bottom_ = style == 1 || style == 3 || style == 4 || style == 6 || style == 7;
    const bool sides = style == 4 || style == 7;
    const bool inner = style == 5 || style == 6 || style == 7;
    if (top_)
        line(left, top, left + width, top);
    if (bottom_)
        line(left, bottom, left + width, bottom);
    if (sides) {
        line(left, top, left, bottom);
        line(left + width, top, left + width, bottom);
    }
    if (inner) {
        double x = left;
        for (std::size_t column = 0; column + 1 < columns.size(); ++column) {
            x += columns[column].width;
            line(x, top, x, bottom);
        }
    }
    if (style == 7)
        for (double y : rowBottoms)
            if (y < bottom - Slack)
                line(left, y, left + width, y);
}

void ReportPrinter::addTable(const QString& format, const QString& header, const QString& body, const QColor& headerFill,
                             const QColor& bodyFill, bool headerOmitted)
{
    const std::vector<TableColumn> columns = parseTableFormat(format);
    requireOutput();
    const std::vector<QStringList> headerCells = headerOmitted ? std::vector<QStringList>{} : parseTableHeader(header);
    const std::vector<QStringList> bodyCells = parseTableBody(body);
    if (headerCells.empty() && bodyCells.empty())
        return;

    double width = 0;
    for (const TableColumn& column : columns)
        width += column.width;
    const double printable = pageWidth() - marginLeft() - marginRight();
    const double left = marginLeft() + std::max(0.0, (printable - width) / 2);

    TextStyle headerStyle = style_;
    headerStyle.bold = true;
    headerStyle.color = Qt::black;
    std::vector<Row> headerRows;
    for (const QStringList& cells : headerCells)
        headerRows.push_back(tableRow(cells, columns, headerStyle, headerFill, true));
    std::vector<Row> rows = headerRows;
    for (const QStringList& cells : bodyCells)
        rows.push_back(tableRow(cells, columns, style_, bodyFill, false));

    const auto rowHeightOf = [](const Row& row) {
        double tallest = 0;
        for (const auto& lines : row.cells) {
            double height = 0;
            for (const Line& line : lines)
                height += line.height;
            tallest = std::max(tallest, height);
        }
        return tallest + 2 * CellPaddingY;
    };
    double headerHeight = 0;
    for (const Row& row : headerRows)
        headerHeight += rowHeightOf(row);
    // A header taller than half a page is not repeated: it would leave no room for the rows.
    const bool repeatable = headerHeight <= (pageHeight() - marginTop() - marginBottom()) / 2;
    double segmentTop = y_;
    std::vector<double> rowBottoms;
    const auto pageBreak = [&] {
        frameSegment(left, columns, segmentTop, y_, rowBottoms);
        rowBottoms.clear();
        breakPage();
        segmentTop = y_;
    };
    // Places the lines of a row from `from` on, as many as fit; returns true once all are placed.
    const auto place = [&](const Row& row, std::vector<std::size_t>& from, bool force) {
        const double room = pageHeight() - marginBottom() - y_ - 2 * CellPaddingY;
        std::vector<std::size_t> until(row.cells.size());
        double tallest = 0;
        bool any = false;
        for (std::size_t cell = 0; cell < row.cells.size(); ++cell) {
            const auto& lines = row.cells[cell];
            double height = 0;
            std::size_t line = from[cell];
            while (line < lines.size() && (overlay_ || height + lines[line].height <= room + Slack ||
                                           (force && line == from[cell]))) {
                height += lines[line].height;
                ++line;
            }
            any = any || line > from[cell] || from[cell] >= lines.size();
            until[cell] = line;
            tallest = std::max(tallest, height);
        }
        bool partial = false;
        bool split = false;
        for (std::size_t cell = 0; cell < row.cells.size(); ++cell) {
            partial = partial || (until[cell] < row.cells[cell].size() && until[cell] == from[cell]);
            split = split || until[cell] < row.cells[cell].size();
        }
        if (!any || (partial && !force))
            return false;
        // A row that a fresh page can hold whole is not split.
        if (split && !force && from == std::vector<std::size_t>(row.cells.size(), 0) &&
            rowHeightOf(row) <= pageHeight() - marginTop() - marginBottom())
            return false;
        const double rowHeight = tallest + 2 * CellPaddingY;
        if (row.fill.isValid())
            page().items.push_back(RectItem{QRectF(left, y_, width, rowHeight), row.fill});
        double x = left;
        for (std::size_t cell = 0; cell < row.cells.size(); ++cell) {
            double top = y_ + CellPaddingY;
            for (std::size_t line = from[cell]; line < until[cell]; ++line) {
                placeLine(row.cells[cell][line], x + CellPaddingX, x + columns[cell].width - CellPaddingX,
                          columns[cell].alignment, top);
                top += row.cells[cell][line].height;
            }
            x += columns[cell].width;
            from[cell] = until[cell];
        }
        y_ += rowHeight;
        rowBottoms.push_back(y_);
        for (std::size_t cell = 0; cell < row.cells.size(); ++cell)
            if (from[cell] < row.cells[cell].size())
                return false;
        return true;
    };
    const auto placeWhole = [&](const Row& row, bool repeatHeader) {
        std::vector<std::size_t> from(row.cells.size(), 0);
        // On a page holding nothing but the repeated header the row must go, whether it fits or not.
        bool fresh = y_ <= marginTop() + Slack;
        for (;;) {
            if (place(row, from, fresh))
                return;
            pageBreak();
            fresh = true;
            // The header heads the rest of the table on the new page.
            if (repeatHeader)
                for (const Row& head : headerRows) {
                    std::vector<std::size_t> all(head.cells.size(), 0);
                    while (!place(head, all, true)) {
                    }
                }
        }
    };
    for (const Row& row : rows)
        placeWhole(row, !row.header && !headerRows.empty() && repeatable);
    frameSegment(left, columns, segmentTop, y_, rowBottoms);
    x_ = marginLeft();
}

void ReportPrinter::drawPicture(const QRectF& twips, const PaintCallback& paint)
{
    requireOutput();
    for (double value : {twips.x(), twips.y(), twips.width(), twips.height()})
        checkFinite(value, "picture rectangle");
    if (twips.width() <= 0 || twips.height() <= 0)
        runtime::raise(InvalidPropertyValue, "Invalid picture rectangle: it is empty");
    PictureItem item{twips, QPicture(), QSizeF(twips.width() / TwipsPerPixel, twips.height() / TwipsPerPixel)};
    QPainter painter(&item.picture);
    auto endPainting = runtime::onScopeExit([&painter] { painter.end(); });
    if (paint)
        paint(painter, QRectF(QPointF(0, 0), item.logical));
    endPainting.runNow();
    page().items.push_back(std::move(item));
}

void ReportPrinter::startOverlay(int page)
{
    if (page < 1 || page > pageCount())
        runtime::raise(runtime::SubscriptOutOfRange,
                       "There is no page " + std::to_string(page) + " of " + std::to_string(pageCount()));
    if (overlay_)
        endOverlay();
    overlay_ = true;
    savedPage_ = page_;
    savedX_ = x_;
    savedY_ = y_;
    page_ = page - 1;
    x_ = marginLeft();
    y_ = marginTop();
}

void ReportPrinter::endOverlay()
{
    if (!overlay_)
        return;
    overlay_ = false;
    page_ = savedPage_;
    x_ = savedX_;
    y_ = savedY_;
    if (!open_ && changed_)
        changed_();
}

} // namespace printing
