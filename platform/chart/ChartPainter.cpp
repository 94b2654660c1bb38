#include "ChartPainter.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace chart {

namespace {

constexpr double Gap = 6;          // pixels between the parts of the chart
constexpr double TickLength = 4;
constexpr int MostTicks = 50;
// Label offsets and key-point marks are sized for a plot this many pixels
// high and follow the plot's height, so that a graph keeps its look at any size.
constexpr double ReferencePlotHeight = 320;

QFont fontOf(double points, bool bold = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(std::clamp(points, 1.0, 200.0));
    font.setBold(bold);
    return font;
}

// Decimals enough to tell the ticks of a step apart.
int decimalsFor(double step)
{
    if (!(step > 0) || !std::isfinite(step))
        return 0;
    int decimals = 0;
    double scaled = step;
    while (decimals < 10 && std::fabs(scaled - std::round(scaled)) > 1e-6 * std::max(1.0, scaled)) {
        scaled *= 10;
        ++decimals;
    }
    return decimals;
}

QString tickText(double value, int decimals)
{
    if (std::fabs(value) >= 1e9)
        return QString::number(value, 'g', 6);
    if (std::fabs(value) < 1e-12)
        value = 0; // no "-0"
    return QString::number(value, 'f', decimals);
}

std::vector<double> ticksOf(const Scale& scale)
{
    std::vector<double> ticks;
    if (!(scale.step > 0) || !std::isfinite(scale.step))
        return ticks;
    for (int i = 0; i <= MostTicks; ++i) {
        const double value = scale.minimum + i * scale.step;
        if (!std::isfinite(value) || value > scale.maximum + scale.step * 1e-6)
            break;
        ticks.push_back(value);
    }
    return ticks;
}

QString plainText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// Maps data coordinates onto the plot rectangle.
class Mapping {
public:
    Mapping(const QRectF& plot, const Scale& x, const Scale& y) : plot_(plot), x_(x), y_(y) {}
    QPointF operator()(double x, double y) const
    {
        return {plot_.left() + fraction(x, x_) * plot_.width(), plot_.bottom() - fraction(y, y_) * plot_.height()};
    }
    double px(double x) const { return plot_.left() + fraction(x, x_) * plot_.width(); }
    double py(double y) const { return plot_.bottom() - fraction(y, y_) * plot_.height(); }

private:
    // In halves, so that a span from the least to the greatest number stays finite.
    static double fraction(double value, const Scale& scale)
    {
        const double span = scale.maximum / 2 - scale.minimum / 2;
        return span > 0 ? (value / 2 - scale.minimum / 2) / span : 0.5;
    }
    QRectF plot_;
    Scale x_, y_;
};

void drawSymbol(QPainter& painter, QPointF at, Symbol symbol, const QColor& colour, double size, double unit,
                double plotUnit)
{
    if (symbol == Symbol::None || size <= 0)
        return;
    painter.save();
    double half = size * unit / 2;
    if (symbol == Symbol::KeyPoint) {
        half = size * plotUnit / 2;
        painter.setPen(QPen(colour, std::max(1.0, 1.5 * unit)));
        painter.drawLine(QPointF(at.x(), at.y() - half), QPointF(at.x(), at.y() + half));
        painter.restore();
        return;
    }
    painter.setPen(QPen(colour, std::max(1.0, unit)));
    painter.setBrush(colour);
    switch (symbol) {
    case Symbol::Disc: painter.drawEllipse(at, half, half); break;
    case Symbol::Square: painter.drawRect(QRectF(at.x() - half, at.y() - half, 2 * half, 2 * half)); break;
    case Symbol::Triangle:
        painter.drawPolygon(QPolygonF{{at.x(), at.y() - half}, {at.x() + half, at.y() + half}, {at.x() - half, at.y() + half}});
        break;
    case Symbol::Diamond:
        painter.drawPolygon(
            QPolygonF{{at.x(), at.y() - half}, {at.x() + half, at.y()}, {at.x(), at.y() + half}, {at.x() - half, at.y()}});
        break;
    case Symbol::Cross:
        painter.drawLine(QPointF(at.x() - half, at.y() - half), QPointF(at.x() + half, at.y() + half));
        painter.drawLine(QPointF(at.x() - half, at.y() + half), QPointF(at.x() + half, at.y() - half));
        break;
    default: break;
    }
    painter.restore();
}

// The label box: offset from the point towards the anchor, kept inside bounds.
QRectF labelBox(QPointF at, QSizeF size, Anchor anchor, double offset, const QRectF& bounds)
{
    double dx = 0, dy = 0;
    switch (anchor) {
    case Anchor::North: dy = -1; break;
    case Anchor::South: dy = 1; break;
    case Anchor::East: dx = 1; break;
    case Anchor::West: dx = -1; break;
    case Anchor::NorthEast: dx = 1, dy = -1; break;
    case Anchor::NorthWest: dx = -1, dy = -1; break;
    case Anchor::SouthEast: dx = 1, dy = 1; break;
    case Anchor::SouthWest: dx = -1, dy = 1; break;
    }
    const double diagonal = dx != 0 && dy != 0 ? std::sqrt(0.5) : 1.0;
    const QPointF near(at.x() + dx * offset * diagonal, at.y() + dy * offset * diagonal);
    // The box's edge or corner facing the point sits at near.
    const double left = dx > 0 ? near.x() : dx < 0 ? near.x() - size.width() : near.x() - size.width() / 2;
    const double top = dy > 0 ? near.y() : dy < 0 ? near.y() - size.height() : near.y() - size.height() / 2;
    QRectF box(QPointF(left, top), size);
    box.moveLeft(std::clamp(box.left(), bounds.left(), std::max(bounds.left(), bounds.right() - box.width())));
    box.moveTop(std::clamp(box.top(), bounds.top(), std::max(bounds.top(), bounds.bottom() - box.height())));
    return box;
}

// Moves a label box off the boxes already placed, towards the middle of
// the plot, as far as the plot allows.
QRectF clearOf(QRectF box, const std::vector<QRectF>& placed, const QRectF& bounds)
{
    const bool downwards = box.center().y() < bounds.center().y();
    for (std::size_t attempt = 0; attempt <= placed.size(); ++attempt) {
        const auto hit = std::find_if(placed.begin(), placed.end(), [&](const QRectF& other) { return other.intersects(box); });
        if (hit == placed.end())
            return box;
        const double shift = downwards ? hit->bottom() - box.top() + 1 : hit->top() - box.bottom() - 1;
        box.translate(0, shift);
        if (box.top() < bounds.top() || box.bottom() > bounds.bottom())
            break;
    }
    box.moveTop(std::clamp(box.top(), bounds.top(), std::max(bounds.top(), bounds.bottom() - box.height())));
    return box;
}

QPointF nearestOn(const QRectF& box, QPointF point)
{
    return {std::clamp(point.x(), box.left(), box.right()), std::clamp(point.y(), box.top(), box.bottom())};
}

} // namespace

