#include "model/T_Hob.h"

#include "model/MMath.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"
#include "runtime/CheckedMath.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"
#include "runtime/ScopeExit.h"

#include <cmath>
#include <tuple>

namespace cindrel::model {

using runtime::checkFinite;
using runtime::divide;
using runtime::tangent;

T_Hob::~T_Hob() { gear_ = nullptr; }

void T_Hob::SetGear(T_Gear& gear) { gear_ = &gear; }

void T_Hob::Forget() {
    addendum_ = 0.0;
    hobTTk_ = 0.0;
    phiHobEntered_ = 0.0;
    tipRadius_ = 0.0;
    protuberance_ = 0.0;
    hobHalfFlatEntered_ = 0.0;
    rackShift_ = 0.0;
}

const T_Gear& T_Hob::gear() const {
    if (gear_ == nullptr)
        runtime::raise(runtime::ObjectVariableNotSet);
    return *gear_;
}

// Every setter refuses a value that is not finite (error 6) before it changes anything.
void T_Hob::Addendum(double value) { addendum_ = checkFinite(value); }
double T_Hob::Addendum() const { return addendum_; }
void T_Hob::HobTTk(double value) { hobTTk_ = checkFinite(value); }
double T_Hob::HobTTk() const { return hobTTk_; }
void T_Hob::PhiHob(double value) { phiHobEntered_ = checkFinite(value); }
// The hob always cuts at the pair's normal pressure angle.
double T_Hob::PhiHob() const { return gear().pair().Phi_n(); }
void T_Hob::TipRadius(double value) { tipRadius_ = checkFinite(value); }
double T_Hob::TipRadius() const { return tipRadius_; }
double T_Hob::Tip2Flank() const { return BAHFromProtuberance(); }
void T_Hob::HobHalfFlat(double value) { hobHalfFlatEntered_ = checkFinite(value); }
double T_Hob::HobHalfFlat() const { return HobHalfFlat_calculated(); }

double T_Hob::adefTTH() const { return checkFinite(gear().pair().PC_sn() - gear().TTK_sn(0)); }

double T_Hob::adefEdgeRadius() const {
    const double phi = PhiHob();
    const double tanPhi = tangent(phi);
    const double halfLand = checkFinite(hobTTk_ / 2.0 - addendum_ * tanPhi);
    return divide(halfLand, tanPhi * std::sin(phi) + std::cos(phi) - tanPhi);
}

double T_Hob::TipRadius_fromAddendum_HobTTk() const { return adefEdgeRadius(); }

double T_Hob::adefPhiHob() const { return gear().pair().Phi_n(); }

double T_Hob::adefAddendum() const { return divide(gear().DedF(), gear().pair().Pd_n()); }

double T_Hob::HobHalfFlat_calculated() const {
    const double phi = PhiHob();
    const double h = BAHFromProtuberance();
    const double flankRun = checkFinite((addendum_ - h) * tangent(phi));
    if (h >= tipRadius_)
        return checkFinite(hobTTk_ / 2.0 - flankRun - tipRadius_);
    return checkFinite(hobTTk_ / 2.0 - flankRun - tipRadius_ * std::cos(phi));
}

double T_Hob::Tip2Flank_calculated() const {
    return checkFinite(tipRadius_ * (1.0 - std::sin(PhiHob())));
}

void T_Hob::Protuberance(double value) { protuberance_ = checkFinite(value); }
double T_Hob::Protuberance() const { return protuberance_; }

double T_Hob::BAHFromProtuberance() const {
    if (protuberance_ == 0.0)
        return Tip2Flank_calculated();
    const double phi = PhiHob();
    const double rho = tipRadius_;
    const double p = protuberance_;
    if (rho * (1.0 - std::cos(phi)) > p) {
        const double alpha = MMath::ArcCos(1.0 - divide(p, rho));
        return checkFinite(rho * (1.0 - std::sin(phi - alpha)));
    }
    return checkFinite(divide(rho * (1.0 - std::cos(phi)), tangent(phi)) + divide(p, std::sin(phi)) -
                       rho * std::sin(phi) + rho);
}

double T_Hob::TTKfromHobTTH() const {
    const T_Set& pair = gear().pair();
    const double rpo = gear().Rp_o();
    const double rps = gear().Rp_s();
    const double thicknessAngle =
        divide(pair.PC_sn() - hobTTk_, 2.0 * rps * std::cos(pair.Psi()));
    return checkFinite(2.0 * rpo *
                       (thicknessAngle + MMath::InvFunction(pair.Phi()) - MMath::InvFunction(pair.Phi_o())));
}

double T_Hob::RRfromHobAddend() const { return checkFinite(gear().Rp_s() - addendum_); }

void T_Hob::SetDefaultHob(std::int32_t HobOp) {
    const T_Set& pair = gear().pair();
    // Each value builds on the ones stored before it; a step that fails puts
    // them all back, so that the hob changes whole or not at all.
    auto stored = std::tie(addendum_, hobTTk_, phiHobEntered_, protuberance_, tipRadius_);
    const std::tuple<double, double, double, double, double> before = stored;
    auto restore = runtime::onScopeExit([&] { stored = before; });
    if (HobOp == 0) {
        addendum_ = divide(gear().DedF(), pair.Pd_n());
        hobTTk_ = adefTTH();
        phiHobEntered_ = pair.Phi_n();
        protuberance_ = 0.0;
        tipRadius_ = adefEdgeRadius();
        restore.release();
        return;
    }
    hobTTk_ = divide(MMath::Pi, 2.0 * pair.Pd_n());
    addendum_ = checkFinite(gear().Dedendum() + RackShift(true));
    phiHobEntered_ = pair.Phi_n();
    tipRadius_ = adefEdgeRadius();
    protuberance_ = 0.0;
    restore.release();
}

std::string T_Hob::HobSelectionExplanation() const {
    const std::string paragraphEnd = "\r\n\r\n";
    return "The Complementary hob option fills in hob inputs based on the previous screens with no "
           "rackshift. The hob tooth thickness is based on the complement of the previously "
           "specified gear teeth and the hob addendum = gear dedendum. For these hob inputs the hob "
           "generating radius = the standard pitch radius" +
           paragraphEnd +
           "The Standard hob option fills in hob inputs based on a hob tooth thickness of Pi / (2 * "
           "Pd_n).  Since the tooth thickness was previously selected, a rack shift is introduced "
           "to maintain that thickness.  The hob addendum = the standard dedendum of the gear + the "
           "rack shift." +
           paragraphEnd + "zero protuberance and full cap hob, or full tip radius are always selected." +
           paragraphEnd;
}

void T_Hob::RackShift(bool /*Default*/, double inputval) { rackShift_ = checkFinite(inputval); }

double T_Hob::RackShift(bool Default) const {
    if (!Default)
        return rackShift_;
    return RackShiftFor(hobTTk_);
}

double T_Hob::RackShiftFor(double rackThickness) const {
    const T_Set& pair = gear().pair();
    // Written as excess over the pitch so a rack that fits exactly gives +0, not -0.
    const double excessThickness = checkFinite(rackThickness + gear().TTK_sn(0) - pair.PC_sn());
    return divide(excessThickness, 2.0 * tangent(pair.Phi_n()));
}

std::string T_Hob::HobVariables() const {
    const std::string lineEnd = "\r\n";
    return "        Phihob = " + runtime::numberText(MMath::Rad2Deg(PhiHob())) + lineEnd +
           "     Tip2Flank = " + runtime::numberText(Tip2Flank()) + lineEnd +
           "        HobTTk = " + runtime::numberText(HobTTk()) + lineEnd +
           " TipRadius = " + runtime::numberText(TipRadius()) + lineEnd +
           "   Addendum = " + runtime::numberText(Addendum()) + lineEnd +
           "   HobHalfFlat = " + runtime::numberText(HobHalfFlat()) + lineEnd +
           "  Protuberance = " + runtime::numberText(Protuberance()) + lineEnd +
           "     Rackshift = " + runtime::numberText(RackShift(true));
}

} // namespace cindrel::model
