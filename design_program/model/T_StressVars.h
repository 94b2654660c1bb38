#pragma once

#include <cstdint>
#include <string>

namespace cindrel::model {

// The spur-gear data a J routine works on ("s" fields) and what it leaves
// behind ("r" fields, XKF, YK, XJ). A plain record: the J routines fill it,
// the results tables read it. A field a routine does not write keeps the
// value of the last routine that did.
struct T_StressVars {
    std::string Source;     // routine that filled the results
    double Sn = 0.0;        // teeth of the spur gear analysed (real or virtual)
    double sRp = 0.0;       // its pitch radius
    double sRb = 0.0;       // its base radius
    double sTTo = 0.0;      // reference circular tooth thickness
    double sRo = 0.0;       // outside radius less the edge break
    double sRR = 0.0;       // root radius
    double sRLC = 0.0;      // radius of the lowest point of contact
    double sHPSTC = 0.0;    // roll angle of the highest point of single contact
    double sPhi_o = 0.0;    // reference pressure angle
    double sInvPhi = 0.0;   // involute belonging to the reference thickness
    double sRL = 0.0;       // load radius on the tooth centreline
    double sAlpha = 0.0;    // not used
    double sPhi_lp = 0.0;   // load angle
    double sPang = 0.0;     // angular pitch
    double rH = 0.0;        // Lewis parabola height to the load point
    double rXBAR = 0.0;     // Lewis quantity at the critical section
    double rTC = 0.0;       // tooth thickness at the critical section
    double rRf = 0.0;       // root fillet radius used for Kf
    double XKF = 0.0;       // stress correction factor
    double YK = 0.0;        // tooth form factor
    double XJ = 0.0;        // bending geometry factor
    double Rtangent = 0.0;  // radius where the fillet meets the involute
    std::int16_t Done = 0;  // -1 once a routine has stored its critical section
    std::string VoR;        // "Real" or "Virtual"
};

} // namespace cindrel::model
