#include "outputs/T_MFGOutputs.h"

#include "outputs/T_AGMATolerances.h"
#include "outputs/T_AGMATolsMetric.h"

#include "model/MMath.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"

#include "runtime/CheckedMath.h"
#include "runtime/NumberFormat.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <new>

namespace cindrel::outputs {

namespace {

constexpr const char* CrLf = "\r\n";
constexpr const char* TwoValues = "0";
constexpr const char* PairValue = "3";

// A value handed on in single precision, as the tolerance inputs are:
// Overflow where it does not fit.
double single(double value)
{
    const float narrowed = static_cast<float>(runtime::checkFinite(value));
    if (std::isinf(narrowed))
        runtime::raise(runtime::Overflow);
    return narrowed;
}

std::string wholeNumber(double value) { return runtime::formatNumber(value, "#,##0"); }

} // namespace

T_MFGOutputs::T_MFGOutputs(model::T_Set& pair, MfgHost& host) : pair_(pair), host_(host) {}

std::size_t T_MFGOutputs::member(int index)
{
    if (index != 0 && index != 1)
        runtime::raise(runtime::SubscriptOutOfRange);
    return static_cast<std::size_t>(index);
}

void T_MFGOutputs::TIF(int index, double value) { TIF_[member(index)] = value; }
void T_MFGOutputs::PinDiam(int index, double value) { PinDiam_[member(index)] = value; }
void T_MFGOutputs::Quality(int index, double value) { Quality_[member(index)] = value; }
void T_MFGOutputs::TTK_Code(int index, const std::string& value) { TTK_Code_[member(index)] = value; }
void T_MFGOutputs::Decimals(std::int32_t listPosition) { decimals_ = runtime::add32(listPosition, 1); }
void T_MFGOutputs::TeethSpanned(int index, std::int16_t value) { TeethSpanned_[member(index)] = value; }
std::int16_t T_MFGOutputs::TeethSpanned(int index) const { return TeethSpanned_[member(index)]; }
void T_MFGOutputs::HelixHand(int index, const std::string& value) { HelixHand_[member(index)] = value; }

std::string T_MFGOutputs::formatted(double value) const
{
    if (decimals_ < 0 || decimals_ > MostDecimals)
        runtime::raise(runtime::InvalidProcedureCall,
                       "Decimal places must lie between 0 and " + std::to_string(MostDecimals) + ", not "
                           + std::to_string(decimals_));
    std::string pattern = "#,##0";
    if (decimals_ > 0) {
        pattern += '.';
        pattern.append(static_cast<std::size_t>(decimals_), '0');
    }
    return runtime::formatNumber(value, pattern);
}

void T_MFGOutputs::GetTolerances()
{
    std::unique_ptr<AgmaToleranceClass> tolerances;
    if (host_.units().metricChecked)
        tolerances = std::make_unique<T_AGMATolsMetric>(host_.errorReporter());
    else
        tolerances = std::make_unique<T_AGMATolerances>(host_.errorReporter());

    for (int index = 0; index < 2; ++index) {
        const model::T_Gear& gear = pair_.member(index);
        const std::size_t i = member(index);
        tolerances->aaVariablesIn(runtime::toInt16(single(Quality_[i])), runtime::toInt16(gear.N()),
                                  single(pair_.Pd_n()), single(pair_.Psi()), single(gear.GearFace()), TTK_Code_[i]);
        RadialRunout_[i] = tolerances->RadialRunout();
        PitchVariation_[i] = tolerances->PitchVariation();
        ProfileTolerance_[i] = tolerances->ProfileTolerance();
        ToothAlignment_[i] = tolerances->ToothAlignment();
        TotalComposite_[i] = tolerances->TotalComposite();
        Tooth2ToothComposite_[i] = tolerances->Tooth2ToothComposite();
    }
}

T_MFGOutputs::Table T_MFGOutputs::NewMFGArray()
{
    const MfgUnits units = host_.units();
    const double L = units.LengthFactor;
    const std::string& length = units.LengthUnits;
    const std::string& small = units.SmallLengthUnits;
    model::T_Gear& pinion = *pair_.oPinion;
    model::T_Gear& gear = *pair_.oGear;
    const std::array<model::T_Gear*, 2> members{&pinion, &gear};

    // The true involute form radius: the lowest-contact radius less the
    // allowance, or for an internal gear, whose flank runs outward, plus it.
    std::array<double, 2> formRadius{};
    for (std::size_t i = 0; i < 2; ++i) {
        const double maxLimit = members[i]->R_lc(1);
        const double minLimit = members[i]->R_lc(0);
        const bool internalGear = i == 1 && pair_.IntExt() != 1;
        formRadius[i] = internalGear ? std::max(maxLimit, minLimit) + TIF_[i] : std::min(maxLimit, minLimit) - TIF_[i];
    }
    const std::array<double, 2> pins = PinDiam_;
    GetTolerances();
    const bool helical = pair_.Psi() != 0.0;

    Table table;
    table.reserve(helical ? 54 : 46);
    const auto row = [&](std::string description, std::string pinionText, std::string gearText, const char* layout) {
        table.push_back({std::move(description), std::move(pinionText), std::move(gearText), layout});
    };
    // One value for the pair, in both value cells.
    const auto pairRow = [&](std::string description, double value) {
        std::string text = formatted(value);
        row(std::move(description), text, text, PairValue);
    };
    // Each member's own value.
    const auto memberRow = [&](std::string description, auto&& valueOf) {
        std::string pinionText = formatted(valueOf(pinion, 0));
        std::string gearText = formatted(valueOf(gear, 1));
        row(std::move(description), std::move(pinionText), std::move(gearText), TwoValues);
    };
    const auto lengthRow = [&](const std::string& description, auto&& inchesOf) {
        memberRow(description + length, [&](model::T_Gear& g, std::size_t i) { return inchesOf(g, i) * L; });
    };
    const auto angleRow = [&](std::string description, auto&& radiansOf) {
        memberRow(std::move(description),
                  [&](model::T_Gear& g, std::size_t i) { return model::MMath::Rad2Deg(radiansOf(g, i)); });
    };
    const auto textRow = [&](std::string description, const std::array<std::string, 2>& texts) {
        row(std::move(description), texts[0], texts[1], TwoValues);
    };
    const bool metricPitch = L != 1.0;

    row("Number of teeth ", runtime::numberText(pinion.N()), runtime::numberText(gear.N()), TwoValues);
    pairRow("pressure Angle (\u00B0)", model::MMath::Rad2Deg(pair_.Phi()));
    if (helical) {
        pairRow("Normal pressure Angle (\u00B0)", model::MMath::Rad2Deg(pair_.Phi_n()));
        pairRow("Helix Angle(\u00B0)", model::MMath::Rad2Deg(pair_.Psi()));
        textRow("Helix hand", HelixHand_);
    }
    if (metricPitch)
        pairRow("Module ", runtime::divide(L, pair_.pd()));
    else
        pairRow("diametral pitch ", pair_.pd());
    if (helical) {
        if (metricPitch)
            pairRow("Normal Module ", runtime::divide(L, pair_.Pd_n()));
        else
            pairRow("Normal diametral pitch ", pair_.Pd_n());
    }
    lengthRow("Tip diameter (Max) ", [](model::T_Gear& g, std::size_t) { return 2 * g.Ro(0, 1, 1); });
    lengthRow("Tip diameter (Min) ", [](model::T_Gear& g, std::size_t) { return 2 * g.Ro(0, 1, 0); });
    lengthRow("Root diameter (Max) ", [](model::T_Gear& g, std::size_t) { return 2 * g.RR(1); });
    lengthRow("Root diameter (Min) ", [](model::T_Gear& g, std::size_t) { return 2 * g.RR(0); });
    lengthRow("True involute form diameter ", [&](model::T_Gear&, std::size_t i) { return 2 * formRadius[i]; });

    // Each call may replace or extend the member's pin text; the Min call's text is the one shown.
    std::array<std::string, 2> pinText, spanText;
    for (std::int32_t limit : {1, 0}) {
        lengthRow(limit == 1 ? "Pin measurement (Max) " : "Pin measurement (Min) ",
                  [&](model::T_Gear& g, std::size_t i) {
                      std::int32_t fit = 0;
                      return g.PinMeasure(pins[i] * L, pinText[i], std::string(), limit, fit);
                  });
    }
    lengthRow("Pin diameter ", [&](model::T_Gear&, std::size_t i) { return pins[i]; });
    for (std::int32_t limit : {1, 0}) {
        lengthRow(limit == 1 ? "Span measurement (Max) " : "Span measurement (Min) ",
                  [&](model::T_Gear& g, std::size_t i) {
                      return g.SpanMeasurement(TeethSpanned(static_cast<int>(i)), spanText[i], limit);
                  });
    }
    row("Number of teeth spanned ", wholeNumber(TeethSpanned(0)), wholeNumber(TeethSpanned(1)), TwoValues);
    lengthRow("Minimum fillet radius ", [](model::T_Gear& g, std::size_t) { return g.oStress.rRf; });
    lengthRow("Arc tooth thickness (@operating circle)-(Max) ",
              [](model::T_Gear& g, std::size_t) { return g.TTK_o(1, 1); });
    lengthRow("Arc tooth thickness (@operating circle)-(Min) ",
              [](model::T_Gear& g, std::size_t) { return g.TTK_o(1, 0); });
    if (helical) {
        lengthRow("Arc tooth thickness (normal@operating circle)-(Max) ",
                  [](model::T_Gear& g, std::size_t) { return g.TTK_on(1); });
        lengthRow("Arc tooth thickness (normal@operating circle)-(Min) ",
                  [](model::T_Gear& g, std::size_t) { return g.TTK_on(0); });
    }
    lengthRow("Arc tooth thickness (@pitch circle)-(Max) ", [](model::T_Gear& g, std::size_t) { return g.TTK_s(1); });
    lengthRow("Arc tooth thickness (@pitch circle)-(Min) ", [](model::T_Gear& g, std::size_t) { return g.TTK_s(0); });
    if (helical) {
        lengthRow("Arc tooth thickness (normal@pitch circle)-(Max) ",
                  [](model::T_Gear& g, std::size_t) { return g.TTK_sn(1); });
        lengthRow("Arc tooth thickness (normal@pitch circle)-(Min) ",
                  [](model::T_Gear& g, std::size_t) { return g.TTK_sn(0); });
    }
    {
        std::string most = "Max " + formatted(pair_.BackLash(0, 1, 1) * L);
        std::string least = "Min " + formatted(pair_.BackLash(0, 1, 0) * L);
        row("Transverse operating backlash " + length, std::move(most), std::move(least), TwoValues);
    }
    lengthRow("Base diameter ", [](model::T_Gear& g, std::size_t) { return 2 * g.Rb(); });
    lengthRow("Face width (Min) ", [](model::T_Gear& g, std::size_t) { return g.GearFace(); });
    angleRow("Roll Angle @OD (Max) (\u00B0)", [](model::T_Gear& g, std::size_t) { return g.The_od(1, 0); });
    angleRow("Roll Angle @OD (Min) (\u00B0)", [](model::T_Gear& g, std::size_t) { return g.The_od(0, 0); });
    angleRow("Roll Angle @Edge Break OD (Max) (\u00B0)", [](model::T_Gear& g, std::size_t) { return g.The_od(1, -1); });
    angleRow("Roll Angle @Edge Break OD (Min) (\u00B0)", [](model::T_Gear& g, std::size_t) { return g.The_od(0, -1); });
    angleRow("Roll Angle @HPSTC (Max)(\u00B0)", [](model::T_Gear& g, std::size_t) { return g.HPSTC(1); });
    angleRow("Roll Angle @HPSTC (Min)(\u00B0)", [](model::T_Gear& g, std::size_t) { return g.HPSTC(0); });
    // The roll angle at a circle is the tangent of the pressure angle there,
    // as at every other circle of the table; the same for both members.
    angleRow("Roll Angle @Pitch Circle (Operating)(\u00B0)",
             [&](model::T_Gear&, std::size_t) { return runtime::tangent(pair_.Phi_o()); });
    angleRow("Roll Angle @Pitch Circle (Manufactured)(\u00B0)",
             [&](model::T_Gear&, std::size_t) { return runtime::tangent(pair_.Phi()); });
    angleRow("Roll Angle @LPSTC (Max)(\u00B0)", [](model::T_Gear& g, std::size_t) { return g.LPSTC(1); });
    angleRow("Roll Angle @LPSTC (Min)(\u00B0)", [](model::T_Gear& g, std::size_t) { return g.LPSTC(0); });
    angleRow("Roll Angle @Lowest Contact (\u00B0)", [](model::T_Gear& g, std::size_t) { return g.The_lc(1); });
    angleRow("Roll Angle @TIFF (\u00B0)",
             [&](model::T_Gear& g, std::size_t i) { return g.RollAngleFromRadius(formRadius[i]); });
    angleRow("Roll Angle @RTangent (\u00B0)",
             [](model::T_Gear& g, std::size_t) { return g.RollAngleFromRadius(g.oStress.Rtangent); });
    lengthRow("Radius Tangent", [](model::T_Gear& g, std::size_t) { return g.oStress.Rtangent; });
    lengthRow("Radius at Lowest Contact ", [](model::T_Gear& g, std::size_t) { return g.R_lc(1); });
    lengthRow("Break edges of teeth (Max) ", [](model::T_Gear& g, std::size_t) { return g.EGB(1); });
    lengthRow("Break edges of teeth (Min) ", [](model::T_Gear& g, std::size_t) { return g.EGB(0); });
    textRow("Radial runout tolerance " + small, RadialRunout_);
    textRow("Pitch variation tolerance " + small, PitchVariation_);
    textRow("Profile tolerance " + small, ProfileTolerance_);
    textRow("Tooth alignment(lead) tolerance " + small, ToothAlignment_);
    textRow("Total composite tolerance " + small, TotalComposite_);
    textRow("Tooth to tooth composite tolerance " + small, Tooth2ToothComposite_);
    row("Quality number ", wholeNumber(Quality_[0]), wholeNumber(Quality_[1]), TwoValues);

    // Only a complete table reaches the clipboard and the run log.
    host_.replaceClipboardText(clipboardText(table));
    if (!(pinText[0].empty() && spanText[0].empty() && pinText[1].empty() && spanText[1].empty()))
        host_.showRunLogText("Pinion; " + pinText[0] + spanText[0] + CrLf + "Gear; " + pinText[1] + spanText[1]);
    return table;
}

std::string T_MFGOutputs::clipboardText(const Table& table)
{
    std::string text;
    for (const Row& cells : table)
        text += cells[0] + ", " + cells[1] + ", " + cells[2] + ", " + cells[3] + CrLf;
    return text;
}

std::string T_MFGOutputs::copyText(const Table& table)
{
    std::string text = "Description, Pinion, Gear";
    for (const Row& cells : table)
        text += CrLf + cells[0] + "," + cells[1] + "," + cells[2];
    return text;
}

bool T_MFGOutputs::Array2ClipBoard()
{
    if (!MFGArray_)
        return false;
    try {
        host_.replaceClipboardText(copyText(*MFGArray_));
        return true;
    } catch (const std::exception& error) {
        const auto [number, description] = runtime::errorTextOf(error);
        host_.errorReporter().reportError("T_MFGOutputs", "Array2ClipBoard", std::to_string(number), description, "");
    }
    return false;
}

bool T_MFGOutputs::MakeNewArray()
{
    const auto report = [this](int number, const std::string& description) {
        lastFailure_ = description.empty() ? runtime::errorDescription(number) : description;
        host_.errorReporter().reportError("T_MFGOutputs", "MakeNewArray", std::to_string(number), description,
                                          "The manufacturing table was not rebuilt.");
    };
    try {
        Table table = NewMFGArray();
        MFGArray_ = std::move(table);
        lastFailure_.clear();
        return true;
    } catch (const std::exception& error) {
        const auto [number, description] = runtime::errorTextOf(error);
        report(number, description);
    }
    return false;
}

} // namespace cindrel::outputs
