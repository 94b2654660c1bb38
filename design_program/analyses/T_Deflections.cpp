#include "analyses/T_Deflections.h"

#include "analyses/AnalysisMath.h"
#include "analyses/AnalysisReport.h"
#include "model/MMath.h"
#include "model/ModelShell.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"
#include "runtime/ResumeNext.h"

#include <algorithm>
#include <string>

namespace cindrel::analyses {

namespace {

constexpr int Positions = 21;
constexpr int Stations = 7;
constexpr double Degrees = 180 / Pi;  // d: radians to degrees
constexpr double Radians = Pi / 180;  // r: degrees to radians
// Stands in for a zero that a formula would divide by or take the log of.
constexpr double Tiny = 0.0000001;
constexpr const char* Module = "Deflections";

using PositionArray = std::array<double, Positions + 1>; // index 0 unused
using StationTable = std::array<std::array<double, Stations + 1>, Positions + 1>;

bool isMissing(double value) { return value == MissingValue; }

// Runs one step of a routine that reports its errors and goes on: false
// when the step failed (it was reported).
template <typename Step>
bool reported(model::ModelShell& shell, const char* routine, Step&& step) {
    try {
        step();
        return true;
    } catch (const runtime::RuntimeError&) {
        runtime::reportError(shell, Module, routine, std::current_exception());
        return false;
    }
}

// The residual of an iterate of the profile search and its angle term.
double residual(double phi, double radius, double baseRadius, double beta, double& angleTerm, bool strict) {
    const double x = radius * cosine(phi) / baseRadius;
    double g = divide(1 - x * x, x);
    if (strict) {
        if (g > -0.0002 && g <= 0)
            angleTerm = 0;
        else
            angleTerm = arcTangent(squareRoot(g));
    } else {
        if (g < 0)
            g = 0;
        angleTerm = arcTangent(squareRoot(g));
    }
    return checkFinite(runtime::tangent(phi) - beta + angleTerm - phi);
}

} // namespace

ProfileSearch searchProfilePoint(double radius, double baseRadius, double beta) {
    ProfileSearch s;
    double c = divide(baseRadius, radius);
    if (c > 1)
        c = 1;
    s.phi[1] = arcTangent(divide(squareRoot(1 - c * c), c));
    s.phi[2] = s.phi[1] + Pi / 180;
    double angleTerm = 0;
    s.F[1] = residual(s.phi[1], radius, baseRadius, beta, angleTerm, true);
    s.F[2] = residual(s.phi[2], radius, baseRadius, beta, angleTerm, true);
    for (int k = 3; k <= 7; ++k) {
        const double D = std::abs(s.F[1]) + s.F[k - 1];
        s.phi[k] = D != 0 ? s.phi[1] + std::abs(s.F[1]) / D * (s.phi[k - 1] - s.phi[1]) : 0;
        s.F[k] = residual(s.phi[k], radius, baseRadius, beta, angleTerm, false);
    }
    s.FIP = s.phi[7];
    s.INVFIP = runtime::tangent(s.FIP) - s.FIP;
    s.TCNP = checkFinite(2 * radius * runtime::tangent(beta - s.INVFIP));
    return s;
}

LineContact deflectionLineContact(double rhoP, double rhoG, double unitLoad, double modulus, double poisson) {
    LineContact contact;
    double sum = rhoP + rhoG;
    if (sum == 0)
        sum = Tiny;
    contact.relativeRadius = rhoP * rhoG / sum;
    const double lambda = divide(unitLoad, modulus);
    const double b2 = (1 - poisson * poisson) * 8 * contact.relativeRadius * lambda / Pi;
    double b = b2 < 0 ? 0 : std::sqrt(b2);
    if (b == 0)
        b = Tiny;
    contact.halfWidth = b;
    contact.maximumPressure = checkFinite(2 * unitLoad / (Pi * b));
    return contact;
}

void smoothSpikes(DeflectionTable& A) {
    // A value is replaced only by the mean of two neighbours that both have one.
    auto spike = [](double value, double neighbour) {
        return !isMissing(value) && !isMissing(neighbour) && neighbour != 0 && std::abs(value / neighbour) > 1.5;
    };
    for (int c = 2; c <= 8; ++c) {
        for (int i = 2; i <= 20; ++i)
            if (spike(A(i, c), A(i + 1, c)) && !isMissing(A(i - 1, c)))
                A(i, c) = (A(i - 1, c) + A(i + 1, c)) / 2;
        for (int i = 20; i >= 2; --i)
            if (spike(A(i, c), A(i - 1, c)) && !isMissing(A(i + 1, c)))
                A(i, c) = (A(i - 1, c) + A(i + 1, c)) / 2;
    }
}

// One run of the analysis: its inputs, the new table and the report.
struct T_Deflections::Run {
    Run(model::T_Set& pair, model::ModelShell& shell) : pair(pair), shell(shell) {}

