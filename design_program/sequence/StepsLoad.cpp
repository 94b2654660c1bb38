#include "sequence/StepsRating.h"

#include "sequence/AgmaHandOver.h"
#include "sequence/StepInputs.h"
#include "sequence/StepTables.h"
#include "sequence/T_StateNavigator.h"

#include "model/Flags.h"
#include "model/MMath.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"
#include "results/TableRun.h"
#include "runtime/CheckedMath.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <array>
#include <cmath>
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

    // A modulus the AGMA factors window wrote ("2.07E+05" MPa) and the user
    // left alone stands for the material's own value, not for its three digits.
    const auto modulus = [&](const T_Gear& member, int i) {
        const double held = member.E();
        if (in.showsUnedited("txtYoungsModulus", i, held * units.PressureFactor(), "Scientific"))
            return held;
        return runtime::divide(in.boxValue("txtYoungsModulus", i), units.PressureFactor());
    };
    pinion.aaPoissons_Ratio(in.boxValue("txtPoissonRatio", 0));
    pinion.aaModulus_Elasticity(modulus(pinion, 0));
    gear.aaPoissons_Ratio(in.boxValue("txtPoissonRatio", 1));
    gear.aaModulus_Elasticity(modulus(gear, 1));

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

// A service factor in the number format; one that the format would show as
// 0 keeps three significant digits, for a factor of 0.04 is no factor of 0.
std::string serviceFactorText(const TableRun& run, double factor)
{
    const std::string shown = run.format(factor);
    if (factor == 0 || runtime::toNumber(shown) != 0)
        return shown;
    return runtime::numberText(model::MMath::RoundSignificant(factor, 3));
}

// The unit of the elastic coefficient: the root of the pressure unit shown.
std::string rootPressureUnits(const Units& units)
{
    const std::string pressure = units.PressureUnits();
    if (pressure.empty() || pressure.front() != '(')
        return pressure;
    return "(\xE2\x88\x9A" + pressure.substr(1);
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
        // Horsepower as the window rounded it.
        const auto allowed = [&](float rounded, double unrounded) {
            if (units.PowerFactor() == 1)
                return f(rounded);
            return f(model::MMath::ConvertedPower(rounded, unrounded, units.PowerFactor()));
        };
        for (const AllowablePowerRow& row : *allowable) {
            run.nextRow();
            // The unit label after the text, unlike every other row.
            run.pairRow(row.key, [&] { return allowed(row.pinion, row.pinionUnrounded); },
                        [&] { return allowed(row.gear, row.gearUnrounded); }, row.description + units.PowerUnits());
        }
    }
    run.nextRow();
    run.setValueRow("Power", [&] { return f(Oset.hp() * units.PowerFactor()); }, units.PowerUnits() + text(4043));
    if (allowable) {
        // The values divided, not their rounded texts: only the display rounds.
        for (const auto& [key, allowableRow, description] :
             {std::tuple{"Pitting SF", 0, "Pitting Service Factor"}, std::tuple{"Bending SF", 1, "Bending Service Factor"}}) {
            run.nextRow();
            run.cell(ResultRow::Key, key);
            const AllowablePowerRow& powers = (*allowable)[static_cast<std::size_t>(allowableRow)];
            for (const int column : {ResultRow::PinionValue, ResultRow::GearValue}) {
                run.cell(column, [&] {
                    const double allowed = column == ResultRow::PinionValue ? powers.pinion : powers.gear;
                    return serviceFactorText(run, runtime::divide(allowed, Oset.hp()));
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
    // With the J factors the checks kept, not the members' own; a failed one
    // gives no stress.
    const std::array<bool, 2> jFailed{T_Gear::JayFailed(navigator.JFactors[0]),
                                      T_Gear::JayFailed(navigator.JFactors[1])};
    const auto bending = [&](T_Gear& member, std::size_t i) {
        if (jFailed[i])
            return "J " + std::string(FailedFactorMark);
        return f(member.SB(navigator.JFactors[i]) * units.PressureFactor());
    };
    run.pairRow("Sb", [&] { return bending(pinion, 0); }, [&] { return bending(gear, 1); },
                tables::withFailure(units.PressureUnits() + text(4051), failedMembersText(jFailed, "J")));
    run.cell(ResultRow::RedMask, tables::failedMask(jFailed));
    if (window) {
        run.nextRow();
        run.pairRow("SAT", [&] { return f(pinion.SAT() * units.PressureFactor()); },
                    [&] { return f(gear.SAT() * units.PressureFactor()); }, units.PressureUnits() + text(4085));
    }
    // The getters work out the I factor when the navigator holds none, and
    // keep it there.
    // A failed I, taken or worked out here, gives no stress.
    const auto contact = [&](auto stressOf) {
        const std::string failed = "I " + std::string(FailedFactorMark);
        if (navigator.IFactorFailed())
            return failed;
        double stress = 0;
        try {
            stress = stressOf();
        } catch (const runtime::RuntimeError&) {
            if (navigator.IFactorFailed())
                return failed;
            throw;
        }
        return navigator.IFactorFailed() ? failed : f(stress * units.PressureFactor());
    };
    const auto contactDescription = [&] {
        return tables::withFailure(units.PressureUnits() + text(4057),
                                   navigator.IFactorFailed() ? "I factor failed" : "");
    };
    const auto bothFailed = [&] {
        const bool failed = navigator.IFactorFailed();
        return tables::failedMask({failed, failed});
    };
    run.nextRow();
    if (run.helical()) {
        run.setValueRow("SHelical", [&] { return contact([&] { return Oset.SHelical(navigator.IFactor); }); },
                        contactDescription);
    } else {
        const auto stress = [&] { return contact([&] { return Oset.SCLPS(navigator.IFactor); }); };
        run.pairRow("SCLPS", stress, stress, contactDescription);
    }
    run.cell(ResultRow::RedMask, bothFailed);
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
    // In the square root of the pressure unit shown: a metric table in MPa
    // shows the root of MPa, not of psi.
    run.setValueRow("CCP", [&] { return f(Oset.CCP() * std::sqrt(units.PressureFactor())); },
                    rootPressureUnits(units) + text(4050));
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
