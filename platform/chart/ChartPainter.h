#pragma once

#include "ChartModel.h"

#include <QPainter>
#include <QRectF>

namespace chart {

// Draws the chart into target on any painter: a widget, an image, a printed
// page. Font sizes are in points of the painter's device; pixel sizes
// (line widths, symbols, label offsets) are those of a 96 dpi screen and
// grow with the device's resolution.
void paintChart(QPainter& painter, const QRectF& target, const ChartModel& model);

} // namespace chart
