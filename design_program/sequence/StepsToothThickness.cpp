#include "sequence/StepsToothThickness.h"

#include "sequence/StepInputs.h"
#include "sequence/StepTables.h"
#include "sequence/T_StateNavigator.h"

#include "model/MGearMath.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"
#include "runtime/CheckedMath.h"

namespace cindrel::sequence {

namespace {

using model::T_Gear;
using model::T_Set;
using results::TableRun;
using tables::lengthText;
using tables::text;

// The arguments of T_Gear::aaToothThickness.
namespace kind {
constexpr std::int32_t Percentage = 0;
constexpr std::int32_t Thickness = 1;
constexpr std::int32_t AddendumModification = 4;
} // namespace kind
constexpr std::int32_t Minimum = 0;
constexpr std::int32_t Maximum = 1;
constexpr std::int32_t AtOperatingRadius = 0;
constexpr std::int32_t AtStandardRadius = 1;
constexpr std::int32_t NormalPlane = 0;
constexpr std::int32_t TransversePlane = 1;
constexpr std::int32_t Circular = 0;
constexpr std::int32_t Chordal = 1;

// Stores a limit in the form the model keeps, operating transverse circular,
// so that the value is stored as it is.
void storeLimit(T_Gear& member, std::int32_t limit, double thickness)
{
    member.aaToothThickness(kind::Thickness, limit, AtOperatingRadius, TransversePlane, Circular, thickness);
}

double minimumOf(const T_Gear& member) { return member.TTK_o(1, Minimum); }
double maximumOf(const T_Gear& member) { return member.TTK_o(1, Maximum); }

// One limit's text, or the other's when it was left empty.
double limitInput(const StepInputs& in, std::string_view box, std::string_view otherBox, int index)
{
    return in.text(box, index).empty() ? in.lengthInput(otherBox, index) : in.lengthInput(box, index);
}

// Mode 1: both limits as typed, in the form of the member's three check boxes.
void readActualThickness(const StepInputs& in, T_Gear& member, int i)
{
    const std::int32_t form = in.flag("chkCircularTThk", i) ? Circular : Chordal;
    const std::int32_t plane = in.flag("chkTThkTransverse", i) ? TransversePlane : NormalPlane;
    const std::int32_t radius = in.flag("chkTThkOperating", i) ? AtOperatingRadius : AtStandardRadius;
    const double maximum = limitInput(in, "txtMaxTThk", "txtMinTThk", i);
    member.aaToothThickness(kind::Thickness, Maximum, radius, plane, form, maximum);
    const double minimum = limitInput(in, "txtMinTThk", "txtMaxTThk", i);
    member.aaToothThickness(kind::Thickness, Minimum, radius, plane, form, minimum);
}

// Fills an empty measurement box from the other and puts the two in order,
// so that the window shows what was used.
void tidyMeasurementBoxes(StepInputs& in, std::string_view minimumBox, std::string_view maximumBox, int i)
{
    if (in.boxValue(minimumBox, i) == 0 && in.boxValue(maximumBox, i) != 0)
        in.writeNumber(minimumBox, i, in.boxValue(maximumBox, i));
    if (in.boxValue(maximumBox, i) == 0 && in.boxValue(minimumBox, i) != 0)
        in.writeNumber(maximumBox, i, in.boxValue(minimumBox, i));
    if (in.boxValue(minimumBox, i) > in.boxValue(maximumBox, i)) {
        const double minimum = in.boxValue(minimumBox, i);
        const double maximum = in.boxValue(maximumBox, i);
        in.writeNumber(maximumBox, i, minimum);
        in.writeNumber(minimumBox, i, maximum);
    }
}

double thicknessFromPins(const StepInputs& in, const T_Set& Oset, const T_Gear& member, std::string_view box, int i,
                         bool betweenPins)
{
    const std::int32_t teeth = runtime::toInt32(member.N());
    const double measurement = in.lengthInput(box, i);
    const double pinDiameter = in.lengthInput("txtPinDia", i);
    return model::MGearMath::TThkFromPins(teeth, Oset.pd(), Oset.Phi(), Oset.Psi(), measurement, pinDiameter,
                                          betweenPins);
}

// Mode 2: measurements over pins, or between pins on the gear of an internal pair.
void readPinMeasurement(StepInputs& in, const T_Set& Oset, T_Gear& member, int i)
{
    const bool betweenPins = member.IntExt != 1;
    tidyMeasurementBoxes(in, "txtMinPinMeas", "txtMaxPinMeas", i);
    // Between pins the thickest teeth give the smallest measurement. A member
    // whose mesh sign is not yet 1 or -1 is taken as internal, as the
    // between-pins flag takes it.
    const std::int32_t smallerGives = member.IntExt == 1 ? Minimum : Maximum;
    const std::int32_t largerGives = smallerGives == Minimum ? Maximum : Minimum;
    const double fromSmaller = thicknessFromPins(in, Oset, member, "txtMinPinMeas", i, betweenPins);
    member.aaToothThickness(kind::Thickness, smallerGives, AtStandardRadius, NormalPlane, Circular, fromSmaller);
    const double fromLarger = thicknessFromPins(in, Oset, member, "txtMaxPinMeas", i, betweenPins);
    member.aaToothThickness(kind::Thickness, largerGives, AtStandardRadius, NormalPlane, Circular, fromLarger);
}

double thicknessFromSpan(const StepInputs& in, const T_Set& Oset, const T_Gear& member, std::string_view box, int i)
{
    const std::int32_t teeth = runtime::toInt32(member.N());
    const double span = in.lengthInput(box, i);
    const std::int32_t teethSpanned = in.wholeValue("txtNumTeethMeas", i);
    return model::MGearMath::TThkFromSpan(teeth, Oset.pd(), Oset.Phi(), span, teethSpanned, Oset.Psi());
}

// Mode 3: span measurements over a number of teeth.
void readSpanMeasurement(StepInputs& in, const T_Set& Oset, T_Gear& member, int i)
{
    tidyMeasurementBoxes(in, "txtMinBlockMeas", "txtMaxBlockMeas", i);
    const double fromMinimum = thicknessFromSpan(in, Oset, member, "txtMinBlockMeas", i);
    member.aaToothThickness(kind::Thickness, Minimum, AtStandardRadius, NormalPlane, Circular, fromMinimum);
    const double fromMaximum = thicknessFromSpan(in, Oset, member, "txtMaxBlockMeas", i);
    member.aaToothThickness(kind::Thickness, Maximum, AtStandardRadius, NormalPlane, Circular, fromMaximum);
}

// The backlash boxes, shared by both members: put in order, then stored.
void readBacklash(StepInputs& in, T_Set& Oset)
{
    if (in.boxValue("txtMinBL") > in.boxValue("txtMaxBL")) {
        const double oldMinimum = in.boxValue("txtMinBL");
        in.write("txtMinBL", -1, in.text("txtMaxBL"));
        in.writeNumber("txtMaxBL", -1, oldMinimum);
    }
    Oset.aaBackLash(Minimum, in.lengthInput("txtMinBL"));
    Oset.aaBackLash(Maximum, in.lengthInput("txtMaxBL"));
}

// Mode 0: a percentage of the operating circular pitch less the backlash.
void readPercentage(StepInputs& in, T_Set& Oset, T_Gear& member, int i)
{
    readBacklash(in, Oset);
    member.aaToothThickness(kind::Percentage, Maximum, AtOperatingRadius, TransversePlane, Circular,
                            in.boxValue("txtTThkPercentage", i));
}

// Mode 4: an addendum modification coefficient; the backlash range separates the limits.
void readAddendumModification(StepInputs& in, T_Set& Oset, T_Gear& member, int i)
{
    readBacklash(in, Oset);
    member.aaToothThickness(kind::AddendumModification, Minimum, AtOperatingRadius, TransversePlane, Circular,
                            in.boxValue("txtAddendumMod", i));
    member.aaToothThickness(kind::AddendumModification, Maximum, AtOperatingRadius, TransversePlane, Circular,
                            in.boxValue("txtAddendumMod", i));
}

void clearEnteredBacklash(T_Set& Oset)
{
    Oset.aaBackLash(Maximum, 0);
    Oset.aaBackLash(Minimum, 0);
}

void readToothThickness(T_StateNavigator& navigator, T_State&)
{
    StepInputs in(navigator.ports().controls, navigator.ports().units);
    T_Set& Oset = navigator.Oset();
    clearEnteredBacklash(Oset);
    for (const int i : {0, 1}) {
        T_Gear& member = Oset.member(i);
        storeLimit(member, Maximum, 0);
        storeLimit(member, Minimum, 0);

        const double mode = in.modeValue("lblTThkHowInput", i);
        if (mode == 1)
            readActualThickness(in, member, i);
        else if (mode == 2)
            readPinMeasurement(in, Oset, member, i);
        else if (mode == 3)
            readSpanMeasurement(in, Oset, member, i);
        else if (mode == 0)
            readPercentage(in, Oset, member, i);
        else if (mode == 4)
            readAddendumModification(in, Oset, member, i);
        // Only the percentage keeps the entered backlash.
        if (mode != 0)
            clearEnteredBacklash(Oset);

        member.aaEdgeBreak(Minimum, limitInput(in, "txtMinEdgeBreak", "txtMaxEdgeBreak", i));
        member.aaEdgeBreak(Maximum, limitInput(in, "txtMaxEdgeBreak", "txtMinEdgeBreak", i));

        if (!(maximumOf(member) >= minimumOf(member)))
            storeLimit(member, Maximum, minimumOf(member));
        if (minimumOf(member) > maximumOf(member))
            storeLimit(member, Minimum, maximumOf(member));
    }
}

bool checkToothThickness(T_StateNavigator& navigator, T_State&)
{
    T_Set& Oset = navigator.Oset();
    T_Gear& pinion = *Oset.oPinion;
    T_Gear& gear = *Oset.oGear;
    const auto stop = [&navigator](int message) {
        navigator.showResourceMessage(message);
        return false;
    };
    const double PCo = Oset.PC_o();

    if (maximumOf(pinion) == 0 && minimumOf(pinion) == 0)
        return stop(4230);
    if (maximumOf(gear) == 0 && minimumOf(gear) == 0)
        return stop(4200);
    // A single limit given stands for both.
    for (T_Gear* member : {&pinion, &gear}) {
        if (minimumOf(*member) == 0 && maximumOf(*member) != 0)
            storeLimit(*member, Minimum, maximumOf(*member));
        if (maximumOf(*member) == 0 && minimumOf(*member) != 0)
            storeLimit(*member, Maximum, minimumOf(*member));
    }

    const double tenth = PCo / 10;
    if (tenth > minimumOf(pinion) || tenth > maximumOf(pinion))
        return stop(4201);
    if (tenth > minimumOf(gear) || tenth > maximumOf(gear))
        return stop(4202);
    if (maximumOf(pinion) < minimumOf(pinion))
        return stop(4203);
    if (maximumOf(gear) < minimumOf(gear))
        return stop(4204);
    if (maximumOf(pinion) > PCo || maximumOf(gear) > PCo)
        return stop(4207);
    if (minimumOf(pinion) > PCo || minimumOf(gear) > PCo)
        return stop(4208);
    if (Oset.BackLash(0, 1, 0) < runtime::divide(-0.001, Oset.Pd_n()))
        navigator.ports().messages.show(0, "Your gears are interfering, backlash < 0, --continuing--");
    if (pinion.EGB(1) < pinion.EGB(0))
        return stop(4145);
    if (gear.EGB(1) < gear.EGB(0))
        return stop(4146);
    return true;
}

void toothThicknessTable(T_StateNavigator& navigator, T_State&, TableRun& run, bool&)
{
    const T_Set& Oset = navigator.Oset();
    const T_Gear& pinion = *Oset.oPinion;
    const T_Gear& gear = *Oset.oGear;
    const Units& units = navigator.ports().units;
    const double lf = units.LengthFactor();
    // A row of both members' limits of one thickness form.
    const auto thicknessRow = [&](const char* key, double (T_Gear::*thickness)(std::int32_t) const,
                                  int description) {
        run.pairRow(
            key,
            [&] { return tables::minMaxText(run, (pinion.*thickness)(Minimum), (pinion.*thickness)(Maximum), lf); },
            [&] { return tables::minMaxText(run, (gear.*thickness)(Minimum), (gear.*thickness)(Maximum), lf); },
            [&] { return lengthText(units, description); });
    };
    const auto backlashRow = [&](std::int32_t plane, int description) {
        run.setValueRow(
            "BackLash",
            [&] {
                return tables::signedText(run, Oset.BackLash(0, plane, 0) * lf) + " / " +
                       tables::signedText(run, Oset.BackLash(0, plane, 1) * lf);
            },
            [&] { return lengthText(units, description); });
    };

    run.size(7);
    if (run.helical())
        run.size(11);
    run.setRow(0);
    run.setValueRow("PC_o", [&] { return run.format(Oset.PC_o() * lf); }, [&] { return lengthText(units, 4018); });
    run.nextRow();
    run.pairRow(
        "TTK_o%", [&] { return run.format(pinion.TTK_o(0, Minimum)); },
        [&] { return run.format(gear.TTK_o(0, Minimum)); }, [] { return text(4220); });
    run.nextRow();
    run.pairRow(
        "TTK_o",
        [&] { return tables::minMaxText(run, pinion.TTK_o(1, Minimum), pinion.TTK_o(1, Maximum), lf); },
        [&] { return tables::minMaxText(run, gear.TTK_o(1, Minimum), gear.TTK_o(1, Maximum), lf); },
        [&] { return lengthText(units, 4221) + "(Min)"; });
    if (run.helical()) {
        run.nextRow();
        thicknessRow("TTK_on", &T_Gear::TTK_on, 4222);
    }
    run.nextRow();
    thicknessRow("TTK_s", &T_Gear::TTK_s, 4223);
    if (run.helical()) {
        run.nextRow();
        thicknessRow("TTK_sn", &T_Gear::TTK_sn, 4224);
    }
    run.nextRow();
    thicknessRow("TTK_b", &T_Gear::TTK_b, 4225);
    if (run.helical()) {
        run.nextRow();
        thicknessRow("TTK_bn", &T_Gear::TTK_bn, 4226);
    }
    run.nextRow();
    run.pairRow(
        "Coefficient", [&] { return run.format(pinion.TTK_RackshiftCoeff()); },
        [&] { return run.format(gear.TTK_RackshiftCoeff()); }, [] { return text(4071); });
    if (run.helical()) {
        run.nextRow();
        backlashRow(1, 4074);
    }
    run.nextRow();
    backlashRow(0, 4214);
    run.nextRow();
    run.pairRow(
        "EGB", [&] { return run.format(pinion.EGB(Maximum) * lf); }, [&] { return run.format(gear.EGB(Maximum) * lf); },
        [&] { return lengthText(units, 4031); });
}

} // namespace

StepHandler toothThicknessStep()
{
    return {readToothThickness, checkToothThickness, toothThicknessTable};
}

} // namespace cindrel::sequence
