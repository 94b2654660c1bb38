#pragma once

#include "ReferencePairs.h"

#include "model/T_Hob.h"

// Pairs for the hand-over to the drawing program, with every value that
// travels set to something the tests can tell apart.
namespace cindrel::model::testing {

// Both members at the operating transverse thickness 0.15 in, both limits.
inline void setOperatingThickness(T_Set& pair, double thickness) {
    for (int index = 0; index < 2; ++index)
        for (std::int32_t limit = 0; limit < 2; ++limit)
            pair.member(index).aaToothThickness(1, limit, 0, 1, 0, thickness);
}

// 20/40 external spur, Pd 10, 20 degrees, standard centre distance. Pinion:
// addendum factors 1.0/1.1, edge breaks 0.005/0.01 in, a hob-cut fillet;
// its hob, as its step fills it: addendum 0.1 in, thickness 0.16 in, tip
// radius 0.03 in, protuberance 0.002 in. Gear: addendum factor 1.0, edge
// break 0.02 in, full root radius, so no hob step: its hob left at 0.
inline void setUpSpurDrawingPair(T_Set& pair) {
    setUpSpurPair(pair);
    setOperatingThickness(pair, 0.15);
    T_Gear& pinion = *pair.oPinion;
    pinion.aaAddendumFactor(1, 1.1);
    pinion.aaEdgeBreak(0, 0.005);
    pinion.aaEdgeBreak(1, 0.01);
    pinion.oHob->Addendum(0.1);
    pinion.oHob->HobTTk(0.16);
    pinion.oHob->TipRadius(0.03);
    pinion.oHob->Protuberance(0.002);
    pinion.aaFilletRadius(1);
    T_Gear& gear = *pair.oGear;
    gear.aaEdgeBreak(1, 0.02);
}

// 20/60 internal helical, Pd_n 10, 20 degrees normal, 15 degrees helix,
// centre distance 0.02 in above standard. Pinion: addendum factor 1.0, edge
// break 0.01 in, a hob-cut fillet; its hob: addendum 0.09 in, thickness
// 0.17 in, tip radius 0.02 in, protuberance 0.003 in. Gear: addendum factor
// 0.8, no edge break, full root radius (an internal gear is not hobbed); its
// hob holds the values of an earlier design, which this one never loaded.
inline void setUpInternalHelicalDrawingPair(T_Set& pair) {
    PairInputs in = internalPairInputs();
    in.helixAngleDegrees = 15;
    setUpPair(pair, in);
    pair.aaOperatingCenterDistance(0, pair.DC_s() + 0.02);
    setOperatingThickness(pair, 0.15);
    T_Gear& pinion = *pair.oPinion;
    pinion.aaEdgeBreak(1, 0.01);
    pinion.aaFilletRadius(1);
    pinion.oHob->Addendum(0.09);
    pinion.oHob->HobTTk(0.17);
    pinion.oHob->TipRadius(0.02);
    pinion.oHob->Protuberance(0.003);
    T_Gear& gear = *pair.oGear;
    gear.oHob->Addendum(0.11);
    gear.oHob->HobTTk(0.18);
    gear.oHob->TipRadius(0.03);
    gear.oHob->Protuberance(0.004);
}

} // namespace cindrel::model::testing
