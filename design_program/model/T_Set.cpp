#include "model/T_Set.h"

#include "model/MMath.h"
#include "model/T_AGMA1.h"
#include "model/T_Gear.h"
#include "model/T_MiscVars.h"
#include "runtime/CheckedMath.h"
#include "runtime/RuntimeError.h"

#include <cmath>

namespace cindrel::model {

using runtime::checkFinite;
using runtime::divide;

namespace {

// hp = torque (in-lb) x speed (rpm) / 63025.4
constexpr double HorsePowerConstant = 63025.4;

} // namespace

T_Set::T_Set(ModelShell& shell) : shell_(shell) {
    shell_.writeRunNote("Setting gear classes");
    oPinion = std::make_unique<T_Gear>(*this, shell_, std::int16_t{0});
    oGear = std::make_unique<T_Gear>(*this, shell_, std::int16_t{1});
    AnalysisFactory& analyses = shell_.analysisFactory();
    oScoring = analyses.createScoring(*this, shell_);
    oSubShear = analyses.createSubShear(*this, shell_);
    oAGMA1 = std::make_unique<T_AGMA1>();
    oMiscVars = std::make_unique<T_MiscVars>();
    oDeflection = analyses.createDeflection(*this, shell_);
    shell_.writeRunNote("Set T_Gear 2X, T_Scoring, T_Subshear, T_AGMA1, T_MiscVars, T_Deflections");
    oPinion->setOtherGear(*oGear);
    oGear->setOtherGear(*oPinion);
    oPinion->LetName("Pinion");
    oGear->LetName("Gear");
    oPinion->ArrayIndex(0);
    oGear->ArrayIndex(1);
}

T_Set::~T_Set() {
    oPinion.reset();
    oGear.reset();
    oScoring.reset();
    oSubShear.reset();
    oAGMA1.reset();
    oMiscVars.reset();
    oDeflection.reset();
}

void T_Set::memberIndexOutOfRange() { runtime::raise(runtime::SubscriptOutOfRange); }

void T_Set::aaPressureAngle(std::int16_t Transverse, double PHI_Rads) {
    checkFinite(PHI_Rads);
    if (Transverse != 0) {
        pressureAngle_ = PHI_Rads;
        return;
    }
    pressureAngle_ = std::atan(divide(runtime::tangent(PHI_Rads), cosineNotZero(helixAngle_)));
}

void T_Set::aaHelixAngle(double HelixAngle) { helixAngle_ = checkFinite(HelixAngle); }

void T_Set::aaInternal_External(std::int32_t Internal_External) {
    internalExternal_ = Internal_External;
    oGear->localInternal_External(Internal_External);
    oPinion->localInternal_External(1);
}

void T_Set::aaEffectiveFaceWidth(double FaceWidth) { effectiveFaceWidth_ = checkFinite(FaceWidth); }

void T_Set::aaOperatingCenterDistance(std::int16_t Percent, double DCO) {
    checkFinite(DCO);
    if (Percent == -1) {
        centerDistanceRatio_ = DCO;
        return;
    }
    centerDistanceRatio_ = checkFinite(divide(DCO, DC_s()));
}

void T_Set::aaHorsePower(bool GoLet, double SetHP) {
    checkFinite(SetHP);
    if (!GoLet) {
        horsePower_ = SetHP;
        return;
    }
    if (SetHP == 0) {
        horsePower_ = SetHP;
        oPinion->aaTorque(false, 0);
        return;
    }
    const double pinionSpeed = oPinion->RPM();
    if (pinionSpeed == 0) {
        horsePower_ = SetHP;
        return;
    }
    // Both torques are worked out before anything is stored, so a gear speed
    // of 0 raises the division error with the pair left as it was.
    const double pinionTorque = checkFinite(divide(SetHP * HorsePowerConstant, pinionSpeed));
    const double gearTorque = checkFinite(divide(SetHP * HorsePowerConstant, oGear->RPM()));
    horsePower_ = SetHP;
    oPinion->aaTorque(false, pinionTorque);
    oGear->aaTorque(false, gearTorque);
}

void T_Set::aaMakeJPGs(std::int16_t MakeEmOrNot) { makeJPGs_ = MakeEmOrNot; }

void T_Set::aaDiametralPitch(std::int16_t Transverse, double DiametralPitch) {
    checkFinite(DiametralPitch);
    if (Transverse != 0) {
        const double normal = checkFinite(divide(DiametralPitch, cosineNotZero(helixAngle_)));
        diametralPitch_ = DiametralPitch;
        normalDiametralPitch_ = normal;
        return;
    }
    normalDiametralPitch_ = DiametralPitch;
    diametralPitch_ = DiametralPitch * std::cos(helixAngle_);
}

double T_Set::Pd_o() const { return checkFinite(divide(oPinion->N(), 2 * oPinion->Rp_o())); }

double T_Set::Pd_on() const { return checkFinite(divide(Pd_o(), cosineNotZero(Psi_O()))); }

double T_Set::Face() const {
    const double pinionFace = oPinion->GearFace();
    const double gearFace = oGear->GearFace();
    return checkFinite(gearFace < pinionFace ? gearFace : pinionFace);
}

double T_Set::Psi_b() const {
    return checkFinite(std::atan(runtime::tangent(helixAngle_) * std::cos(pressureAngle_)));
}

double T_Set::Psi_O() const {
    return std::atan(checkFinite(divide(runtime::tangent(Psi_b()), cosineNotZero(Phi_o()))));
}

double T_Set::Phi_n() const {
    return checkFinite(std::atan(runtime::tangent(pressureAngle_) * std::cos(helixAngle_)));
}

double T_Set::Phi_o() const { return operatingGeometry().pressureAngle; }

T_Set::OperatingGeometry T_Set::operatingGeometry() const {
    // Rb and DC_O(0) in the order Phi_o asks for them, with each member's
    // Rp_s and the cosine both Rb share taken once.
    const double cosPressureAngle = std::cos(Phi());
    const double pinionPitch = oPinion->Rp_s();
    const double pinionBase = baseRadius(pinionPitch, cosPressureAngle);
    const double gearPitch = oGear->Rp_s();
    const double gearBase = baseRadius(gearPitch, cosPressureAngle);
    const double centreDistance = operatingCentreDistance(pinionPitch, gearPitch);
    const double baseRadii = IntExt() * pinionBase + gearBase;
    return {centreDistance, MMath::ArcCos(checkFinite(divide(baseRadii, centreDistance)))};
}

double T_Set::baseRadius(double pitchRadius, double cosPressureAngle) {
    return checkFinite(pitchRadius * cosPressureAngle);
}

double T_Set::Phi_on() const { return checkFinite(MMath::ArcSin(std::cos(Psi_b()) * std::sin(Phi_o()))); }

double T_Set::cosineNotZero(double angle) {
    // A right angle in radians is not exact in binary, so its cosine comes
    // out near 1e-16 rather than 0; treat that as the zero it stands for.
    const double cosine = std::cos(angle);
    if (std::fabs(cosine) < 1e-12)
        runtime::raise(runtime::DivisionByZero);
    return cosine;
}

} // namespace cindrel::model
