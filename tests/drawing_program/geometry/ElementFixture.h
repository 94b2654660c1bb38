#pragma once

#include "drawing/clsSettings.h"
#include "drawing/mAPI_draw.h"
#include "drawing_program/DrawingFakes.h"
#include "geometry/clsGear.h"

#include <cmath>
#include <memory>

namespace vantropetest {

inline double degrees(double d)
{
    return d * M_PI / 180.0;
}

inline double involute(double a)
{
    return std::tan(a) - a;
}

inline double radiusOf(const std::array<double, 2>& p)
{
    return std::hypot(p[0], p[1]);
}

// The running program around the elements: settings on an in-memory store,
// a recording device, a recording message logger.
struct ElementFixture {
    bool logged = false;
    vantrope::TraceLog trace{logged};
    vantrope::RunState run;
    vantrope::PenTable pens;
    RecordingReporter log;
    MemoryStore store;
    vantrope::clsSettings settings{store, "Vantrope", run, trace, pens, log};
    vantrope::mAPI_draw draw{log};
    vantrope::ElementServices services{run, trace, log, settings, draw};
    RecordingDevice device{pens};

    std::unique_ptr<vantrope::clsGear> element() { return std::make_unique<vantrope::clsGear>(services); }
};

// A gear with its own full root radius, drawn by itself in mesh 1.
struct GearInputs {
    std::int32_t teeth = 20;
    double pressureAngle = degrees(20);
    double thickness = 0.5;
    std::int16_t sign = 1;
    double dco = 1.0;
    double addendum = 1.0;
    double wholeDepth = 2.25;
    double edgeBreak = 0.0;
    double protuberance = 0.0;
    bool frr = true;
    std::int32_t mesh = 1;
};

inline std::int32_t feed(vantrope::clsGear& gear, const GearInputs& in)
{
    return gear.Inputs(in.teeth, in.pressureAngle, in.thickness, in.sign, in.dco, in.addendum, in.wholeDepth,
                       in.edgeBreak, in.protuberance, in.frr, in.mesh, in.teeth / 2.0);
}

} // namespace vantropetest
