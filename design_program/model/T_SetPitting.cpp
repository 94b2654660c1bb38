#include "model/T_AGMA1.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"
#include "runtime/CheckedMath.h"
#include "runtime/NumberText.h"

#include <cmath>

namespace cindrel::model {

using runtime::checkFinite;
using runtime::divide;
using runtime::squareRoot;

namespace {

constexpr const char* PinionMeanRadiusInsideBase = "Rho(1), Mean radius of pinion smaller than base radius";

} // namespace

double T_Set::pinionRadiusOfCurvature() const {
    if (Mf() <= 1)
        return C(2);
    return pinionMeanRollLength(std::string(PinionMeanRadiusInsideBase) +
                                "\nReturn to previous state and change change gearset");
}

double T_Set::pinionMeanRollLength(const std::string& fatalText) const {
    const double meanRadius = RM();
    const double baseRadius = oPinion->Rb();
    if (meanRadius >= baseRadius)
        return squareRoot(checkFinite(meanRadius * meanRadius - baseRadius * baseRadius));
    shell_.showFatalError("FATAL ERROR", fatalText);
    return 0;
}

double T_Set::Rho(std::int32_t PoG) const {
    if (PoG == 1)
        return pinionRadiusOfCurvature();
    const double lineOfAction = C(6);
    return checkFinite(lineOfAction - IntExt() * Rho(1));
}

double T_Set::Rho_m(std::int32_t PoG) const {
    if (PoG != 1) {
        const double lineOfAction = C(6);
        return checkFinite(lineOfAction - IntExt() * Rho_m(1));
    }
    return pinionMeanRollLength("Rho_m(1), Mean radius of pinion smaller than base radius");
}

double T_Set::C_Psi() const {
    const double axialRatio = Mf();
    if (axialRatio == 0 || axialRatio > 1)
        return 1;
    const double pinionRho = Rho(1);
    if (pinionRho < 0) {
        shell_.showFatalError("Fatal Error",
                              "Radius of Curvature of Pinion is negative\nGo to previous state and change gearset");
        return 0;
    }
    const double gearRho = Rho(2);
    if (gearRho < 0) {
        shell_.showFatalError("Fatal Error",
                              "Radius of Curvature of gear is negative\nGo to previous state and change gearset");
        return 0;
    }
    const double meanRatio = divide(Rho_m(1) * Rho_m(2) * Z(), pinionRho * gearRho * PN());
    return squareRoot(checkFinite(1 - axialRatio * (1 - meanRatio)));
}

double T_Set::EyeP() const {
    const double pinionBase = oPinion->Rb();
    const double gearBase = oGear->Rb();
    const double pitchDiameter = 2 * oPinion->Rp_o();
    const double rollLength = pinionBase * oPinion->The_p();
    const double curvature = divide(rollLength * gearBase, IntExt() * pinionBase + gearBase);
    return checkFinite(divide(curvature * std::cos(Phi_o()), pitchDiameter));
}

double T_Set::EyeLPS() const {
    const double pinionRho = oPinion->Rb() * oPinion->LPSTC(0);
    const double gearRho = oGear->Rb() * oGear->HPSTC(T_Gear::LoadedLimit);
    const double pitchDiameter = 2 * oPinion->Rp_o();
    const double curvature = divide(pinionRho * gearRho, IntExt() * pinionRho + gearRho);
    return checkFinite(divide(curvature * std::cos(Phi_o()), pitchDiameter));
}

double T_Set::EyeHel() const {
    const double operatingAngle = Phi_o();
    const double ratio = divide(oGear->N(), oPinion->N());
    const double ratioTerm = divide(ratio, ratio + IntExt());
    return checkFinite(divide(std::cos(operatingAngle) * std::sin(operatingAngle) / 2 * ratioTerm, Mn()));
}

double T_Set::EyeAGMA() const {
    const double pinionRho = Rho(1);
    const double gearRho = Rho(2);
    if (pinionRho == 0 || gearRho == 0) {
        shell_.showFatalError("FATAL ERROR",
                              "Rho(1) or Rho(2) or both are zero, fatal error in the I 'EyeAGMA' factor routine");
        return 0;
    }
    const double overlap = C_Psi();
    const double pitchDiameter = 2 * oPinion->Rp_o();
    const double curvature = IntExt() / gearRho + 1 / pinionRho;
    return checkFinite(divide(std::cos(Phi_o()) * overlap * overlap, curvature * pitchDiameter * Mn()));
}

double T_Set::contactStress(double eye) const {
    // A factor counts by the number its text begins with: the factors
    // window's "*" mark after it is ignored, and a text without one counts 0.
    using runtime::leadingNumber;
    const T_AGMA1& factors = *oAGMA1;
    const double load = leadingNumber(factors.Ko()) * oPinion->WT() * leadingNumber(factors.Kv()) *
                        leadingNumber(factors.Ks()) * leadingNumber(factors.Km()) * leadingNumber(factors.Cf());
    const double pitchDiameter = 2 * oPinion->Rp_o();
    return checkFinite(CCP() * squareRoot(checkFinite(divide(load, pitchDiameter * Face() * eye))));
}

double T_Set::SCP(double& Eye) const {
    if (Eye == 0)
        Eye = EyeP();
    return contactStress(Eye);
}

double T_Set::SCLPS(double& Eye) const {
    if (Eye == 0)
        Eye = EyeLPS();
    return contactStress(Eye);
}

double T_Set::SHelical(double& Eye) const {
    if (Eye == 0)
        Eye = EyeHel();
    return contactStress(Eye);
}

double T_Set::SAGMA(double& Eye) const {
    if (Eye == 0)
        Eye = EyeAGMA();
    return contactStress(Eye);
}

double T_Set::RadialForce() const { return checkFinite(oPinion->WT() * runtime::tangent(Phi_o())); }

double T_Set::AxialThrust() const {
    constexpr double Herringbone = 2;
    if (shell_.toothOrientation() == Herringbone)
        return 0;
    return checkFinite(oPinion->WT() * runtime::tangent(Psi_O()));
}

} // namespace cindrel::model
