#include "model/T_Gear.h"

#include "model/Flags.h"
#include "model/MMath.h"
#include "model/ModelShell.h"
#include "model/T_Hob.h"
#include "model/T_Set.h"

#include "runtime/CheckedMath.h"
#include "runtime/ResumeNext.h"
#include "runtime/RuntimeError.h"

#include <cmath>
#include <cstdlib>

namespace cindrel::model {

namespace {

double inv(double angle) { return MMath::InvFunction(angle); }

} // namespace

T_Gear::T_Gear(T_Set& pair, ModelShell& shell, std::int16_t arrayIndex)
    : oHob(std::make_unique<T_Hob>()), pair_(pair), shell_(shell), arrayIndex_(arrayIndex) {
    oHob->SetGear(*this);
    if (arrayIndex == 0)
        name_ = "Pinion";
    else if (arrayIndex == 1)
        name_ = "Gear";
}

// Members are released in reverse order of declaration: the stress record,
// then the hob; the mate is never owned.
T_Gear::~T_Gear() = default;

// ---- identity and material ----

void T_Gear::LetName(const std::string& name) { name_ = name; }
std::string T_Gear::Name() const { return name_; }
void T_Gear::setOtherGear(T_Gear& oOther) { mate_ = &oOther; }
void T_Gear::aaNumberOfTeeth(std::int32_t Numbteeth) { numberOfTeeth_ = Numbteeth; }
void T_Gear::ArrayIndex(std::int32_t index) { arrayIndex_ = index; }

void T_Gear::localInternal_External(std::int32_t InternExtern) {
    IntExt = InternExtern;
    if (std::abs(static_cast<long long>(InternExtern)) == 1)
        return;
    // The shell has no plain message box; its box with the program's title
    // is the nearest.
    shell_.showMessage("error in IntExt, (intext=" + std::to_string(InternExtern) + ")");
}

// Every setter refuses a value that is not finite (error 6) before it changes anything.
void T_Gear::aaFaceWidth(double GearFaceWidth) { faceWidth_ = runtime::checkFinite(GearFaceWidth); }
void T_Gear::aaModulus_Elasticity(double Egear) { modulusOfElasticity_ = runtime::checkFinite(Egear); }
void T_Gear::aaPoissons_Ratio(double MuGear) { poissonsRatio_ = runtime::checkFinite(MuGear); }
void T_Gear::aaHardnessBrinell(double hardness) { hardnessBrinell_ = runtime::checkFinite(hardness); }

// ---- radii ----

double T_Gear::pitchRadiusUnguarded() const {
    const double pitch = pair_.pd();
    if (pitch == 0.0)
        return 0.0;
    return runtime::divide(N(), 2.0 * pitch);
}

double T_Gear::Rp_s() const {
    try {
        return pitchRadiusUnguarded();
    } catch (const runtime::RuntimeError&) {
        runtime::reportError(shell_, "T_Gear", "Rp_s", std::current_exception());
        return 0.0;
    }
}

double T_Gear::Rb() const { return T_Set::baseRadius(Rp_s(), std::cos(pair_.Phi())); }

double T_Gear::Rp_o() const { return operatingPitchRadius(pair_.Phi_o()); }

double T_Gear::operatingPitchRadius(double operatingPressureAngle) const {
    return runtime::divide(Rb(), std::cos(operatingPressureAngle));
}

// ---- tooth thickness ----

double T_Gear::TTK_o(std::int32_t TTKHE, std::int32_t MinMaxTTKo) const {
    if (TTKHE == 1)
        return toothThickness_[limitIndex(MinMaxTTKo)];
    if (TTKHE != 0)
        return 0.0;
    // The limit is checked before the pair is asked, so a bad index is the
    // subscript error whatever the pair holds.
    const double thickness = toothThickness_[limitIndex(MinMaxTTKo)];
    // The sum of both members' minimum operating thicknesses.
    const double bothMinimumThicknesses = pair_.PC_o() - pair_.BackLash(0, 1, 1);
    return runtime::checkFinite(runtime::divide(thickness, bothMinimumThicknesses) * 100.0);
}

double T_Gear::TTK_on(std::int32_t MinMaxTTKon) const {
    return runtime::checkFinite(std::cos(pair_.Psi()) * TTK_o(1, MinMaxTTKon));
}

double T_Gear::TTK_s(std::int32_t MinMaxTTKs) const {
    const double operatingAngle = pair_.Phi_o();
    const double halfAngle = runtime::divide(TTK_o(1, MinMaxTTKs), 2.0 * operatingPitchRadius(operatingAngle));
    const double pitchRadius = Rp_s();
    return runtime::checkFinite(2.0 * pitchRadius *
                                (halfAngle + IntExt * (inv(operatingAngle) - inv(pair_.Phi()))));
}

double T_Gear::TTK_sn(std::int32_t MinMaxTTKsn) const {
    return runtime::checkFinite(std::cos(pair_.Psi()) * TTK_s(MinMaxTTKsn));
}

double T_Gear::TTK_b(std::int32_t minmaxTTKb) const {
    const double operatingAngle = pair_.Phi_o();
    const double halfAngle = runtime::divide(TTK_o(1, minmaxTTKb), 2.0 * operatingPitchRadius(operatingAngle));
    const double base = Rb();
    return runtime::checkFinite(2.0 * base * (halfAngle + IntExt * inv(operatingAngle)));
}

double T_Gear::TTK_bn(std::int32_t minmaxTTKbn) const {
    return runtime::checkFinite(std::cos(pair_.Psi_b()) * TTK_b(minmaxTTKbn));
}

double T_Gear::TTK_RackshiftCoeff() const {
    const double excess = pair_.Pd_n() * TTK_sn(0) - MMath::Pi / 2.0;
    return runtime::divide(excess, 2.0 * runtime::tangent(pair_.Phi_n()));
}

void T_Gear::aaToothThickness(std::int32_t Percent_Actual, std::int32_t MinMaxTTK,
                              std::int32_t OperStand, std::int32_t NormTrans,
                              std::int32_t CircChord, double TTKin) {
    runtime::checkFinite(TTKin);
    const auto enteredBacklash = [this](std::int32_t limit) { return pair_.BackLash(True, 1, limit); };

    if (Percent_Actual == 4) {
        // A rack-shift coefficient becomes the standard normal thickness less
        // half the backlash of the other limit: the minimum thickness takes
        // the maximum backlash.
        const std::int32_t otherLimit = MinMaxTTK == 1 ? 0 : 1;
        const double standardNormal =
            runtime::divide(MMath::Pi / 2.0 + 2.0 * TTKin * runtime::tangent(pair_.Phi_n()), pair_.Pd_n());
        const double radiusRatio = runtime::divide(Rp_s(), Rp_o());
        TTKin = standardNormal - enteredBacklash(otherLimit) * radiusRatio * std::cos(pair_.Psi()) / 2.0;
        Percent_Actual = 1;
        OperStand = 1;
        NormTrans = 0;
    }

    if (Percent_Actual == 1) {
        const std::size_t limit = limitIndex(MinMaxTTK);
        if (CircChord == 1) {
            // The arc whose chord was entered, always on the transverse radius.
            const double radius = OperStand != 0 ? Rp_s() : Rp_o();
            TTKin = 2.0 * radius * MMath::ArcSin(runtime::divide(TTKin, 2.0 * radius));
        }
        if (NormTrans == 0)
            TTKin = runtime::divide(TTKin, std::cos(pair_.Psi()));
        if (OperStand == 1) {
            // Carried along the involute from the standard to the operating circle.
            const double halfAngle = runtime::divide(TTKin, 2.0 * Rp_s());
            TTKin = 2.0 * Rp_o() * (halfAngle + IntExt * inv(pair_.Phi()) - IntExt * inv(pair_.Phi_o()));
        }
        toothThickness_[limit] = runtime::checkFinite(TTKin);
        return;
    }

    if (Percent_Actual == 0) {
        const double pitch = pair_.PC_o();
        const double minimum = runtime::checkFinite((pitch - enteredBacklash(1)) * TTKin / 100.0);
        const double maximum = runtime::checkFinite((pitch - enteredBacklash(0)) * TTKin / 100.0);
        toothThickness_ = {minimum, maximum};
    }
}

} // namespace cindrel::model
