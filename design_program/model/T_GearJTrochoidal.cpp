#include "model/GearBending.h"
#include "model/Flags.h"
#include "model/MMath.h"
#include "model/ModelShell.h"
#include "model/T_Gear.h"
#include "model/T_Hob.h"
#include "model/T_Set.h"
#include "runtime/CheckedMath.h"
#include "runtime/ResumeNext.h"

#include <cmath>

namespace cindrel::model {

using runtime::checkFinite;
using runtime::divide;
using runtime::squareRoot;
using runtime::tangent;

namespace {

constexpr const char* RoutineName = "ZRK_Trochoidal_JFactor";
constexpr int TrochoidPoints = 300;
constexpr double SearchStartMinimum = 100000;

// An angle held as its cosine and sine.
struct Direction {
    double cos = 1, sin = 0;

    static Direction ofAngle(double angle) { return {std::cos(angle), std::sin(angle)}; }
    // The angle of the point (x, y), as MMath::Atan2(y, x) gives it (0 at the origin).
    static Direction of(double x, double y) {
        const double length = std::sqrt(x * x + y * y);
        if (length == 0)
            return {};
        return {x / length, y / length};
    }
    // MMath::ArcCos(x), which is 0 outside [-1, 1].
    static Direction ofArcCos(double x) {
        if (!(std::fabs(x) <= 1))
            return {};
        return {x, std::sqrt(1 - x * x)};
    }
    Direction minus(const Direction& other) const {
        return {cos * other.cos + sin * other.sin, sin * other.cos - cos * other.sin};
    }
};

// The hob's rolling geometry for this member: Rg the circle the hob's
// reference line rolls on, b the hob addendum, d the depth of the tip-radius
// centre below the rolling line, e its least distance from the gear centre.
struct Generation {
    double Rg = 0, b = 0, RTan = 0, d = 0, e = 0, step = 0, g0 = 0, TR = 0;
};

void writeHobRecords(const T_Hob& hob, BendingTrace& trace, runtime::ResumeNext& next) {
    trace.record({text("Trochoidal fillet routine")});
    trace.record({text("PhiHob "), text("HobTTK "), text("HobAddend "), text("EdgeRadius "), text("HalfFlat "),
                  text("Tip2Flank"), text("Protuberance")});
    next([&] {
        trace.record({MMath::Rad2Deg(hob.PhiHob()), hob.HobTTk(), hob.Addendum(), hob.TipRadius(),
                      hob.HobHalfFlat(), hob.Tip2Flank(), hob.Protuberance()});
    });
}

// Also sets the member's root radius to the one the hob cuts.
Generation generate(T_Gear& gear, runtime::ResumeNext& next) {
    T_StressVars& s = gear.oStress;
    const T_Hob& hob = *gear.oHob;
    const T_Set& pair = gear.pair();
    Generation gen;
    double phiHob = 0, phiN = 0, a1 = 0, c = 0;
    next([&] { phiHob = hob.PhiHob(); });
    next([&] { phiN = pair.Phi_n(); });
    next([&] { gen.TR = hob.TipRadius(); });
    next([&] { gen.Rg = checkFinite(divide(s.sRb, std::cos(phiHob)) + hob.RackShift(true)); });
    next([&] { a1 = checkFinite(divide(hob.HobTTk(), 2 * tangent(phiHob)) - hob.Addendum()); });
    next([&] { gen.b = checkFinite(divide(hob.HobTTk(), 2 * tangent(phiHob)) - a1); });
    next([&] { c = checkFinite(gen.b - hob.Tip2Flank()); });
    next([&] {
        const double along = checkFinite(gen.Rg * std::sin(phiN) - divide(c, std::sin(phiN)));
        gen.RTan = squareRoot(checkFinite(along * along + s.sRb * s.sRb));
    });
    next([&] { s.Rtangent = checkFinite(gen.RTan - s.sRp + gear.Rp_s()); });
    next([&] { s.sRR = checkFinite(gen.Rg - gen.b); });
    // The depth the hob cuts, on the member's side of its pitch circle (an
    // internal gear's root lies outside it).
    next([&] { gear.aaRootRadius(checkFinite(gear.Rp_s() - gear.IntExt * (s.sRp - s.sRR))); });
    gen.d = gen.b - gen.TR;
    gen.e = gen.Rg - gen.d;
    gen.step = gen.d / TrochoidPoints;
    next([&] { gen.g0 = checkFinite(s.sPang / 2 - divide(hob.HobHalfFlat(), gen.Rg)); });
    return gen;
}

} // namespace

double GearBending::trochoidalFillet(T_Gear& gear) {
    runtime::ResumeNext next(gear.shell(), "T_Gear", RoutineName);
    T_StressVars& s = gear.oStress;
    double smallest = SearchStartMinimum;

    BendingTrace trace(gear, RoutineName, TrochoidalTraceEnding);
    if (trace.active())
        writeHobRecords(*gear.oHob, trace, next);

    next([&] { gear.LoadStressVars(); });
    const Generation gen = generate(gear, next);
    const double intExt = gear.IntExt;

    if (trace.active()) {
        trace.record({text("RTan"), gen.RTan});
        trace.record({text("Start of iteration")});
        trace.record({text("i"), text("RFtemp"), text("H"), text("XBAR"), text("TC")});
    }

    double H = 0, XBAR = 0, TC = 0;
    double RFtemp = 0;
    const double e2 = gen.e * gen.e;
    for (int i = 1; i <= TrochoidPoints; ++i) {
        const double r = gen.Rg - i * gen.step;
        const double rolled = r * r - e2 > 0 ? std::sqrt(r * r - e2) : 0.0;
        double rollAngle = 0;
        next([&] { rollAngle = divide(rolled, gen.Rg); });
        // sin of the angle of (v, u): the tip radius's contact direction.
        const double sinPsiT = Direction::of(rolled * gen.Rg, gen.Rg * gen.e - r * r).sin;
        next([&] { RFtemp = squareRoot(r * r + gen.TR * gen.TR - 2 * gen.TR * r * sinPsiT); });
        const double w = r - gen.TR * sinPsiT;
        if (RFtemp < w)
            RFtemp = w;
        if (RFtemp <= gen.RTan) {
            double temp = 0, XC = 0, YC = 0;
            const bool computed = next([&] {
                // g = g0 - (angle of (e, rolled) - rolled/Rg + ArcCos(w/RFtemp)), turned
                // with cosines and sines to spare the arc functions.
                const Direction g = Direction::ofAngle(gen.g0 + rollAngle)
                                        .minus(Direction::of(gen.e, rolled))
                                        .minus(Direction::ofArcCos(divide(w, RFtemp)));
                XC = RFtemp * g.sin;
                YC = RFtemp * g.cos;
                temp = divide(XC * XC, (s.sRL - YC) * intExt);
            });
            if (computed && temp <= smallest) {
                smallest = temp;
                H = (s.sRL - YC) * intExt;
                XBAR = temp;
                TC = 2 * XC;
            }
        }
        if (trace.active())
            trace.record({whole(i), RFtemp, H, XBAR, TC});
    }

    double RF = 0;
    next([&] { RF = checkFinite(divide(gen.d * gen.d, gen.Rg + gen.d) + gen.TR); });
    if (trace.active()) {
        trace.record({text("end of iteration")});
        trace.record({text("RF"), text("H"), text("XBAR"), text("TC")});
        trace.record({RF, H, XBAR, TC});
    }

    s.rH = H;
    s.rRf = RF;
    s.rXBAR = XBAR;
    s.rTC = TC;
    s.Done = True;
    const double J = closeFromCriticalSection(gear, next);
    trace.close();
    return J;
}

} // namespace cindrel::model
