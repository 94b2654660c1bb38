#include "model/Flags.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"

namespace cindrel::model {

void T_Set::MorvetianDeflection() {
    const T_Gear& pinion = *oPinion;
    const T_Gear& gear = *oGear;
    // Read in the order they are handed over, so that a failing getter fails
    // where the hand-over would.
    const double PN = pinion.N();
    const double GN = gear.N();
    const double PinRPO = pinion.Rp_o();
    const double GearRPO = gear.Rp_o();
    const double PhiNormalOperating = Phi_on();
    const double PTTK_ON = pinion.TTK_on(0);
    const double GTTK_ON = gear.TTK_on(0);
    const double PinRR = pinion.RR(1);
    const double GearRR = gear.RR(1);
    // Smallest addendum less the largest edge break.
    const double PinRO = pinion.Ro(True, 1, 0);
    const double GearRO = gear.Ro(True, 1, 0);
    const double PsiO = Psi_O();
    const double DCO = DC_O(0);
    const double pinionBreak = pinion.EGB(1);
    const double gearBreak = gear.EGB(1);
    const double EdgeBreak_Max = pinionBreak > gearBreak ? pinionBreak : gearBreak;
    const double TorquePinion = pinion.Torq();
    const double PinFace = pinion.GearFace();
    const double GearFace = gear.GearFace();
    const double PinThetaOutsideRadius = pinion.The_od(0, True);
    const double PinThetaLC = pinion.The_lc(0);
    oDeflection->DeflectionLoad(PN, GN, PinRPO, GearRPO, PhiNormalOperating, PTTK_ON, GTTK_ON, PinRR,
                                GearRR, PinRO, GearRO, PsiO, DCO, EdgeBreak_Max, TorquePinion, PinFace,
                                GearFace, PinThetaOutsideRadius, PinThetaLC, IntExt());
}

} // namespace cindrel::model
