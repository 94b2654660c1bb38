#pragma once

#include "ChartModel.h"

#include "forms/Control.h"
#include "forms/Form.h"

#include <QImage>
#include <QPainter>
#include <QRectF>

#include <functional>

namespace chart {

// The chart control of a window. Changes go to its model; while repainting
// is held the control keeps showing what it showed when the hold began, and
// the release shows the model once.
class Chart : public forms::Control {
public:
    Chart(forms::Form& form, const forms::ControlPlace& place);

    const ChartModel& model() const { return model_; }
    // Changes the model; the control shows the change unless repainting is held.
    void change(const std::function<void(ChartModel&)>& edit);

    // A switch, not a count: a graph that failed while holding leaves the
    // chart held, and the next graph's release shows it again.
    void holdRepaint(bool hold);
    bool repaintHeld() const { return held_; }

    // What the control shows, drawn into target on any painter.
    void draw(QPainter& painter, const QRectF& target) const;
    // What the control shows, as an image of its size.
    QImage grab() const;

private:
    class Surface;
    void show();

    Surface* surface_;
    ChartModel model_;
    ChartModel shown_;
    bool held_ = false;
};

// Lets window layouts create chart controls.
void registerChartKind();

} // namespace chart
