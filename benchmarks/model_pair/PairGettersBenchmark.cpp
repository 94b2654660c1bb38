#include "design_program/model/RecordingShell.h"
#include "design_program/model/ReferencePairs.h"

#include "model/T_AGMA1.h"
#include "model/T_Gear.h"
#include "model/T_MiscVars.h"
#include "model/T_Set.h"

#include <benchmark/benchmark.h>

namespace {

using namespace cindrel::model;

// Every getter of the pair and of its two stores, once.
double readPairGetters(T_Set& pair) {
    double sum = 0;
    sum += pair.IntExt() + pair.MakeJPGs() + pair.pd() + pair.Pd_n() + pair.Pd_o() + pair.Pd_on();
    sum += pair.Face() + pair.Psi() + pair.Psi_b() + pair.Psi_O() + pair.Phi() + pair.Phi_n();
    sum += pair.Phi_o() + pair.Phi_on() + pair.hp();
    sum += pair.DC_s() + pair.DC_O(0) + pair.DC_O(-1) + pair.PC_s() + pair.PC_sn() + pair.PC_o() + pair.PC_on();
    for (std::int32_t limit = 0; limit < 2; ++limit)
        sum += pair.BackLash(-1, 1, limit) + pair.BackLash(0, 1, limit) + pair.BackLash(0, 0, limit);
    sum += pair.AddModCoeffSum(0) + pair.PB() + pair.PN() + pair.Px() + pair.Mf() + pair.CCP() + pair.SumX();
    for (std::int16_t index = 1; index <= 6; ++index)
        sum += pair.C(index);
    sum += pair.Z() + pair.MP() + pair.Lmin() + pair.Mn() + pair.Ch() + pair.RM() + pair.Virtual();
    sum += pair.Rho(1) + pair.Rho(2) + pair.Rho_m(1) + pair.Rho_m(2) + pair.C_Psi();
    double eye = 0;
    sum += pair.EyeP() + pair.SCP(eye);
    eye = 0;
    sum += pair.EyeLPS() + pair.SCLPS(eye);
    eye = 0;
    sum += pair.EyeHel() + pair.SHelical(eye);
    eye = 0;
    sum += pair.EyeAGMA() + pair.SAGMA(eye);
    sum += pair.RadialForce() + pair.AxialThrust();

    const T_MiscVars& misc = *pair.oMiscVars;
    sum += misc.VISCO() + misc.setRMS() + misc.BulkTemp() + misc.LPE() + misc.FrictCoeff() + misc.Modified() +
           misc.PinDriv() + misc.SafetyFactor() + misc.CalculateFC();
    const T_AGMA1& factors = *pair.oAGMA1;
    std::size_t textLength = factors.Ko().size() + factors.Kv().size() + factors.Ks().size() +
                             factors.Km().size() + factors.Kt().size() + factors.Kr().size() + factors.Cf().size();
    for (int index = 0; index < 2; ++index)
        textLength += factors.Kb(index).size() + factors.Yn(index).size() + factors.Zn(index).size() +
                      factors.SF(index).size() + factors.Sh(index).size() + factors.Ch(index).size();
    return sum + static_cast<double>(textLength);
}

// Every getter of both members, once.
double readMemberGetters(T_Set& pair) {
    double sum = 0;
    std::size_t textLength = 0;
    for (int index = 0; index < 2; ++index) {
        const T_Gear& gear = pair.member(index);
        textLength += gear.Name().size();
        sum += gear.ArrayIndex() + gear.BHN() + gear.E() + gear.Mu() + gear.GearFace() + gear.N();
        sum += gear.Rp_s() + gear.Rb() + gear.Rp_o();
        for (std::int32_t limit = 0; limit < 2; ++limit) {
            sum += gear.TTK_o(1, limit) + gear.TTK_o(0, limit) + gear.TTK_on(limit) + gear.TTK_s(limit);
            sum += gear.TTK_sn(limit) + gear.TTK_b(limit) + gear.TTK_bn(limit);
            sum += gear.AddF(limit) + gear.Addendum(limit) + gear.EGB(limit) + gear.RR(limit);
            sum += gear.The_od(limit, -1) + gear.The_lc(limit) + gear.LPSTC(limit) + gear.HPSTC(limit);
            sum += gear.R_lc(limit) + gear.ClearanceRoRb(limit);
        }
        sum += gear.TTK_RackshiftCoeff() + gear.DedF() + gear.Dedendum() + gear.WDF() + gear.WD();
        sum += gear.Ro(-1, 1, 0) + gear.Ro(0, 1, 1) + gear.FilletRadius();
        sum += gear.Torq() + gear.RPM() + gear.FeetPerMinute() + gear.WT();
        sum += gear.ALPHA() + gear.Phi_l(0) + gear.RL() + gear.RadiusFromRollAngle(0.3);
        sum += gear.RollAngleFromRadius(gear.Rp_s()) + gear.The_p() + gear.Pang() + gear.RLC();
        sum += gear.Clearance() + gear.TopLand(0) + gear.TopLand(-1) + gear.Quality() + gear.SAC() + gear.SAT();
    }
    return sum + static_cast<double>(textLength);
}

using cindrel::model::testing::PairInputs;
using Reader = double (*)(T_Set&);

double readAllGetters(T_Set& pair) { return readPairGetters(pair) + readMemberGetters(pair); }

template <PairInputs (*Inputs)(), Reader Read>
void BM_GettersOnce(benchmark::State& state) {
    cindrel::model::testing::RecordingShell shell;
    T_Set pair(shell);
    cindrel::model::testing::setUpPair(pair, Inputs());
    pair.oPinion->SACfromAGMA(100000);
    pair.oGear->SATfromAGMA(30000);
    for (auto _ : state)
        benchmark::DoNotOptimize(Read(pair));
}

using cindrel::model::testing::helicalPairInputs;
using cindrel::model::testing::internalPairInputs;
using cindrel::model::testing::spurPairInputs;

BENCHMARK(BM_GettersOnce<spurPairInputs, readAllGetters>)->Name("AllGettersOnce/spur");
BENCHMARK(BM_GettersOnce<helicalPairInputs, readAllGetters>)->Name("AllGettersOnce/helical");
BENCHMARK(BM_GettersOnce<internalPairInputs, readAllGetters>)->Name("AllGettersOnce/internal");
BENCHMARK(BM_GettersOnce<spurPairInputs, readPairGetters>)->Name("PairGettersOnce/spur");
BENCHMARK(BM_GettersOnce<helicalPairInputs, readPairGetters>)->Name("PairGettersOnce/helical");
BENCHMARK(BM_GettersOnce<internalPairInputs, readPairGetters>)->Name("PairGettersOnce/internal");
BENCHMARK(BM_GettersOnce<spurPairInputs, readMemberGetters>)->Name("MemberGettersOnce/spur");

} // namespace
