#include "analyses/ChartSurface.h"

namespace cindrel::analyses {

namespace {

class InertSurface final : public ChartSurface {
public:
    void holdRepaint(bool) override {}
    void holdUpdates(bool) override {}
    void setHeader(const std::string&, int, bool) override {}
    void setAxisTitle(ChartAxis, const std::string&) override {}
    void setAxisFontSize(ChartAxis, int) override {}
    ChartRange axisRange(ChartAxis) override { return {}; }
    void setMissingValue(double) override {}
    void setSeriesCount(int) override {}
    void setPointCount(int) override {}
    void setX(int, double) override {}
    double x(int) override { return 0; }
    void setY(int, int, double) override {}
    double y(int, int) override { return 0; }
    void resetSeriesStyles() override {}
    void setSeriesStyle(int, const ChartSeriesStyle&) override {}
    void setPointStyle(int, int, const ChartPointStyle&) override {}
    void removePointStyles() override {}
    void removeLabels() override {}
    void addLabel(const ChartLabel&) override {}
    int labelCount() override { return 0; }
};

} // namespace

ChartSurface& ChartSurface::inert()
{
    static InertSurface surface;
    return surface;
}

} // namespace cindrel::analyses
