#include "ReportDocument.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace printing {

QStringList ReportDocument::pageTexts(int page) const
{
    QStringList texts;
    if (page < 0 || page >= pageCount())
        return texts;
    for (const PageItem& item : pages[page].items)
        if (const auto* text = std::get_if<TextItem>(&item))
            texts.append(text->text);
    return texts;
}

namespace {

struct Drawer {
    QPainter& painter;

    void operator()(const TextItem& item) const
    {
        painter.setFont(twipsFont(item.style));
        painter.setPen(item.style.color);
        painter.drawText(item.baseline, item.text);
    }
    void operator()(const RectItem& item) const { painter.fillRect(item.rect, item.fill); }
    void operator()(const LineItem& item) const
    {
        painter.setPen(QPen(item.color, item.width, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(item.line);
    }
    void operator()(const PictureItem& item) const
    {
        if (item.logical.width() <= 0 || item.logical.height() <= 0)
            return;
        painter.save();
        painter.translate(item.rect.topLeft());
        painter.scale(item.rect.width() / item.logical.width(), item.rect.height() / item.logical.height());
        painter.setClipRect(QRectF(QPointF(0, 0), item.logical), Qt::IntersectClip);
        // Playing a picture scales it by the device's resolution over the
        // picture's; the rectangle already fixes its size on every device.
        if (const QPaintDevice* device = painter.device();
            device != nullptr && device->logicalDpiX() > 0 && device->logicalDpiY() > 0)
            painter.scale(double(item.picture.logicalDpiX()) / device->logicalDpiX(),
                          double(item.picture.logicalDpiY()) / device->logicalDpiY());
        painter.drawPicture(QPointF(0, 0), item.picture);
        painter.restore();
    }
};

} // namespace

void renderPage(const ReportDocument& document, int page, QPainter& painter, const QRectF& target)
{
    if (page < 0 || page >= document.pageCount() || document.pageSize.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(target.topLeft());
    painter.scale(target.width() / document.pageSize.width(), target.height() / document.pageSize.height());
    painter.setClipRect(QRectF(QPointF(0, 0), document.pageSize), Qt::IntersectClip);
    const Drawer draw{painter};
    for (const PageItem& item : document.pages[page].items)
        std::visit(draw, item);
    painter.restore();
}

QImage pageImage(const ReportDocument& document, int page, double dotsPerInch)
{
    const QSize size(qRound(document.pageSize.width() * dotsPerInch / 1440),
                     qRound(document.pageSize.height() * dotsPerInch / 1440));
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
    image.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    renderPage(document, page, painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

bool writePdf(const ReportDocument& document, const QString& path, const QString& title, QString* error)
{
    const auto fail = [error](const QString& message) {
        if (error != nullptr)
            *error = message;
        return false;
    };
    if (document.pageCount() == 0)
        return fail(QStringLiteral("The document has no pages to write."));
    // A folder, a pipe or a device is never written over (a pipe would hang).
    if (const QFileInfo target(path); target.exists() && !target.isFile())
        return fail(QStringLiteral("Cannot write %1: it is not a regular file.").arg(path));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    {
        QPdfWriter writer(&file);
        writer.setTitle(title);
        // Both programs print through here: the file names the one that made it.
        writer.setCreator(QCoreApplication::applicationName());
        writer.setResolution(1200);
        writer.setPageSize(QPageSize(QSizeF(document.pageSize.width() / 1440, document.pageSize.height() / 1440),
                                     QPageSize::Inch, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return fail(QStringLiteral("Cannot start the PDF file %1.").arg(path));
        }
        for (int page = 0; page < document.pageCount(); ++page) {
            if (page > 0)
                writer.newPage();
            renderPage(document, page, painter, QRectF(0, 0, writer.width(), writer.height()));
        }
        painter.end();
    }
    if (!file.commit())
        return fail(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    return true;
}

} // namespace printing
