#include "ChartModel.h"

#include "forms/FormsError.h"
#include "runtime/RuntimeError.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace chart {

namespace {

constexpr int MostPoints = 100000;
constexpr int MostSeries = 1000;

} // namespace

Scale niceScale(double low, double high)
{
    if (!std::isfinite(low) || !std::isfinite(high) || low > high)
        return {};
    if (low == high) {
        // One value: a span around it that still shows it.
        const double pad = low == 0 ? 1 : std::fabs(low) * 0.1;
        low -= pad;
        high += pad;
    }
    // Fifths of the ends rather than of the span, which may not be finite.
    const double rough = high / 5 - low / 5;
    const double magnitude = rough > 0 ? std::pow(10.0, std::floor(std::log10(rough))) : 0;
    if (!(magnitude > 0) || !std::isfinite(magnitude))
        return {low, high, 0}; // too narrow to step through: no ticks
    double step = magnitude * 10;
    for (double factor : {1.0, 2.0, 2.5, 5.0}) {
        if (rough <= factor * magnitude) {
            step = factor * magnitude;
            break;
        }
    }
    double minimum = std::floor(low / step + 1e-9) * step;
    double maximum = std::ceil(high / step - 1e-9) * step;
    if (!std::isfinite(minimum) || minimum > low)
        minimum = low;
    if (!std::isfinite(maximum) || maximum < high)
        maximum = high;
    return {minimum, maximum, step};
}

bool ChartModel::isMissing(double value) const
{
    return !std::isfinite(value) || (missing_ && value == *missing_);
}

Scale ChartModel::scale(Axis axis) const
{
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    const auto take = [&](double value) {
        if (isMissing(value))
            return;
        low = std::min(low, value);
        high = std::max(high, value);
    };
    if (axis == Axis::X) {
        for (double value : xs_)
            take(value);
    } else {
        for (const auto& series : ys_)
            for (double value : series)
                take(value);
    }
    return niceScale(low, high);
}

void ChartModel::checkSeries(int series) const
{
    if (series < 1 || series > seriesCount())
        runtime::raise(runtime::SubscriptOutOfRange);
}

void ChartModel::checkPoint(int point) const
{
    if (point < 1 || point > pointCount())
        runtime::raise(runtime::SubscriptOutOfRange);
}

void ChartModel::setSeriesCount(int series)
{
    if (series < 0 || series > MostSeries)
        forms::raiseFormsError(forms::InvalidPropertyValue);
    ys_.resize(static_cast<std::size_t>(series),
               std::vector<double>(xs_.size(), std::numeric_limits<double>::quiet_NaN()));
}

void ChartModel::setPointCount(int points)
{
    if (points < 0 || points > MostPoints)
        forms::raiseFormsError(forms::InvalidPropertyValue);
    const auto size = static_cast<std::size_t>(points);
    xs_.resize(size, std::numeric_limits<double>::quiet_NaN());
    for (auto& series : ys_)
        series.resize(size, std::numeric_limits<double>::quiet_NaN());
}

double ChartModel::x(int point) const
{
    checkPoint(point);
    return xs_[static_cast<std::size_t>(point - 1)];
}

void ChartModel::setX(int point, double value)
{
    checkPoint(point);
    xs_[static_cast<std::size_t>(point - 1)] = value;
}

double ChartModel::y(int series, int point) const
{
    checkSeries(series);
    checkPoint(point);
    return ys_[static_cast<std::size_t>(series - 1)][static_cast<std::size_t>(point - 1)];
}

void ChartModel::setY(int series, int point, double value)
{
    checkSeries(series);
    checkPoint(point);
    ys_[static_cast<std::size_t>(series - 1)][static_cast<std::size_t>(point - 1)] = value;
}

SeriesStyle ChartModel::defaultSeriesStyle(int series)
{
    // Each series has its own symbol so that black curves stay told apart.
    static constexpr Symbol symbols[] = {Symbol::Disc, Symbol::Square, Symbol::Triangle, Symbol::Diamond, Symbol::Cross};
    SeriesStyle style;
    style.symbol = symbols[static_cast<std::size_t>(std::max(series - 1, 0)) % std::size(symbols)];
    return style;
}

SeriesStyle ChartModel::seriesStyle(int series) const
{
    if (const auto found = seriesStyles_.find(series); found != seriesStyles_.end())
        return found->second;
    return defaultSeriesStyle(series);
}

// Styles may be set ahead of the series they are for.
void ChartModel::setSeriesStyle(int series, const SeriesStyle& style)
{
    if (series < 1 || series > MostSeries)
        runtime::raise(runtime::SubscriptOutOfRange);
    seriesStyles_[series] = style;
}

std::optional<PointStyle> ChartModel::pointStyle(int series, int point) const
{
    if (const auto found = pointStyles_.find({series, point}); found != pointStyles_.end())
        return found->second;
    return std::nullopt;
}

void ChartModel::setPointStyle(int series, int point, const PointStyle& style)
{
    if (series < 1 || series > MostSeries || point < 1 || point > MostPoints)
        runtime::raise(runtime::SubscriptOutOfRange);
    pointStyles_[{series, point}] = style;
}

} // namespace chart
