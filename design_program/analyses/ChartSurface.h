#pragma once

#include <cstdint>
#include <string>

namespace cindrel::analyses {

// The chart control as the graphs drive it. Series and points are numbered
// from 1. The shell implements it on the main window's chart control; tests
// use a recorder.
enum class ChartAxis { X, Y };

// Point symbols. KeyPoint is the tall upright bar that marks a key point of
// the path of contact; its size is its height.
enum class ChartSymbol { Default, KeyPoint, Disc, Square };

// Where a label sits from the point it is attached to.
enum class ChartAnchor { North, South, East, West, NorthEast, NorthWest, SouthEast, SouthWest };

struct ChartColour {
    std::uint8_t red = 0, green = 0, blue = 0;
    friend bool operator==(const ChartColour&, const ChartColour&) = default;
};
inline constexpr ChartColour Black{};

// How a whole series is drawn; the symbol shape stays the control's own per series.
struct ChartSeriesStyle {
    ChartColour lineColour = Black;
    int lineWidth = 1;
    bool lineShown = true;
    ChartColour symbolColour = Black;
    int symbolSize = 5;
    friend bool operator==(const ChartSeriesStyle&, const ChartSeriesStyle&) = default;
};

// The symbol of one point of a series, over the series' own.
struct ChartPointStyle {
    ChartSymbol symbol = ChartSymbol::Default;
    ChartColour colour = Black;
    int size = 5;
    friend bool operator==(const ChartPointStyle&, const ChartPointStyle&) = default;
};

// A text attached to a point in data coordinates, offset from it towards
// its anchor (in the control's pixels), with a line back to the point.
struct ChartLabel {
    std::string text;
    double x = 0, y = 0;
    ChartAnchor anchor = ChartAnchor::North;
    bool connected = true;
    int offset = 0;
    int fontSize = 10;
    friend bool operator==(const ChartLabel&, const ChartLabel&) = default;
};

struct ChartRange {
    double minimum = 0, maximum = 0;
    friend bool operator==(const ChartRange&, const ChartRange&) = default;
};

class ChartSurface {
public:
    virtual ~ChartSurface() = default;

    // While held the control does not repaint; released, it repaints once.
    virtual void holdRepaint(bool hold) = 0;
    virtual void holdUpdates(bool hold) = 0;

    virtual void setHeader(const std::string& text, int fontSize, bool bold) = 0;
    virtual void setAxisTitle(ChartAxis axis, const std::string& title) = 0;
    virtual void setAxisFontSize(ChartAxis axis, int fontSize) = 0;
    // The range the control shows for the data it holds now.
    virtual ChartRange axisRange(ChartAxis axis) = 0;

    // The value that marks a missing point (a gap in the line).
    virtual void setMissingValue(double value) = 0;
    virtual void setSeriesCount(int series) = 0;
    // Every series has this many points; X values are shared by the series.
    virtual void setPointCount(int points) = 0;
    virtual void setX(int point, double value) = 0;
    virtual double x(int point) = 0;
    virtual void setY(int series, int point, double value) = 0;
    virtual double y(int series, int point) = 0;

    virtual void resetSeriesStyles() = 0;
    virtual void setSeriesStyle(int series, const ChartSeriesStyle& style) = 0;
    virtual void setPointStyle(int series, int point, const ChartPointStyle& style) = 0;
    virtual void removePointStyles() = 0;

    virtual void removeLabels() = 0;
    virtual void addLabel(const ChartLabel& label) = 0;
    virtual int labelCount() = 0;

    // A surface that keeps nothing and draws nothing, for runs without a window.
    static ChartSurface& inert();
};

} // namespace cindrel::analyses
