#include "model/GearBending.h"
#include "model/Flags.h"
#include "model/MMath.h"
#include "model/ModelShell.h"
#include "model/T_AGMA1.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"
#include "runtime/AtomicFile.h"
#include "runtime/CheckedMath.h"
#include "runtime/NumberText.h"
#include "runtime/ResumeNext.h"
#include "runtime/RuntimeError.h"
#include "runtime/SequentialFile.h"

#include <cmath>

namespace cindrel::model {

using runtime::checkFinite;
using runtime::divide;
using runtime::tangent;

// ---------------------------------------------------------------- trace file

BendingTrace::BendingTrace(T_Gear& gear, std::string_view routine, std::string_view ending)
    : gear_(gear), routine_(routine) {
    ModelShell& shell = gear.shell();
    if (!shell.createCsv())
        return;
    const std::string path =
        shell.activeFileName(false, true) + "_" + gear.Name() + std::string(ending);
    out_ = shell.openOutputFile(path);
}

BendingTrace::~BendingTrace() = default; // uncommitted: an earlier trace stays

void BendingTrace::record(const std::vector<TraceField>& fields) {
    if (!active())
        return;
    try {
        runtime::RecordWriter writer(*out_);
        for (const TraceField& field : fields) {
            if (const auto* textField = std::get_if<TraceText>(&field))
                writer.text(textField->value);
            else if (const auto* number = std::get_if<double>(&field))
                writer.number(*number);
            else
                writer.number(static_cast<double>(std::get<std::int64_t>(field)));
        }
        writer.endRecord();
    } catch (const runtime::RuntimeError&) {
        runtime::reportError(gear_.shell(), "T_Gear", routine_, std::current_exception(), "trace file");
        // A failed write is committed too: the commit fails, keeps the earlier
        // trace, and the shell's file tells the user why.
        if (!*out_)
            runtime::commitOutput(*out_);
        out_.reset();
    }
}

void BendingTrace::close() {
    if (out_ != nullptr)
        runtime::commitOutput(*out_); // the shell reports a failure
    out_.reset();
}

// ------------------------------------------------------------- shared helpers

GearBending::StressConcentrationExponents GearBending::lewisExponents(double degrees) {
    // Linear between the exponents' values at 14.5 and 20 degrees.
    const double d = degrees - 14.5;
    return {0.22 - 0.0072727 * d, 0.2 - 0.0090909 * d, 0.4 + 0.0090909 * d};
}

double GearBending::closeFromCriticalSection(T_Gear& gear, runtime::ResumeNext& next) {
    T_StressVars& s = gear.oStress;
    const T_Set& pair = gear.pair();
    StressConcentrationExponents e;
    next([&] { e = lewisExponents(MMath::Rad2Deg(pair.Phi_n())); });
    const bool validSection = s.rTC * s.rRf * s.rH > 0;
    if (!validSection) {
        s.XKF = 0;
        s.YK = 0;
        s.XJ = 0;
        return s.XJ;
    }
    next([&] {
        s.XKF = checkFinite(e.H + runtime::power(s.rTC / s.rRf, e.L) * runtime::power(s.rTC / s.rH, e.M));
    });
    next([&] {
        const double loadRatio = divide(std::cos(s.sPhi_lp), std::cos(pair.Phi_n()));
        const double lewis =
            divide(1.5, pair.Ch() * s.rXBAR) - tangent(s.sPhi_lp) / s.rTC;
        s.YK = divide(pair.Pd_n(), checkFinite(loadRatio * lewis));
    });
    next([&] {
        const double cosPsi = std::cos(pair.Psi());
        s.XJ = divide(cosPsi * cosPsi * s.YK, pair.Mn() * s.XKF);
    });
    return s.XJ;
}

// ------------------------------------------------------- members of T_Gear

double T_Gear::SB(double JayTemp) {
    // 0 or -999 would divide into a stress that looks like a number.
    if (JayFailed(JayTemp))
        runtime::raise(runtime::InvalidProcedureCall, Name() + " J geometry factor failed: no bending stress");
    // Errors are ignored: a failing step leaves the stress at what it was.
    runtime::ResumeNext ignore;
    double stress = 0;
    double factors = 0;
    double ko = 0, ks = 0, km = 0, kv = 0, kb = 0;
    ignore([&] {
        const T_AGMA1& agma = *pair_.oAGMA1;
        ko = runtime::leadingNumber(agma.Ko());
        ks = runtime::leadingNumber(agma.Ks());
        km = runtime::leadingNumber(agma.Km());
        kv = runtime::leadingNumber(agma.Kv());
        kb = runtime::leadingNumber(agma.Kb(ArrayIndex()));
        factors = checkFinite(ko * ks * km * kv * kb);
    });
    if (!(factors > 0))
        return 0;
    ignore([&] {
        const double load = checkFinite(WT() * ko * kv * ks * pair_.pd() * km * kb);
        stress = divide(divide(load, pair_.Face()), JayTemp);
    });
    return stress;
}

double T_Gear::TIFF() { return checkFinite((R_lc(0) - oStress.Rtangent) * IntExt); }

double T_Gear::LewisHeighHCR() {
    const double tipPressureAngle = std::atan(The_od(0, True));
    const double b = MMath::HalfPi - tipPressureAngle;
    const double c = checkFinite(divide(TTK_b(0), Rb()) + Pang() - MMath::InvFunction(tipPressureAngle));
    const double d = MMath::Pi - b - c;
    return MMath::LawOfSines(Ro(True, 1, 0), b, d);
}

double T_Gear::Jay() {
    if (FilletRadius() == 0)
        return FullCircularFilletJFactor();
    if (shell_.lastKeyPressed() == KeyF12)
        return ZRK_Trochoidal_JFactor();
    return AGMA_JFactor(0);
}

double T_Gear::FullCircularFilletJFactor() { return GearBending::fullCircularFillet(*this); }

double T_Gear::ZRK_Trochoidal_JFactor() { return GearBending::trochoidalFillet(*this); }

double T_Gear::AGMA_JFactor(std::int16_t TipLoaded) { return GearBending::agmaFactor(*this, TipLoaded); }

void T_Gear::LoadStressVars() {
    T_StressVars& s = oStress;
    s.Done = 0;
    s.rH = 0;
    s.rRf = 0;
    s.rTC = 0;
    s.rXBAR = 0;
    s.XJ = 0;
    s.XKF = 0;
    s.YK = 0;

    const double psi = pair_.Psi();
    const double intExt = IntExt;
    if (psi == 0) {
        s.VoR = "Real";
        s.Sn = N();
        s.sRp = Rp_s();
        s.sRb = Rb();
        s.sRo = Ro(True, 1, 0);
        s.sPhi_o = pair_.Phi_o();
        s.sInvPhi = MMath::InvFunction(s.sPhi_o);
        s.sPang = Pang();
        s.sRLC = RLC();
        s.sTTo = TTK_o(1, 0);
        s.sRR = RR(1);
        s.sHPSTC = HPSTC(LoadedLimit);
        s.sRL = RL();
        // Loaded at the highest point of single tooth contact.
        const double loadPressureAngle = std::atan(s.sHPSTC);
        const double alpha = checkFinite(divide(s.sTTo, 2 * s.sRp) +
                                         intExt * (s.sInvPhi - MMath::InvFunction(loadPressureAngle)));
        s.sPhi_lp = loadPressureAngle - intExt * alpha;
        return;
    }

    const double cosPsi = std::cos(psi);
    s.VoR = "Virtual";
    s.Sn = divide(N(), cosPsi * cosPsi * cosPsi);
    s.sRp = divide(s.Sn, 2 * pair_.Pd_n());
    s.sRb = s.sRp * std::cos(pair_.Phi_n());
    s.sRo = checkFinite(s.sRp + intExt * (divide(AddF(1), pair_.Pd_n()) - EGB(1)));
    s.sPhi_o = MMath::ArcCos(divide(s.sRb, s.sRo));
    s.sInvPhi = MMath::InvFunction(pair_.Phi_on());
    s.sPang = divide(2 * MMath::Pi, s.Sn);
    s.sRLC = checkFinite(RLC() + s.sRp - Rp_s());
    s.sTTo = TTK_on(0);
    s.sRR = checkFinite(s.sRp - intExt * divide(DedF(), pair_.Pd_n()));
    // Loaded at the tip of the virtual gear.
    const double tipThickness = checkFinite(
        intExt * 2 * s.sRo * (divide(s.sTTo, 2 * s.sRp) + s.sInvPhi - MMath::InvFunction(s.sPhi_o)));
    const double alpha = divide(tipThickness, 2 * s.sRo);
    s.sPhi_lp = MMath::ArcCos(divide(s.sRb, s.sRo)) - intExt * alpha;
    s.sRL = checkFinite(s.sRo * (std::cos(alpha) - tangent(s.sPhi_lp) * std::sin(alpha)));
}

} // namespace cindrel::model
