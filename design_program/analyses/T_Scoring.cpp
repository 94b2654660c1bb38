#include "analyses/T_Scoring.h"

#include "analyses/AnalysisMath.h"
#include "analyses/AnalysisReport.h"
#include "model/Flags.h"
#include "model/MMath.h"
#include "model/ModelShell.h"
#include "model/T_AGMA1.h"
#include "model/T_Gear.h"
#include "model/T_MiscVars.h"
#include "model/T_Set.h"
#include "runtime/NumberText.h"

#include <array>
#include <string>

namespace cindrel::analyses {

namespace {

constexpr int Points = 26;
using PointArray = std::array<double, Points + 1>; // index 0 unused

// Load share over the path for contact ratios of 2 or more: position x from
// +1 (lowest point of contact) to -1 (pinion tip), and the share there.
constexpr std::array<double, 19> ShareX{0,       1.0,      0.91198,  0.8218,   0.72952,  0.63476, 0.53746,
                                        0.43723, 0.33375,  0.2267,   0.11569,  0.0,      -0.11664, -0.23925,
                                        -0.3689, -0.50703, -0.65595, -0.81857, -1.0};
constexpr std::array<double, 19> ShareS{0,       0.0,     0.16353, 0.29026, 0.37612, 0.44153, 0.48242,
                                        0.5233,  0.56009, 0.58871, 0.61234, 0.63368, 0.60506, 0.57236,
                                        0.53556, 0.49059, 0.42518, 0.32706, 0.0};

// Report labels of the key points, seen from the pinion and from the gear.
constexpr std::array<const char*, 6> PinionLabels{"", "LC", "LS", "PD", "HS", "OD"};
constexpr std::array<const char*, 6> GearLabels{"", "OD", "HS", "PD", "LS", "LC"};

const char* pinionLabel(int i) { return i <= 5 ? PinionLabels[i] : "  "; }
const char* gearLabel(int i) { return i <= 5 ? GearLabels[i] : "  "; }

bool isSet(std::int16_t flag) { return flag != 0; }

double valueOf(const Cell& cell) { return hasValue(cell) ? std::get<double>(cell) : 0.0; }

} // namespace

// The working state of one run: inputs, working arrays, table and report.
struct T_Scoring::Run {
    Run(model::T_Set& pair, model::ModelShell& shell) : pair(pair), shell(shell) {}

    model::T_Set& pair;
    model::ModelShell& shell;
    AnalysisReport report;

    // Inputs
    double Pd = 0, psi = 0, phi = 0, Co = 0, F = 0;
    int IntExt = 0;
    double NP = 0, NG = 0, TP = 0, nP = 0;
    double S = 0, VISCO = 0, Tb = 0, alpha = 0;
    bool modified = false, pinionDriving = false;

    // Pair values
    double f = 0, nG = 0, RbP = 0, RbG = 0, phiO = 0, RoP = 0, Pdo = 0;
    double mp = 0, mN = 1, L = 0, Wt = 0, omegaP = 0, omegaG = 0, eta = 0;
    static constexpr double Eprime = 51800000.0;

    // Per point, computation order
    PointArray thetaP{}, ZP{}, thetaG{}, ZG{}, thetaShare{};
    PointArray SSP{}, SSG{}, rho{}, aP{};
    int point = 0;     // the current point, shared with LoadShareFactor
    double share = 0;  // its load share

    ScoringTable table;
    ScoringExtremes extremes;

    void GetScoringInputs();
    void CalcScoring();
    void LoadShareFactor();

