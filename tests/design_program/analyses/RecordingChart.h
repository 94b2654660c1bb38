#pragma once

#include "analyses/T_Chart.h"
#include "runtime/RuntimeError.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace cindrel::analyses::testing {

// A chart control that keeps what it is told, scales "Y" to the finite
// values that are not the missing mark, and counts its repaints.
class RecordingSurface : public ChartSurface {
public:
    struct Header {
        std::string text;
        int fontSize = 0;
        bool bold = false;
    };

    Header header;
    std::map<ChartAxis, std::string> axisTitles;
    std::map<ChartAxis, int> axisFontSizes;
    double missing = -1e300;
    int seriesCount = 0;
    int pointCount = 0;
    std::map<int, double> xs;
    std::map<std::pair<int, int>, double> ys;
    std::map<int, ChartSeriesStyle> seriesStyles;
    std::map<std::pair<int, int>, ChartPointStyle> pointStyles;
    std::vector<ChartLabel> labels;
    bool held = false;
    int repaints = 0; // releases of a hold, each a repaint
    int seriesStyleResets = 0;
    bool failOnHeader = false;

    void holdRepaint(bool hold) override
    {
        if (held && !hold)
            ++repaints;
        held = hold;
    }
    void holdUpdates(bool) override {}
    void setHeader(const std::string& text, int fontSize, bool bold) override
    {
        if (failOnHeader)
            throw runtime::RuntimeError(runtime::InvalidProcedureCall);
        header = {text, fontSize, bold};
    }
    void setAxisTitle(ChartAxis axis, const std::string& title) override { axisTitles[axis] = title; }
    void setAxisFontSize(ChartAxis axis, int fontSize) override { axisFontSizes[axis] = fontSize; }
    ChartRange axisRange(ChartAxis) override
    {
        ChartRange range{1e300, -1e300};
        for (const auto& [at, value] : ys) {
            if (at.first > seriesCount || at.second > pointCount || value == missing || !std::isfinite(value))
                continue;
            range.minimum = std::min(range.minimum, value);
            range.maximum = std::max(range.maximum, value);
        }
        return range.minimum <= range.maximum ? range : ChartRange{0, 1};
    }
    void setMissingValue(double value) override { missing = value; }
    void setSeriesCount(int series) override { seriesCount = series; }
    void setPointCount(int points) override { pointCount = points; }
    void setX(int point, double value) override { xs[point] = value; }
    double x(int point) override { return xs.at(point); }
    void setY(int series, int point, double value) override { ys[{series, point}] = value; }
    double y(int series, int point) override { return ys.at({series, point}); }
    void resetSeriesStyles() override
    {
        ++seriesStyleResets;
        seriesStyles.clear();
    }
    void setSeriesStyle(int series, const ChartSeriesStyle& style) override { seriesStyles[series] = style; }
    void setPointStyle(int series, int point, const ChartPointStyle& style) override
    {
        pointStyles[{series, point}] = style;
    }
    void removePointStyles() override { pointStyles.clear(); }
    void removeLabels() override { labels.clear(); }
    void addLabel(const ChartLabel& label) override { labels.push_back(label); }
    int labelCount() override { return static_cast<int>(labels.size()); }
};

// The program around the chart: settings, units and pair readings as set,
// run-log lines, reported errors and the bound buttons, clickable.
class RecordingHost : public ChartHost {
public:
    struct Shared {
        RecordingSurface surface;
        std::int32_t fontSize = 10;
        ChartUnits units;
        double lpstc = 0.3, pitchRollAngle = 0.4;
        std::int32_t gearIntExt = 1;
        std::vector<std::string> runNotes;
        std::vector<std::string> errors; // "routine number description"
        std::vector<std::string> boundButtons;
        std::map<std::string, std::function<void()>> handlers;

        void click(const std::string& button) { handlers.at(button)(); }
    };

    explicit RecordingHost(Shared& shared) : shared_(shared) {}

    ChartSurface& surface() override { return shared_.surface; }
    std::int32_t Graphfontsize() override { return shared_.fontSize; }
    ChartUnits units() override { return shared_.units; }
    double pinionLPSTC() override { return shared_.lpstc; }
    double pinionPitchRollAngle() override { return shared_.pitchRollAngle; }
    std::int32_t gearIntExt() override { return shared_.gearIntExt; }
    void writeRunNote(std::string_view note) override { shared_.runNotes.emplace_back(note); }
    void reportError(std::string_view routine, int number, std::string_view description) override
    {
        shared_.errors.push_back(std::string(routine) + " " + std::to_string(number) + " " + std::string(description));
    }
    std::unique_ptr<ChartButtonBinding> bindClick(std::string_view button, std::function<void()> handler) override
    {
        shared_.boundButtons.emplace_back(button);
        shared_.handlers[std::string(button)] = std::move(handler);
        return std::make_unique<Released>(shared_, std::string(button));
    }

private:
    class Released : public ChartButtonBinding {
    public:
        Released(Shared& shared, std::string button) : shared_(shared), button_(std::move(button)) {}
        ~Released() override { shared_.handlers.erase(button_); }

    private:
        Shared& shared_;
        std::string button_;
    };

    Shared& shared_;
};

inline ChartUnits metricChartUnits()
{
    return {25.4, "(mm) ", "(MPa) ", "(N) ", "(\xC2\xB0" "C) ", "(Ra) "};
}

} // namespace cindrel::analyses::testing
