#include "model/MGearMath.h"

#include "model/MMath.h"
#include "runtime/CheckedMath.h"
#include "runtime/ResumeNext.h"
#include "runtime/RuntimeError.h"

#include <cmath>

namespace cindrel::model::MGearMath {

using MMath::InvFunction;
using MMath::Pi;

double TThkFromSpan(std::int32_t teeth, double transverseDiametralPitch,
                    double transversePressureAngle, double spanMeasurement,
                    std::int32_t teethSpanned, double helixAngle) {
    const double P = transverseDiametralPitch;
    const double phi = transversePressureAngle;
    const double psi = helixAngle;
    double D = 0, Db = 0, pn = 0, phiN = 0, pbn = 0, psiB = 0, sbn = 0, half = 0, st = 0, result = 0;

    // Errors are ignored statement by statement: a failing statement leaves its
    // variable at 0 and the next one runs.
    runtime::ResumeNext next;
    next([&] { D = runtime::divide(teeth, P); });
    next([&] { Db = runtime::checkFinite(D * std::cos(phi)); });
    next([&] { pn = runtime::checkFinite(runtime::divide(Pi, P) * std::cos(psi)); });
    next([&] { phiN = std::atan(runtime::checkFinite(runtime::tangent(phi) * std::cos(psi))); });
    next([&] { pbn = runtime::checkFinite(pn * std::cos(phiN)); });
    next([&] {
        psiB = psi != 0.0 ? std::atan(runtime::divide(runtime::tangent(psi) * Db, D)) : 0.0;
    });
    next([&] { sbn = runtime::checkFinite(spanMeasurement - pbn * (teethSpanned - 1.0)); });
    next([&] { half = runtime::divide(sbn, Db * std::cos(psiB)); });
    next([&] { st = runtime::checkFinite(D * (half - InvFunction(phi))); });
    next([&] { result = runtime::checkFinite(st * std::cos(psi)); });
    return result;
}

namespace {

// Normal circular thickness from the pin-centre diameter; raises on any
// measurement without a solution.
double thicknessFromPinCentres(std::int32_t teeth, double D, double Db, double phi, double psi,
                               double measurement, double pinDiameter, bool betweenPins) {
    const double Dc = betweenPins ? measurement + pinDiameter : measurement - pinDiameter;
    // A pin-centre diameter at or below 0 is no measurement at all.
    if (!(Dc > 0.0))
        runtime::raise(runtime::InvalidProcedureCall);
    const double psiB = psi != 0.0 ? std::atan(runtime::tangent(psi) * std::cos(phi)) : 0.0;
    // For an odd count the two pins do not lie on one diameter.
    const double c = MMath::IsEven(teeth) ? 0.0 : runtime::divide(Pi, 2.0 * teeth);
    const double x = runtime::divide(std::cos(c) * Db, Dc);
    const double phiC = std::atan(runtime::divide(runtime::squareRoot(1.0 - x * x), x));
    const double pinAngle = runtime::divide(pinDiameter, Db * std::cos(psiB));
    const double toothAngle = runtime::divide(Pi, teeth);
    const double st = betweenPins
                          ? D * (toothAngle + InvFunction(phi) - InvFunction(phiC) - pinAngle)
                          : D * (toothAngle + InvFunction(phiC) - InvFunction(phi) - pinAngle);
    return runtime::checkFinite(st * std::cos(psi));
}

} // namespace

double TThkFromPins(std::int32_t teeth, double transverseDiametralPitch,
                    double transversePressureAngle, double helixAngle, double measurement,
                    double pinDiameter, bool betweenPins) {
    const double D = runtime::divide(teeth, transverseDiametralPitch);
    const double Db = runtime::checkFinite(D * std::cos(transversePressureAngle));
    try {
        return thicknessFromPinCentres(teeth, D, Db, transversePressureAngle, helixAngle, measurement,
                                       pinDiameter, betweenPins);
    } catch (const runtime::RuntimeError&) {
        return 0.0;
    }
}

} // namespace cindrel::model::MGearMath
