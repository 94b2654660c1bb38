#pragma once

// Private to the bending-strength sources of the model: the helpers the three
// J routines share, kept out of T_Gear.h.

#include "runtime/ResumeNext.h"

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace cindrel::model {

class T_Gear;

// Trace ending of each J routine, after the design name and the member's name.
inline constexpr std::string_view FullCircularTraceEnding = "_FRR_Stress.csv";
inline constexpr std::string_view TrochoidalTraceEnding = "_ZRK-Hobbed_Stress.csv";
inline constexpr std::string_view AgmaTraceEnding = "_AGMA-Hobbed_Stress.csv";

// One field of a trace record: a quoted text, a number in the general form,
// or a counter written as a whole number.
struct TraceText {
    std::string value;
};
using TraceField = std::variant<TraceText, double, std::int64_t>;

// The optional CSV trace of one J routine run. Inactive (every call does
// nothing) unless the CSV setting is on and the file opened. A trace is a
// diagnostic: a write that fails is reported once and ends the trace, and
// never changes the routine's result.
class BendingTrace {
public:
    BendingTrace(T_Gear& gear, std::string_view routine, std::string_view ending);
    ~BendingTrace();
    BendingTrace(const BendingTrace&) = delete;
    BendingTrace& operator=(const BendingTrace&) = delete;

    bool active() const { return out_ != nullptr; }

    // Writes one record; nothing when inactive. The fields are produced by
    // the caller, so a getter that fails there skips only this record.
    void record(const std::vector<TraceField>& fields);
    void emptyRecord() { record({}); }
    // Completes the file; later records are dropped.
    void close();

private:
    T_Gear& gear_;
    std::string routine_;
    std::unique_ptr<std::ostream> out_;
};

inline TraceField text(std::string value) { return TraceText{std::move(value)}; }
inline TraceField whole(std::int64_t value) { return value; }

// Helpers of the J routines, friends of T_Gear.
struct GearBending {
    // Kf, Y and J from the critical section stored in the record (the
    // Lewis-parabola routines); each failing step is reported through next.
    static double closeFromCriticalSection(T_Gear& gear, runtime::ResumeNext& next);

    static double fullCircularFillet(T_Gear& gear);
    static double trochoidalFillet(T_Gear& gear);
    static double agmaFactor(T_Gear& gear, std::int16_t tipLoaded);

    // The stress-concentration exponents H, L, M interpolated on the normal
    // pressure angle in degrees.
    struct StressConcentrationExponents {
        double H = 0, L = 0, M = 0;
    };
    static StressConcentrationExponents lewisExponents(double normalPressureAngleDegrees);

    // Search caps; reaching one is reported and gives the routine's failure value.
    static constexpr int FilletPlacementSteps = 100;
    static constexpr int CriticalPointSteps = 100;
};

} // namespace cindrel::model
