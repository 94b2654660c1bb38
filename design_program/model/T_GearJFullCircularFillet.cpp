#include "model/GearBending.h"
#include "model/Flags.h"
#include "model/MMath.h"
#include "model/ModelShell.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"
#include "runtime/CheckedMath.h"
#include "runtime/NumberText.h"
#include "runtime/ResumeNext.h"
#include "runtime/RuntimeError.h"

#include <array>
#include <cctype>
#include <cmath>

namespace cindrel::model {

using runtime::checkFinite;
using runtime::divide;
using runtime::tangent;

namespace {

constexpr const char* RoutineName = "FullCircularFillerJFactor";
constexpr double PlacementTolerance = 1e-6;
constexpr int SearchPoints = 1000;
constexpr double SearchStartMinimum = 10000;
// Steps after which the stepped cosine and sine are taken afresh from the angle.
constexpr int RenewRotationEvery = 32;

std::string upperCase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

enum class Placement { Converged, BelowBaseCircle, NotConverged };

// The fillet circle: its radius and the distance of its centre from the gear
// centre, with Beta the angle of that centre from the space centreline.
struct FilletCircle {
    double Ri = 0, PhiI = 0, Beta = 0, Rf = 0, y = 0, diff = 0;
};

void writeOpeningRecords(T_Gear& gear, BendingTrace& trace, runtime::ResumeNext& next) {
    const T_StressVars& s = gear.oStress;
    trace.record({text("ZRK Full Circular Bending Stress Routine")});
    trace.record({text("All units in this module SAE or English units; inch, pound, etc.")});
    trace.emptyRecord();
    trace.record({text(upperCase(gear.Name()) + " bending stress routine")});
    trace.record({text(""), text("N"), text("RP_o"), text("Rb"), text("TTK_o"), text("RO"), text("RR"),
                  text("RLC"), text("HPSTC"), text("Phi_o"), text("RL"), text("Phi_Load")});
    next([&] {
        trace.record({text(""), gear.N(), gear.Rp_o(), gear.Rb(), gear.TTK_o(1, 0), gear.Ro(True, 1, 0),
                      gear.RR(1), gear.RLC(), gear.HPSTC(T_Gear::LoadedLimit), gear.pair().Phi_o(), gear.RL()});
    });
    next([&] {
        trace.record({text(s.VoR), s.Sn, s.sRp, s.sRb, s.sTTo, s.sRo, s.sRR, s.sRLC, gear.HPSTC(T_Gear::LoadedLimit),
                      s.sPhi_o, s.sRL, MMath::Rad2Deg(s.sPhi_lp)});
    });
}

// Walks the fillet circle's radius from the lowest point of contact until the
// circle touches the root circle. Ri never goes below the base circle.
Placement placeFillet(T_Gear& gear, FilletCircle& f, BendingTrace& trace, runtime::ResumeNext& next) {
    const T_StressVars& s = gear.oStress;
    const double intExt = gear.IntExt;
    f.Ri = s.sRLC;
    for (int i = 1; i <= GearBending::FilletPlacementSteps; ++i) {
        if (f.Ri < s.sRb)
            f.Ri = s.sRb;
        next([&] { f.PhiI = MMath::ArcCos(divide(s.sRb, f.Ri)); });
        next([&] {
            f.Beta = checkFinite(intExt * (s.sPang / 2 - divide(s.sTTo, 2 * s.sRp)) - s.sInvPhi +
                                 tangent(f.PhiI));
        });
        next([&] { f.Rf = checkFinite(intExt * s.sRb * (tangent(f.Beta) - tangent(f.PhiI))); });
        next([&] { f.y = divide(s.sRb, std::cos(f.Beta)); });
        next([&] { f.diff = checkFinite(f.y - intExt * f.Rf - s.sRR); });
        if (trace.active()) {
            next([&] {
                trace.record({whole(i), f.Ri, MMath::Rad2Deg(f.PhiI), MMath::Rad2Deg(f.Beta), f.Rf, f.y, f.diff});
            });
        }
        const bool fits = std::fabs(f.diff) <= PlacementTolerance;
        if (!fits && f.Ri == s.sRb)
            return Placement::BelowBaseCircle;
        if (fits)
            return Placement::Converged;
        f.Ri -= f.diff;
    }
    return Placement::NotConverged;
}

// The fillet placed at the angle of the base of the tooth, tangent to the
// radial lines there, when it cannot be fitted to the involute.
void placeFilletAtToothBase(T_Gear& gear, FilletCircle& f, BendingTrace& trace, runtime::ResumeNext& next) {
    const T_StressVars& s = gear.oStress;
    trace.record({text("******Circular fillet placement below base circle******")});
    next([&] { f.Beta = checkFinite(s.sPang / 2 - divide(s.sTTo, 2 * s.sRp) - s.sInvPhi); });
    next([&] { f.Rf = divide(s.sRR, divide(1.0, std::sin(f.Beta)) - 1); });
    next([&] { f.y = checkFinite(s.sRR + f.Rf); });
    next([&] { f.Ri = checkFinite(f.y * std::cos(f.Beta)); });
    trace.record({text("RR"), text("Rb"), text("Ri"), text("y"), text("Rf"), text("Beta"), text("PhiI"),
                  text("diff")});
    trace.record({s.sRR, s.sRb, f.Ri, f.y, f.Rf, f.Beta, text("0.0"), text("0.0")});
    trace.record({text("******recommending to move root radius out*********")});
    trace.record({text("*****continuing stress calculation routine*********")});
}

// The points of the Lewis parabola search on the fillet circle, turned to the
// tooth centreline: for each, the cosine and sine of the fillet parameter,
// A and B, the turned point (YC, XC), its height above the load point and x̄
// (temp). Kept as one array per quantity so that filling them vectorises.
// Point j (0-based) is step j % RenewRotationEvery of run
// j / RenewRotationEvery: the cosine and sine are stepped by delta and taken
// afresh from the angle at the start of each run, and the runs, which do not
// depend on one another, are stepped side by side. The last run is padded to
// full length; its padding is never read.
constexpr int SearchRuns = (SearchPoints + RenewRotationEvery - 1) / RenewRotationEvery;
constexpr int SearchSlots = SearchRuns * RenewRotationEvery;
struct SearchPointTable {
    // No initialisers: every slot is written before it is read.
    std::array<double, SearchSlots> cosParameter, sinParameter, A, B, YC, XC, height, temp;

