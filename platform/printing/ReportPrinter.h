#pragma once

#include "ReportDocument.h"
#include "RichText.h"
#include "TableFormat.h"

#include "dialogs/DialogTypes.h"

#include <QColor>
#include <QString>

#include <functional>
#include <vector>

class QPainter;

namespace printing {

// Table border styles, by the numbers callers pass.
enum class TableBorder { None = 0, Bottom = 1, Top = 2, TopBottom = 3, Box = 4, Columns = 5, ColumnsTopBottom = 6, All = 7 };

// The report printer: builds a document of pages by calls, as a program
// prints a report line by line. Positions, sizes and margins are in twips
// from the page's top-left corner; font sizes in points. Paragraphs and
// tables flow down the page between the margins and start a new page when
// they reach the bottom margin. After the document has ended, overlays add
// to finished pages (page frames need the final page count).
//
// Calls that cannot be done raise a numbered run-time error and leave the
// document as it was: drawing with no document started (5), an overlay page
// outside the document (9), a table format that cannot be read (380), a
// document longer than MaximumPages (7).
class ReportPrinter {
public:
    static constexpr int MaximumPages = 2000;
    // The page surface a picture draws on has this many twips per pixel (96 per inch).
    static constexpr double TwipsPerPixel = 15;

    ReportPrinter();

    // The page size taken by the next document; margins at once.
    QSizeF pageSize() const { return pageSize_; }
    void setPageSize(const QSizeF& twips);
    // The chosen printer, whose paper size and orientation the next document takes.
    const dialogs::PrinterChoice& printer() const { return printer_; }
    void setPrinter(const dialogs::PrinterChoice& printer);
    double pageWidth() const { return document_.pageSize.width(); }
    double pageHeight() const { return document_.pageSize.height(); }
    double marginLeft() const { return document_.margins.left(); }
    double marginTop() const { return document_.margins.top(); }
    double marginRight() const { return document_.margins.right(); }
    double marginBottom() const { return document_.margins.bottom(); }
    void setMargins(double left, double top, double right, double bottom);

    // Starts a new, empty document of one page; an earlier one is dropped.
    void startDoc();
    // Ends the document; the callback of setOnDocumentChanged runs.
    void endDoc();
    bool isDocumentOpen() const { return open_; }
    const ReportDocument& document() const { return document_; }
    int pageCount() const { return document_.pageCount(); }
    // Runs whenever a document ends or an overlay closes, for a preview to redraw.
    void setOnDocumentChanged(std::function<void()> callback) { changed_ = std::move(callback); }

    // The current font and colour; markup changes them only for its own text.
    const TextStyle& style() const { return style_; }
    void setFontName(const QString& family);
    void setFontSize(double points);
    void setFontBold(bool bold) { style_.bold = bold; }
    void setFontItalic(bool italic) { style_.italic = italic; }
    void setFontUnderline(bool underline) { style_.underline = underline; }
    void setTextColor(const QColor& color) { style_.color = color.isValid() ? color : QColor(Qt::black); }
    Alignment textAlign() const { return align_; }
    void setTextAlign(Alignment alignment) { align_ = alignment; }
    TableBorder tableBorder() const { return border_; }
    void setTableBorder(TableBorder border) { border_ = border; }

    double currentX() const { return x_; }
    double currentY() const { return y_; }
    void setCurrentX(double twips);
    void setCurrentY(double twips);
    // The page that the next output lands on, from 1.
    int currentPage() const { return page_ + 1; }

    // A paragraph with markup, wrapped between the margins in the current
    // alignment, from the current Y; afterwards X is the left margin and Y
    // below the paragraph. A line break in the text starts a new line; an
    // empty text is an empty line.
    void paragraph(const QString& text);
    // Text with markup on the current line, without a paragraph: left
    // aligned it starts at X and moves X on; centred or right aligned it
    // stands between the margins. A carriage return moves to the start of
    // the next line; a line feed is ignored.
    void text(const QString& text);
    // A table: format as parseTableFormat, header as parseTableHeader (its
    // cells bold, in black), body as parseTableBody in the current font and
    // colour; fills behind the header and the body. headerOmitted true
    // leaves the header out. The table is centred between the margins when
    // narrower than them. A row that does not fit on the page goes to the
    // next page, with the header again above it; a row taller than a page
    // continues on the next. Body cells beyond the format's columns are not
    // printed. Nothing is added when there is neither header nor body.
    void addTable(const QString& format, const QString& header, const QString& body, const QColor& headerFill,
                  const QColor& bodyFill, bool headerOmitted);
    void newPage();
    // Records what `paint` draws into the rectangle (in twips) of the
    // current page. The painter's target is the rectangle in pixels of the
    // page surface (TwipsPerPixel), from (0, 0).
    using PaintCallback = std::function<void(QPainter& painter, const QRectF& target)>;
    void drawPicture(const QRectF& twips, const PaintCallback& paint);

    // Output goes onto finished page `page` (from 1) until endOverlay, with
    // no page breaks; X and Y start at the page's top-left margin corner.
    void startOverlay(int page);
    void endOverlay();
    bool inOverlay() const { return overlay_; }

private:
    struct Fragment {
        QString text;
        TextStyle style;
        double width = 0;
    };
    struct Line {
        std::vector<Fragment> fragments;
        double width = 0;
        double ascent = 0;
        double height = 0;
    };
    std::vector<Line> layOut(const std::vector<TextRun>& runs, double width, const TextStyle& base) const;
    void placeLine(const Line& line, double left, double right, Alignment alignment, double top);
    void requireOutput() const;
    Page& page() { return document_.pages[page_]; }
    bool overBottom(double bottom) const;
    void breakPage();

    struct Row {
        std::vector<std::vector<Line>> cells;
        QColor fill;
        bool header = false;
    };
    Row tableRow(const QStringList& cells, const std::vector<TableColumn>& columns, const TextStyle& base, const QColor& fill,
                 bool header) const;
    void frameSegment(double left, const std::vector<TableColumn>& columns, double top, double bottom,
                      const std::vector<double>& rowBottoms);

    dialogs::PrinterChoice printer_;
    QSizeF pageSize_{12240, 15840};
    ReportDocument document_;
    bool open_ = false;
    bool overlay_ = false;
    int page_ = 0;
    int savedPage_ = 0;
    double savedX_ = 0;
    double savedY_ = 0;
    double x_ = 1440;
    double y_ = 1440;
    TextStyle style_;
    Alignment align_ = Alignment::Left;
    TableBorder border_ = TableBorder::None;
    std::function<void()> changed_;
};

// The paper size of a printer in twips, in its orientation; US Letter when
// the printer is not known.
QSizeF printerPageSize(const dialogs::PrinterChoice& printer);

} // namespace printing
