#pragma once

#include "dialogs/DialogTypes.h"
#include "painter/PainterDevice.h"

#include <QPainter>
#include <QPicture>
#include <QSizeF>

#include <memory>
#include <optional>

namespace vantrope {

class clsMesh;
class clsSettings;
class MessageLogger;
class TraceLog;

// How a drawing is put on paper. The page is drawn in printer pixels of
// `dotsPerInch`, inside a margin that every printer can reach.
struct PrintSetup {
    dialogs::PrinterChoice printer; // empty name: the default printer
    // The paper in twips, portrait; empty: the printer's own paper.
    std::optional<QSizeF> paper;
    double dotsPerInch = 600;
    double marginTwips = 360;
};

// Where the window's view lands on the page.
struct PrintLayout {
    bool landscape = false;
    // The usable page in printer pixels, in the orientation printed.
    QSizeF pagePixels;
    // The usable page's top-left corner on the paper, in twips.
    QPointF originTwips;
    // Printer pixels per window pixel.
    double scale = 0;
    // Where the view's top-left corner lands on the usable page, in printer
    // pixels: the view is centred in the direction it does not fill.
    QPointF viewOffset;
};

// The smaller of the page-to-window ratios: the whole view fits on the page,
// filling it one way. Zero when the window or the page has no area.
double printScale(double clientWidth, double clientHeight, double pageWidth, double pageHeight);

// Landscape when the window is wider than tall. Raises run-time error 5
// when the window or the usable page has no area.
PrintLayout printLayout(double clientWidth, double clientHeight, const PrintSetup& setup);

// The usable page of the default printer in twips, portrait; empty when the
// system has no printer.
std::optional<QSizeF> defaultPrinterUsablePage(const PrintSetup& setup = {});

// One page being printed: a recording of the drawing, sent to the current
// printer output as the document "Zezev" when the print ends.
class clsMetaFileAndPrint {
public:
    explicit clsMetaFileAndPrint(const TraceLog& trace);
    ~clsMetaFileAndPrint();
    clsMetaFileAndPrint(const clsMetaFileAndPrint&) = delete;
    clsMetaFileAndPrint& operator=(const clsMetaFileAndPrint&) = delete;

    // Opens the page; the device draws in printer pixels of the layout.
    DrawDevice& StartPrint(const PrintSetup& setup, const PrintLayout& layout, const PenTable& pens);
    // Closes the page and prints it; a printer that cannot take it raises
    // run-time error 482 (printing::PrinterError).
    void EndPrint();
    QPainter& painter() { return painter_; }

private:
    const TraceLog& trace_;
    PrintSetup setup_;
    PrintLayout layout_;
    QPicture picture_;
    QPainter painter_;
    std::unique_ptr<PainterDevice> device_;
};

// Prints the mesh as one page: first the printer dialog (its choice is kept
// in `setup`; cancelled, nothing happens), then the window's view enlarged
// to the page, in black on white when the settings ask for it. Zoom,
// centre, drawing devices and colours come back as they were whatever
// happens; a print that fails is shown to the user in a message box and
// reported to the logger (module "clsMesh", routine "PrintOutPut"), and the
// window is drawn again.
void PrintOutPut(clsMesh& mesh, clsSettings& settings, const TraceLog& trace, MessageLogger& logger,
                 PrintSetup& setup);

} // namespace vantrope
