#include "analyses/T_SubShear.h"

#include "analyses/AnalysisMath.h"
#include "analyses/AnalysisReport.h"
#include "model/Flags.h"
#include "model/MMath.h"
#include "model/ModelShell.h"
#include "model/T_Gear.h"
#include "model/T_MiscVars.h"
#include "model/T_Set.h"
#include "runtime/NumberText.h"

#include <array>
#include <string>

namespace cindrel::analyses {

namespace {

constexpr int Depths = 53;
constexpr int Positions = 51;
// The band width, the Hertz pressure and the two angle functions keep the
// shorter π they were derived with.
constexpr double ShortPi = 3.14159265;
constexpr double RpmToRadiansPerSecond = 0.10472;
// Brinell hardness per psi of shear.
constexpr double ShearPerBrinell = 155;

struct Stresses {
    double SX = 0, SZ = 0, SXZ = 0;
};

} // namespace

struct T_SubShear::Run {
    Run(model::T_Set& pair, model::ModelShell& shell) : pair(pair), shell(shell) {}

    model::T_Set& pair;
    model::ModelShell& shell;
    AnalysisReport report;
    bool longPrint = false;

    // Inputs
    std::int32_t XNP = 0, XNG = 0, XINTER = 0;
    double PD = 0, PHI = 0, ROP = 0, ROG = 0, FACE = 0, Co = 0, TORQP = 0, RPMP = 0;
    double VISCO = 0, S = 0, EP = 0, EG = 0, XMUP = 0, XMUG = 0, SF = 0;

    // The contact
    double mu = 0, A = 0, PO = 0;

    SubShearTable table;
    SubShearExtremes extremes;

