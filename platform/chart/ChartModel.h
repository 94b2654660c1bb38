#pragma once

#include <QColor>
#include <QString>

#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace chart {

enum class Axis { X, Y };

// Point symbols. KeyPoint is an upright bar whose size is its height.
enum class Symbol { None, Disc, Square, Triangle, Diamond, Cross, KeyPoint };

// Where a label sits from the point it is attached to.
enum class Anchor { North, South, East, West, NorthEast, NorthWest, SouthEast, SouthWest };

// How a series is drawn; sizes and widths in pixels of a 96 dpi screen.
struct SeriesStyle {
    QColor lineColour = Qt::black;
    int lineWidth = 1;
    bool lineShown = true;
    Symbol symbol = Symbol::Disc;
    QColor symbolColour = Qt::black;
    int symbolSize = 5;
};

// The symbol of one point, over its series' own.
struct PointStyle {
    Symbol symbol = Symbol::Disc;
    QColor colour = Qt::black;
    int size = 5;
};

// A text attached to a point in data coordinates; its box sits offset
// pixels from the point towards its anchor, with a line back to the point.
// A line break is "\n" or "\r\n".
struct Label {
    QString text;
    double x = 0, y = 0;
    Anchor anchor = Anchor::North;
    bool connected = true;
    int offset = 0;
    double fontSize = 10;
};

// The scale of an axis: its ends and the step between ticks.
struct Scale {
    double minimum = 0, maximum = 1, step = 0.2;
};

// A scale with round ticks that takes in [low, high]; 0 to 1 when there is
// nothing to take in.
Scale niceScale(double low, double high);

// What a chart shows: header, two axes, series of points sharing their X
// values, per-series and per-point styles and labels. Series and points are
// numbered from 1; an index outside the counts raises run-time error 9, a
// negative count error 380. A point whose value is the missing mark, or is
// not finite, is not drawn and breaks its line.
class ChartModel {
public:
    QString header;
    double headerFontSize = 10;
    bool headerBold = true;

    QString axisTitle(Axis axis) const { return axes_[index(axis)].title; }
    void setAxisTitle(Axis axis, const QString& title) { axes_[index(axis)].title = title; }
    double axisFontSize(Axis axis) const { return axes_[index(axis)].fontSize; }
    void setAxisFontSize(Axis axis, double size) { axes_[index(axis)].fontSize = size; }
    // The scale drawn for the data held now.
    Scale scale(Axis axis) const;

    std::optional<double> missingValue() const { return missing_; }
    void setMissingValue(std::optional<double> value) { missing_ = value; }
    bool isMissing(double value) const;

    int seriesCount() const { return static_cast<int>(ys_.size()); }
    void setSeriesCount(int series);
    int pointCount() const { return static_cast<int>(xs_.size()); }
    // New points are missing.
    void setPointCount(int points);
    double x(int point) const;
    void setX(int point, double value);
    double y(int series, int point) const;
    void setY(int series, int point, double value);

    // The series' style; a series never styled has its default style.
    SeriesStyle seriesStyle(int series) const;
    void setSeriesStyle(int series, const SeriesStyle& style);
    void resetSeriesStyles() { seriesStyles_.clear(); }
    static SeriesStyle defaultSeriesStyle(int series);

    std::optional<PointStyle> pointStyle(int series, int point) const;
    void setPointStyle(int series, int point, const PointStyle& style);
    void removePointStyles() { pointStyles_.clear(); }

    const std::vector<Label>& labels() const { return labels_; }
    void addLabel(const Label& label) { labels_.push_back(label); }
    void removeLabels() { labels_.clear(); }

private:
    struct AxisSettings {
        QString title;
        double fontSize = 9;
    };
    static int index(Axis axis) { return axis == Axis::X ? 0 : 1; }
    void checkSeries(int series) const;
    void checkPoint(int point) const;

    AxisSettings axes_[2];
    std::optional<double> missing_;
    std::vector<double> xs_;
    std::vector<std::vector<double>> ys_;
    std::map<int, SeriesStyle> seriesStyles_;
    std::map<std::pair<int, int>, PointStyle> pointStyles_;
    std::vector<Label> labels_;
};

} // namespace chart
