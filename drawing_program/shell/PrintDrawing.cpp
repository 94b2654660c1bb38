#include "shell/PrintDrawing.h"

#include "drawing/clsSettings.h"
#include "log/MessageLogger.h"
#include "log/TraceLog.h"
#include "mesh/clsMesh.h"

#include "dialogs/CommonDialogs.h"
#include "dialogs/MessageBox.h"
#include "printing/PrinterOutput.h"
#include "printing/ReportPrinter.h"
#include "runtime/RuntimeError.h"

#include <QPrinterInfo>

#include <algorithm>
#include <cmath>

namespace vantrope {

namespace {

constexpr double TwipsPerInch = 1440;
constexpr char DocumentName[] = "Zezev";

QSizeF paperOf(const PrintSetup& setup)
{
    if (setup.paper)
        return *setup.paper;
    dialogs::PrinterChoice portrait = setup.printer;
    portrait.orientation = dialogs::PageOrientation::Portrait;
    return printing::printerPageSize(portrait);
}

QSizeF usableTwips(const QSizeF& paper, double margin)
{
    return QSizeF(paper.width() - 2 * margin, paper.height() - 2 * margin);
}

// Pen widths are window pixels: on paper a line keeps the width it has on
// a screen of 96 pixels per inch instead of shrinking to one printer dot.
class PagePainterDevice : public PainterDevice {
public:
    PagePainterDevice(QPainter& painter, const PenTable& pens, double widthScale)
        : PainterDevice(painter, pens), widthScale_(widthScale)
    {
        scalePen();
    }

    PenHandle SelectObject(PenHandle pen) override
    {
        const PenHandle previous = PainterDevice::SelectObject(pen);
        scalePen();
        return previous;
    }

private:
    void scalePen()
    {
        QPen pen = painter().pen();
        if (pen.isCosmetic())
            return;
        pen.setWidthF(pen.widthF() * widthScale_);
        painter().setPen(pen);
    }

