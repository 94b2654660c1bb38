#pragma once

#include "drawing/clsSettings.h"
#include "drawing/mAPI_draw.h"
#include "log/RunState.h"
#include "log/TraceLog.h"
#include "runtime/ErrorReporter.h"

namespace vantrope {

// What an element and its teeth use of the running program.
struct ElementServices {
    RunState& run;
    const TraceLog& trace;
    runtime::ErrorReporter& log;
    clsSettings& settings;
    mAPI_draw& draw;
};

} // namespace vantrope
