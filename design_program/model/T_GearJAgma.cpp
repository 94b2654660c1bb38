#include "model/GearBending.h"
#include "model/Flags.h"
#include "model/MMath.h"
#include "model/ModelShell.h"
#include "model/T_Gear.h"
#include "model/T_Hob.h"
#include "model/T_Set.h"
#include "runtime/CheckedMath.h"
#include "runtime/RuntimeError.h"

#include <cmath>
#include <string>

namespace cindrel::model {

using runtime::checkFinite;
using runtime::divide;
using runtime::power;
using runtime::squareRoot;
using runtime::tangent;

namespace {

constexpr const char* RoutineName = "AGMA_JFactor";
constexpr double Failed = -999;
constexpr double NewtonTolerance = 1e-6;
constexpr double VirtualCutterTeeth = 10000;

// Every working value, normalised to unit normal diametral pitch unless
// named otherwise; the trace lists them under these names.
struct AgmaValues {
    double P = 0, phiN = 0, psi = 0, rT = 0;
    double nn = 0, r_n = 0, r_nb = 0, r_na = 0, r_n2 = 0, r_nb2 = 0, r_na2 = 0, tanW = 0;
    double RnL = 0, Phi_nL = 0, Sn = 0, Xg = 0, EffTube = 0;
    double nc = 0, r_nc = 0, r_nbc = 0, Us = 0, Rsno = 0, Phi_ns = 0;
    double InvPhi_n = 0, InvPhi_ns = 0, InvPhi_npo = 0, InvPhi_nGen = 0, sno = 0, LambdaNs = 0;
    double Phi_nGen = 0, R_nGen = 0, R_noGen = 0;
    double Mju_no = 0, Alpha_n = 0, Alpha2 = 0, K_s = 0, K_f = 0, Theta_no = 0, Theta_n = 0, Beta_n = 0;
    double Epsil_nF = 0, N_nF = 0, hF = 0, yy = 0, Yy_prime = 0;
    double Ch = 0, Omega = 0, K_psi = 0, Kf = 0, SF = 0, H = 0, l = 0, M = 0, Y = 0;
    double rho_Fprime = 0, rho_F = 0, J = 0;
};

double cubed(double x) { return x * x * x; }

double roundedToHundredths(double x) { return std::floor(x * 100 + 0.5) / 100; }

// Where the load acts: the tangent of the pressure angle at the load point.
void placeLoad(const T_Gear& gear, std::int16_t tipLoaded, AgmaValues& v) {
    const T_Set& pair = gear.pair();
    const T_Gear& mate = gear.otherGear();
    const double P = v.P;
    const double C6 = checkFinite(pair.DC_O(0) * P * std::sin(pair.Phi_o()));
    const double mateTip = mate.Ro(True, 1, 0) * P;
    const double mateBase = mate.Rb() * P;
    const double C1 = checkFinite((C6 - squareRoot(checkFinite(mateTip * mateTip - mateBase * mateBase))) *
                                  pair.IntExt());
    const double C4 = checkFinite(pair.PB() * P + C1);

    const auto loadAtTip = [&] {
        v.r_na = checkFinite((gear.Ro(True, 1, 0) - gear.Rp_s()) * P + v.r_n);
        const double ratio = divide(v.r_na, v.r_nb);
        v.tanW = squareRoot(checkFinite(ratio * ratio - 1));
    };

    if (v.psi == 0) {
        v.nn = gear.N();
        v.r_n = checkFinite(gear.Rp_s() * P);
        v.r_nb = checkFinite(gear.Rb() * P);
        if (tipLoaded != 0)
            loadAtTip();
        else
            v.tanW = divide(C4, v.r_nb);
        return;
    }

    v.nn = divide(gear.N(), cubed(std::cos(v.psi)));
    v.r_n = v.nn / 2;
    v.r_nb = v.r_n * std::cos(v.phiN);
    if (pair.Mf() > 1) {
        loadAtTip();
        return;
    }
    // Highest point of single tooth contact of the virtual pair.
    const double mG = divide(pair.oGear->N(), pair.oPinion->N());
    if (gear.Name() == "Pinion") {
        v.r_n2 = checkFinite(mG * v.r_n);
        v.r_nb2 = checkFinite(mG * v.r_nb);
    } else {
        v.r_n2 = divide(v.r_n, mG);
        v.r_nb2 = divide(v.r_nb, mG);
    }
    v.r_na2 = checkFinite(mate.Ro(True, 1, 0) * P + v.r_n2 - mate.Rp_s() * P);
    const double C6v = checkFinite((v.r_nb2 + v.r_nb) * tangent(pair.Phi_on()));
    const double C1v = C6v - squareRoot(checkFinite(v.r_na2 * v.r_na2 - v.r_nb2 * v.r_nb2));
    const double C4v = checkFinite(pair.PN() * P + C1v);
    v.tanW = divide(C4v, v.r_nb);
}

// One Newton step's geometry at the surface-normal angle alpha.
void criticalPointAt(double alpha, AgmaValues& v) {
    // Each sine and cosine the step uses more than once is taken once.
    const double cosAlpha = std::cos(alpha);
    const double sinAlpha = std::sin(alpha);
    v.Mju_no = MMath::ArcCos(divide(v.R_noGen * cosAlpha, v.Rsno)) - alpha;
    const double sinToolAngle = std::sin(v.Mju_no + alpha);
    v.K_s = checkFinite(v.R_noGen * sinAlpha - v.Rsno * sinToolAngle);
    v.K_f = v.K_s - v.rT * v.P;
    v.Theta_no = checkFinite(v.Mju_no - v.LambdaNs / 2 + divide(MMath::Pi, v.nc));
    v.Theta_n = checkFinite(divide(v.nc, v.nn) * v.Theta_no);
    v.Beta_n = alpha - v.Theta_n;
    const double cosBeta = std::cos(v.Beta_n);
    const double sinBeta = std::sin(v.Beta_n);
    v.Epsil_nF = checkFinite(v.R_nGen * std::sin(v.Theta_n) + v.K_f * cosBeta);
    v.N_nF = checkFinite(v.R_nGen * std::cos(v.Theta_n) + v.K_f * sinBeta);
    v.hF = v.RnL - v.N_nF;
    const double tanBeta = tangent(v.Beta_n);
    v.yy = checkFinite(2 * v.hF * tanBeta - v.Epsil_nF);
    const double twoHOverCos2 = divide(2 * v.hF, cosBeta * cosBeta);
    const double cutterTurn = divide(v.R_noGen * sinAlpha, v.Rsno * sinToolAngle) - 1;
    const double rollTerm = divide(v.nc, v.nn) * cutterTurn;
    const double normalTerm = divide(1 + sinBeta * sinBeta, cosBeta) * v.R_noGen *
                              (cosAlpha - divide(sinAlpha, tangent(v.Mju_no + alpha)));
    v.Yy_prime = checkFinite(twoHOverCos2 - v.K_f * sinBeta +
                             (2 * v.Epsil_nF * tanBeta - v.N_nF - twoHOverCos2) * rollTerm - normalTerm);
}

// Newton iteration on the angle of the fillet's surface normal for the point
// where the Lewis parabola through the load point touches the fillet.
// False when it does not settle within the cap.
bool iterateCriticalPoint(AgmaValues& v) {
    v.Alpha_n = MMath::Pi / 4;
    v.Alpha2 = 0;
    int counter = 0;
    while (std::fabs(v.Alpha_n - v.Alpha2) > NewtonTolerance) {
        ++counter;
        if (counter >= GearBending::CriticalPointSteps)
            return false;
        if (counter > 1)
            v.Alpha_n = v.Alpha2;
        criticalPointAt(v.Alpha_n, v);
        v.Alpha2 = checkFinite(v.Alpha_n - divide(v.yy, v.Yy_prime));
    }
    return true;
}

void writeTrace(T_Gear& gear, const AgmaValues& v) {
    BendingTrace trace(gear, RoutineName, AgmaTraceEnding);
    if (!trace.active())
        return;
    const double P = v.P;
    const auto row = [&](double value, const char* label) { trace.record({value, text(label)}); };
    const auto heading = [&](const char* label) { trace.record({whole(0), text(label)}); };
    row(v.J, "AGMA_JFactor, geometry factor");
    row(P, " PDN, normal diametral pitch");
    row(v.nn, " nn, virtual tooth number");
    row(v.r_n, " r_n, virtual pitch radius");
    row(v.r_nb, " r_nb, virtual base radius");
    row(v.r_na, " r_na, virtual outside radius");
    row(v.r_n2, " r_n2, standard pitch radius of virtual spur pinion / gear");
    row(v.r_nb2, " r_nb2, virtual base radius pinion / gear");
    row(v.r_na2, " r_na2, virtual outside radius pinion / gear");
    row(v.tanW, " Phi_nW, pressure angle at load application point.(actually Tan(Phi_nW))");
    row(v.RnL, " RnL, virtual load radius");
    row(v.Phi_nL, " Phi_nL, load angle");
    row(v.Sn / P, " Sn, normal tooth thickness");
    row(v.Sn, " Sn, normal tooth thickness (normalized)");
    row(v.Xg / P, " Xg, generating rack shift");
    row(v.Xg, " Xg, generating rack shift coefficient");
    heading("****************Tool Geometry variables*******************");
    heading(" Rbc, base radius of tool");
    heading(" Roc, outside radius of tool");
    heading(" Rc, standard pitch radius of tool");
    row(v.EffTube, " EffTube, effective protuberance");
    heading("****************Virtual Shaper Cutter Geometry*******************");
    row(v.nc, " , tooth number of tool (virtual)");
    row(v.r_nc, " , standard pitch radius of tool (virtual)");
    row(v.r_nbc, " , base radii of tool (virtual)");
    heading("****************other*******************");
    row(v.Us, " Us, input, tool thinning for grindstock allowance");
    row(v.Rsno, " Rsno, radius to center S of tool tip radius (see fig 5.3)");
    row(v.Phi_ns, " Phi_ns, pressure angle at point S");
    row(v.InvPhi_n, " InvPhi_n, presumbably the involute function of normal Phi");
    row(v.InvPhi_ns, " InvPhi_ns, involute function of phi_ns");
    row(v.InvPhi_npo, " InvPhi_npo, involute function of Phi_npo");
    row(v.InvPhi_nGen, " InvPhi_nGen, generating pressure angle");
    row(v.sno, " sno, reference normal circular tooth thickness");
    row(v.LambdaNs, " LambdaNs, angle to center S of tool tip radius");
    row(v.Phi_nGen, " Phi_nGen, arc involute");
    heading(" Phi_nGen2, arc involute 2");
    row(v.R_nGen, " R_nGen, generating pitch radius of virtual spur gear");
    row(v.R_noGen, " R_noGen, generating pitch radius of virtual tool");
    heading("****************variables for critical point iteration*******************");
    row(v.Mju_no, " Mju_no, auxiliary angle locating S");
    row(v.Alpha_n, " Alpha_n, angle of surface normal");
    row(v.Alpha2, " Alpha2, temporary angle of surface normal");
    row(v.K_s, " K_s, distance from pitch point to point S");
    row(v.K_f, " K_f, distance from pitch point to point F");
    row(v.Theta_no, " Theta_no, angular displacement of tool");
    row(v.Theta_n, " Theta_n, angular displacement of gear");
    row(v.Beta_n, " Beta_n, slope of line tangent to the fillet at point F");
    row(v.Epsil_nF, " Epsil_nF, abscissa of critical point F");
    row(v.N_nF, " N_nF, ordinate critical point F");
    row(v.hF / P, " hF, height of Lewis parabola");
    row(v.hF, " hF, height of Lewis parabola (normalized)");
    row(v.Y, " yy, iteration function");
    row(v.Yy_prime, " Yy_prime, derivative of iteration function");
    row(v.Ch, " Ch, helical factor");
    row(v.Omega, " Omega, angle of inclination of helical contact line in degrees");
    row(v.Kf, " Kf, stress correction factor");
    row(v.SF / P, " SF, tooth thickness at critical section");
    row(v.SF, " SF, tooth thickness at critical section (normalized)");
    row(v.H, " H, eq 5.74  parameter for stress correction");
    row(v.l, " l, eq 5.75  parameter for stress correction");
    row(v.M, " M, eq 5.76  parameter for stress correction");
    heading(" Y, Tooth form factor");
    row(v.K_psi, " K_psi, Helix angle factor");
    heading("****************Radius of Curvature of Root Fillet Variables*******************");
    row(v.rho_Fprime / P, " rho_Fprime, radius of curvature of root fillet");
    row(v.rho_Fprime, " rho_Fprime, radius of curvature of root fillet (normalized)");
    row(v.rho_F / P, " rho_F, minimum radius of curvature of root fillet");
    row(v.rho_F, " rho_F, minimum radius of curvature of root fillet (normalized)");
    trace.close();
}

// J by the steps of the geometry-factor method; false (J stays unset) when
// the section is not valid or the critical point does not settle.
bool computeAgmaFactor(T_Gear& gear, std::int16_t tipLoaded, AgmaValues& v) {
    const T_Set& pair = gear.pair();
    const T_Hob& hob = *gear.oHob;
    T_StressVars& s = gear.oStress;
    v.phiN = pair.Phi_n();
    v.P = pair.Pd_n();
    v.psi = pair.Psi();
    v.rT = hob.TipRadius();
    const double P = v.P;
    const double tanPhiN = tangent(v.phiN);

    placeLoad(gear, tipLoaded, v);

    // The generated tooth; the hob also fixes the member's root radius.
    const double rackShift = hob.RackShift(true);
    v.Xg = checkFinite(rackShift * P);
    v.Sn = checkFinite(MMath::Pi - hob.HobTTk() * P + 2 * v.Xg * tanPhiN);
    // The depth the hob cuts, on the member's side of its pitch circle (an
    // internal gear's root lies outside it).
    gear.aaRootRadius(checkFinite(gear.Rp_s() + gear.IntExt * (rackShift - hob.Addendum())));

    v.Phi_nL = checkFinite(v.tanW - tanPhiN + v.phiN - divide(v.Sn, v.nn));
    v.RnL = divide(v.r_nb, std::cos(v.Phi_nL));

    // The hob as a shaper cutter with a very large number of teeth.
    v.nc = divide(VirtualCutterTeeth, cubed(std::cos(v.psi)));
    v.r_nc = v.nc / 2;
    v.r_nbc = v.r_nc * std::cos(v.phiN);

    v.Us = 0;
    v.EffTube = checkFinite(hob.Protuberance() * P - v.Us * std::cos(v.phiN));
    v.Rsno = checkFinite((hob.Addendum() - v.rT) * P + v.r_nc);
    v.Phi_ns = MMath::ArcCos(divide(v.r_nbc, v.Rsno));
    v.InvPhi_ns = checkFinite(tangent(v.Phi_ns) - v.Phi_ns);
    v.sno = checkFinite(hob.HobTTk() * P);
    v.InvPhi_npo = checkFinite(tanPhiN - v.phiN + divide(v.sno, v.nc));
    v.LambdaNs = checkFinite(2 * (divide(v.EffTube - v.rT * P, v.r_nbc) + v.InvPhi_npo - v.InvPhi_ns));

    v.InvPhi_n = tanPhiN - v.phiN;
    v.InvPhi_nGen = checkFinite(divide(2 * v.Xg * tanPhiN, v.nc + v.nn) + v.InvPhi_n);
    v.Phi_nGen = MMath::InverseInvolute(v.InvPhi_nGen);
    v.R_nGen = divide(v.r_n * std::cos(v.phiN), std::cos(v.Phi_nGen));
    v.R_noGen = divide(v.r_nc * std::cos(v.phiN), std::cos(v.Phi_nGen));

    const double sinPhiN = std::sin(v.phiN);
    const double formAlong =
        checkFinite(v.R_nGen / P * sinPhiN - divide(hob.Addendum() - hob.BAHFromProtuberance(), sinPhiN));
    const double formAcross = v.r_nb / P;
    s.Rtangent = checkFinite(squareRoot(checkFinite(formAlong * formAlong + formAcross * formAcross)) -
                             v.r_n / P + gear.Rp_s());

    if (!iterateCriticalPoint(v)) {
        gear.shell().reportError("T_Gear", RoutineName, "0",
                                 "the critical point of the fillet did not settle within 99 steps; J is -999",
                                 "");
        return false;
    }

    v.K_s = v.R_noGen - v.Rsno;
    const double Ks2 = v.K_s * v.K_s;
    v.rho_Fprime = checkFinite(
        divide(Ks2, divide(v.R_noGen * v.R_nGen * std::sin(v.Alpha_n), 2 * v.R_nGen) - v.K_s) + v.rT * P);
    v.rho_F = checkFinite(divide(Ks2, divide(v.R_noGen * v.R_nGen, v.R_noGen + v.R_nGen) - v.K_s) + v.rT * P);

    if (pair.Mf() > 1) {
        v.Omega = MMath::Rad2Deg(std::atan(tangent(v.psi) * sinPhiN));
        const double w = v.Omega / 100;
        v.Ch = divide(1, 1 - squareRoot((1 - w) * w));
        v.K_psi = std::cos(v.psi) * std::cos(pair.Psi_O());
    } else {
        v.Ch = 1;
        v.K_psi = 1;
    }

    v.SF = 2 * v.Epsil_nF;
    v.H = roundedToHundredths(0.331 - 0.436 * v.phiN);
    v.l = roundedToHundredths(0.324 - 0.492 * v.phiN);
    v.M = roundedToHundredths(0.261 + 0.545 * v.phiN);
    if (v.SF <= 0 || v.rho_F <= 0 || v.hF <= 0)
        return false;

    v.Kf = checkFinite(v.H + power(v.SF / v.rho_F, v.l) * power(v.SF / v.hF, v.M));
    const double loadRatio = divide(std::cos(v.Phi_nL), std::cos(pair.Phi_on()));
    const double lewis = checkFinite(divide(6 * v.hF, v.SF * v.SF * v.Ch) - tangent(v.Phi_nL) / v.SF);
    v.Y = divide(v.K_psi, checkFinite(loadRatio * lewis));
    v.J = divide(divide(pair.C_Psi() * v.Y, v.Kf), pair.Mn());
    return true;
}

} // namespace

double GearBending::agmaFactor(T_Gear& gear, std::int16_t tipLoaded) {
    AgmaValues v;
    try {
        if (!computeAgmaFactor(gear, tipLoaded, v))
            return Failed;
    } catch (const runtime::RuntimeError&) {
        return Failed;
    }
    T_StressVars& s = gear.oStress;
    s.Done = True;
    s.Source = "AGMA Routine";
    s.XJ = v.J;
    s.XKF = v.Kf;
    s.rRf = v.rho_F / v.P;
    try {
        writeTrace(gear, v);
    } catch (const runtime::RuntimeError&) {
        // A value the trace could not show never changes J.
    }
    return v.J;
}

} // namespace cindrel::model
