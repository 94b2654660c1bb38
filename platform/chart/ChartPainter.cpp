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

// What an axis shows beside the plot: its ticks, their values' font, its title.
struct AxisText {
    Scale scale;
    std::vector<double> ticks;
    int decimals;
    QFont font;
    QFontMetricsF metrics;
    QString title;
};

AxisText axisTextOf(const ChartModel& model, Axis axis, const QPaintDevice* device)
{
    const Scale scale = model.scale(axis);
    const QFont font = fontOf(model.axisFontSize(axis));
    return {scale, ticksOf(scale), decimalsFor(scale.step), font, QFontMetricsF(font, const_cast<QPaintDevice*>(device)),
            plainText(model.axisTitle(axis))};
}

// Sizes on the device: pixels of a 96 dpi screen grow with its resolution.
struct DeviceUnits {
    double unit;
    double gap;
};

// Draws the header across the top; returns where the parts below it start.
double drawHeader(QPainter& painter, const QRectF& target, const ChartModel& model, const DeviceUnits& units)
{
    const double gap = units.gap;
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
    return top;
}

double widestTickText(const AxisText& axis)
{
    double widest = 0;
    for (double tick : axis.ticks)
        widest = std::max(widest, axis.metrics.horizontalAdvance(tickText(tick, axis.decimals)));
    return widest;
}

// The plot: what is left of the target below the header once the axes'
// values and titles have their room.
QRectF plotArea(const QRectF& target, double top, const AxisText& x, const AxisText& y, double yLabelWidth,
                const DeviceUnits& units)
{
    const double unit = units.unit, gap = units.gap;
    const double left = target.left() + gap + (y.title.isEmpty() ? 0 : y.metrics.height() + gap) + yLabelWidth +
                        TickLength * unit + gap / 2;
    const double lastXLabel = x.ticks.empty() ? 0 : x.metrics.horizontalAdvance(tickText(x.ticks.back(), x.decimals));
    const double right = target.right() - std::max(3 * gap, lastXLabel / 2 + gap);
    const double bottom = target.bottom() - gap - (x.title.isEmpty() ? 0 : x.metrics.height() + gap / 2) -
                          x.metrics.height() - TickLength * unit - gap / 2;
    top += y.metrics.height() / 2;
    return {QPointF(left, top), QPointF(std::max(left + 1, right), std::max(top + 1, bottom))};
}

void drawGrid(QPainter& painter, const QRectF& plot, const Mapping& map, const AxisText& x, const AxisText& y,
              double unit)
{
    painter.setPen(QPen(QColor(220, 220, 220), unit * 0.75));
    for (double tick : x.ticks)
        painter.drawLine(QPointF(map.px(tick), plot.top()), QPointF(map.px(tick), plot.bottom()));
    for (double tick : y.ticks)
        painter.drawLine(QPointF(plot.left(), map.py(tick)), QPointF(plot.right(), map.py(tick)));
}

// The frame sets the black pen the axes' ticks and values are drawn with.
void drawFrame(QPainter& painter, const QRectF& plot, double unit)
{
    painter.setPen(QPen(Qt::black, unit));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
}

