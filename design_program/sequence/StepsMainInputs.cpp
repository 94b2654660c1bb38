#include "sequence/StepsMainInputs.h"

#include "sequence/StepInputs.h"
#include "sequence/StepTables.h"
#include "sequence/T_StateNavigator.h"

#include "model/Flags.h"
#include "model/MMath.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"
#include "runtime/CheckedMath.h"
#include "runtime/NumberFormat.h"

#include <optional>
#include <string>

namespace cindrel::sequence {

namespace {

using model::T_Gear;
using model::T_Set;
using results::TableRun;
using tables::lengthText;
using tables::text;

StepInputs inputsOf(const T_StateNavigator& navigator)
{
    return StepInputs(navigator.ports().controls, navigator.ports().units);
}

std::int16_t transverseFlag(bool transverse) { return transverse ? model::True : std::int16_t{0}; }

// An angle typed in one of three ways, by its mode: 0 degrees, 1 radians,
// 2 degrees, minutes and seconds packed into a hidden label. Any other mode
// gives nothing, and the angle is not set.
std::optional<double> angleInput(const StepInputs& in, double mode, std::string_view degreesBox,
                                 std::string_view radiansBox, std::string_view packedLabel)
{
    if (mode == 0)
        return model::MMath::Deg2Rad(in.boxValue(degreesBox));
    if (mode == 1)
        return in.boxValue(radiansBox);
    if (mode == 2)
        return model::MMath::Deg2Rad(model::MMath::DMSToDegrees(in.wholeValue(packedLabel)));
    return std::nullopt;
}

// ---- Main Inputs ----

// The first input, in the panel's order, that no gear can have: a negative
// count, width, pitch or angle is as unusable as zero (and two negative
// counts would pass a test of their product). Named as the panel names it.
std::optional<std::string> firstUnusableMainInput(const T_Set& Oset, bool metric)
{
    const auto unusable = [](double value) { return !(value > 0); };
    if (unusable(Oset.oPinion->N()))
        return "number of teeth of the pinion";
    if (unusable(Oset.oGear->N()))
        return "number of teeth of the gear";
    if (unusable(Oset.oPinion->GearFace()))
        return "face width of the pinion";
    if (unusable(Oset.oGear->GearFace()))
        return "face width of the gear";
    if (unusable(Oset.pd()))
        return metric ? "module" : "diametral pitch";
    if (unusable(Oset.Phi()))
        return "pressure angle";
    return std::nullopt;
}

// The helix angle comes first: the pitch and the pressure angle are converted
// between the planes with it.
void readHelixAngle(const StepInputs& in, T_Set& Oset)
{
    if (in.modeValue("lblToothOrient") == 0) {
        Oset.aaHelixAngle(0);
        return;
    }
    const double mode = in.modeValue("lblHAHowMeasured");
    if (const auto angle = angleInput(in, mode, "txtHelixAngleDEG", "txtHelixAngleRAD", "lblHelixAngleDMS"))
        Oset.aaHelixAngle(*angle);
}

void readPitch(const StepInputs& in, T_Set& Oset)
{
    const std::int16_t transverse = transverseFlag(in.flag("lblDPPlane"));
    const double lengthFactor = in.units().LengthFactor();
    const double typed = in.boxValue("txtDP");
    if (lengthFactor == 1) {
        Oset.aaDiametralPitch(transverse, typed);
        return;
    }
    // A module; none typed keeps the pitch the pair has.
    if (typed != 0)
        Oset.aaDiametralPitch(transverse, runtime::divide(lengthFactor, typed));
}

void readPressureAngle(const StepInputs& in, T_Set& Oset)
{
    const std::int16_t transverse = transverseFlag(in.flag("lblPAPlane"));
    const double mode = in.modeValue("lblPAHowMeasured");
    if (const auto angle = angleInput(in, mode, "txtPADeg", "txtPARad", "lblPADMS"))
        Oset.aaPressureAngle(transverse, *angle);
}

void readMainInputs(T_StateNavigator& navigator, T_State&)
{
    StepInputs in = inputsOf(navigator);
    T_Set& Oset = navigator.Oset();
    Oset.oPinion->aaNumberOfTeeth(in.wholeValue("txtNumTeeth", 0));
    Oset.oGear->aaNumberOfTeeth(in.wholeValue("txtNumTeeth", 1));
    Oset.oPinion->aaFaceWidth(in.lengthInput("txtFaceWidth", 0));
    Oset.oGear->aaFaceWidth(in.lengthInput("txtFaceWidth", 1));
    readHelixAngle(in, Oset);
    readPitch(in, Oset);
    readPressureAngle(in, Oset);
    // The hob steps start from the pair's normal pressure angle.
    for (const int hob : {0, 1})
        in.write("txtHobPA", hob, runtime::formatNumber(model::MMath::Rad2Deg(Oset.Phi_n()), "##.####"));
}

bool checkMainInputs(T_StateNavigator& navigator, T_State&)
{
    const T_Set& Oset = navigator.Oset();
    if (const std::optional<std::string> input = firstUnusableMainInput(Oset, navigator.ports().units.MetricUnits())) {
        navigator.ports().messages.show(3002, "The " + *input + " must be greater than zero.");
        return false;
    }
    if (Oset.oPinion->N() > Oset.oGear->N()) {
        navigator.showResourceMessage(2028);
        return false;
    }
    navigator.ports().controls.setValue(
        mainWindowControl("lblStandardOCD"),
        runtime::formatNumber(Oset.DC_s() * navigator.ports().units.LengthFactor(), "#.000"));
    return true;
}

void mainInputsTable(T_StateNavigator& navigator, T_State&, TableRun& run, bool&)
{
    const T_Set& Oset = navigator.Oset();
    const T_Gear& pinion = *Oset.oPinion;
    const T_Gear& gear = *Oset.oGear;
    const Units& units = navigator.ports().units;
    const double lf = units.LengthFactor();

    run.size(8);
    if (run.helical())
        run.size(15);
    run.setRow(0);
    run.pairRow("N", [&] { return pinion.N(); }, [&] { return gear.N(); }, [] { return text(4067); });
    run.nextRow();
    run.pairRow(
        "Face", [&] { return run.format(pinion.GearFace() * lf); }, [&] { return run.format(gear.GearFace() * lf); },
        [&] { return lengthText(units, 4068); });
    run.nextRow();
    run.pairRow(
        "Rb", [&] { return run.format(run.radius(pinion.Rb(), lf)); },
        [&] { return run.format(run.radius(gear.Rb(), lf)); },
        [&] { return lengthText(units, 4000) + run.radiusSuffix(); });
    run.nextRow();
    run.pairRow(
        "Rp_s", [&] { return run.format(run.radius(pinion.Rp_s(), lf)); },
        [&] { return run.format(run.radius(gear.Rp_s(), lf)); },
        [&] { return lengthText(units, 4001) + run.radiusSuffix(); });
    run.nextRow();
    run.setValueRow(
        "Ratio", [&] { return run.format(runtime::divide(gear.N(), pinion.N())); }, [] { return text(4079); });
    run.nextRow();
    run.setValueRow("PHI", [&] { return tables::degrees(run, Oset.Phi()); }, [] { return text(4003); });
    if (run.helical()) {
        run.nextRow();
        run.setValueRow("Phi_n", [&] { return tables::degrees(run, Oset.Phi_n()); }, [] { return text(4004); });
        run.nextRow();
        run.setValueRow("PSI", [&] { return tables::degrees(run, Oset.Psi()); }, [] { return text(4005); });
        run.nextRow();
        run.setValueRow("Psi_b", [&] { return tables::degrees(run, Oset.Psi_b()); }, [] { return text(4006); });
        run.nextRow();
        run.setValueRow("Mf", [&] { return run.format(Oset.Mf()); }, [] { return text(4010); });
        run.nextRow();
        // The axial pitch in display units, so that a metric table never
        // shows an inch value; in inches it stands without a label.
        run.setValueRow(
            "Px", [&] { return run.format(Oset.Px() * lf); },
            [&] { return tables::diametralPitchForm(units) ? text(4009) : lengthText(units, 4009); });
        run.nextRow();
        run.setValueRow("PN", [&] { return run.format(Oset.PN() * lf); }, [&] { return lengthText(units, 4008); });
    }
    run.nextRow();
    run.setValueRow("PB", [&] { return run.format(Oset.PB() * lf); }, [&] { return lengthText(units, 4007); });
    run.nextRow();
    run.setValueRow("PC_s", [&] { return run.format(Oset.PC_s() * lf); }, [&] { return lengthText(units, 4011); });
    run.nextRow();
    if (tables::diametralPitchForm(units))
        run.setValueRow("Pd", [&] { return run.format(Oset.pd()); }, [] { return text(4012); });
    else
        run.setValueRow(
            "Mod", [&] { return run.format(runtime::divide(lf, Oset.pd())); }, "Transverse standard module");
    if (run.helical()) {
        run.nextRow();
        if (tables::diametralPitchForm(units))
            run.setValueRow("Pd_n", [&] { return run.format(Oset.Pd_n()); }, [] { return text(4015); });
        else
            run.setValueRow(
                "Mod_n", [&] { return run.format(runtime::divide(lf, Oset.Pd_n())); }, "Normal standard module");
    }
}

// ---- Center Distance ----

// The mesh kind first: the standard centre distance depends on it.
void readCenterDistance(T_StateNavigator& navigator, T_State&)
{
    StepInputs in = inputsOf(navigator);
    T_Set& Oset = navigator.Oset();
    Oset.aaInternal_External(in.wholeValue("lblMeshOption"));
    const double mode = in.modeValue("lblOCDHowInput");
    if (mode == 0) {
        Oset.aaOperatingCenterDistance(0, Oset.DC_s());
    } else if (mode == 1) {
        Oset.aaOperatingCenterDistance(0, in.lengthInput("txtOCD"));
    } else if (mode == 2) {
        const double standard = Oset.DC_s();
        Oset.aaOperatingCenterDistance(0, standard + in.lengthInput("txtOCD"));
    }
}

bool checkCenterDistance(T_StateNavigator& navigator, T_State&)
{
    const T_Set& Oset = navigator.Oset();
    const auto stop = [&navigator](int message) {
        navigator.showResourceMessage(message);
        return false;
    };
    if (Oset.IntExt() != 1 && Oset.IntExt() != -1)
        return stop(3003);
    if (Oset.oPinion->N() == Oset.oGear->N() && Oset.IntExt() == -1)
        return stop(2027);
    if (Oset.DC_O(0) == 0)
        return stop(3017);
    if (Oset.DC_O(-1) > 1.25)
        return stop(3004);
    if (Oset.DC_O(-1) < 0.8)
        return stop(3005);
    navigator.ports().controls.setValue(mainWindowControl("lblAddShiftTotal"),
                                        runtime::formatNumber(Oset.AddModCoeffSum(0), "#.####"));
    return true;
}

void centerDistanceTable(T_StateNavigator& navigator, T_State&, TableRun& run, bool&)
{
    const T_Set& Oset = navigator.Oset();
    const Units& units = navigator.ports().units;
    const double lf = units.LengthFactor();
    const bool diametralPitch = tables::diametralPitchForm(units);

    run.size(5);
    if (run.helical())
        run.size(10);
    run.setRow(0);
    run.setValueRow("DC_s", [&] { return run.format(Oset.DC_s() * lf); }, [&] { return lengthText(units, 4002); });
    run.nextRow();
    run.setValueRow("DC_o", [&] { return run.format(Oset.DC_O(0) * lf); }, [&] { return lengthText(units, 4016); });
    run.nextRow();
    if (diametralPitch)
        run.setValueRow("Pd_o", [&] { return run.format(Oset.Pd_o()); }, [] { return text(4013); });
    else
        run.setValueRow("Mod_o", [&] { return run.format(runtime::divide(lf, Oset.Pd_o())); }, "Operating module");
    if (run.helical()) {
        run.nextRow();
        if (diametralPitch)
            run.setValueRow("Pd_on", [&] { return run.format(Oset.Pd_on()); }, [] { return text(4014); });
        else
            run.setValueRow(
                "Mod_on", [&] { return run.format(runtime::divide(lf, Oset.Pd_on())); }, "Normal operating module");
        run.nextRow();
        run.setValueRow("Psi_o", [&] { return tables::degrees(run, Oset.Psi_O()); }, [] { return text(4024); });
    }
    run.nextRow();
    run.pairRow(
        "Rp_o", [&] { return run.format(run.radius(Oset.oPinion->Rp_o(), lf)); },
        [&] { return run.format(run.radius(Oset.oGear->Rp_o(), lf)); },
        [&] { return lengthText(units, 4017) + run.radiusSuffix(); });
    run.nextRow();
    run.setValueRow("PC_o", [&] { return run.format(Oset.PC_o() * lf); }, [&] { return lengthText(units, 4018); });
    if (run.helical()) {
        run.nextRow();
        run.setValueRow(
            "PC_on", [&] { return run.format(Oset.PC_on() * lf); }, [&] { return lengthText(units, 4019); });
        run.nextRow();
        run.setValueRow(
            "PC_sn", [&] { return run.format(Oset.PC_sn() * lf); }, [&] { return lengthText(units, 4020); });
    }
    run.nextRow();
    run.setValueRow("Phi_o", [&] { return tables::degrees(run, Oset.Phi_o()); }, [] { return text(4022); });
    if (run.helical()) {
        run.nextRow();
        run.setValueRow("Phi_on", [&] { return tables::degrees(run, Oset.Phi_on()); }, [] { return text(4023); });
    }
}

} // namespace

StepHandler mainInputsStep()
{
    return {readMainInputs, checkMainInputs, mainInputsTable};
}

StepHandler centerDistanceStep()
{
    return {readCenterDistance, checkCenterDistance, centerDistanceTable};
}

} // namespace cindrel::sequence