void paintChart(QPainter& painter, const QRectF& target, const ChartModel& model)
{
    if (target.width() < 4 || target.height() < 4)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setClipRect(target);
    painter.fillRect(target, Qt::white);

    const QPaintDevice* device = painter.device();
    const double unit = device != nullptr && device->logicalDpiY() > 0 ? device->logicalDpiY() / 96.0 : 1.0;
    const double gap = Gap * unit;

    // Header.
    double top = target.top() + gap;
    const QString header = plainText(model.header);
    if (!header.isEmpty()) {
        painter.setFont(fontOf(model.headerFontSize, model.headerBold));
        const QRectF headerBox(target.left() + gap, top, target.width() - 2 * gap, target.height() / 3);
        const QRectF used =
            painter.boundingRect(headerBox, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, header);
        painter.setPen(Qt::black);
        painter.drawText(headerBox, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, header);
        top = used.bottom() + gap;
    }

    const Scale xScale = model.scale(Axis::X);
    const Scale yScale = model.scale(Axis::Y);
    const std::vector<double> xTicks = ticksOf(xScale), yTicks = ticksOf(yScale);
    const int xDecimals = decimalsFor(xScale.step), yDecimals = decimalsFor(yScale.step);

    // Margins from what stands beside the plot.
    const QFont axisFont = fontOf(model.axisFontSize(Axis::X));
    const QFont yAxisFont = fontOf(model.axisFontSize(Axis::Y));
    const QFontMetricsF xMetrics(axisFont, const_cast<QPaintDevice*>(device));
    const QFontMetricsF yMetrics(yAxisFont, const_cast<QPaintDevice*>(device));
    double yLabelWidth = 0;
    for (double tick : yTicks)
        yLabelWidth = std::max(yLabelWidth, yMetrics.horizontalAdvance(tickText(tick, yDecimals)));
    const QString yTitle = plainText(model.axisTitle(Axis::Y));
    const QString xTitle = plainText(model.axisTitle(Axis::X));
    const double left = target.left() + gap + (yTitle.isEmpty() ? 0 : yMetrics.height() + gap) + yLabelWidth +
                        TickLength * unit + gap / 2;
    const double lastXLabel = xTicks.empty() ? 0 : xMetrics.horizontalAdvance(tickText(xTicks.back(), xDecimals));
    const double right = target.right() - std::max(3 * gap, lastXLabel / 2 + gap);
    const double bottom = target.bottom() - gap - (xTitle.isEmpty() ? 0 : xMetrics.height() + gap / 2) -
                          xMetrics.height() - TickLength * unit - gap / 2;
    top += yMetrics.height() / 2;
    const QRectF plot(QPointF(left, top), QPointF(std::max(left + 1, right), std::max(top + 1, bottom)));
    const Mapping map(plot, xScale, yScale);
    const double plotUnit = plot.height() / ReferencePlotHeight;

    // Grid, frame, ticks and their values.
    painter.setPen(QPen(QColor(220, 220, 220), unit * 0.75));
    for (double tick : xTicks)
        painter.drawLine(QPointF(map.px(tick), plot.top()), QPointF(map.px(tick), plot.bottom()));
    for (double tick : yTicks)
        painter.drawLine(QPointF(plot.left(), map.py(tick)), QPointF(plot.right(), map.py(tick)));
    painter.setPen(QPen(Qt::black, unit));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
    painter.setFont(axisFont);
    for (double tick : xTicks) {
        const double at = map.px(tick);
        painter.drawLine(QPointF(at, plot.bottom()), QPointF(at, plot.bottom() + TickLength * unit));
        const QString text = tickText(tick, xDecimals);
        const double width = xMetrics.horizontalAdvance(text);
        painter.drawText(QRectF(at - width / 2 - 2, plot.bottom() + TickLength * unit, width + 4, xMetrics.height()),
                         Qt::AlignCenter, text);
    }
    if (!xTitle.isEmpty())
        painter.drawText(QRectF(plot.left(), plot.bottom() + TickLength * unit + xMetrics.height() + gap / 2,
                                plot.width(), xMetrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, xTitle);
    painter.setFont(yAxisFont);
    for (double tick : yTicks) {
        const double at = map.py(tick);
        painter.drawLine(QPointF(plot.left() - TickLength * unit, at), QPointF(plot.left(), at));
        painter.drawText(QRectF(plot.left() - TickLength * unit - gap / 4 - yLabelWidth - 2, at - yMetrics.height() / 2,
                                yLabelWidth + 2, yMetrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, tickText(tick, yDecimals));
    }
    if (!yTitle.isEmpty()) {
        painter.save();
        painter.translate(target.left() + gap, plot.center().y());
        painter.rotate(-90);
        painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), yMetrics.height()), Qt::AlignCenter, yTitle);
        painter.restore();
    }

    // Curves, broken at missing points, then their symbols.
    painter.save();
    painter.setClipRect(plot.adjusted(-1, -1, 1, 1));
    const int points = model.pointCount();
    for (int series = 1; series <= model.seriesCount(); ++series) {
        const SeriesStyle style = model.seriesStyle(series);
        if (style.lineShown && style.lineWidth > 0) {
            painter.setPen(QPen(style.lineColour, style.lineWidth * unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            QPolygonF run;
            const auto flush = [&] {
                if (run.size() > 1)
                    painter.drawPolyline(run);
                run.clear();
            };
            for (int point = 1; point <= points; ++point) {
                const double x = model.x(point), y = model.y(series, point);
                const QPointF at = map(x, y);
                if (model.isMissing(x) || model.isMissing(y) || !std::isfinite(at.x()) || !std::isfinite(at.y())) {
                    flush();
                    continue;
                }
                run << at;
            }
            flush();
        }
        for (int point = 1; point <= points; ++point) {
            const double x = model.x(point), y = model.y(series, point);
            if (model.isMissing(x) || model.isMissing(y) || !std::isfinite(map(x, y).x()) || !std::isfinite(map(x, y).y()))
                continue;
            const std::optional<PointStyle> own = model.pointStyle(series, point);
            if (own)
                drawSymbol(painter, map(x, y), own->symbol, own->colour, own->size, unit, plotUnit);
            else
                drawSymbol(painter, map(x, y), style.symbol, style.symbolColour, style.symbolSize, unit, plotUnit);
        }
    }
    painter.restore();

    // Labels, kept inside the plot so that they never cover the header or the axes.
    const QRectF bounds = plot.adjusted(1, 1, -1, -1);
    std::vector<QRectF> placed;
    for (const Label& label : model.labels()) {
        if (model.isMissing(label.x) || model.isMissing(label.y) || label.text.isEmpty())
            continue;
        const QString text = plainText(label.text);
        const QFont font = fontOf(label.fontSize);
        painter.setFont(font);
        const QFontMetricsF metrics(font, const_cast<QPaintDevice*>(device));
        const QRectF textSize = metrics.boundingRect(QRectF(0, 0, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop, text);
        const QSizeF size(textSize.width() + 6 * unit, textSize.height() + 2 * unit);
        const QPointF at = map(label.x, label.y);
        const QRectF box = clearOf(labelBox(at, size, label.anchor, label.offset * plotUnit, bounds), placed, bounds);
        placed.push_back(box);
        if (label.connected && plot.adjusted(-1, -1, 1, 1).contains(at)) {
            painter.setPen(QPen(Qt::black, 0.75 * unit));
            painter.drawLine(at, nearestOn(box, at));
        }
        painter.setPen(QPen(QColor(90, 90, 90), 0.5 * unit));
        painter.setBrush(QColor(255, 255, 255, 230));
        painter.drawRect(box);
        painter.setPen(Qt::black);
        painter.drawText(box, Qt::AlignCenter, text);
    }
    painter.restore();
}

} // namespace chart
