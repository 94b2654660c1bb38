#include "model/GearBending.h"
#include "model/MMath.h"
#include "model/ModelShell.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"
#include "runtime/CheckedMath.h"
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

constexpr std::int16_t True = -1;
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
                      gear.RR(1), gear.RLC(), gear.HPSTC(1), gear.pair().Phi_o(), gear.RL()});
    });
    next([&] {
        trace.record({text(s.VoR), s.Sn, s.sRp, s.sRb, s.sTTo, s.sRo, s.sRR, s.sRLC, gear.HPSTC(1),
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

// One point of the Lewis parabola search on the fillet circle, turned to the
// tooth centreline, with its height above the load point and x̄ (temp).
// No initialisers: a table of them is filled whole before it is read.
struct SearchPoint {
    double A, B, YC, XC, height, temp;
};

// The cosine and sine of the fillet parameter are stepped by delta, and taken
// afresh from the angle every RenewRotationEvery points: point j (0-based) is
// step j % RenewRotationEvery of run j / RenewRotationEvery. The runs do not
// depend on one another, so they are stepped side by side. The last run is
// padded to full length; its padding is never read.
constexpr int SearchRuns = (SearchPoints + RenewRotationEvery - 1) / RenewRotationEvery;
using SearchPointTable = std::array<SearchPoint, SearchRuns * RenewRotationEvery>;

// Each point is turned from the space centreline to the tooth centreline by
// sPang/2 - atan(A/B); the rotation is done with the cosine and sine of those
// angles rather than the angles themselves. Where B is 0 the turn fails and
// the point keeps the fillet parameter as its angle.
void computeSearchPoints(const T_StressVars& s, const FilletCircle& f, double intExt, double betaPrime,
                         double delta, SearchPointTable& points) {
    std::array<double, SearchRuns> cosParameter{}, sinParameter{};
    for (int run = 0; run < SearchRuns; ++run) {
        const double parameter = betaPrime - (run * RenewRotationEvery) * delta;
        cosParameter[run] = std::cos(parameter);
        sinParameter[run] = std::sin(parameter);
    }
    const double cosDelta = std::cos(delta);
    const double sinDelta = std::sin(delta);
    const double cosHalfPitch = std::cos(s.sPang / 2);
    const double sinHalfPitch = std::sin(s.sPang / 2);
    for (int step = 0; step < RenewRotationEvery; ++step) {
        if (step > 0) {
            for (int run = 0; run < SearchRuns; ++run) {
                const double c = cosParameter[run];
                const double sn = sinParameter[run];
                cosParameter[run] = c * cosDelta + sn * sinDelta;
                sinParameter[run] = sn * cosDelta - c * sinDelta;
            }
        }
        for (int run = 0; run < SearchRuns; ++run) {
            SearchPoint& p = points[run * RenewRotationEvery + step];
            const double c = cosParameter[run];
            const double sn = sinParameter[run];
            p.A = f.Rf * c;
            p.B = f.y - intExt * f.Rf * sn;
            if (p.B == 0) {
                p.YC = std::fabs(p.A) * c;
                p.XC = std::fabs(p.A) * sn;
            } else {
                const double absB = std::fabs(p.B);
                const double signedA = p.B > 0 ? p.A : -p.A;
                p.YC = cosHalfPitch * absB + sinHalfPitch * signedA;
                p.XC = sinHalfPitch * absB - cosHalfPitch * signedA;
            }
            p.height = (s.sRL - p.YC) * intExt;
            p.temp = p.XC * p.XC / p.height;
        }
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
    for (int i = 1; i <= SearchPoints; ++i) {
        const SearchPoint& p = points[i - 1];
        // Most points are sound and above the running minimum; a finite temp
        // has a height that is not 0.
        if (p.B != 0 && std::isfinite(p.temp) && p.temp > smallest)
            continue;
        if (p.B == 0)
            next([&] { divide(p.A, p.B); });
        if (p.height == 0) {
            next([] { runtime::raise(runtime::DivisionByZero); });
            continue;
        }
        if (!std::isfinite(p.temp)) {
            next([] { runtime::raise(runtime::Overflow); });
            continue;
        }
        if (!(p.temp <= smallest))
            continue;
        if (trace.active()) {
            const double g = p.B == 0 ? betaPrime - (i - 1) * delta : s.sPang / 2 - std::atan(p.A / p.B);
            trace.record({whole(i), g, p.YC, p.XC, p.temp});
        }
        smallest = p.temp;
        H = p.height;
        XBAR = p.temp;
        TC = 2 * p.XC;
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
        trace.record({text("finished iterating when temp > " + numberText(SearchStartMinimum) + " = XBAR")});
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