    model::T_Set& pair;
    model::ModelShell& shell;
    AnalysisReport report;
    DeflectionTable table;
    RollDistances RHOP{}, RHOG{};

    // One member's load geometry per position.
    struct Member {
        PositionArray R{}, s{}, alphaL{}, e{}, u{}, Rf{}, Q{};
        double tb = 0, RBEQ = 0, nu = 0;
    };

    void DefineRhos();
    void notEvaluated();
    void Deflection(double NP, double NG, double PinRPO, double GearRPO, double PHNC, double TNPC, double TNGC,
                    double PinRR, double GearRR, double PinRO, double GearRO, double PSIC, double CDI, double EB,
                    double TP, double FP, double FG);
    void loadGeometry(Member& m, const PositionArray& R, double RBEQ, double K, double RR);
    void GearToothDeflection(Member& m);
    void HertzDeflection(const Member& p, const Member& g, double WOP, double WOG, double wPe, double wGe,
                         double EP, double EG, double SNPHM, double phiNo, PositionArray& deltaT);
    void HelicalDeflection(const PositionArray& deltaT, const PositionArray& RP, double Zeq, double SNPHM,
                           double Pn, double phiN, double psi, double SNPSB);
    void rollAngles(double RbP, double RbG);
};

T_Deflections::T_Deflections(model::T_Set& pair, model::ModelShell& shell) : pair_(pair), shell_(shell) {}

DeflectionTable T_Deflections::DeflectionsData() {
    pair_.MorvetianDeflection();
    Filter();
    return table_;
}

void T_Deflections::DeflectionLoad(double PN, double GN, double PinRPO, double GearRPO, double PhiNormalOperating,
                                   double PTTK_ON, double GTTK_ON, double PinRR, double GearRR, double PinRO,
                                   double GearRO, double Psi_O, double DC_O, double EdgeBreak_Max,
                                   double TorquePinion, double PinFace, double GearFace, double, double,
                                   std::int32_t) {
    Run run(pair_, shell_);
    if (shell_.createCsv())
        run.report.start(shell_.activeFileName(false, true) + "_Deflection.CSV");
    if (pair_.IntExt() == -1) {
        // The routines hold for external pairs only: the table keeps this
        // pair's roll angles and nothing else.
        run.DefineRhos();
        run.notEvaluated();
        run.report.record("Deflection Routine", "Routines cannot evaluate internal gear");
    } else {
        run.Deflection(PN, GN, PinRPO, GearRPO, model::MMath::Rad2Deg(PhiNormalOperating), PTTK_ON, GTTK_ON, PinRR,
                       GearRR, PinRO, GearRO, model::MMath::Rad2Deg(Psi_O), DC_O, EdgeBreak_Max, TorquePinion,
                       PinFace, GearFace);
    }
    table_ = run.table;
    rhoP_ = run.RHOP;
    rhoG_ = run.RHOG;
    if (run.report.save(shell_, Module, "DeflectionLoad"))
        shell_.writeRunNote("finished deflection routine, check \r\n" + run.report.path() + "\r\nfor output data");
}

void T_Deflections::Run::DefineRhos() {
    for (std::int16_t k = 1; k <= 5; ++k)
        RHOP[k] = pair.C(k);
    const double C1 = RHOP[1];
    const double step = (RHOP[5] - C1) / 20;
    for (int m = 0; m <= 20; ++m)
        RHOP[6 + m] = C1 + m * step;
    // On an internal pair the ring's tangent point lies on the pinion's side.
    const double C6 = pair.C(6);
    const int side = pair.IntExt() == -1 ? -1 : 1;
    for (int k = 0; k <= 26; ++k)
        RHOG[k] = C6 - side * RHOP[k];
}

void T_Deflections::Run::rollAngles(double RbP, double RbG) {
    for (int i = 1; i <= Positions; ++i) {
        table(i, 0) = divide(RHOP[i + 5], RbP) / Radians;
        table(i, 1) = divide(RHOG[i + 5], RbG) / Radians;
        table(i, 9) = MissingValue;
    }
    for (int j = 22; j <= 26; ++j) {
        table(j, 0) = divide(RHOP[j - 21], RbP) / Radians;
        table(j, 1) = divide(RHOG[j - 21], RbG) / Radians;
        for (int c = 2; c <= 8; ++c)
            table(j, c) = MissingValue;
        table(j, 9) = 0;
    }
}

void T_Deflections::Run::notEvaluated() {
    rollAngles(pair.oPinion->Rb(), pair.oGear->Rb());
    for (int i = 1; i <= Positions; ++i)
        for (int c = 2; c <= 8; ++c)
            table(i, c) = MissingValue;
}

void T_Deflections::Run::Deflection(double NP, double NG, double PinRPO, double GearRPO, double PHNC, double TNPC,
                                    double TNGC, double PinRR, double GearRR, double PinRO, double GearRO,
                                    double PSIC, double CDI, double EB, double TP, double FP, double FG) {
    const double r = Radians, d = Degrees;
    DefineRhos();
    const model::T_Gear& pinion = *pair.oPinion;
    const model::T_Gear& gear = *pair.oGear;
    const double nuP = pinion.Mu(), nuG = gear.Mu();
    const double EP = pinion.E(), EG = gear.E();

    const double APC = PinRO - PinRPO, AGC = GearRO - GearRPO;
    const double PDPC = 2 * PinRPO, PDGC = 2 * GearRPO, RDPI = 2 * PinRR, RDGI = 2 * GearRR;
    const double SNPSB = sine(PSIC * r) * cosine(PHNC * r);
    const double tanPhiT = divide(sine(PHNC * r), cosine(PHNC * r) * cosine(PSIC * r));
    const double sinPhiT = divide(sine(PHNC * r), squareRoot(1 - SNPSB * SNPSB));
    const double cosPhiT = divide(sinPhiT, tanPhiT);
    const double RrP = RDPI / 2, RrG = RDGI / 2;
    const double RbP = cosPhiT * PDPC / 2, RbG = cosPhiT * PDGC / 2;
    const double RpP = divide(RbP * CDI, RbP + RbG), RpG = divide(RbG * CDI, RbP + RbG);
    double psiO = 0;
    if (PSIC != 0) {
        const double lead = divide(Pi * PDGC * cosine(PSIC * r), sine(PSIC * r));
        psiO = arcTangent(divide(2 * Pi * RpG, lead)) * d;
    }
    const double ratio = divide(RbG, RpG);
    if (ratio * ratio > 1) {
        // The gear's base circle lies outside its pitch circle: not evaluated.
        notEvaluated();
        return;
    }
    const double phiO = 90 - arcTangent(divide(ratio, squareRoot(1 - ratio * ratio))) * d;
    const double Pd = divide(NG, 2 * RpG);
    const double Pdn = divide(Pd, cosine(psiO * r));
    const double cosPsi3 = std::pow(cosine(psiO * r), 3);
    const double NEQG = divide(NG, cosPsi3), NEQP = divide(NP, cosPsi3);
    const double REQG = divide(NEQG, 2 * Pdn), REQP = divide(NEQP, 2 * Pdn);
    const double shiftG = REQG - RpG, shiftP = REQP - RpP;
    const double phiNo = arcTangent(runtime::tangent(phiO * r) * cosine(psiO * r)) * d;
    const double aoG = PDGC / 2 + AGC - RpG, aoP = PDPC / 2 + APC - RpP;
    const double CD = divide(CDI, cosine(psiO * r) * cosine(psiO * r));
    const double RBEQG = REQG * cosine(phiNo * r), RBEQP = REQP * cosine(phiNo * r);
    const double invPhiT = tanPhiT - arcTangent(tanPhiT);
    const double invPhiO = runtime::tangent(phiO * r) - phiO * r;
    const double tGn = 2 * (divide(divide(TNGC, cosine(PSIC * r)), PDGC) + invPhiT - invPhiO) * RpG * cosine(psiO * r);
    const double tPn = 2 * (divide(divide(TNPC, cosine(PSIC * r)), PDPC) + invPhiT - invPhiO) * RpP * cosine(psiO * r);
    const double BPN = divide(Pi, Pdn);
    const double SNPHM = sine(phiO * r);
    const double ROG = REQG + aoG, ROP = REQP + aoP;
    const double PB = divide(2 * Pi * RBEQG, NEQG);
    if (FP <= 2 * EB || FG <= 2 * EB)
        runtime::raise(runtime::InvalidProcedureCall, "The face width is not wider than its two edge breaks");
    const double WOP = divide(TP, RBEQP * FP);
    const double WOG = divide(WOP * FP, FG);
    const double wPe = divide(TP, (FP - 2 * EB) * RBEQP);
    const double wGe = divide((FP - 2 * EB) * wPe, FG - 2 * EB);
    const double RRG = REQG - (RpG - RrG), RRP = REQP - (RpP - RrP);

    report.record("Deflection Routine");
    report.record("NEQG", "NEQP", "REQG", "REQP", "RBEQG", "RBEQP", "BPN", "SNPSB", "SNPHM", "ROG", "PB", "ROP", "WOP",
                  "WOG", "CD", "RRG", "RRP");
    report.record(NEQG, NEQP, REQG, REQP, RBEQG, RBEQP, BPN, SNPSB, SNPHM, ROG, PB, ROP, WOP, WOG, CD, RRG, RRP);

    const double invPhiNo = runtime::tangent(phiNo * r) - phiNo * r;
    const double KG = divide(tGn, 2 * REQG) + invPhiNo;
    const double KP = divide(tPn, 2 * REQP) + invPhiNo;
    const double Zeq = squareRoot(ROG * ROG - RBEQG * RBEQG) + squareRoot(ROP * ROP - RBEQP * RBEQP) -
                       CD * sine(phiNo * r);
    PositionArray RP{}, RG{};
    for (int i = 1; i <= Positions; ++i) {
        RP[i] = squareRoot(RbP * RbP + RHOP[i + 5] * RHOP[i + 5]) + shiftP;
        RG[i] = squareRoot(RbG * RbG + RHOG[i + 5] * RHOG[i + 5]) + shiftG;
    }
    Member g, p;
    loadGeometry(g, RG, RBEQG, KG, RRG);
    loadGeometry(p, RP, RBEQP, KP, RRP);

    report.record("Deflection Routine");
    report.record("NG", "PDGC", "RDGI", "TNGC", "AGC", "FG", "NP", "PDPC", "RDPI", "TNPC", "APC", "FP", "TP", "PN",
                  "CDI", "PHNC", "PSIC");
    report.record(NG, PDGC, RDGI, TNGC, AGC, FG, NP, PDPC, RDPI, TNPC, APC, FP, TP, Pdn, CDI, PHNC, PSIC);

    p.nu = nuP;
    g.nu = nuG;
    GearToothDeflection(p);
    GearToothDeflection(g);
    PositionArray deltaT{};
    HertzDeflection(p, g, WOP, WOG, wPe, wGe, EP, EG, SNPHM, phiNo, deltaT);
    if (psiO > 0.001)
        HelicalDeflection(deltaT, RP, Zeq, SNPHM, Pdn, phiNo, psiO, SNPSB);
}

void T_Deflections::Run::loadGeometry(Member& m, const PositionArray& R, double RBEQ, double K, double RR) {
    m.R = R;
    m.RBEQ = RBEQ;
    m.tb = 2 * K * RBEQ;
    double x = 0;
    if (RBEQ >= RR) {
        x = divide(m.tb, 2 * RR);
    } else {
        const double cr = divide(RBEQ, RR);
        const double tanPhiR = divide(squareRoot(1 - cr * cr), cr);
        const double invPhiR = tanPhiR - arcTangent(tanPhiR);
        const double tr = 2 * (K - invPhiR) * RR;
        x = divide(tr, 2 * RR);
    }
    const double Rf = RR * cosine(arcTangent(divide(x, squareRoot(1 - x * x))));
    for (int i = 1; i <= Positions; ++i) {
        const double c = divide(RBEQ, R[i]);
        const double tanPhi = 1 - c * c < 0 ? 0 : divide(std::sqrt(1 - c * c), c);
        const double phi = arcTangent(tanPhi);
        const double invPhi = tanPhi - phi;
        m.s[i] = 2 * (K - invPhi) * R[i];
        const double beta = divide(m.s[i] * Degrees, 2 * R[i]);
        m.alphaL[i] = phi * Degrees - beta;
        m.e[i] = checkFinite(m.s[i] / 2 * runtime::tangent(m.alphaL[i] * Radians));
        m.u[i] = cosine(beta * Radians) * R[i] - Rf - m.e[i];
        m.Rf[i] = Rf;
    }
}

void T_Deflections::Run::GearToothDeflection(Member& m) {
    const char* routine = "GearToothDeflection";
    const double rb = m.RBEQ, nu = m.nu;
    StationTable YNP{}, YYP{}, YRP{}, FIP{}, INVFIP{}, TCNP{}, YHP{}, YHPT{};
    PositionArray DELTXP{};
    // Iterates and residuals of every station, for the report.
    std::array<std::array<ProfileSearch, Stations + 1>, Positions + 1> searches{};
    double beta = 0;
    const bool betaKnown = reported(shell, routine, [&] { beta = divide(m.tb, 2 * rb); });
    for (int I = 1; I <= Positions; ++I) {
        const bool done = betaKnown && reported(shell, routine, [&] {
            DELTXP[I] = m.u[I] / 6;
            for (int J = 1; J <= Stations; ++J) {
                YNP[I][J] = (J - 1) * DELTXP[I];
                YYP[I][J] = m.u[I] - YNP[I][J];
                YRP[I][J] = m.Rf[I] + YNP[I][J];
                if (YRP[I][J] - rb > 0) {
                    searches[I][J] = searchProfilePoint(YRP[I][J], rb, beta);
                    FIP[I][J] = searches[I][J].FIP;
                    INVFIP[I][J] = searches[I][J].INVFIP;
                    TCNP[I][J] = searches[I][J].TCNP;
                } else {
                    TCNP[I][J] = 2 * rb * std::sin(beta);
                }
                YHP[I][J] = divide(YYP[I][J] * YYP[I][J], TCNP[I][J] * TCNP[I][J] * TCNP[I][J]);
                YHPT[I][J] = divide(1, TCNP[I][J]);
            }
            constexpr double weights[Stations + 1] = {0, 1, 4, 2, 4, 2, 4, 1};
            double IB = 0, IS = 0;
            for (int J = 1; J <= Stations; ++J) {
                IB += weights[J] * YHP[I][J];
                IS += weights[J] * YHPT[I][J];
            }
            IB *= DELTXP[I] / 3;
            IS *= DELTXP[I] / 3;
            const double phiL = m.alphaL[I] * Pi / 180;
            const double cos2 = cosine(phiL) * cosine(phiL);
            const double tan2 = runtime::tangent(phiL) * runtime::tangent(phiL);
            const double heightOverThickness = divide(m.u[I], TCNP[I][1]);
            const double bending = 12 * cos2 * IB;
            const double shear = cos2 * (2.4 * (1 + nu) + tan2) * IS;
            const double foundation1 = cos2 * (18 / Pi) * (1 - nu * nu) * heightOverThickness * heightOverThickness;
            const double foundation2 = cos2 * (1 + nu) * (1 - 2 * nu) * 2 * heightOverThickness;
            const double foundation3 = (4.8 / Pi) * (1 - nu * nu) * (tan2 / 3.1 + 1) * cos2;
            m.Q[I] = checkFinite((1 - nu * nu) * (bending + shear + foundation1 + foundation2 + foundation3));
        });
        if (!done)
            m.Q[I] = MissingValue;
    }
    if (!report.enabled())
        return;
    report.record("DELTXP(i)", "YP(i)", "YAP(i)", "TCNP(i, 1)", "TCNP(i, 2)", "TCNP(i, 3)", "TCNP(i, 4)", "TCNP(i, 5)",
                  "TCNP(i, 6)", "TCNP(i, 7)", "", "", "");
    for (int I = 1; I <= Positions; ++I) {
        report.field(I);
        report.field(DELTXP[I]);
        report.field(m.u[I]);
        report.field(m.Rf[I]);
        for (int J = 1; J <= Stations; ++J)
            report.field(TCNP[I][J]);
        const std::pair<const char*, const StationTable*> groups[] = {
            {"  YHP", &YHP}, {"  YHPT", &YHPT}, {"  FIP", &FIP}, {"  INVFIP", &INVFIP},
            {"  YNP", &YNP}, {"  YYP", &YYP},   {"  YRP", &YRP}};
        for (const auto& [label, values] : groups) {
            report.field(label);
            for (int J = 1; J <= Stations; ++J)
                report.field((*values)[I][J]);
        }
        report.end();
    }
    for (int I = 1; I <= Positions; ++I) {
        // The loop counters as the loops leave them.
        report.record("REMP", I, Stations + 1, 8, "", "", "", "PNP", I, Stations + 1, 8);
        for (int J = 1; J <= Stations; ++J) {
            for (int K = 1; K <= 7; ++K)
                report.field(searches[I][J].F[K]);
            for (int K = 1; K <= 7; ++K)
                report.field(searches[I][J].phi[K]);
            report.end();
        }
    }
}

void T_Deflections::Run::HertzDeflection(const Member& p, const Member& g, double WOP, double WOG, double wPe,
                                         double wGe, double EP, double EG, double SNPHM, double phiNo,
                                         PositionArray& deltaT) {
    const char* routine = "HertzDeflection";
    const bool gearGoverns = wPe < wGe;
    const double w = gearGoverns ? wGe : wPe;
    const double E = gearGoverns ? EG : EP;
    const double nu = gearGoverns ? g.nu : p.nu;
    double lambda = MissingValue, kp = MissingValue;
    reported(shell, routine, [&] { lambda = divide(w, E); });
    reported(shell, routine, [&] { kp = divide(sine(phiNo * Radians), SNPHM); });

    PositionArray QH{}, deltaP{}, deltaG{}, deltaH{};
    for (int i = 1; i <= Positions; ++i) {
        // Each value is missing when a value it depends on is missing or its step failed.
        deltaP[i] = deltaG[i] = QH[i] = MissingValue;
        if (!isMissing(p.Q[i]) && !isMissing(kp))
            reported(shell, routine, [&] { deltaP[i] = checkFinite(divide(WOP, EP) * p.Q[i] * kp); });
        if (!isMissing(g.Q[i]) && !isMissing(kp))
            reported(shell, routine, [&] { deltaG[i] = checkFinite(divide(WOG, EG) * g.Q[i] * kp); });
        if (!isMissing(lambda) && !isMissing(kp))
            reported(shell, routine, [&] {
                const double rhoP = std::sqrt(std::max(0.0, p.R[i] * p.R[i] - p.RBEQ * p.RBEQ));
                const double rhoG = std::sqrt(std::max(0.0, g.R[i] * g.R[i] - g.RBEQ * g.RBEQ));
                const LineContact contact = deflectionLineContact(rhoP, rhoG, w, E, nu);
                // h = e / sin(alpha) = (s / 2) / cos(alpha): s / 2 at a zero load angle.
                auto lever = [](const Member& m, int k) {
                    const double sinAlpha = sine(m.alphaL[k] * Radians);
                    return sinAlpha == 0 ? m.s[k] / 2 : divide(m.e[k], sinAlpha);
                };
                const double hP = lever(p, i), hG = lever(g, i);
                const double c1 = (1 - nu * nu) * 4 / Pi;
                const double num = E * squareRoot(hP * hG);
                double den = (1 - nu * nu) * 2 * contact.relativeRadius * contact.maximumPressure;
                if (den == 0)
                    den = Tiny;
                QH[i] = checkFinite((runtime::naturalLog(num / den) - divide(nu, 1 - nu)) * c1 * kp);
            });
        deltaH[i] = isMissing(QH[i]) ? MissingValue : lambda * QH[i];
        deltaT[i] = isMissing(deltaP[i]) || isMissing(deltaG[i]) || isMissing(deltaH[i])
                        ? MissingValue
                        : deltaP[i] + deltaG[i] + deltaH[i];
    }

    double RbP = 0, RbG = 0;
    const bool radii = reported(shell, routine, [&] {
        RbP = pair.oPinion->Rb();
        RbG = pair.oGear->Rb();
        rollAngles(RbP, RbG);
    });
    if (!radii)
        for (int row = 1; row <= 26; ++row)
            table(row, 0) = table(row, 1) = MissingValue;

    report.record("GEAR TOOTH DEFLECTION ANALYSIS");
    report.record("i", "Curvature radius", "Deflection Coefficients (Q)", "Deflection (Plane of Rotation)");
    report.record("i", "RHOP(I + 5)", "RHOG(I + 5)", "Pinion", "Gear", "Hertzian", "Pinion", "Gear", "Hertzian",
                  "Total");
    for (int i = 1; i <= Positions; ++i) {
        report.record(i, RHOP[i + 5], RHOG[i + 5], p.Q[i], g.Q[i], QH[i], deltaP[i], deltaG[i], deltaH[i],
                      deltaT[i]);
        table(i, 2) = p.Q[i];
        table(i, 3) = g.Q[i];
        table(i, 4) = QH[i];
        table(i, 5) = deltaP[i];
        table(i, 6) = deltaG[i];
        table(i, 7) = deltaH[i];
        table(i, 8) = deltaT[i];
        table(i, 9) = MissingValue;
    }
}

void T_Deflections::Run::HelicalDeflection(const PositionArray& deltaT, const PositionArray& RP, double Zeq,
                                           double SNPHM, double Pn, double phiN, double psi, double SNPSB) {
    const double r = Pi / 180;
    if (psi == 0)
        return;
    const char* routine = "Hello";
    double DEFAVE = MissingValue, FHEL = MissingValue, DEFHEL = MissingValue, H = 0;
    bool complete = true;
    for (int i = 1; i <= Positions; ++i)
        complete = complete && !isMissing(deltaT[i]);
    if (complete)
        reported(shell, routine, [&] {
            double S = 0;
            for (int i = 1; i < Positions; ++i)
                S += (RP[i + 1] - RP[i]) * (deltaT[i] + deltaT[i + 1]) / 2;
            double R = RP[Positions] - RP[1];
            if (R == 0)
                R = Tiny;
            DEFAVE = checkFinite(S / R);
        });
    const bool helicalFactor = reported(shell, routine, [&] {
        const double G = Zeq * SNPHM * Pn;
        const double tanPhi = runtime::tangent(phiN * r);
        const double cosPsi = cosine(psi * r);
        H = checkFinite(G / Pi * tanPhi * (1 + divide(cosPsi * cosPsi, tanPhi * tanPhi)));
        FHEL = divide(1, 1 + divide(runtime::tangent(psi * r) * (1 - SNPSB * SNPSB), Pi * H));
    });
    if (helicalFactor && !isMissing(DEFAVE))
        reported(shell, routine, [&] {
            const double cosPsi = cosine(psi * r);
            DEFHEL = divide(DEFAVE * squareRoot(1 - SNPSB * SNPSB) * FHEL, cosPsi * cosPsi * H);
        });
    report.record("Helical Deflection routine");
    report.record("DEFAVE", "FHEL", "DEFHEL");
    report.record(DEFAVE, FHEL, DEFHEL);
}

void T_Deflections::Filter() {
    // Beside the run notes, never in the current folder, where a user's own
    // file of that name may be.
    const std::string folder = shell_.runNotesFolder();
    auto dump = [&](const char* name) {
        AnalysisReport file;
        file.start(folder.empty() ? std::string(name) : folder + "/" + name);
        for (int j = 1; j <= 26; ++j) {
            for (int c = 1; c <= 9; ++c)
                file.field(table_(j, c));
            file.end();
        }
        file.save(shell_, Module, "Filter", true);
    };
    dump("Data.dat");
    smoothSpikes(table_);
    dump("Data1.dat");
}

} // namespace cindrel::analyses