    double widthScale_;
};

} // namespace

double printScale(double clientWidth, double clientHeight, double pageWidth, double pageHeight)
{
    if (!(clientWidth > 0 && clientHeight > 0 && pageWidth > 0 && pageHeight > 0))
        return 0;
    return std::min(pageWidth / clientWidth, pageHeight / clientHeight);
}

PrintLayout printLayout(double clientWidth, double clientHeight, const PrintSetup& setup)
{
    PrintLayout layout;
    layout.landscape = clientWidth > clientHeight;
    QSizeF paper = paperOf(setup);
    if (layout.landscape)
        paper.transpose();
    const QSizeF usable = usableTwips(paper, setup.marginTwips);
    layout.originTwips = QPointF(setup.marginTwips, setup.marginTwips);
    layout.pagePixels = usable * (setup.dotsPerInch / TwipsPerInch);
    layout.scale = printScale(clientWidth, clientHeight, layout.pagePixels.width(), layout.pagePixels.height());
    if (!(layout.scale > 0) || !std::isfinite(layout.scale))
        runtime::raise(runtime::InvalidProcedureCall, "Nothing to print: the drawing window or the page has no area");
    layout.viewOffset = QPointF((layout.pagePixels.width() - clientWidth * layout.scale) / 2,
                                (layout.pagePixels.height() - clientHeight * layout.scale) / 2);
    return layout;
}

std::optional<QSizeF> defaultPrinterUsablePage(const PrintSetup& setup)
{
    if (setup.printer.printerName.isEmpty() && QPrinterInfo::defaultPrinter().isNull())
        return std::nullopt;
    const QSizeF usable = usableTwips(paperOf(setup), setup.marginTwips);
    if (!(usable.width() > 0 && usable.height() > 0))
        return std::nullopt;
    return usable;
}

clsMetaFileAndPrint::clsMetaFileAndPrint(const TraceLog& trace) : trace_(trace)
{
    trace_.write("clsMetaFileAndPrint_Initialize");
}

clsMetaFileAndPrint::~clsMetaFileAndPrint()
{
    device_.reset();
    if (painter_.isActive())
        painter_.end();
}

DrawDevice& clsMetaFileAndPrint::StartPrint(const PrintSetup& setup, const PrintLayout& layout, const PenTable& pens)
{
    trace_.write("Start print");
    setup_ = setup;
    layout_ = layout;
    picture_ = QPicture();
    painter_.begin(&picture_);
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setClipRect(QRectF(QPointF(0, 0), layout.pagePixels));
    // Labels in printer points, as a printer's own font would be.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(setup.dotsPerInch * 9 / 72))));
    painter_.setFont(font);
    device_ = std::make_unique<PagePainterDevice>(painter_, pens, setup.dotsPerInch / 96.0);
    return *device_;
}

void clsMetaFileAndPrint::EndPrint()
{
    trace_.write("End print");
    device_.reset();
    if (painter_.isActive())
        painter_.end();
    printing::ReportDocument document;
    QSizeF paper = paperOf(setup_);
    if (layout_.landscape)
        paper.transpose();
    document.pageSize = paper;
    document.margins = QMarginsF(0, 0, 0, 0);
    printing::Page page;
    const QSizeF usable = layout_.pagePixels * (TwipsPerInch / setup_.dotsPerInch);
    page.items.emplace_back(printing::PictureItem{QRectF(layout_.originTwips, usable), picture_, layout_.pagePixels});
    document.pages.push_back(std::move(page));
    dialogs::PrinterChoice printer = setup_.printer;
    printer.orientation = layout_.landscape ? dialogs::PageOrientation::Landscape : dialogs::PageOrientation::Portrait;
    printing::printDocument(document, printer, QString::fromLatin1(DocumentName));
}

void PrintOutPut(clsMesh& mesh, clsSettings& settings, const TraceLog& trace, MessageLogger& logger,
                 PrintSetup& setup)
{
    DrawingSurface* window = mesh.surface();
    clsGear* first = mesh.firstElement();
    clsGear* second = mesh.secondElement();
    if (window == nullptr || first == nullptr || second == nullptr)
        return;
    {
        dialogs::PrinterDialogRequest request;
        request.initial = setup.printer;
        request.flags = dialogs::PrinterNoPageNumbers + dialogs::PrinterNoSelection;
        const dialogs::PrinterDialogAnswer answer = dialogs::showPrinterDialog(request);
        if (answer.cancelled)
            return;
        setup.printer = answer.printer;
    }
    const double zoom = mesh.zoom(), centreX = mesh.centreX(), centreY = mesh.centreY();
    const bool blackOnWhite = settings.PrintBlackOnWhite;
    bool coloursChanged = false;
    std::optional<runtime::RuntimeError> failure;
    try {
        const PrintLayout layout = printLayout(window->clientWidth(), window->clientHeight(), setup);
        if (blackOnWhite) {
            settings.BlackOnWhite();
            coloursChanged = true;
        }
        const double r = layout.scale;
        mesh.setView(zoom * r, centreX * r, centreY * r);
        clsMetaFileAndPrint job(trace);
        DrawDevice& printer = job.StartPrint(setup, layout, settings.pens());
        // The page shows what the window shows, its background included, and no more.
        const QRectF view(QPointF(0, 0), QSizeF(window->clientWidth(), window->clientHeight()) * r);
        job.painter().translate(layout.viewOffset);
        job.painter().setClipRect(view, Qt::IntersectClip);
        job.painter().fillRect(view, colorFromNumber(settings.Element(option::Background).Color));
        first->Device2DrawOn(&printer);
        second->Device2DrawOn(&printer);
        mesh.ReadInputs(false);
        // The elements must not keep the page's device once it is gone.
        first->Device2DrawOn(window->device());
        second->Device2DrawOn(window->device());
        job.EndPrint();
    } catch (const std::exception& error) {
        const auto [number, description] = runtime::errorTextOf(error, printing::PrinterError);
        failure = runtime::RuntimeError(number, description);
    }
    // The remembered view comes back exactly, not divided back by the scale.
    mesh.setView(zoom, centreX, centreY);
    first->Device2DrawOn(window->device());
    second->Device2DrawOn(window->device());
    if (coloursChanged)
        settings.ResetColors2Previous();
    mesh.ReadInputs(false);
    if (failure) {
        const std::string why = failure->description().empty() ? runtime::errorDescription(failure->number())
                                                               : failure->description();
        logger.LogMessage("clsMesh", "PrintOutPut", std::to_string(failure->number()), why,
                          "The drawing was not printed.");
        // The message window may be switched off: the user is told all the same.
        dialogs::messageBox(QString::fromStdString("The drawing was not printed.\r\n\r\n" + why),
                            dialogs::OKOnly | dialogs::IconExclamation, QStringLiteral("Print drawing"));
    }
}

} // namespace vantrope
