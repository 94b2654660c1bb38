#include "sequence/StepsHobs.h"

#include "sequence/AgmaHandOver.h"
#include "sequence/StepInputs.h"
#include "sequence/StepTables.h"
#include "sequence/T_StateNavigator.h"

#include "model/MMath.h"
#include "model/T_Gear.h"
#include "model/T_Hob.h"
#include "model/T_Set.h"
#include "results/TableRun.h"
#include "runtime/CheckedMath.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <algorithm>
#include <functional>
#include <cctype>

namespace cindrel::sequence {

namespace {

using model::T_Gear;
using model::T_Hob;
using model::T_Set;
using results::TableRun;
using runtime::checkFinite;
using runtime::divide;
using namespace results::ResultRow;

// The column of a member with a full circular root, which has no hob.
constexpr const char* FullRootRadius = "FRR";

bool containsIgnoringCase(std::string_view text, std::string_view part)
{
    const auto it = std::search(text.begin(), text.end(), part.begin(), part.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
    return it != text.end();
}

// ---- Reading ----

// The hob's dimensions, typed for a normal diametral pitch of 1 (a module of
// 1 in metric units) or as they are; the pressure angle in degrees either way.
void readHob(T_StateNavigator& navigator, T_State& state)
{
    int i = -1;
    if (containsIgnoringCase(state.Name, "Pinion"))
        i = 0;
    else if (containsIgnoringCase(state.Name, "Gear"))
        i = 1;
    else
        return;
    const NavigatorPorts& ports = navigator.ports();
    const StepInputs in(ports.controls, ports.units);
    T_Set& Oset = navigator.Oset();
    T_Hob& hob = *Oset.member(i).oHob;

    double scale = 1;
    if (in.modeValue("lblHobNormalVsActual", i) == 0) {
        scale = Oset.Pd_n();
        if (ports.units.MetricUnits())
            scale /= 25.4;
    }
    // A box still showing what the standard-hob button wrote keeps
    // the value it was written from: its four decimals are only its display.
    const double shownPerInch = ports.units.LengthFactor() * scale;
    const auto dimension = [&](std::string_view box, double held) {
        if (in.showsUnedited(box, i, shownPerInch * held, "0.0000"))
            return held;
        return divide(in.lengthInput(box, i), scale);
    };
    hob.Addendum(dimension("txtHobAddendum", hob.Addendum()));
    hob.TipRadius(dimension("txtHobEdgeRad", hob.TipRadius()));
    hob.PhiHob(model::MMath::Deg2Rad(in.boxValue("txtHobPA", i)));
    hob.HobTTk(dimension("txtHobTThk", hob.HobTTk()));
    hob.Protuberance(dimension("txtHobProtuberance", hob.Protuberance()));
}

// ---- Checks ----

// Stops when a hob dimension that cuts the tooth is missing or negative,
// warns when the tip radii overlap.
bool checkHobDimensions(T_StateNavigator& navigator, const T_Hob& hob, int missing)
{
    if (!(hob.Addendum() > 0) || !(hob.PhiHob() > 0) || !(hob.HobTTk() > 0)) {
        navigator.showResourceMessage(missing);
        return false;
    }
    if (hob.HobHalfFlat_calculated() < divide(-0.003, navigator.Oset().pd()))
        navigator.showResourceMessage(3015);
    return true;
}

bool checkPinionHob(T_StateNavigator& navigator, T_State&)
{
    if (!checkHobDimensions(navigator, *navigator.Oset().oPinion->oHob, 3009))
        return false;
    if (navigator.HobMode == 3)
        return true;
    navigator.TakeIFactor();
    if (navigator.IFactorFailed()) {
        navigator.showResourceMessage(4112);
        return false;
    }
    return true;
}

bool checkGearHob(T_StateNavigator& navigator, T_State&)
{
    if (!checkHobDimensions(navigator, *navigator.Oset().oGear->oHob, 3008))
        return false;
    navigator.TakeIFactor();
    if (navigator.IFactorFailed()) {
        navigator.ports().messages.show(4112, tables::text(4112) + "\r\nI = " +
                                                  runtime::numberText(navigator.IFactor));
        return false;
    }
    return true;
}

// ---- Tables ----

struct HobRow {
    const char* key;
    double (*value)(const T_Hob&); // in inches, or radians for the angle
    const char* description;       // after the unit label; none for the angle
};

const HobRow hobRows[] = {
    {"HobTTK", [](const T_Hob& h) { return h.HobTTk(); }, "Hob thickness (at the standard pitch radius = generating radius)"},
    {"HobAdd", [](const T_Hob& h) { return h.Addendum(); }, "Hob addendum (= gear dedendum)"},
    {"HobPhi", [](const T_Hob& h) { return h.PhiHob(); }, nullptr},
    {"R_tip", [](const T_Hob& h) { return h.TipRadius(); }, "Hob edge radius (defaults to full cap)"},
    {"Protube", [](const T_Hob& h) { return h.Protuberance(); }, "Hob protuberance  (defaults to zero)"},
    {"Tip2Flank", [](const T_Hob& h) { return h.Tip2Flank(); },
     "Hob tip-to-flank  (distance from highest point of flank to tip)"},
    {"HalfFlat", [](const T_Hob& h) { return h.HobHalfFlat(); }, "Hob half-flat (half of the flat distance at the tip)"},
    {"RackShift", [](const T_Hob& h) { return h.RackShift(true); }, "Rack shift"},
};
constexpr int HobRowCount = 8;

// One hob row's value cell: a length in display units, the angle in degrees.
std::string hobValue(const TableRun& run, const HobRow& row, const T_Hob& hob, double lengthFactor)
{
    if (row.description == nullptr)
        return tables::degrees(run, row.value(hob));
    return run.format(checkFinite(row.value(hob) * lengthFactor));
}

std::string hobDescription(const HobRow& row, const Units& units)
{
    return row.description == nullptr ? std::string("Hob pressure angle \xC2\xB0") : units.LengthUnits() + row.description;
}

// Rows 0 to 7, the row counter starting at 0; each value cell from its
// column's function of the row.
void writeHobRows(TableRun& run, const Units& units, const std::function<results::Cell(int)>& pinion,
                  const std::function<results::Cell(int)>& gear)
{
    run.setRow(0);
    for (int r = 0; r < HobRowCount; ++r) {
        if (r > 0)
            run.nextRow();
        run.pairRow(
            hobRows[r].key, [&] { return pinion(r); }, [&] { return gear(r); },
            [&] { return hobDescription(hobRows[r], units); });
    }
}

// The four findings on the geometry with the hobs, in order; a finding whose
// value cannot be worked out counts as found. stopAtFirst ends at the first
// finding shown; true when one was shown.
bool showHobFindings(T_StateNavigator& navigator, TableRun& run, bool stopAtFirst)
{
    const T_Set& Oset = navigator.Oset();
    const std::pair<int, std::function<bool()>> findings[] = {
        {4115, [&] { return Oset.oPinion->TopLand(0) == 0; }},
        {4116, [&] { return Oset.oGear->TopLand(0) == 0; }},
        {4113, [&] { return navigator.JFactors[0] <= 0; }},
        {4114, [&] { return navigator.JFactors[1] <= 0; }},
    };
    const auto show = [&](int number) {
        if (number == 4113 || number == 4114)
            navigator.ports().messages.show(number, jFailureText(Oset, number - 4113));
        else
            navigator.showResourceMessage(number);
    };
    bool shown = false;
    for (const auto& [number, found] : findings) {
        if (!run.condition(found))
            continue;
        run.statement([&] { show(number); });
        shown = true;
        if (stopAtFirst)
            break;
    }
    return shown;
}

// "Tooth Proportions" again, from the model as the hob step leaves it. Its
// own run; an error before that run's trap is this statement's.
void rebuildToothProportions(T_StateNavigator& navigator, TableRun& run)
{
    run.statement([&] {
        bool ignored = true;
        navigator.GetString(navigator.state(steps::ToothProportions), ignored);
    });
}

void fillAgmaFormWhenNext(T_StateNavigator& navigator, TableRun& run)
{
    if (run.condition([&] { return navigator.PendingNextState() == &navigator.state(steps::AgmaFactors); }))
        run.statement([&] { navigator.FillAgmaForm(); });
}

// Rows 8 to 11: the J factors and what their runs left in the stress records.
void bendingRows(T_StateNavigator& navigator, TableRun& run)
{
    const T_Set& Oset = navigator.Oset();
    const Units& units = navigator.ports().units;
    const double lf = units.LengthFactor();
    const auto pairRow = [&](const char* key, auto value, auto description) {
        run.nextRow();
        run.pairRow(key, [&] { return value(*Oset.oPinion); }, [&] { return value(*Oset.oGear); }, description);
    };
    const std::array<bool, 2> jFailed = failedJFactors(navigator.JFactors);
    const auto unlessFailed = [&](const T_Gear& g, auto value) {
        return unlessJFailed(jFailed[g.ArrayIndex() == 0 ? 0 : 1], value);
    };
    run.nextRow();
    run.pairRow(
        "Jay", [&] { return jFactorText(navigator.JFactors[0]); }, [&] { return jFactorText(navigator.JFactors[1]); },
        [&] { return tables::withFailure("'J' factor for bending durability", failedMembersText(jFailed, "J")); });
    run.cell(RedMask, tables::failedMask(jFailed));
    pairRow("Jay*KF", [&](const T_Gear& g) {
        return unlessFailed(g, [&] { return TableRun::format(checkFinite(g.oStress.XJ * g.oStress.XKF), "0.000"); });
    }, [] { return tables::text(4216); });
    run.cell(RedMask, tables::failedMask(jFailed));
    pairRow("minRF", [&](const T_Gear& g) { return unlessFailed(g, [&] { return run.format(checkFinite(g.oStress.rRf * lf)); }); },
            [&] { return tables::lengthText(units, 4217); });
    run.cell(RedMask, tables::failedMask(jFailed));
    pairRow("RTan", [&](const T_Gear& g) { return run.format(run.radius(g.oStress.Rtangent, lf)); },
            [&] { return tables::lengthText(units, 4218) + run.radiusSuffix(); });
}

// The I row: its value, or the mark when I failed.
template <typename Value>
void eyeRow(T_StateNavigator& navigator, TableRun& run, Value value)
{
    const bool failed = navigator.IFactorFailed();
    run.nextRow();
    run.setValueRow(
        "Eye", [&] { return failed ? results::Cell(std::string(FailedFactorMark)) : results::Cell(value()); },
        [&] { return tables::withFailure(tables::text(4054), failed ? "I factor failed" : ""); });
    run.cell(RedMask, tables::failedMask({failed, failed}));
}

void pinionHobTable(T_StateNavigator& navigator, T_State&, TableRun& run, bool&)
{
    const T_Hob& hob = *navigator.Oset().oPinion->oHob;
    const Units& units = navigator.ports().units;
    const bool lastHobStep = navigator.HobMode == 1;

    run.size(lastHobStep ? 13 : 7);
    writeHobRows(
        run, units, [&](int r) -> results::Cell { return hobValue(run, hobRows[r], hob, units.LengthFactor()); },
        [](int) -> results::Cell { return std::string(FullRootRadius); });
    if (lastHobStep) {
        run.statement([&] { navigator.StoreJFactors(); });
        showHobFindings(navigator, run, false);
        fillAgmaFormWhenNext(navigator, run);
        bendingRows(navigator, run);
        eyeRow(navigator, run, [&] { return TableRun::format(navigator.IFactor, "0.000"); });
    }
    rebuildToothProportions(navigator, run);
    if (lastHobStep && navigator.AgmaInputMode == 8)
        run.statement([&] { navigator.FillAgmaForm(); });
}

void gearHobTable(T_StateNavigator& navigator, T_State& state, TableRun& run, bool& Fail)
{
    const T_Set& Oset = navigator.Oset();
    const T_Hob& gearHob = *Oset.oGear->oHob;
    const T_Hob& pinionHob = *Oset.oPinion->oHob;
    const Units& units = navigator.ports().units;
    const double lf = units.LengthFactor();
    const bool bothHobbed = navigator.HobMode == 3;

    // Both hobbed: the pinion's hob as the "Pinion Hob" table shows it, the
    // rack shift worked out anew.
    const auto pinionCell = [&](int r) -> results::Cell {
        if (!bothHobbed)
            return std::string(FullRootRadius);
        if (r == HobRowCount - 1)
            return hobValue(run, hobRows[r], pinionHob, lf);
        const auto& table = navigator.state(steps::PinionHob).StateString;
        if (!table)
            runtime::raise(runtime::SubscriptOutOfRange);
        return table->at(r, PinionValue);
    };

    run.size(13);
    writeHobRows(run, units, pinionCell,
                 [&](int r) -> results::Cell { return hobValue(run, hobRows[r], gearHob, lf); });
    run.statement([&] { navigator.StoreJFactors(); });
    // With the gear alone hobbed, a finding refuses the step.
    if (showHobFindings(navigator, run, !bothHobbed) && !bothHobbed) {
        Fail = true;
        return;
    }
    rebuildToothProportions(navigator, run);
    fillAgmaFormWhenNext(navigator, run);
    bendingRows(navigator, run);
    eyeRow(navigator, run, [&] { return results::Cell(navigator.IFactor); });
    // This table shows both hobs: the pinion's own leaves the grid and the report.
    if (bothHobbed) {
        run.statement([&] {
            if (state.PreviousState == nullptr)
                runtime::raise(runtime::ObjectVariableNotSet);
            state.PreviousState->PrintVariables = false;
        });
    }
}

} // namespace

StepHandler pinionHobStep()
{
    return {readHob, checkPinionHob, pinionHobTable};
}

StepHandler gearHobStep()
{
    return {readHob, checkGearHob, gearHobTable};
}

} // namespace cindrel::sequence
