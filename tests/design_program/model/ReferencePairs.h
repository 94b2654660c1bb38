#pragma once

#include "model/MMath.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"

#include <cmath>
#include <cstdint>

// Reference gear pairs for tests and benchmarks, set up through the model's
// inputs in the order the design sequence uses.
namespace cindrel::model::testing {

struct PairInputs {
    std::int32_t pinionTeeth = 20;
    std::int32_t gearTeeth = 40;
    double normalDiametralPitch = 10;
    double normalPressureAngleDegrees = 20;
    double helixAngleDegrees = 0;
    std::int32_t internalExternal = 1;
    double pinionFace = 1.0;
    double gearFace = 1.0;
    double pinionAddendumFactor = 1.0;
    double gearAddendumFactor = 1.0;
    double dedendumFactor = 1.25;
    double pinionRpm = 1750;
    double horsePower = 10;
};

// Sets every input of the pair: standard centre distance, no backlash, no
// edge break, the standard normal circular thickness pi / (2 Pd_n) at both
// limits, full-circular fillets, steel (E 30e6 psi, mu 0.3).
inline void setUpPair(T_Set& pair, const PairInputs& in) {
    const double helix = MMath::Deg2Rad(in.helixAngleDegrees);
    for (int index = 0; index < 2; ++index) {
        T_Gear& member = pair.member(index);
        member.aaNumberOfTeeth(index == 0 ? in.pinionTeeth : in.gearTeeth);
        member.aaFaceWidth(index == 0 ? in.pinionFace : in.gearFace);
    }
    pair.aaHelixAngle(helix);
    pair.aaDiametralPitch(0, in.normalDiametralPitch);
    pair.aaPressureAngle(0, MMath::Deg2Rad(in.normalPressureAngleDegrees));
    pair.aaInternal_External(in.internalExternal);
    const double transversePitch = in.normalDiametralPitch * std::cos(helix);
    // In doubles: the teeth counts' sum overflows 32 bits for very large inputs.
    const double standardCentre =
        (in.internalExternal * static_cast<double>(in.pinionTeeth) + in.gearTeeth) / (2 * transversePitch);
    pair.aaOperatingCenterDistance(0, standardCentre);
    pair.aaBackLash(0, 0);
    pair.aaBackLash(1, 0);
    for (int index = 0; index < 2; ++index) {
        T_Gear& member = pair.member(index);
        const double addendum = index == 0 ? in.pinionAddendumFactor : in.gearAddendumFactor;
        for (std::int32_t limit = 0; limit < 2; ++limit) {
            member.aaToothThickness(1, limit, 1, 0, 0, MMath::Pi / (2 * in.normalDiametralPitch));
            member.aaEdgeBreak(limit, 0);
            member.aaAddendumFactor(limit, addendum);
        }
        member.aaDedendumFactor(in.dedendumFactor);
        member.aaFilletRadius(0);
        member.aaPoissons_Ratio(0.3);
        member.aaModulus_Elasticity(30000000.0);
    }
    pair.oPinion->aaSpeed(true, in.pinionRpm);
    pair.aaHorsePower(true, in.horsePower);
}

// 20/40 spur pair, Pd 10, 20 degrees, external, face 1.0, 1750 rpm, 10 hp.
inline PairInputs spurPairInputs() { return {}; }

// 25/50 helical pair, Pd_n 8, 20 degrees normal, 15 degrees helix, face 2.0
// (axial contact ratio above 1), 1200 rpm, 25 hp.
inline PairInputs helicalPairInputs() {
    PairInputs in;
    in.pinionTeeth = 25;
    in.gearTeeth = 50;
    in.normalDiametralPitch = 8;
    in.helixAngleDegrees = 15;
    in.pinionFace = 2.0;
    in.gearFace = 2.0;
    in.pinionRpm = 1200;
    in.horsePower = 25;
    return in;
}

// 20/60 internal spur pair, Pd 10, 20 degrees; the ring gear's addendum is
// 0.8 / Pd so that its tip stays clear of the pinion's base circle.
inline PairInputs internalPairInputs() {
    PairInputs in;
    in.gearTeeth = 60;
    in.internalExternal = -1;
    in.gearAddendumFactor = 0.8;
    return in;
}

inline void setUpSpurPair(T_Set& pair) { setUpPair(pair, spurPairInputs()); }
inline void setUpHelicalPair(T_Set& pair) { setUpPair(pair, helicalPairInputs()); }
inline void setUpInternalPair(T_Set& pair) { setUpPair(pair, internalPairInputs()); }

} // namespace cindrel::model::testing