// Ticks below the plot, their values under them, the title under those.
void drawXAxis(QPainter& painter, const QRectF& plot, const Mapping& map, const AxisText& x, const DeviceUnits& units)
{
    const double unit = units.unit;
    painter.setFont(x.font);
    for (double tick : x.ticks) {
        const double at = map.px(tick);
        painter.drawLine(QPointF(at, plot.bottom()), QPointF(at, plot.bottom() + TickLength * unit));
        const QString text = tickText(tick, x.decimals);
        const double width = x.metrics.horizontalAdvance(text);
        painter.drawText(QRectF(at - width / 2 - 2, plot.bottom() + TickLength * unit, width + 4, x.metrics.height()),
                         Qt::AlignCenter, text);
    }
    if (!x.title.isEmpty())
        painter.drawText(QRectF(plot.left(), plot.bottom() + TickLength * unit + x.metrics.height() + units.gap / 2,
                                plot.width(), x.metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, x.title);
}

// Ticks left of the plot, their values right-aligned beside them, the title
// turned upright along the target's left edge.
void drawYAxis(QPainter& painter, const QRectF& target, const QRectF& plot, const Mapping& map, const AxisText& y,
               double yLabelWidth, const DeviceUnits& units)
{
    const double unit = units.unit, gap = units.gap;
    painter.setFont(y.font);
    for (double tick : y.ticks) {
        const double at = map.py(tick);
        painter.drawLine(QPointF(plot.left() - TickLength * unit, at), QPointF(plot.left(), at));
        painter.drawText(QRectF(plot.left() - TickLength * unit - gap / 4 - yLabelWidth - 2, at - y.metrics.height() / 2,
                                yLabelWidth + 2, y.metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, tickText(tick, y.decimals));
    }
    if (!y.title.isEmpty()) {
        painter.save();
        painter.translate(target.left() + gap, plot.center().y());
        painter.rotate(-90);
        painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), y.metrics.height()), Qt::AlignCenter, y.title);
        painter.restore();
    }
}

// A series' line, broken at missing points.
void drawSeriesLine(QPainter& painter, const Mapping& map, const ChartModel& model, int series,
                    const SeriesStyle& style, double unit)
{
    if (!style.lineShown || style.lineWidth <= 0)
        return;
    painter.setPen(QPen(style.lineColour, style.lineWidth * unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPolygonF run;
    const auto flush = [&] {
        if (run.size() > 1)
            painter.drawPolyline(run);
        run.clear();
    };
    for (int point = 1; point <= model.pointCount(); ++point) {
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

// A series' symbols: a point's own style where it has one, else the series'.
void drawSeriesSymbols(QPainter& painter, const Mapping& map, const ChartModel& model, int series,
                       const SeriesStyle& style, double unit, double plotUnit)
{
    for (int point = 1; point <= model.pointCount(); ++point) {
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

// Every series, clipped to the plot: its line, then its symbols over it.
void drawSeries(QPainter& painter, const QRectF& plot, const Mapping& map, const ChartModel& model, double unit,
                double plotUnit)
{
    painter.save();
    painter.setClipRect(plot.adjusted(-1, -1, 1, 1));
    for (int series = 1; series <= model.seriesCount(); ++series) {
        const SeriesStyle style = model.seriesStyle(series);
        drawSeriesLine(painter, map, model, series, style, unit);
        drawSeriesSymbols(painter, map, model, series, style, unit, plotUnit);
    }
    painter.restore();
}

// Labels in boxes, kept inside the plot so that they never cover the header
// or the axes, and off each other; a connected label has a leader to its point.
void drawLabels(QPainter& painter, const QRectF& plot, const Mapping& map, const ChartModel& model, double unit,
                double plotUnit)
{
    const QRectF bounds = plot.adjusted(1, 1, -1, -1);
    std::vector<QRectF> placed;
    for (const Label& label : model.labels()) {
        if (model.isMissing(label.x) || model.isMissing(label.y) || label.text.isEmpty())
            continue;
        const QString text = plainText(label.text);
        const QFont font = fontOf(label.fontSize);
        painter.setFont(font);
        const QFontMetricsF metrics(font, const_cast<QPaintDevice*>(painter.device()));
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
    const DeviceUnits units{unit, Gap * unit};

    const double top = drawHeader(painter, target, model, units);
    const AxisText x = axisTextOf(model, Axis::X, device);
    const AxisText y = axisTextOf(model, Axis::Y, device);
    const double yLabelWidth = widestTickText(y);
    const QRectF plot = plotArea(target, top, x, y, yLabelWidth, units);
    const Mapping map(plot, x.scale, y.scale);
    const double plotUnit = plot.height() / ReferencePlotHeight;

    drawGrid(painter, plot, map, x, y, unit);
    drawFrame(painter, plot, unit);
    drawXAxis(painter, plot, map, x, units);
    drawYAxis(painter, target, plot, map, y, yLabelWidth, units);
    drawSeries(painter, plot, map, model, unit, plotUnit);
    drawLabels(painter, plot, map, model, unit, plotUnit);
    painter.restore();
}

} // namespace chart