    void pairGeometry(double& ZpMin, double& ZpMax, double& ZgMin, double& ZgMax, double& RoPmin,
                      double& RoGmin, double& psiB, double& psiO, double& mF);
    void loadSharingRatio(double RoPmin, double RoGmin, double psiB, double psiO, double mF);
    void contactPoints(double ZpMax, double ZgMax);
    void kinematics();
    void loadsAndTemperatures();
    void finish(double powerLossSum);
};

T_Scoring::T_Scoring(model::T_Set& pair, model::ModelShell& shell) : pair_(pair), shell_(shell) {
    shell_.writeRunNote(model::ScoringCreationNote);
}

ScoringTable T_Scoring::GoScoring() {
    maxValues_.reset();
    Run run(pair_, shell_);
    if (shell_.createCsv())
        run.report.start(shell_.activeFileName(false, true) + "_Scoring.CSV");
    run.report.record("FLASH TEMPERATURE & FILM THICKNESS ROUTINE");
    run.report.record();
    run.GetScoringInputs();
    run.CalcScoring();
    run.report.save(shell_, "T_Scoring", "GoScoring");
    maxValues_ = run.extremes;
    return run.table;
}

void T_Scoring::Run::GetScoringInputs() {
    Pd = pair.pd();
    psi = pair.Psi();
    phi = pair.Phi();
    Co = pair.DC_O(0);
    F = pair.Face();
    IntExt = pair.IntExt();
    NP = runtime::roundHalfEven(pair.oPinion->N());
    NG = runtime::roundHalfEven(pair.oGear->N());
    TP = pair.oPinion->Torq();
    nP = pair.oPinion->RPM();
    const model::T_MiscVars& misc = *pair.oMiscVars;
    S = misc.setRMS();
    VISCO = misc.VISCO();
    Tb = misc.BulkTemp();
    alpha = misc.LPE() == 0 ? 8E-05 : misc.LPE();
    modified = isSet(misc.Modified());
    pinionDriving = isSet(misc.PinDriv());
}

void T_Scoring::Run::CalcScoring() {
    extremes = ScoringExtremes{};
    double ZpMin = 0, ZpMax = 0, ZgMin = 0, ZgMax = 0, RoPmin = 0, RoGmin = 0, psiB = 0, psiO = 0, mF = 0;
    pairGeometry(ZpMin, ZpMax, ZgMin, ZgMax, RoPmin, RoGmin, psiB, psiO, mF);

    // Contact below a base circle: traced, and the affected tip taken at L.
    double ZgMaxForContact = ZgMax;
    if ((L - ZgMax) * IntExt < 0) {
        report.record();
        report.record("Checking for contact below Pinion base circle.");
        if ((L - ZgMin) * IntExt < 0) {
            ZgMaxForContact = L;
            report.record("CONTACT BELOW B. C. ON THE ", NP, " TOOTH MEMBER");
            report.record("MAX USABLE BREAK RADIUS ON THE MATING MEMBER IS ", squareRoot(RbG * RbG + L * L));
        }
    }
    if (IntExt == 1 && L - ZpMax < 0) {
        report.record();
        report.record("Checking for contact below Gear base circle.");
        if (L - ZpMin < 0) {
            ZpMin = L;
            report.record("CONTACT BELOW B. C. ON THE ", NG, " TOOTH MEMBER");
            report.record("MAX USABLE BREAK RADIUS ON THE MATING MEMBER IS ", squareRoot(RbP * RbP + L * L));
        }
    }

    mp = divide((ZgMin - L) * IntExt + ZpMin, cosine(phiO) * divide(Pi, Pdo));
    loadSharingRatio(RoPmin, RoGmin, psiB, psiO, mF);

    report.record("Units in this module all English, ie. inch, pound, F");
    report.record(modified ? "Teeth MODIFIED for tooth flexure under load"
                           : "Teeth UN-MODIFIED for tooth flexure under load");
    contactPoints(ZpMax, ZgMaxForContact);
    kinematics();
    loadsAndTemperatures();
}

void T_Scoring::Run::pairGeometry(double& ZpMin, double& ZpMax, double& ZgMin, double& ZgMax, double& RoPmin,
                                  double& RoGmin, double& psiB, double& psiO, double& mF) {
    nG = divide(NP * nP, NG);
    const double rP = divide(NP, 2 * Pd);
    const double rG = divide(NG, 2 * Pd);
    const double Cs = IntExt * rP + rG;
    RbP = rP * cosine(phi);
    RbG = rG * cosine(phi);
    phiO = model::MMath::ArcCos(divide(Cs * cosine(phi), Co));
    RoP = divide(RbP, cosine(phiO));
    Pdo = divide(NP, 2 * RoP);
    psiB = arcTangent(runtime::tangent(psi) * cosine(phi));
    psiO = arcTangent(divide(runtime::tangent(psi) * cosine(phi), cosine(phiO)));
    mF = checkFinite(runtime::tangent(psiO) * F * Pdo / Pi);

    const model::T_Gear& pinion = *pair.oPinion;
    const model::T_Gear& gear = *pair.oGear;
    RoPmin = pinion.Ro(model::True, 1, 0);
    RoGmin = gear.Ro(model::True, 1, 0);
    const double RoPmax = pinion.Ro(model::True, 0, 1);
    const double RoGmax = gear.Ro(model::True, 0, 1);
    ZpMin = squareRoot(RoPmin * RoPmin - RbP * RbP);
    ZgMin = squareRoot(RoGmin * RoGmin - RbG * RbG);
    ZpMax = squareRoot(RoPmax * RoPmax - RbP * RbP);
    ZgMax = squareRoot(RoGmax * RoGmax - RbG * RbG);

    L = Co * sine(phiO);
    Wt = divide(TP, RoP);
    omegaP = single(0.1047192f) * nP;
    omegaG = single(0.1047192f) * nG;
    eta = VISCO * single(1.45E-07f);
}

void T_Scoring::Run::loadSharingRatio(double RoPmin, double RoGmin, double psiB, double psiO, double mF) {
    const bool spur = asSingle(psi / (Pi / 180)) <= 0.0001f;
    if (spur) {
        mN = 1;
        return;
    }
    const double na = mF - runtime::intPart(mF);
    const double nr = mp - runtime::intPart(mp);
    const double Z = squareRoot(RoPmin * RoPmin - RbP * RbP) + IntExt * squareRoot(RoGmin * RoGmin - RbG * RbG) -
                     IntExt * Co * sine(phiO);
    const double pb = divide(Pi, Pd) * cosine(phi);
    const double px = divide(divide(Pi, Pdo), runtime::tangent(psiO));
    // The first form also where n_a is 0 (a whole face contact ratio).
    const double overlap = na <= 1 - nr ? na * nr : (1 - na) * (1 - nr);
    const double Lmin = divide(divide(Z * F, pb) - overlap * px, cosine(psiB));
    mN = divide(F, Lmin);
}

void T_Scoring::Run::contactPoints(double ZpMax, double ZgMax) {
    const double pinionPitchAngle = 6.2831853 / NP;
    ZP[1] = std::abs(L - ZgMax);
    thetaP[1] = divide(ZP[1], RbP);
    ZP[5] = ZpMax;
    thetaP[5] = divide(ZP[5], RbP);
    thetaP[2] = thetaP[5] - pinionPitchAngle;
    if (thetaP[2] < thetaP[1])
        thetaP[2] = thetaP[1];
    thetaP[3] = runtime::tangent(phiO);
    ZP[3] = RoP * sine(phiO);
    thetaP[4] = thetaP[1] + 2 * Pi / NP;
    if (thetaP[4] > thetaP[5])
        thetaP[4] = thetaP[5];
    ZP[2] = thetaP[2] * RbP;
    ZP[4] = thetaP[4] * RbP;
    for (int k = 1; k <= 21; ++k) {
        thetaP[5 + k] = thetaP[5] - (21 - k) * (thetaP[5] - thetaP[1]) / 20;
        ZP[5 + k] = thetaP[5 + k] * RbP;
    }
    // The ends repeat the key points exactly: a last-bit difference would put
    // point 6 outside the path and give it no load.
    thetaP[6] = thetaP[1];
    ZP[6] = ZP[1];
    ZP[26] = ZP[5];

    thetaG[3] = thetaP[3];
    ZG[3] = thetaG[3] * RbG;
    const double Lt = IntExt * ZP[3] + ZG[3];
    for (int i : {1, 5}) {
        ZG[i] = Lt - IntExt * ZP[i];
        thetaG[i] = divide(ZG[i], RbG);
    }
    const double gearPitchAngle = divide(2 * Pi, NG);
    thetaG[4] = thetaG[1] - IntExt * gearPitchAngle;
    thetaG[2] = thetaG[5] + IntExt * gearPitchAngle;
    ZG[2] = thetaG[2] * RbG;
    ZG[4] = thetaG[4] * RbG;
    for (int k = 1; k <= 21; ++k) {
        thetaG[5 + k] = thetaG[1] + (k - 1) * (thetaG[5] - thetaG[1]) / 20;
        ZG[5 + k] = thetaG[5 + k] * RbG;
    }
    thetaG[26] = thetaG[5];
    ZG[6] = ZG[1];
    ZG[26] = ZG[5];
    thetaShare = thetaP;
}

void T_Scoring::Run::kinematics() {
    PointArray VLP{}, VLG{}, VRP{}, VRG{}, VS{}, VE{};
    for (int i = 1; i <= Points; ++i) {
        if (ZP[i] <= 0)
            ZP[i] = single(0.0001f);
        if (ZG[i] <= 0)
            ZG[i] = single(0.0001f);
        VLP[i] = checkFinite(squareRoot(RbP * RbP + ZP[i] * ZP[i]) / 12 * omegaP * 60);
        VLG[i] = checkFinite(squareRoot(RbG * RbG + ZG[i] * ZG[i]) / 12 * omegaG * 60);
        VRP[i] = std::abs(ZP[i] * omegaP);
        VRG[i] = std::abs(ZG[i] * omegaG);
        VS[i] = VRP[i] - VRG[i];
        VE[i] = VRP[i] + VRG[i];
        SSP[i] = divide(VS[i], VRP[i]);
        SSG[i] = divide(VS[i], VRG[i]);
        rho[i] = divide(1, std::abs(divide(IntExt, ZP[i]) + divide(1, ZG[i])));
        aP[i] = arcTangent(divide(ZP[i], RbP));
        table(i, 1) = model::MMath::Rad2Deg(thetaP[i]);
        table(i, 2) = ZP[i];
        table(i, 3) = ZG[i];
    }
    report.record();
    report.record("roll angle, curvature radii arrays and kinematic parameters.");
    report.record("", "PINION", "PINION", "", "GEAR", "GEAR", "PINION", "GEAR", "PINION", "GEAR", "SLIDING",
                  "ENTRAINING", "RELATIVE");
    report.record("", "ROLL", "CURVATURE", "", "ROLL", "CURVATURE", "LINEAR", "LINEAR", "ROLLING", "ROLLING",
                  "VELOCITY", "VELOCITY", "RADIUS OF");
    report.record("", "ANGLE", "RADIUS", "", "ANGLE", "RADIUS", "VELOCITY", "VELOCITY", "VELOCITY", "VELOCITY",
                  "(IN/SEC)", "(IN/SEC)", "CURVATURE");
    report.record("", "(RAD)", "(IN)", "", "(RAD)", "(IN)", "(FT/MIN)", "(FT/MIN)", "(IN/SEC)", "(IN/SEC)");
    for (int i = 1; i <= Points; ++i) {
        if (i == 6)
            report.record();
        report.record(pinionLabel(i), thetaP[i], ZP[i], gearLabel(i), thetaG[i], ZG[i], VLP[i], VLG[i], VRP[i],
                      VRG[i], VS[i], VE[i], rho[i]);
    }

    for (int i = 1; i <= Points; ++i) {
        table(i, 4) = SSP[i];
        table(i, 9) = -SSG[i];
        if (std::abs(SSP[i]) > std::abs(valueOf(extremes(0, 0)))) {
            extremes(0, 0) = SSP[i];
            extremes(0, 1) = thetaP[i];
        }
        if (std::abs(SSG[i]) > std::abs(valueOf(extremes(1, 0)))) {
            extremes(1, 0) = SSG[i];
            extremes(1, 1) = thetaP[i];
        }
    }
    report.record();
    report.record("", "PINION", "PINION", "GEAR", "PINION", "GEAR", "SLIDE");
    report.record("", "ROLL", "SPECIFIC", "SPECIFIC", "RELATIVE", "RELATIVE", "ENTRAINING");
    report.record("", "ANGLE", "SLIDING", "SLIDING", "SLIDING", "SLIDING", "RATIO");
    report.record("", "(RAD)", "(VS/VRP)", "(VS/VRG)", "(VS/VLP)", "(VS/VLP)", "(VS/VE)");
    report.record();
    for (int i = 1; i <= Points; ++i) {
        if (i == 6)
            report.record();
        report.record(pinionLabel(i), thetaP[i], SSP[i], SSG[i], divide(single(0.2f) * VS[i], VLP[i]),
                      divide(single(0.2f) * VS[i], VLG[i]), divide(VS[i], VE[i]));
    }
}

void T_Scoring::Run::LoadShareFactor() {
    const double theta = thetaShare[point];
    const double* t = thetaShare.data();
    if (mp < 2) {
        if (theta < t[1] || theta > t[5]) {
            share = 0;
            return;
        }
        share = 1.0;
        if (!modified) {
            if (theta < t[2])
                share = 0.33 + 0.33 * divide(theta - t[1], t[2] - t[1]);
            if (theta > t[4])
                share = 0.33 + 0.33 * divide(t[5] - theta, t[5] - t[4]);
        } else if (!pinionDriving) {
            if (theta < t[2])
                share = 0.86 * divide(theta - t[1], t[2] - t[1]);
            if (theta > t[4])
                share = 0.1396485 + 0.86 * divide(t[5] - theta, t[5] - t[4]);
        } else {
            if (theta < t[2])
                share = 0.14 + 0.86 * divide(theta - t[1], t[2] - t[1]);
            if (theta > t[4])
                share = 0.86 * divide(t[5] - theta, t[5] - t[4]);
        }
        return;
    }
    const double d = t[3] - theta;
    double x = asSingle(d) > 0 ? divide(d, t[3] - t[1]) : divide(d, t[5] - t[3]);
    // Rounding can carry x a hair past the ends of the table.
    x = x > 1 ? 1 : (x < -1 ? -1 : x);
    int j = 2;
    while (j < 18 && x < ShareX[j])
        ++j;
    share = ShareS[j] + (x - ShareX[j]) / (ShareX[j - 1] - ShareX[j]) * (ShareS[j - 1] - ShareS[j]);
    if (asSingle(share) <= 0)
        share = 0;
}

void T_Scoring::Run::loadsAndTemperatures() {
    f = pair.oMiscVars->FrictCoeff();
    report.record();
    report.record("CONSTANT COEFFICIENT OF FRICTION");
    report.record(modified ? "MODIFIED TOOTH PROFILES" : "UNMODIFIED TOOTH PROFILES");
    report.record("", "PINION", "PINION", "", "GEAR", "GEAR", "TAN.", "SCORNG", "FRICT.", "TEMP.", "FINAL", "FILM",
                  "INSTANTANEOUS");
    report.record("", "ROLL ANG", "RHO", "", "ROLL ANG", "RHO", "LOAD", "FACTOR", "COEFF.", "RISE", "TEMP.", "THCK.",
                  "POWER LOSS");
    report.record("", "RADIANS", "INCHES", "", "RADIANS", "INCHES", "LBS.", "", "", "F DEG", "F DEG", "MICRO", "HP",
                  "BTU / Min");
    report.record("Calculating Flash Temperature & Film Thickness parameters.");

    const double forceFactor = shell.ForceFactor();
    const bool metric = shell.MetricUnits();
    const model::T_AGMA1& factors = *pair.oAGMA1;
    const double PdoQuarter = power(Pdo, 0.25);
    double powerLossSum = 0;
    for (int i = 1; i <= Points; ++i) {
        point = i;
        LoadShareFactor();
        double W = share * Wt;
        if (W < 0)
            W = 0;
        const double Ko = runtime::leadingNumber(factors.Ko());
        const double Ks = runtime::leadingNumber(factors.Ks());
        const double Km = runtime::leadingNumber(factors.Km());
        const double Cf = runtime::leadingNumber(factors.Cf());
        const double w = divide(checkFinite(Ko * W * Ks * Km * Cf * mN), F);
        const double wn = divide(w, cosine(arcTangent(thetaP[i])));
        const double S = pair.oMiscVars->setRMS();
        const double ZT = std::abs(divide(
            f * single(0.2917f) * (squareRoot(ZP[i]) - squareRoot(divide(NP * ZG[i], NG))) * PdoQuarter,
            power(cosine(aP[i]), 0.75) * power(divide(ZP[i] * ZG[i], IntExt * ZP[i] + ZG[i]), 0.25)));
        const double CR = S > 33 ? 3.0 : divide(50, single(50.012f) - S);
        const double deltaT = checkFinite(power(w, 0.75) * CR * ZT * squareRoot(nP) / PdoQuarter);
        const double Tf = Tb + deltaT;
        const double u = (ZP[i] * omegaP + ZG[i] * omegaG) / 2;
        const double P = checkFinite(std::abs(ZP[i] * omegaP - ZG[i] * omegaG) * wn * f * mN * F / 6510);
        powerLossSum += P;
        double h = 0;
        if (asSingle(wn) > 0.1f) {
            const double rE = rho[i] * Eprime;
            h = checkFinite(1600000.0 * rho[i] * power(alpha * Eprime, single(0.6f)) *
                            power(divide(eta * u, rE), single(0.7f)) /
                            power(divide(mN * wn, rE), single(0.13f)));
        }
        const double load = W * forceFactor;
        const double temperature = metric ? model::MMath::FahrenheitToCelsius(Tf) : Tf;
        const double film = divide(h, S);
        table(i, 5) = load;
        table(i, 6) = temperature;
        table(i, 7) = film;
        if (i == 6)
            report.record();
        report.record(pinionLabel(i), thetaP[i], ZP[i], gearLabel(i), thetaG[i], ZG[i], W, ZT, f, deltaT, Tf, h, P,
                      single(42.4f) * P);

        // An empty cell is beaten by any value: the largest even at or below 0.
        if (!hasValue(extremes(2, 0)) || load > valueOf(extremes(2, 0))) {
            extremes(2, 0) = load;
            extremes(2, 1) = thetaP[i];
        }
        if (!hasValue(extremes(3, 0)) || temperature > valueOf(extremes(3, 0))) {
            extremes(3, 0) = temperature;
            extremes(3, 1) = thetaP[i];
        }
        if (film != 0 && i != 1 && i != Points && (!hasValue(extremes(4, 0)) || film < valueOf(extremes(4, 0)))) {
            extremes(4, 0) = film;
            extremes(4, 1) = thetaP[i];
        }
    }
    finish(powerLossSum);
}

void T_Scoring::Run::finish(double powerLossSum) {
    const char* labels[] = {"VSSP", "VSSG", "MaxLoad", "MaxTemp", "MinFilmTTK"};
    for (int row = 0; row < 5; ++row)
        extremes(row, 2) = std::string(labels[row]);
    const double average = powerLossSum / Points;
    report.record();
    report.record("AVERAGE POWER LOSS = ");
    report.record("", average, " HP = ", single(42.4f) * average, " BTU/MIN");

    for (int i = 1; i <= 5; ++i)
        table(i, 8) = i;
    // Selection by smallest roll angle; the first of equal angles stays first.
    for (int i = 1; i <= Points; ++i) {
        int smallest = i;
        for (int k = i + 1; k <= Points; ++k)
            if (table(k, 1) < table(smallest, 1))
                smallest = k;
        if (smallest != i)
            for (int c = 1; c <= 9; ++c)
                std::swap(table(i, c), table(smallest, c));
    }
    table(1, 8) = 1;
    table(2, 8) = 1;
    table(25, 8) = 5;
    table(26, 8) = 5;

    std::string note = "instantiating T_Chart for T_Scoring, w/ variables in scoring array (4,1-8) ";
    for (int c = 1; c <= 8; ++c) {
        if (c > 1)
            note += ", ";
        if (table(4, c) >= 0)
            note += ' ';
        note += runtime::numberText(table(4, c));
    }
    shell.writeRunNote(note);
}

} // namespace cindrel::analyses
