#include "sequence/StepsRating.h"

#include "sequence/AgmaHandOver.h"
#include "sequence/StepInputs.h"
#include "sequence/StepTables.h"
#include "sequence/T_StateNavigator.h"

#include "model/Flags.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"
#include "results/TableRun.h"
#include "runtime/CheckedMath.h"
#include "runtime/NumberText.h"

#include <optional>
#include <string>
#include <tuple>

namespace cindrel::sequence {

namespace {

using model::T_Gear;
using model::T_Set;
namespace ResultRow = results::ResultRow;
using results::TableRun;

constexpr bool GoLet = true;

void readLoad(T_StateNavigator& navigator)
{
    const StepInputs in(navigator.ports().controls, navigator.ports().units);
    const Units& units = navigator.ports().units;
    T_Set& Oset = navigator.Oset();
    T_Gear& pinion = *Oset.oPinion;
    T_Gear& gear = *Oset.oGear;

    pinion.aaPoissons_Ratio(in.boxValue("txtPoissonRatio", 0));
    pinion.aaModulus_Elasticity(runtime::divide(in.boxValue("txtYoungsModulus", 0), units.PressureFactor()));
    gear.aaPoissons_Ratio(in.boxValue("txtPoissonRatio", 1));
    gear.aaModulus_Elasticity(runtime::divide(in.boxValue("txtYoungsModulus", 1), units.PressureFactor()));

    // The quantity not given is cleared first; the pair then derives it, and
    // the gear's speed and torque, from the two given.
    const auto power = [&](std::string_view box) { return runtime::divide(in.boxValue(box), units.PowerFactor()); };
    const auto torque = [&](std::string_view box) { return runtime::divide(in.boxValue(box), units.TorqueFactor()); };
    const double mode = in.boxValue("lblPowerHowInput");
    if (mode == 0) {
        pinion.aaSpeed(GoLet, 0);
        Oset.aaHorsePower(GoLet, power("txtPowerInput1"));
        pinion.aaTorque(GoLet, torque("txtPowerInput2"));
    } else if (mode == 1) {
        pinion.aaTorque(GoLet, 0);
        Oset.aaHorsePower(GoLet, power("txtPowerInput1"));
        pinion.aaSpeed(GoLet, in.boxValue("txtPowerInput2"));
    } else if (mode == 2) {
        Oset.aaHorsePower(GoLet, 0);
        pinion.aaSpeed(GoLet, in.boxValue("txtPowerInput1"));
        pinion.aaTorque(GoLet, torque("txtPowerInput2"));
    }
    // Whatever the mode, the AGMA factors window rates at the pair's speed.
    navigator.ports().controls.setValue(agmaWindowControl("txtInps", 0), runtime::numberText(pinion.RPM()));
}

bool checkLoad(T_StateNavigator& navigator)
{
    if (!checkElasticConstants(navigator, 100'000))
        return false;
    const T_Set& Oset = navigator.Oset();
    if (Oset.oPinion->RPM() <= 0 || Oset.hp() <= 0) {
        navigator.showResourceMessage(3012);
        return false;
    }
    return true;
}

using tables::text;

// A value cell of a row already written, read back as the number it shows.
double shownNumber(const TableRun& run, int row, int column)
{
    return runtime::toNumber(results::cellText(run.table().at(row, column), {}));
}

void loadTable(T_StateNavigator& navigator, TableRun& run)
{
    T_Set& Oset = navigator.Oset();
    T_Gear& pinion = *Oset.oPinion;
    T_Gear& gear = *Oset.oGear;
    const Units& units = navigator.ports().units;
    const bool window = navigator.AgmaInputMode == 8;
    const std::optional<AllowablePowers>& allowable = navigator.All4Horsepowers;
    const auto f = [&run](double value) { return run.format(value); };

    int last = 10 + (window ? 2 : 0) + (run.helical() ? 1 : 0);
    run.size(last);
    if (allowable)
        run.size(last + 4);
    run.setRow(-1);

    if (allowable) {
        for (const AllowablePowerRow& row : *allowable) {
            run.nextRow();
            // The unit label after the text, unlike every other row.
            run.pairRow(row.key, [&] { return f(row.pinion * units.PowerFactor()); },
                        [&] { return f(row.gear * units.PowerFactor()); }, row.description + units.PowerUnits());
        }
    }
    run.nextRow();
    const int powerRow = run.row();
    run.setValueRow("Power", [&] { return f(Oset.hp() * units.PowerFactor()); }, units.PowerUnits() + text(4043));
    if (allowable) {
        // The shown texts divided, so the factor is the one the table reads.
        for (const auto& [key, allowableRow, description] :
             {std::tuple{"Pitting SF", 0, "Pitting Service Factor"}, std::tuple{"Bending SF", 1, "Bending Service Factor"}}) {
            run.nextRow();
            run.cell(ResultRow::Key, key);
            for (const int column : {ResultRow::PinionValue, ResultRow::GearValue}) {
                run.cell(column, [&] {
                    return f(runtime::divide(shownNumber(run, allowableRow, column), shownNumber(run, powerRow, column)));
                });
            }
            run.cell(ResultRow::Description, description);
        }
    }
    run.nextRow();
    run.pairRow("Torq", [&] { return f(pinion.Torq() * units.TorqueFactor()); },
                [&] { return f(gear.Torq() * units.TorqueFactor()); }, units.TorqueUnits() + text(4045));
    run.nextRow();
    run.pairRow("RPM", [&] { return f(pinion.RPM()); }, [&] { return f(gear.RPM()); }, text(4044));
    run.nextRow();
    run.setValueRow("LinV", [&] { return f(pinion.FeetPerMinute() * units.VelocityFactor()); },
                    units.VelocityUnits() + text(4070));
    run.nextRow();
    run.setValueRow("F_tangential", [&] { return f(pinion.WT() * units.ForceFactor()); },
                    units.ForceUnits() + text(4069));
    if (run.helical()) {
        run.nextRow();
        run.setValueRow("F_axial", [&] { return f(Oset.AxialThrust() * units.ForceFactor()); },
                        units.ForceUnits() + text(4046));
    }
    run.nextRow();
    run.setValueRow("F_Radial", [&] { return f(Oset.RadialForce() * units.ForceFactor()); },
                    units.ForceUnits() + text(4047));
    run.nextRow();
    // With the J factors the checks kept, not the members' own.
    run.pairRow("Sb", [&] { return f(pinion.SB(navigator.JFactors[0]) * units.PressureFactor()); },
                [&] { return f(gear.SB(navigator.JFactors[1]) * units.PressureFactor()); },
                units.PressureUnits() + text(4051));
    if (window) {
        run.nextRow();
        run.pairRow("SAT", [&] { return f(pinion.SAT() * units.PressureFactor()); },
                    [&] { return f(gear.SAT() * units.PressureFactor()); }, units.PressureUnits() + text(4085));
    }
    // The getters work out the I factor when the navigator holds none, and
    // keep it there.
    run.nextRow();
    if (run.helical()) {
        run.setValueRow("SHelical", [&] { return f(Oset.SHelical(navigator.IFactor) * units.PressureFactor()); },
                        units.PressureUnits() + text(4057));
    } else {
        const auto stress = [&] { return f(Oset.SCLPS(navigator.IFactor) * units.PressureFactor()); };
        run.pairRow("SCLPS", stress, stress, units.PressureUnits() + text(4057));
    }
    if (window) {
        run.nextRow();
        run.pairRow("SAC", [&] { return f(pinion.SAC() * units.PressureFactor()); },
                    [&] { return f(gear.SAC() * units.PressureFactor()); }, units.PressureUnits() + text(4086));
    }
    run.nextRow();
    run.pairRow("E", [&] { return TableRun::format(pinion.E() * units.PressureFactor(), "Scientific"); },
                [&] { return TableRun::format(gear.E() * units.PressureFactor(), "Scientific"); },
                units.PressureUnits() + text(4048));
    run.nextRow();
    run.pairRow("Mu", [&] { return TableRun::format(pinion.Mu(), "0.000"); },
                [&] { return TableRun::format(gear.Mu(), "0.000"); }, text(4049));
    run.nextRow();
    // The same number in both unit systems.
    run.setValueRow("CCP", [&] { return f(Oset.CCP()); }, text(4050));
}

} // namespace

StepHandler horsepowerStep()
{
    StepHandler step;
    step.read = [](T_StateNavigator& navigator, T_State&) { readLoad(navigator); };
    step.check = [](T_StateNavigator& navigator, T_State&) { return checkLoad(navigator); };
    step.table = [](T_StateNavigator& navigator, T_State&, TableRun& run, bool&) { loadTable(navigator, run); };
    return step;
}

} // namespace cindrel::sequence
