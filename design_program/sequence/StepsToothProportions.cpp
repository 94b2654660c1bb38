#include "sequence/StepsToothProportions.h"

#include "sequence/AgmaHandOver.h"
#include "sequence/StepInputs.h"
#include "sequence/StepTables.h"
#include "sequence/T_StateNavigator.h"

#include "model/Flags.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"
#include "results/TableRun.h"
#include "runtime/CheckedMath.h"
#include "runtime/NumberFormat.h"
#include "runtime/NumberText.h"

#include <algorithm>

namespace cindrel::sequence {

namespace {

using model::T_Gear;
using model::T_Set;
using results::TableRun;
using runtime::checkFinite;
using runtime::divide;
using namespace results::ResultRow;

using tables::text;

// Holds the AGMA factors window's handlers off for a scope, and lets them
// react again on every way out, a failed write included.
class EventsStopped {
public:
    explicit EventsStopped(AgmaFactorsWindow& window) : window_(window) { window_.setStopTheEvents(true); }
    ~EventsStopped()
    {
        try {
            window_.setStopTheEvents(false);
        } catch (...) {
            // A window that cannot take the flag back has nothing left to react.
        }
    }
    EventsStopped(const EventsStopped&) = delete;
    EventsStopped& operator=(const EventsStopped&) = delete;

private:
    AgmaFactorsWindow& window_;
};

// The addendum limits: the maximum by the form it was typed in, then the
// minimum from the maximum stored, less the tolerance as a factor (half of
// it from a tip diameter). An unknown form sets neither.
void readAddendum(const StepInputs& in, const T_Set& Oset, T_Gear& gear, int i)
{
    const double pitch = Oset.Pd_n();
    const double tolerance = checkFinite(in.lengthInput("TxtAddTol", i) * pitch);
    const double form = in.modeValue("lblODHowInput", i);
    double minimumOff = tolerance;
    if (form == 0)
        gear.aaAddendumFactor(1, in.boxValue("txtODDim", i));
    else if (form == 1)
        gear.aaAddendumFactor(1, checkFinite(in.lengthInput("txtODDim", i) * pitch));
    else if (form == 2)
        gear.aaAddendumRadius(1, in.lengthInput("txtODDim", i));
    else if (form == 3) {
        gear.aaAddendumRadius(1, in.lengthInput("txtODDim", i) / 2);
        minimumOff = tolerance / 2;
    } else
        return;
    gear.aaAddendumFactor(0, checkFinite(gear.AddF(1) - minimumOff));
}

// The depth by its form; the whole depth is kept from the maximum addendum,
// which is therefore set first.
void readDepth(const StepInputs& in, const T_Set& Oset, T_Gear& gear, int i)
{
    const double typed = in.boxValue("txtWholeDepth", i);
    const double lengthFactor = in.units().LengthFactor();
    const auto asFactor = [&] { return checkFinite(divide(typed, lengthFactor) * Oset.Pd_n()); };
    const double form = in.modeValue("lblWholeDepthHowInput", i);
    if (form == 0)
        gear.aaWholeDepthFactor(typed);
    else if (form == 1)
        gear.aaDedendumFactor(typed);
    else if (form == 2)
        gear.aaWholeDepthFactor(asFactor());
    else if (form == 3)
        gear.aaDedendumFactor(asFactor());
    else if (form == 4)
        gear.aaRootRadius(divide(typed, lengthFactor));
    else if (form == 5)
        gear.aaRootRadius(divide(typed, lengthFactor) / 2);
}

void readToothProportions(T_StateNavigator& navigator, T_State&)
{
    const NavigatorPorts& ports = navigator.ports();
    const StepInputs in(ports.controls, ports.units);
    T_Set& Oset = navigator.Oset();
    for (int i : {0, 1}) {
        T_Gear& gear = Oset.member(i);
        readAddendum(in, Oset, gear, i);
        readDepth(in, Oset, gear, i);
        gear.aaFilletRadius(in.wholeValue("lblFilletType", i));
        // The rim-thickness input starts from the whole depth; the window
        // must not take the write for the user's.
        const EventsStopped stopped(ports.agmaWindow);
        ports.controls.setValue({"frmAGMA", "txtKBin", 2 * i},
                                runtime::numberText(checkFinite(gear.WD() * ports.units.LengthFactor())));
    }
    // Any fillet kind but the full circular one is cut by a hob, as the J
    // routines take it.
    navigator.HobMode = (Oset.oPinion->FilletRadius() != 0 ? 1 : 0) + (Oset.oGear->FilletRadius() != 0 ? 2 : 0);
    navigator.AgmaInputMode = in.boxValue("chkAGMA") == 1 ? 8 : 5;
}

// A clearance warning with the clearance in display units, and its unit.
void showClearance(T_StateNavigator& navigator, int number, double clearance)
{
    const Units& units = navigator.ports().units;
    const double shown = checkFinite(clearance * units.LengthFactor());
    navigator.ports().messages.show(number, text(number) + " (clearance " + tables::keepSign(shown, runtime::formatNumber(shown, "#,##0.0000")) +
                                                " " + tables::unitName(units.LengthUnits()) + ")");
}

// The tip radius of least addendum less the greatest edge break, or, on an
// internal gear, whose tips point inwards, of greatest addendum less the
// least edge break: the tip that comes nearest its base circle.
double smallestTipRadius(const T_Gear& member)
{
    return std::min(member.Ro(model::True, 1, 0), member.Ro(model::True, 0, 1));
}

// Either limit of the mate's tip may reach below this member's base circle:
// an external mate's largest tip, or an internal mate's smallest one.
bool contactBelowBase(const T_Gear& member)
{
    return member.The_lc(0) < 0 || member.The_lc(1) < 0;
}

bool checkToothProportions(T_StateNavigator& navigator, T_State&)
{
    const T_Set& Oset = navigator.Oset();
    T_Gear& pinion = *Oset.oPinion;
    T_Gear& gear = *Oset.oGear;
    const auto stop = [&navigator](int number) {
        navigator.showResourceMessage(number);
        return false;
    };
    if (pinion.AddF(0) > pinion.AddF(1))
        return stop(3045);
    if (gear.AddF(0) > gear.AddF(1))
        return stop(3046);
    if (gear.FilletRadius() != 0 && Oset.IntExt() == -1)
        return stop(3040);
    if (gear.Rb() > smallestTipRadius(gear))
        return stop(3006);
    if (pinion.Rb() > smallestTipRadius(pinion))
        return stop(3007);
    // A hobbed root has no fixed radius to clear.
    if (gear.FilletRadius() == 0 && pinion.Clearance() < 0)
        showClearance(navigator, 3010, pinion.Clearance());
    if (pinion.FilletRadius() == 0 && gear.Clearance() < 0)
        showClearance(navigator, 3011, gear.Clearance());
    if (contactBelowBase(pinion))
        navigator.showResourceMessage(3022);
    if (contactBelowBase(gear))
        navigator.showResourceMessage(3023);
    if (Oset.MP() > 2)
        navigator.showResourceMessage(3039);

    if (navigator.HobMode == 0) {
        // No hob step follows: the geometry factors are known now, and only warned about.
        navigator.TakeIFactor();
        if (navigator.IFactorFailed())
            navigator.showResourceMessage(4112);
        navigator.StoreJFactors();
        if (pinion.TopLand(0) == 0)
            navigator.showResourceMessage(4115);
        if (gear.TopLand(0) == 0)
            navigator.showResourceMessage(4116);
        for (int member : {0, 1})
            if (navigator.JFactors[member] <= 0)
                navigator.ports().messages.show(4113 + member, jFailureText(Oset, member));
    }
    return true;
}

void toothProportionsTable(T_StateNavigator& navigator, T_State&, TableRun& run, bool&)
{
    const T_Set& Oset = navigator.Oset();
    const T_Gear& pinion = *Oset.oPinion;
    const T_Gear& gear = *Oset.oGear;
    const Units& units = navigator.ports().units;
    const double lf = units.LengthFactor();
    const bool factorRows = navigator.HobMode == 0;

    // Lengths in display units, radii in the chosen form, angles in degrees.
    const auto length = [&](double inches) { return run.format(checkFinite(inches * lf)); };
    const auto radius = [&](double inches) { return run.format(run.radius(inches, lf)); };
    const auto degrees = [&](double radians) { return tables::degrees(run, radians); };
    const auto lengthText = [&](int number) { return tables::lengthText(units, number); };
    const auto pairRow = [&](const char* key, auto value, auto description) {
        run.nextRow();
        run.pairRow(key, [&] { return value(pinion); }, [&] { return value(gear); }, description);
    };

    int lastRow = 20;
    if (run.helical())
        lastRow += 2;
    if (factorRows)
        lastRow += 5;
    if (run.condition([&] { return pinion.EGB(1) == 0 && gear.EGB(1) == 0; })) {
        run.size(lastRow - 1);
        run.setRow(-1);
    } else {
        run.size(lastRow);
        run.setRow(0);
        run.pairRow(
            "RO-EGB", [&] { return length(pinion.Ro(model::True, 1, 0)); },
            [&] { return length(gear.Ro(model::True, 1, 0)); }, [&] { return lengthText(4025); });
    }
    pairRow("RO", [&](const T_Gear& g) { return radius(g.Ro(0, 1, 0)); },
            [&] { return lengthText(4026) + run.radiusSuffix(); });
    pairRow("RR", [&](const T_Gear& g) { return radius(g.RR(1)); }, [&] { return lengthText(4027) + run.radiusSuffix(); });
    pairRow("AddF", [&](const T_Gear& g) { return run.format(g.AddF(1)); }, [] { return text(4032); });
    pairRow("Add", [&](const T_Gear& g) { return length(g.Addendum(1)); }, [&] { return lengthText(4076); });
    pairRow("DedF", [&](const T_Gear& g) { return run.format(g.DedF()); }, [] { return text(4227); });
    pairRow("Ded", [&](const T_Gear& g) { return length(g.Dedendum()); }, [&] { return lengthText(4228); });
    pairRow("WDF", [&](const T_Gear& g) { return run.format(g.WDF()); }, [] { return text(4033); });
    pairRow("WD", [&](const T_Gear& g) { return length(g.WD()); }, [&] { return lengthText(4077); });

    // The clearances mark their rows when either member's is negative; one
    // that cannot be worked out marks them too.
    run.nextRow();
    run.cell(Key, "Clearance");
    run.cell(PinionValue, [&] { return length(pinion.Clearance()); });
    run.cell(GearValue, [&] { return length(gear.Clearance()); });
    run.cell(Description, [&] { return lengthText(4029); });
    run.cell(RowKind, results::RowKindPair);
    const bool noClearance = run.condition([&] { return pinion.Clearance() < 0 || gear.Clearance() < 0; });
    run.cell(RedMask, noClearance ? results::ColumnBitDescription : std::int16_t{0});
    run.cell(BoldMask, std::int16_t{0});
    run.cell(ItalicMask, std::int16_t{0});

    run.nextRow();
    run.cell(Key, "BaseClear");
    run.cell(PinionValue, [&] { return length(pinion.ClearanceRoRb(0)); });
    run.cell(GearValue, [&] { return length(gear.ClearanceRoRb(0)); });
    run.cell(Description, [&] { return lengthText(4030); });
    run.cell(RowKind, results::RowKindPair);
    const bool noBaseClearance =
        run.condition([&] { return pinion.ClearanceRoRb(0) < 0 || gear.ClearanceRoRb(0) < 0; });
    const std::int16_t baseMark = noBaseClearance ? results::ColumnBitAll : std::int16_t{0};
    run.cell(RedMask, baseMark);
    run.cell(BoldMask, std::int16_t{0});
    run.cell(ItalicMask, baseMark);

    pairRow("TopLand", [&](const T_Gear& g) { return length(g.TopLand(0)); }, [&] { return lengthText(4073); });
    pairRow("The_od", [&](const T_Gear& g) { return degrees(g.The_od(1, 0)); }, [] { return text(4034); });
    pairRow("HPSTC", [&](const T_Gear& g) { return degrees(g.HPSTC(T_Gear::LoadedLimit)); }, [] { return text(4035); });
    pairRow("The_p", [&](const T_Gear& g) { return degrees(g.The_p()); }, [] { return text(4036); });
    pairRow("LPSTC", [&](const T_Gear& g) { return degrees(g.LPSTC(0)); }, [] { return text(4037); });
    pairRow("The_lc", [&](const T_Gear& g) { return degrees(g.The_lc(1)); }, [] { return text(4038); });
    pairRow("R_lc", [&](const T_Gear& g) { return radius(g.R_lc(0)); },
            [&] { return units.LengthUnits() + run.radiusSuffix() + text(4087); });

    run.nextRow();
    run.setValueRow("Z", [&] { return length(Oset.Z()); }, [&] { return lengthText(4040); });
    run.nextRow();
    run.setValueRow("Mp", [&] { return run.format(Oset.MP()); }, [] { return text(4078); });
    run.nextRow();
    // A metric table shows no inch value.
    if (lf == 1)
        run.setValueRow("Lmin", [&] { return run.format(Oset.Lmin()); }, [] { return text(4041); });
    else
        run.setValueRow("Lmin", [&] { return length(Oset.Lmin()); }, [&] { return lengthText(4041); });
    if (run.helical()) {
        run.nextRow();
        run.setValueRow("Mn", [&] { return run.format(Oset.Mn()); }, [] { return text(4053); });
        run.nextRow();
        run.setValueRow("Ch", [&] { return run.format(Oset.Ch()); }, [] { return text(4042); });
    }
    if (!factorRows)
        return;
    const std::array<bool, 2> jFailed = failedJFactors(navigator.JFactors);
    const auto unlessFailed = [&](const T_Gear& g, auto value) {
        return unlessJFailed(jFailed[g.ArrayIndex() == 0 ? 0 : 1], value);
    };
    run.nextRow();
    run.pairRow(
        "Jay", [&] { return jFactorText(navigator.JFactors[0]); }, [&] { return jFactorText(navigator.JFactors[1]); },
        [&] { return tables::withFailure(text(4052), failedMembersText(jFailed, "J")); });
    run.cell(RedMask, tables::failedMask(jFailed));
    pairRow("Jay*KF", [&](const T_Gear& g) {
        return unlessFailed(g, [&] { return TableRun::format(checkFinite(g.oStress.XJ * g.oStress.XKF), "0.000"); });
    }, [] { return text(4216); });
    run.cell(RedMask, tables::failedMask(jFailed));
    pairRow("minRF", [&](const T_Gear& g) { return unlessFailed(g, [&] { return length(g.oStress.rRf); }); },
            [&] { return lengthText(4217); });
    run.cell(RedMask, tables::failedMask(jFailed));
    pairRow("RTan", [&](const T_Gear& g) { return radius(g.oStress.Rtangent); },
            [&] { return lengthText(4218) + run.radiusSuffix(); });
    run.nextRow();
    const bool iFailed = navigator.IFactorFailed();
    run.setValueRow(
        "Eye", [&] { return iFailed ? std::string(FailedFactorMark) : TableRun::format(navigator.IFactor, "0.000"); },
        [&] { return tables::withFailure(text(4054), iFailed ? "I factor failed" : ""); });
    run.cell(RedMask, tables::failedMask({iFailed, iFailed}));
}

} // namespace

StepHandler toothProportionsStep()
{
    return {readToothProportions, checkToothProportions, toothProportionsTable};
}

} // namespace cindrel::sequence