    void GetSubShearInputs();
    void CalcSubShear();
    void contact();
    Stresses stressesAt(double X, double Z) const;
};

T_SubShear::T_SubShear(model::T_Set& pair, model::ModelShell& shell) : pair_(pair), shell_(shell) {
    shell_.writeRunNote(model::SubShearCreationNote);
}

SubShearTable T_SubShear::GoSubShear() {
    maxValues_.reset();
    Run run(pair_, shell_);
    run.longPrint = shell_.SubSurfaceLongPrint();
    run.SF = pair_.oMiscVars->SafetyFactor();
    if (shell_.createCsv())
        run.report.start(shell_.activeFileName(false, true) + "_SubSurface.CSV");
    run.report.record("SUB-SURFACE SHEAR ROUTINE");
    run.report.record();
    run.GetSubShearInputs();
    run.CalcSubShear();
    run.report.save(shell_, "T_SubShear", "GoSubShear");
    maxValues_ = run.extremes;
    return run.table;
}

void T_SubShear::Run::GetSubShearInputs() {
    const model::T_Gear& pinion = *pair.oPinion;
    const model::T_Gear& gear = *pair.oGear;
    XNP = runtime::toInt32(pinion.N());
    XNG = runtime::toInt32(gear.N());
    PD = pair.pd();
    PHI = model::MMath::Rad2Deg(pair.Phi());
    XINTER = pair.IntExt();
    ROP = pinion.Ro(model::True, 1, 0);
    ROG = gear.Ro(model::True, 1, 0);
    FACE = pair.Face();
    Co = pair.DC_O(0);
    TORQP = pinion.Torq();
    RPMP = pinion.RPM();
    VISCO = pair.oMiscVars->VISCO();
    S = pair.oMiscVars->setRMS();
    EP = pinion.E();
    EG = gear.E();
    XMUP = pinion.Mu();
    XMUG = gear.Mu();
    SF = pair.oMiscVars->SafetyFactor();
}

void T_SubShear::Run::contact() {
    const double phi = PHI * Pi / 180;
    const double pitchAngle = divide(6.28318530717958, XNP);
    const double RP = divide(XNP, 2 * PD);
    const double RG = divide(XNG, 2 * PD);
    const double C = RG + XINTER * RP;
    const double RPMG = divide(RPMP, divide(XNG, XNP));
    const double phiO = model::MMath::ArcCos(divide(C * cosine(phi), Co));
    const double RPO = divide(Co * XNP, static_cast<double>(XNG + XINTER * XNP));
    const double RBP = RP * cosine(phi);
    const double RBG = RG * cosine(phi);
    const double L = Co * sine(phiO);

    // Roll angles of the pinion: start of active profile (on an internal pair
    // the ring's tip lies beyond the pinion's tangent point), tip, pitch point
    // and the two single-contact points; only the lowest of these is used.
    const double gearTipLength = squareRoot(ROG * ROG - RBG * RBG);
    const double startOfActiveProfile = divide(XINTER == -1 ? gearTipLength - L : L - gearTipLength, RBP);
    const double tip = divide(squareRoot(ROP * ROP - RBP * RBP), RBP);
    double lowestSingle = tip - pitchAngle;
    if (!(lowestSingle > startOfActiveProfile))
        lowestSingle = startOfActiveProfile;

    const double WT = divide(TORQP, RPO);
    const double phiL = arcTangent(lowestSingle);
    const double W = divide(pair.Mn() * WT, FACE * cosine(phiL));
    const double rhoP = RBP * lowestSingle;
    const double rhoG = L - XINTER * rhoP;
    const double Vp = rhoP * RPMP * RpmToRadiansPerSecond;
    const double Vg = rhoG * RPMG * RpmToRadiansPerSecond;
    const double Vs = Vp - Vg;
    const double Ve = Vp + Vg;

    if (pair.oMiscVars->CalculateFC() != 0) {
        if (S >= 45)
            runtime::raise(runtime::InvalidProcedureCall,
                           "The calculated friction coefficient needs a surface roughness below 45 microinch");
        const double sum = rhoP + XINTER * rhoG;
        const double argument = divide(3.5e8 * W, VISCO * Vs * Ve * Ve * sum * sum);
        mu = checkFinite(45 / (45 - S) * 0.0099 * model::MMath::Log10(std::abs(argument)));
        if (mu <= 0)
            runtime::raise(runtime::InvalidProcedureCall,
                           "The calculated friction coefficient " + runtime::numberText(mu) +
                               " is not above 0");
    } else {
        mu = pair.oMiscVars->FrictCoeff();
    }

    const double k = divide(1 - XMUP * XMUP, EP) + divide(1 - XMUG * XMUG, EG);
    const double curvature = divide(1, rhoP) + divide(XINTER, rhoG);
    A = squareRoot(divide(4 * W * k, ShortPi * curvature));
    PO = divide(2 * W, ShortPi * A);
}

Stresses T_SubShear::Run::stressesAt(double X, double Z) const {
    Stresses s;
    if (Z == 0) {
        const double q = X / A;
        if (X > A) {
            s.SX = -2 * mu * PO * (q - std::sqrt(q * q - 1));
        } else if (X < -A) {
            s.SX = -2 * mu * PO * (q + std::sqrt(q * q - 1));
        } else {
            const double r = std::sqrt(1 - q * q);
            s.SX = -PO * (r + 2 * mu * q);
            s.SZ = -PO * r;
            s.SXZ = -mu * PO * r;
        }
        return s;
    }
    const double M2 = (A + X) * (A + X) + Z * Z;
    const double N2 = (A - X) * (A - X) + Z * Z;
    const double n = std::sqrt(N2 / M2);
    const double g = (M2 + N2 - 4 * A * A) / M2;
    const double root = n * std::sqrt(2 * n + g);
    const double phi1 = ShortPi / M2 * (1 + n) / root;
    const double phi2 = ShortPi / M2 * (1 - n) / root;
    const double shared = Z * (A * A + 2 * X * X + 2 * Z * Z) * phi1 / A - 2 * Pi * Z / A - 3 * X * Z * phi2;
    const double scale = -PO / Pi;
    s.SX = scale * (shared + mu * ((2 * X * X - 2 * A * A - 3 * Z * Z) * phi2 + 2 * Pi * X / A +
                                   2 * X * (A * A - X * X - Z * Z) * phi1 / A));
    s.SZ = scale * Z * (A * phi1 - X * phi2 + mu * Z * phi2);
    s.SXZ = scale * (Z * Z * phi2 + mu * shared);
    return s;
}

void T_SubShear::Run::CalcSubShear() {
    contact();
    extremes = SubShearExtremes{};

    std::array<double, Depths + 1> depth{}, relativeDepth{}, orthogonal{}, unidirectional{}, governing{};
    for (int I = 1; I <= Depths; ++I) {
        const double Z = (I - 1) * A / 10;
        depth[I] = Z;
        relativeDepth[I] = Z / A;
        double largestSXZ = -100000000, smallestSXZ = 100000000, largestSSMAX = -1000000;
        if (longPrint) {
            report.record();
            report.record("STRESSES AT A DEPTH OF Z =", Z, "Z/A =", Z / A, "BELOW THE SURFACE",
                          "COEFFICIENT OF FRICTION AT CONTACT POINT =", mu, "PO = ", PO, "BAND WIDTH A =", A);
            report.record("X/A", "SX/PO", "SZ/PO", "SY/PO", "SXZ/PO", "S1/PO", "S2/PO", "S3/PO", "S12/PO",
                          "S23/PO", "S13/PO", "SSMAX/PO");
        }
        for (int J = 1; J <= Positions; ++J) {
            const double X = 2.5 * A - (J - 1) * A / 10;
            const Stresses s = stressesAt(X, Z);
            const double SY = XMUP * (s.SX + s.SZ);
            const double R = 0.5 * std::sqrt((s.SX - s.SZ) * (s.SX - s.SZ) + 4 * s.SXZ * s.SXZ);
            const double S1 = (s.SX + s.SZ) / 2 + R;
            const double S2 = (s.SX + s.SZ) / 2 - R;
            const double S3 = SY;
            const double S12 = std::abs(S1 - S2) / 2;
            const double S23 = std::abs(S2 - S3) / 2;
            const double S13 = std::abs(S1 - S3) / 2;
            double SSMAX = S12;
            if (S23 > SSMAX)
                SSMAX = S23;
            if (S13 > SSMAX)
                SSMAX = S13;
            checkFinite(SSMAX + s.SXZ);
            if (s.SXZ > largestSXZ)
                largestSXZ = s.SXZ;
            if (s.SXZ < smallestSXZ)
                smallestSXZ = s.SXZ;
            if (SSMAX > largestSSMAX)
                largestSSMAX = SSMAX;
            if (longPrint)
                report.record(X / A, s.SX / PO, s.SZ / PO, SY / PO, s.SXZ / PO, S1 / PO, S2 / PO, S3 / PO,
                              S12 / PO, S23 / PO, S13 / PO, SSMAX / PO);
        }
        orthogonal[I] = std::abs(smallestSXZ - largestSXZ);
        unidirectional[I] = largestSSMAX;
        governing[I] = orthogonal[I] > unidirectional[I] ? orthogonal[I] : unidirectional[I];
    }

    report.record("ACTUAL DEPTH.", "DEPTH/BAND", "ORTHOGONAL", "UNIDIRECTIONAL");
    report.record("(IN)", "WIDTH", "REVERSING", "SHEAR STRESS(PSI)");
    report.record("", "", "SHEAR STRESS(PSI)");
    for (int I = 1; I <= Depths; ++I)
        report.record(depth[I], relativeDepth[I], orthogonal[I], unidirectional[I]);

    const double lengthFactor = shell.LengthFactor();
    const double pressureFactor = shell.PressureFactor();
    extremes(0, 0) = 0.0;
    for (int I = 1; I <= Depths; ++I) {
        if (pressureFactor * governing[I] > std::get<double>(extremes(0, 0))) {
            extremes(0, 0) = pressureFactor * governing[I];
            extremes(0, 1) = depth[I] * lengthFactor;
            extremes(1, 0) = SF * governing[I] / ShearPerBrinell;
            extremes(1, 1) = depth[I] * lengthFactor;
        }
    }
    const std::string safetyFactor = runtime::numberText(SF);
    report.record();
    report.record("ACTUAL DEPTH", "MAXIMUM SHEAR", "Required Hardness,(Bhn)");
    report.record("(Inch).", " STRESS (PSI)", "at:" + safetyFactor + " Safety Factor (CO)");
    for (int I = 1; I <= Depths; ++I) {
        const double hardness = SF * governing[I] / ShearPerBrinell;
        report.record(depth[I], governing[I], hardness);
        table(I, 1) = depth[I] * lengthFactor;
        table(I, 2) = governing[I] * pressureFactor;
        table(I, 3) = hardness;
    }
    shell.writeRunNote("about to instantiate T_Chart for T_SubShear,variables in sub-shear array (4,1-3) " +
                       runtime::numberText(table(4, 1)) + ", " + runtime::numberText(table(4, 2)) + ", " +
                       runtime::numberText(table(4, 3)));
    extremes(0, 2) = std::string("Max shear stress");
    extremes(1, 2) = "Min required hardness with a safety factor of " + safetyFactor;
}

} // namespace cindrel::analyses