    // The point where B is 0: the turn by atan(A/B) fails and the point keeps
    // the fillet parameter as its angle.
    void unturn(int j, double loadRadius, double intExt) {
        YC[j] = std::fabs(A[j]) * cosParameter[j];
        XC[j] = std::fabs(A[j]) * sinParameter[j];
        height[j] = (loadRadius - YC[j]) * intExt;
        temp[j] = XC[j] * XC[j] / height[j];
    }
};

// Each point is turned from the space centreline to the tooth centreline by
// sPang/2 - atan(A/B); the rotation is done with the cosine and sine of those
// angles rather than the angles themselves. Every point is turned here, a B
// of 0 too (A takes the sign of B by an exact multiplication); the search
// unturns those few.
void computeSearchPoints(const T_StressVars& s, const FilletCircle& f, double intExt, double betaPrime,
                         double delta, SearchPointTable& points) {
    const double cosDelta = std::cos(delta);
    const double sinDelta = std::sin(delta);
    for (int run = 0; run < SearchRuns; ++run) {
        const int first = run * RenewRotationEvery;
        const double parameter = betaPrime - first * delta;
        points.cosParameter[first] = std::cos(parameter);
        points.sinParameter[first] = std::sin(parameter);
    }
    for (int step = 1; step < RenewRotationEvery; ++step) {
        for (int run = 0; run < SearchRuns; ++run) {
            const int j = run * RenewRotationEvery + step;
            const double c = points.cosParameter[j - 1];
            const double sn = points.sinParameter[j - 1];
            points.cosParameter[j] = c * cosDelta + sn * sinDelta;
            points.sinParameter[j] = sn * cosDelta - c * sinDelta;
        }
    }
    const double cosHalfPitch = std::cos(s.sPang / 2);
    const double sinHalfPitch = std::sin(s.sPang / 2);
    for (int j = 0; j < SearchSlots; ++j) {
        const double A = f.Rf * points.cosParameter[j];
        const double B = f.y - intExt * f.Rf * points.sinParameter[j];
        const double absB = std::fabs(B);
        const double signedA = std::copysign(1.0, B) * A;
        const double YC = cosHalfPitch * absB + sinHalfPitch * signedA;
        const double XC = sinHalfPitch * absB - cosHalfPitch * signedA;
        const double height = (s.sRL - YC) * intExt;
        points.A[j] = A;
        points.B[j] = B;
        points.YC[j] = YC;
        points.XC[j] = XC;
        points.height[j] = height;
        points.temp[j] = XC * XC / height;
    }
}

// The Lewis parabola search over the fillet circle: the last point whose
// x̄ is not above the running minimum is the critical section.
void searchCriticalSection(T_Gear& gear, const FilletCircle& f, BendingTrace& trace,
                           runtime::ResumeNext& next) {
    T_StressVars& s = gear.oStress;
    const double intExt = gear.IntExt;
    const double betaPrime = MMath::HalfPi - f.Beta;
    const double delta = betaPrime / SearchPoints;
    SearchPointTable points;
    computeSearchPoints(s, f, intExt, betaPrime, delta, points);
    double smallest = SearchStartMinimum;
    double H = 0, XBAR = 0, TC = 0;
    for (int j = 0; j < SearchPoints; ++j) {
        // Most points are sound and above the running minimum; a finite temp
        // has a height that is not 0.
        if (points.B[j] != 0 && std::isfinite(points.temp[j]) && points.temp[j] > smallest)
            continue;
        if (points.B[j] == 0) {
            next([&] { divide(points.A[j], points.B[j]); });
            points.unturn(j, s.sRL, intExt);
        }
        if (points.height[j] == 0) {
            next([] { runtime::raise(runtime::DivisionByZero); });
            continue;
        }
        const double temp = points.temp[j];
        if (!std::isfinite(temp)) {
            next([] { runtime::raise(runtime::Overflow); });
            continue;
        }
        if (!(temp <= smallest))
            continue;
        if (trace.active()) {
            const double g = points.B[j] == 0 ? betaPrime - j * delta
                                              : s.sPang / 2 - std::atan(points.A[j] / points.B[j]);
            trace.record({whole(j + 1), g, points.YC[j], points.XC[j], temp});
        }
        smallest = temp;
        H = points.height[j];
        XBAR = temp;
        TC = 2 * points.XC[j];
    }
    s.rH = H;
    s.rXBAR = XBAR;
    s.rTC = TC;
    s.rRf = f.Rf;
    s.Done = True;
}

} // namespace

double GearBending::fullCircularFillet(T_Gear& gear) {
    runtime::ResumeNext next(gear.shell(), "T_Gear", RoutineName);
    T_StressVars& s = gear.oStress;
    next([&] { gear.LoadStressVars(); });

    BendingTrace trace(gear, RoutineName, FullCircularTraceEnding);
    if (trace.active())
        writeOpeningRecords(gear, trace, next);

    if (trace.active()) {
        trace.emptyRecord();
        trace.record({text("Running circular fillet placement iteration for the " + upperCase(gear.Name()))});
        trace.record({text("i"), text("Ri"), text("PhiI"), text("Beta"), text("Rf"), text("y"), text("diff")});
    }
    FilletCircle fillet;
    const Placement placement = placeFillet(gear, fillet, trace, next);
    next([&] { s.Rtangent = checkFinite(fillet.Ri - s.sRp + gear.Rp_s()); });

    if (placement == Placement::NotConverged) {
        // A fillet that does not settle leaves no sound section to rate.
        gear.shell().reportError("T_Gear", RoutineName, "0",
                                 "the circular fillet did not settle within 100 placement steps; J is 0",
                                 "");
        trace.record({text("failed to converge the fillet within 100 steps, no J computed")});
        // The trace of this run replaces the earlier one, which would pass for it.
        trace.close();
        s.XKF = 0;
        s.YK = 0;
        s.XJ = 0;
        return 0;
    }
    if (placement == Placement::BelowBaseCircle)
        placeFilletAtToothBase(gear, fillet, trace, next);

    if (trace.active()) {
        trace.emptyRecord();
        trace.record({text("Starting Critical Section Iteration")});
        trace.record({text("finished iterating when temp > " + runtime::numberText(SearchStartMinimum) + " = XBAR")});
        trace.record({text("i"), text("delta"), text("YC"), text("XC"), text("temp")});
    }
    searchCriticalSection(gear, fillet, trace, next);

    const double J = closeFromCriticalSection(gear, next);

    if (trace.active()) {
        trace.emptyRecord();
        trace.record({text("H"), text("TC"), text("XBAR"), text("RF"), text("KF"), text("Y"), text("J")});
        trace.record({s.rH, s.rTC, s.rXBAR, s.rRf, s.XKF, s.YK, s.XJ});
    }
    trace.close();
    return J;
}

} // namespace cindrel::model
