#include "model/MMath.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"
#include "runtime/CheckedMath.h"
#include "runtime/RuntimeError.h"

#include <cmath>
#include <string>

namespace cindrel::model {

using runtime::checkFinite;
using runtime::divide;
using runtime::squareRoot;

namespace {

std::size_t limitSlot(std::int32_t index) {
    if (index != 0 && index != 1)
        runtime::raise(runtime::SubscriptOutOfRange);
    return static_cast<std::size_t>(index);
}

} // namespace

double T_Set::effectiveOutsideRadius(const T_Gear& gear) { return gear.Ro(-1, 1, 0); }

double T_Set::tipRollLength(const T_Gear& gear) {
    const double outside = effectiveOutsideRadius(gear);
    const double base = gear.Rb();
    return squareRoot(checkFinite(outside * outside - base * base));
}

double T_Set::DC_s() const {
    const double pinionPitch = oPinion->Rp_s();
    return standardCentreDistance(pinionPitch, oGear->Rp_s());
}

double T_Set::standardCentreDistance(double pinionPitch, double gearPitch) const {
    // Rp_s gives 0 rather than fail, so only the sum can fail: it then counts
    // as 0, and 0 is kept off zero so that ratios to it stay defined.
    const double sum = IntExt() * pinionPitch + gearPitch;
    return std::isfinite(sum) && sum != 0 ? sum : 1e-07;
}

double T_Set::DC_O(std::int16_t Percent) const {
    if (Percent != 0)
        return centerDistanceRatio_;
    const double pinionPitch = oPinion->Rp_s();
    return operatingCentreDistance(pinionPitch, oGear->Rp_s());
}

double T_Set::operatingCentreDistance(double pinionPitch, double gearPitch) const {
    return checkFinite(standardCentreDistance(pinionPitch, gearPitch) * centerDistanceRatio_);
}

double T_Set::PC_s() const { return checkFinite(divide(MMath::Pi, pd())); }

double T_Set::PC_sn() const { return checkFinite(divide(MMath::Pi, Pd_n())); }

double T_Set::PC_o() const { return checkFinite(divide(MMath::Pi, Pd_o())); }

double T_Set::PC_on() const { return checkFinite(divide(MMath::Pi, Pd_on())); }

void T_Set::aaBackLash(std::int32_t MinMaxDels, double vdata) {
    checkFinite(vdata);
    backLash_[limitSlot(MinMaxDels)] = vdata;
}

void T_Set::aaTTKHowEntered(std::int32_t vdata) { ttkHowEntered_ = vdata; }

double T_Set::BackLash(std::int16_t FromPercent, std::int32_t NormTrans, std::int32_t MinMaxDels) const {
    if (FromPercent != 0)
        return backLash_[limitSlot(MinMaxDels)];
    // The largest backlash comes with the thinnest teeth.
    const std::int32_t thickness = MinMaxDels == 1 ? 0 : 1;
    if (NormTrans == 1)
        return checkFinite(PC_o() - oPinion->TTK_o(1, thickness) - oGear->TTK_o(1, thickness));
    return checkFinite(PC_on() - oPinion->TTK_on(thickness) - oGear->TTK_on(thickness));
}

double T_Set::AddModCoeffSum(std::int16_t /*Normalized*/) const {
    const double involutes = MMath::InvFunction(Phi_o()) - MMath::InvFunction(Phi());
    return checkFinite(divide(involutes * Pd_n() * DC_s(), runtime::tangent(Phi())));
}

double T_Set::SumX() const {
    const double involutes = MMath::InvFunction(Phi_o()) - MMath::InvFunction(Phi());
    return checkFinite(divide(involutes * DC_s(), runtime::tangent(Phi())));
}

double T_Set::PB() const { return checkFinite(oPinion->Rb() * oPinion->Pang()); }

double T_Set::PN() const { return checkFinite(std::cos(Phi_n()) * divide(MMath::Pi, Pd_n())); }

double T_Set::Px() const {
    if (Psi() == 0)
        return 0;
    return checkFinite(divide(MMath::Pi, runtime::tangent(Psi()) * pd()));
}

double T_Set::Mf() const {
    if (Psi() == 0)
        return 0;
    return checkFinite(runtime::tangent(Psi()) * pd() * Face() / MMath::Pi);
}

double T_Set::CCP() const {
    const T_Gear& pinion = *oPinion;
    const T_Gear& gear = *oGear;
    const double compliance = divide(1 - pinion.Mu() * pinion.Mu(), pinion.E()) +
                              divide(1 - gear.Mu() * gear.Mu(), gear.E());
    return squareRoot(checkFinite(divide(1, MMath::Pi * compliance)));
}

double T_Set::C(std::int16_t Index) const {
    double distance = 0;
    switch (Index) {
    case 1:
        distance = (C(6) - tipRollLength(*oGear)) * IntExt();
        break;
    case 2:
        distance = C(5) - PB();
        break;
    case 3:
        distance = divide(C(6), divide(oGear->N(), oPinion->N()) + IntExt());
        break;
    case 4:
        distance = C(1) + PB();
        break;
    case 5:
        distance = tipRollLength(*oPinion);
        break;
    case 6:
        distance = operatingLineOfAction();
        break;
    default:
        return 0;
    }
    distance = checkFinite(distance);
    if (distance < 0)
        shell_.showFatalError("FATAL ERROR", "length of line of action, C(" + std::to_string(Index) +
                                                 ") is negative do not continue");
    return distance;
}

double T_Set::operatingLineOfAction() const {
    const OperatingGeometry geometry = operatingGeometry();
    return geometry.centreDistance * std::sin(geometry.pressureAngle);
}

double T_Set::Z() const {
    const double pinionLength = tipRollLength(*oPinion);
    const double gearLength = tipRollLength(*oGear);
    const OperatingGeometry geometry = operatingGeometry();
    return checkFinite(pinionLength + IntExt() * gearLength -
                       IntExt() * geometry.centreDistance * std::sin(geometry.pressureAngle));
}

double T_Set::transverseContactRatio(double lengthOfAction, double basePitch) {
    return checkFinite(divide(lengthOfAction, basePitch));
}

double T_Set::MP() const {
    const double basePitch = PB();
    return transverseContactRatio(Z(), basePitch);
}

double T_Set::Lmin() const {
    const double face = Face();
    // MP's steps in MP's order, keeping Z and PB for the length below.
    const double basePitch = PB();
    const double lengthOfAction = Z();
    const double transverseRatio = transverseContactRatio(lengthOfAction, basePitch);
    if (Psi() == 0) {
        if (transverseRatio < 2)
            return face;
        if (transverseRatio < 3)
            return checkFinite(2 * face);
        return 0; // no value is defined from a ratio of 3 on
    }
    const double axialRatio = Mf();
    const double na = transverseRatio - runtime::roundHalfEven(transverseRatio - 0.5);
    const double nr = axialRatio - runtime::roundHalfEven(axialRatio - 0.5);
    const double k = (1 - na < nr) ? 1 : 0;
    const double length = divide(lengthOfAction * face, basePitch) - (k - na) * (k - nr) * Px();
    return checkFinite(divide(length, cosineNotZero(Psi_b())));
}

double T_Set::Mn() const {
    if (Psi() != 0 && Mf() > 1)
        return checkFinite(divide(Face(), Lmin()));
    return 1;
}

double T_Set::Ch() const {
    const double inclination = MMath::Rad2Deg(std::atan(runtime::tangent(Psi()) * std::sin(Phi_on())));
    const double fraction = inclination / 100;
    return checkFinite(divide(1, 1 - squareRoot((1 - fraction) * fraction)));
}

double T_Set::RM() const {
    return checkFinite(((DC_O(0) - effectiveOutsideRadius(*oGear)) * IntExt() +
                        effectiveOutsideRadius(*oPinion)) / 2);
}

void T_Set::aaVirtual_OrReal(std::int16_t Virtual) { virtualOrReal_ = Virtual; }

} // namespace cindrel::model
