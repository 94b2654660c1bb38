#include "model/T_Gear.h"

#include "model/Flags.h"
#include "model/MMath.h"
#include "model/T_AGMA1.h"
#include "model/T_Set.h"

#include "runtime/CheckedMath.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"
#include "runtime/ScopeExit.h"

#include <cmath>
#include <initializer_list>
#include <vector>

namespace cindrel::model {

namespace {

// Horsepower from inch-pounds and rpm.
constexpr double TorqueSpeedPerHorsepower = 63025.4;

// The other limit: a tip combines the addendum of one limit with the edge
// break of the other.
std::int32_t otherLimit(std::int32_t limit) { return limit == 1 ? 0 : 1; }

double inv(double angle) { return MMath::InvFunction(angle); }

// Runs `change`; when it fails, every value in `kept` is put back as it was
// before the error passes on: a setter that couples values changes all of
// them or none.
template <typename Change>
void allOrNothing(std::initializer_list<double*> kept, Change&& change) {
    std::vector<double> saved;
    for (const double* value : kept)
        saved.push_back(*value);
    auto restore = runtime::onScopeExit([&] {
        auto before = saved.begin();
        for (double* value : kept)
            *value = *before++;
    });
    change();
    restore.release();
}

} // namespace

// ---- tooth proportions ----
// Every setter refuses a value that is not finite (error 6) before it changes anything.

void T_Gear::aaAddendumFactor(std::int32_t MinMaxAddf, double AddFactor) {
    runtime::checkFinite(AddFactor);
    addendumFactor_[limitIndex(MinMaxAddf)] = AddFactor;
}

void T_Gear::aaAddendumRadius(std::int32_t MinMaxAddf, double AddRad) {
    runtime::checkFinite(AddRad);
    const std::size_t limit = limitIndex(MinMaxAddf);
    const double pitchRadius = Rp_s();
    double addendumFactor = runtime::checkFinite(std::abs(AddRad - pitchRadius) * pair_.Pd_n());
    const bool wrongSide = IntExt == -1 ? AddRad > pair_.oGear->Rp_s() : AddRad < pitchRadius;
    if (wrongSide)
        addendumFactor = -addendumFactor;
    addendumFactor_[limit] = addendumFactor;
}

double T_Gear::Addendum(std::int32_t MinMaxADD) const {
    return runtime::divide(AddF(MinMaxADD), pair_.Pd_n());
}

void T_Gear::aaWholeDepthFactor(double inpWDF) {
    runtime::checkFinite(inpWDF);
    dedendumFactor_ = runtime::checkFinite(std::abs(inpWDF - AddF(1)));
}

void T_Gear::aaDedendumFactor(double DedendumFactor) { dedendumFactor_ = runtime::checkFinite(DedendumFactor); }

void T_Gear::aaRootRadius(double RootRadius) {
    runtime::checkFinite(RootRadius);
    const double depth = IntExt == -1 ? RootRadius - Rp_s() : Rp_s() - RootRadius;
    dedendumFactor_ = runtime::checkFinite(depth * pair_.Pd_n());
}

double T_Gear::Dedendum() const { return runtime::divide(DedF(), pair_.Pd_n()); }

double T_Gear::WDF() const { return runtime::checkFinite(AddF(1) + DedF()); }

double T_Gear::WD() const { return runtime::divide(WDF(), pair_.Pd_n()); }

void T_Gear::aaEdgeBreak(std::int32_t MinMaxEGB, double EdgeBreak) {
    runtime::checkFinite(EdgeBreak);
    edgeBreak_[limitIndex(MinMaxEGB)] = EdgeBreak;
}

double T_Gear::Ro(std::int16_t MinusEdgeBreak, std::int32_t MinMaxEGB, std::int32_t MinMaxAddf) const {
    double addendum = Addendum(MinMaxAddf);
    // Only true (-1) takes the edge break off; 1, like any other value, keeps the full addendum.
    if (MinusEdgeBreak == True)
        addendum -= EGB(MinMaxEGB);
    return runtime::checkFinite(Rp_s() + IntExt * addendum);
}

double T_Gear::RR(std::int32_t MinMaxRR) const {
    if (IntExt == -1)
        return runtime::checkFinite(Rp_s() - Addendum(otherLimit(MinMaxRR)) + WD());
    return runtime::checkFinite(Rp_s() + Addendum(MinMaxRR) - WD());
}

void T_Gear::aaLoadedAtTip(std::int16_t TipLoaded) { loadedAtTip_ = TipLoaded; }
void T_Gear::aaFilletRadius(std::int32_t Radius) { filletKind_ = Radius; }
void T_Gear::aaBendingStressAllowable(double value) { bendingStressAllowable_ = runtime::checkFinite(value); }
void T_Gear::aaContactStressAllowable(double value) { contactStressAllowable_ = runtime::checkFinite(value); }

// ---- loads ----

// The loads of both members and the pair's power change together or not at all.
void T_Gear::aaTorque(bool GoLet, double TorqueINCH_LB) {
    runtime::checkFinite(TorqueINCH_LB);
    T_Gear& coupled = mate_ ? *mate_ : *this;
    allOrNothing({&torque_, &speed_, &coupled.torque_, &coupled.speed_, &pair_.horsePower_}, [&] {
        torque_ = TorqueINCH_LB;
        if (GoLet) {
            T_Gear& mate = otherGear();
            mate.aaTorque(false, runtime::divide(TorqueINCH_LB * mate.N(), N()));
        }
        if (TorqueINCH_LB == 0.0) {
            pair_.aaHorsePower(false, 0.0);
            return;
        }
        if (!GoLet)
            return;
        if (speed_ != 0.0) {
            pair_.aaHorsePower(false, runtime::checkFinite(speed_ * TorqueINCH_LB / TorqueSpeedPerHorsepower));
            return;
        }
        const double power = pair_.hp();
        if (power != 0.0)
            aaSpeed(true, runtime::divide(power * TorqueSpeedPerHorsepower, TorqueINCH_LB));
    });
}

void T_Gear::aaSpeed(bool GoLet, double gearRPM) {
    runtime::checkFinite(gearRPM);
    T_Gear& coupled = mate_ ? *mate_ : *this;
    allOrNothing({&torque_, &speed_, &coupled.torque_, &coupled.speed_, &pair_.horsePower_}, [&] {
        speed_ = gearRPM;
        if (GoLet) {
            T_Gear& mate = otherGear();
            mate.aaSpeed(false, runtime::divide(gearRPM * N(), mate.N()));
        }
        const double power = pair_.hp();
        if (gearRPM != 0.0 && power != 0.0)
            aaTorque(false, runtime::divide(power * TorqueSpeedPerHorsepower, gearRPM));
    });
}

double T_Gear::FeetPerMinute() const {
    return runtime::checkFinite(RPM() * 2.0 * MMath::Pi * Rp_o() / 12.0);
}

double T_Gear::WT() const { return runtime::divide(Torq(), Rp_o()); }

// ---- roll angles and radii ----

double T_Gear::RadiusFromRollAngle(double rollAngle) const {
    return runtime::divide(Rb(), std::cos(std::atan(rollAngle)));
}

double T_Gear::RollAngleFromRadius(double Radius) const {
    const double base = Rb();
    if (!(Radius > base))
        return 0.0;
    return rollAngleAt(Radius, base);
}

double T_Gear::The_od(std::int32_t MinMaxRO, std::int16_t MinusEdgeBreak) const {
    const double outside = Ro(MinusEdgeBreak, otherLimit(MinMaxRO), MinMaxRO);
    return rollAngleAt(outside, Rb());
}

double T_Gear::rollAngleAt(double radius, double base) {
    return runtime::divide(runtime::squareRoot(radius * radius - base * base), base);
}

double T_Gear::The_lc(std::int32_t MinMaxLC) const {
    return contactStart(pair_.operatingLineOfAction(), MinMaxLC);
}

double T_Gear::contactStart(double betweenTangentPoints, std::int32_t MinMaxLC) const {
    const T_Gear& mate = otherGear();
    // The mate's Rb times its The_od, with Rb taken once.
    const double mateBase = mate.Rb();
    const double mateTipLength = mateBase * rollAngleAt(mate.Ro(True, otherLimit(MinMaxLC), MinMaxLC), mateBase);
    const double pairKind = pair_.IntExt();
    if (arrayIndex_ == 0)
        return runtime::divide(pairKind * (betweenTangentPoints - mateTipLength), Rb());
    return runtime::divide(betweenTangentPoints - pairKind * mateTipLength, Rb());
}

double T_Gear::tipRollAngleLessPitch(std::int32_t limit) const {
    return runtime::checkFinite(The_od(limit, True) - IntExt * Pang());
}

double T_Gear::LPSTC(std::int32_t MinMaxLPSTC) const {
    const double lowest = tipRollAngleLessPitch(MinMaxLPSTC);
    if (IntExt != 1)
        return lowest;
    const double startOfContact = The_lc(MinMaxLPSTC);
    return lowest < startOfContact ? startOfContact : lowest;
}

// Both members at the same limit, as for LPSTC.
double T_Gear::HPSTC(std::int32_t MinMaxHPSTC) const {
    const T_Gear& mate = otherGear();
    // The start of contact only ever raises the mate's LPSTC to itself, so
    // LPSTC is above the start of contact exactly where its unbounded value is.
    const double mateLowest = mate.tipRollAngleLessPitch(MinMaxHPSTC);
    const double betweenTangentPoints = pair_.operatingLineOfAction();
    // A contact ratio of 1 or less: single contact reaches this member's tip.
    if (!(mateLowest > mate.contactStart(betweenTangentPoints, MinMaxHPSTC)) && pair_.IntExt() == 1)
        return The_od(MinMaxHPSTC, True);
    return runtime::checkFinite(contactStart(betweenTangentPoints, MinMaxHPSTC) + IntExt * Pang());
}

double T_Gear::R_lc(std::int32_t MinMaxRLC) const {
    return runtime::divide(Rb(), std::cos(std::atan(The_lc(otherLimit(MinMaxRLC)))));
}

double T_Gear::RLC() const { return runtime::divide(Rb(), std::cos(std::atan(The_lc(0)))); }

double T_Gear::The_p() const { return runtime::tangent(pair_.Phi_o()); }

double T_Gear::Pang() const { return runtime::divide(6.28318530717958, N()); }

T_Gear::LoadPoint T_Gear::loadPoint() const {
    const double operatingAngle = pair_.Phi_o();
    const double halfAngle = runtime::divide(TTK_o(1, 0), 2.0 * operatingPitchRadius(operatingAngle));
    const double involuteAtOperating = inv(operatingAngle);
    const double pressureAngle = std::atan(HPSTC(LoadedLimit));
    return {runtime::checkFinite(halfAngle + IntExt * (involuteAtOperating - inv(pressureAngle))), pressureAngle};
}

double T_Gear::ALPHA() const { return loadPoint().alpha; }

double T_Gear::Phi_l(double AlphaPassed) const {
    if (AlphaPassed == 0.0)
        return runtime::checkFinite(loadAngle(loadPoint()));
    return runtime::checkFinite(loadAngle({AlphaPassed, std::atan(HPSTC(LoadedLimit))}));
}

double T_Gear::RL() const {
    const LoadPoint load = loadPoint();
    const double loadPointRadius = runtime::divide(Rb(), std::cos(load.pressureAngle));
    const double towardsCentreline =
        std::cos(load.alpha) - IntExt * std::sin(load.alpha) * runtime::tangent(loadAngle(load));
    return runtime::checkFinite(loadPointRadius * towardsCentreline);
}

// ---- clearances ----

double T_Gear::Clearance() const {
    const double tip = Ro(0, 1, 0);
    const double mateRoot = otherGear().RR(1);
    const double centerDistance = pair_.DC_O(0);
    if (pair_.IntExt() == 1)
        return runtime::checkFinite(centerDistance - mateRoot - tip);
    if (name_ == "Pinion")
        return runtime::checkFinite(mateRoot - centerDistance - tip);
    if (name_ == "Gear")
        return runtime::checkFinite(tip - mateRoot - centerDistance);
    return 0.0;
}

double T_Gear::ClearanceRoRb(std::int32_t MinMaxClearance) const {
    if (name_ == "Pinion" && pair_.IntExt() == -1)
        return 0.0;
    const double mateTangentPoint = RadiusFromRollAngle(runtime::divide(pair_.C(6), Rb()));
    const double tip = Ro(True, MinMaxClearance, otherLimit(MinMaxClearance));
    return runtime::checkFinite((mateTangentPoint - tip) * pair_.IntExt());
}

double T_Gear::TopLand(std::int16_t WithEdgeBreak) const {
    const double tip = Ro(0, 1, 0);
    const double tipPressureAngle = MMath::ArcCos(runtime::divide(Rb(), tip));
    const double operatingAngle = pair_.Phi_o();
    const double halfAngle = runtime::divide(TTK_o(1, 0), 2.0 * operatingPitchRadius(operatingAngle));
    double width = 2.0 * tip * (halfAngle + IntExt * (inv(operatingAngle) - inv(tipPressureAngle))) *
                   std::cos(pair_.Psi());
    if (WithEdgeBreak != 0)
        width -= 2.0 * EGB(1);
    return runtime::checkFinite(width);
}

// ---- allowable stresses ----

void T_Gear::SATfromAGMA(double value) { satFromAgma_ = runtime::checkFinite(value); }
void T_Gear::SACfromAGMA(double value) { sacFromAgma_ = runtime::checkFinite(value); }
void T_Gear::Quality(double value) { quality_ = runtime::checkFinite(value); }

// Factor texts count by their leading number: "1.25*" is 1.25, "abc" is 0.
double T_Gear::SAC() const {
    using runtime::leadingNumber;
    const T_AGMA1& factors = *pair_.oAGMA1;
    const std::int32_t k = ArrayIndex();
    const double numerator = sacFromAgma_ * leadingNumber(factors.Zn(k)) * leadingNumber(factors.Ch(k));
    return runtime::divide(numerator,
                           leadingNumber(factors.Kt()) * leadingNumber(factors.Sh(k)) * leadingNumber(factors.Kr()));
}

double T_Gear::SAT() const {
    using runtime::leadingNumber;
    const T_AGMA1& factors = *pair_.oAGMA1;
    const std::int32_t k = ArrayIndex();
    const double numerator = satFromAgma_ * leadingNumber(factors.Yn(k));
    return runtime::divide(numerator,
                           leadingNumber(factors.SF(k)) * leadingNumber(factors.Kt()) * leadingNumber(factors.Kr()));
}

} // namespace cindrel::model
