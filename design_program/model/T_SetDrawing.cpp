#include "model/T_Set.h"

#include "model/MMath.h"
#include "model/T_Gear.h"
#include "model/T_Hob.h"
#include "runtime/CheckedMath.h"

namespace cindrel::model {

namespace {

using runtime::checkFinite;
using runtime::divide;

// What the four elements share: the drawing works in units of one
// transverse diametral pitch.
struct Normalisation {
    double Pd = 0;          // transverse diametral pitch
    double Pdn = 0;         // normal diametral pitch
    double k = 0;           // Pdn / Pd
    double phiDegrees = 0;  // transverse pressure angle
    std::string file;
};

// A hob travels as a rack: an element of 10000 teeth.
LoadLocalsArguments rackElement(std::int32_t element, const Normalisation& n) {
    LoadLocalsArguments a;
    a.GearElement = element;
    a.NumberOfTeeth = 10000;
    a.PressureAngleDegrees = n.phiDegrees;
    a.WholeDepthFactor = 3;
    a.InternalExternal = 1;
    a.FullRootRadius = true;
    a.BackaLasha = 0.0;
    a.OperatingTransDP = 0.0;
    a.DP0Module1 = 0;
    a.FileName = n.file;
    return a;
}

// Only a hob-cut member has hob steps, and a hob the steps filled has a
// thickness: any other hob holds nothing of this design's.
bool hobOfTheDesign(const T_Gear& gear) { return gear.FilletRadius() != 0 && gear.oHob->HobTTk() > 0; }

LoadLocalsArguments toolElement(std::int32_t element, const T_Set& pair, const T_Gear& gear,
                                const Normalisation& n) {
    LoadLocalsArguments a = rackElement(element, n);
    const T_Hob& hob = *gear.oHob;
    if (!hobOfTheDesign(gear)) {
        // The standard rack, half a normal pitch thick, sharp-tipped, placed
        // where it cuts the member's thickness: the rack drawn is the rack sent.
        const double standardThickness = divide(MMath::Pi, 2.0 * pair.Pd_n());
        a.CenterDistance = checkFinite(hob.RackShiftFor(standardThickness) * n.Pd);
        a.Addendum = 1.25;
        a.EdgeBreak = 0.0;
        a.ToothThickness = 0.5;
        a.Protuberance = 0.0;
        return a;
    }
    a.CenterDistance = checkFinite(hob.RackShift(true) * n.Pd);
    const double addendum = checkFinite(hob.Addendum() * n.Pd);
    a.Addendum = addendum == 0 ? 1.25 : addendum;
    a.EdgeBreak = checkFinite(hob.TipRadius() * n.Pdn);
    a.ToothThickness = checkFinite(hob.HobTTk() * n.Pdn / MMath::Pi);
    // Inches times k, unlike the other lengths, which travel times a pitch:
    // the drawing program reads the protuberance at this scale.
    a.Protuberance = checkFinite(hob.Protuberance() * n.k);
    return a;
}

LoadLocalsArguments gearElement(std::int32_t element, const T_Set& pair, const T_Gear& gear,
                                const Normalisation& n) {
    LoadLocalsArguments a;
    a.GearElement = element;
    a.NumberOfTeeth = runtime::toInt32(gear.N());
    a.PressureAngleDegrees = n.phiDegrees;
    a.CenterDistance = checkFinite((pair.DC_O(0) - pair.DC_s()) * n.Pd);
    a.Addendum = divide(gear.AddF(1), n.k);
    a.WholeDepthFactor = divide(gear.WDF(), n.k);
    a.EdgeBreak = checkFinite(gear.EGB(1) * n.Pdn);
    a.ToothThickness = divide(gear.TTK_o(1, 0), pair.PC_o());
    a.InternalExternal = element == 3 ? runtime::toInt16(gear.IntExt) : std::int16_t{1};
    a.FullRootRadius = gear.FilletRadius() == 0;
    a.BackaLasha = 0.0;
    a.Protuberance = 0.0;
    a.OperatingTransDP = 0.0;
    a.DP0Module1 = 0;
    a.FileName = n.file;
    return a;
}

} // namespace

std::int32_t T_Set::LaunchDrawing() {
    // Every failure, also one before the drawing program is reached (a pitch
    // of 0), is shown and gives 0: the Draw menu then starts the drawing
    // program without data.
    try {
        Normalisation n;
        n.Pd = pd();
        n.Pdn = Pd_n();
        n.k = divide(n.Pdn, n.Pd);
        n.file = shell_.activeFileName(false, true);
        shell_.writeRunNote("Sending " + n.file + " data to Vantrope");
        const bool metric = shell_.MetricUnits();
        // Teeth per inch, or per millimetre (the reciprocal of the module).
        const double sizePitch = metric ? n.Pd / 25.4 : n.Pd;
        const std::int32_t pitchOrModule = metric ? 1 : 0;

        DrawingServer.end();
        auto& server = DrawingServer.hold(shell_.drawingProgram().createServer());
        n.phiDegrees = MMath::Rad2Deg(Phi());
        server.LoadLocals(toolElement(1, *this, *oPinion, n));
        server.LoadLocals(gearElement(2, *this, *oPinion, n));
        server.LoadLocals(gearElement(3, *this, *oGear, n));
        LoadLocalsArguments gearTool = toolElement(4, *this, *oGear, n);
        gearTool.BackaLasha.reset();
        gearTool.OperatingTransDP = sizePitch;
        gearTool.DP0Module1 = pitchOrModule;
        server.LoadLocals(gearTool);
        server.LaunchDrawings();
        shell_.writeRunNote("Sent drawing data okay, no return info available from Vantrope");
        return 1;
    } catch (const runtime::RuntimeError& error) {
        shell_.showMessage(error.description() + "\r\nerror #" + std::to_string(error.number()));
        return 0;
    }
}

} // namespace cindrel::model
