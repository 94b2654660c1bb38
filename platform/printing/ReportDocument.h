#pragma once

#include "RichText.h"

#include <QImage>
#include <QLineF>
#include <QMarginsF>
#include <QPicture>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <variant>
#include <vector>

class QPainter;

namespace printing {

// What a finished page holds, in twips from the page's top-left corner.
struct TextItem {
    QPointF baseline; // left end of the baseline
    QString text;
    TextStyle style;
};
struct RectItem {
    QRectF rect;
    QColor fill;
};
struct LineItem {
    QLineF line;
    QColor color;
    double width = 10;
};
// A drawing recorded when it was made, replayed scaled into its rectangle;
// `logical` is the size, in the recording's own units, that fills the rectangle.
struct PictureItem {
    QRectF rect;
    QPicture picture;
    QSizeF logical;
};
using PageItem = std::variant<TextItem, RectItem, LineItem, PictureItem>;

struct Page {
    std::vector<PageItem> items; // in drawing order
};

// A laid-out document: the page size and margins in twips, and its pages.
struct ReportDocument {
    QSizeF pageSize{12240, 15840}; // US Letter, portrait
    QMarginsF margins{1440, 1440, 1440, 1440};
    std::vector<Page> pages;

    int pageCount() const { return static_cast<int>(pages.size()); }
    // Every text of a page in drawing order, for reading a document back.
    QStringList pageTexts(int page) const;
};

// Draws page `page` (from 0) of the document scaled into `target`, in the
// painter's coordinates. A page outside the document draws nothing.
void renderPage(const ReportDocument& document, int page, QPainter& painter, const QRectF& target);

// A page as a white image at the resolution given (dots per inch).
QImage pageImage(const ReportDocument& document, int page, double dotsPerInch);

// Writes the document as a PDF file, whole or not at all: it goes to a
// temporary file beside the target, renamed over it once complete. Returns
// false with a message when the document has no pages or the file cannot be
// written; an old file of that name is left as it was.
bool writePdf(const ReportDocument& document, const QString& path, const QString& title, QString* error = nullptr);

} // namespace printing
