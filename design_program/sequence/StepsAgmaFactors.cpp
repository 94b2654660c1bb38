#include "sequence/StepsRating.h"

#include "sequence/AgmaHandOver.h"
#include "sequence/StepInputs.h"
#include "sequence/StepTables.h"
#include "sequence/T_StateNavigator.h"

#include "model/T_AGMA1.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"
#include "results/TableRun.h"
#include "runtime/NumberFormat.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <array>
#include <cmath>
#include <string>

namespace cindrel::sequence {

namespace {

using model::T_AGMA1;
using results::LabelRef;
using results::TableRun;

constexpr double HighestModulus = 80'000'000; // psi
constexpr double SteelModulus = 30'000'000;   // psi

const T_AGMA1& factorsOf(const model::T_Set& Oset)
{
    if (!Oset.oAGMA1)
        runtime::raise(runtime::ObjectVariableNotSet);
    return *Oset.oAGMA1;
}

void readFactorsOnMain(T_StateNavigator& navigator)
{
    const StepInputs in(navigator.ports().controls, navigator.ports().units);
    if (!navigator.Oset().oAGMA1)
        runtime::raise(runtime::ObjectVariableNotSet);
    T_AGMA1& factors = *navigator.Oset().oAGMA1;
    // The texts as typed: the model keeps factors as text, a trailing "*"
    // (a factor set by hand) included.
    factors.Km(in.text("txtKm"));
    factors.Ko(in.text("txtKo"));
    factors.Kr(in.text("txtKr"));
    factors.Ks(in.text("txtKs"));
    factors.Kt(in.text("txtKt"));
    factors.Kv(in.text("txtKV"));
    factors.Cf(in.text("txtCf"));
    // The pinion's hardness ratio factor is always 1: only the softer gear gains.
    factors.Ch(0, "1");
    for (int i = 0; i < 2; ++i) {
        factors.Ch(1, in.text("txtCh"));
        factors.Kb(i, in.text("txtKb", i));
        factors.SF(i, in.text("txtSf", i));
        factors.Sh(i, in.text("txtSh", i));
        factors.Yn(i, in.text("txtYn", i));
        factors.Zn(i, in.text("txtZn", i));
    }
    // Allowable powers come only from the AGMA factors window: those of an
    // earlier pass through it no longer hold.
    navigator.All4Horsepowers.reset();
    clearShownAllowablePowers(navigator.ports().controls);
    navigator.ports().controls.setEnabled(mainWindowControl("txtSurfaceFinish"), true);
}

std::string caption(const T_StateNavigator& navigator, std::string_view label, int index = -1)
{
    return navigator.ports().controls.value(mainWindowControl(label, index));
}

using tables::text;

// The factors table of both AGMA steps; mode 8 heads it with the window's
// materials, lives and load distribution equation.
void factorsTable(T_StateNavigator& navigator, TableRun& run)
{
    const model::T_Set& Oset = navigator.Oset();
    const bool window = navigator.AgmaInputMode == 8;
    run.size(12);
    if (window) {
        const bool kmRow = run.condition([&] { return !caption(navigator, "lblKmString").empty(); });
        run.size(kmRow ? 16 : 17);
    }
    run.setRow(-1);
    if (window) {
        run.nextRow();
        run.textRow("Pinion", LabelRef{"frmMain", "lblMaterial", 0});
        run.nextRow();
        run.textRow("Gear", LabelRef{"frmMain", "lblMaterial", 1});
        run.nextRow();
        // The number at the start of the caption: a grouping comma ends it.
        const auto cycles = [&](int member) {
            return TableRun::format(runtime::leadingNumber(caption(navigator, "lblGearLife", member)), "Scientific");
        };
        run.pairRow("Cycles", [&] { return cycles(0); }, [&] { return cycles(1); }, "");
        run.nextRow();
        run.setValueRow("Hours", [&] { return caption(navigator, "lblGearLife", 2); }, "");
        std::string kmString;
        if (run.condition([&] { return !(kmString = caption(navigator, "lblKmString")).empty(); })) {
            run.nextRow();
            run.textRow("Km String", kmString);
        }
    }

    // The factors as the texts the pair holds, never through the number format.
    using PairWide = std::string (T_AGMA1::*)() const;
    const std::array<std::pair<const char*, PairWide>, 6> pairWide = {{
        {"Km", &T_AGMA1::Km}, {"Kv", &T_AGMA1::Kv}, {"Ko", &T_AGMA1::Ko},
        {"Kr", &T_AGMA1::Kr}, {"Kt", &T_AGMA1::Kt}, {"Ks", &T_AGMA1::Ks},
    }};
    int description = 4100;
    for (const auto& [key, get] : pairWide) {
        run.nextRow();
        run.setValueRow(key, [&] { return (factorsOf(Oset).*get)(); }, text(description++));
    }
    using PerMember = std::string (T_AGMA1::*)(std::int32_t) const;
    const std::array<std::pair<const char*, PerMember>, 6> perMember = {{
        {"Kb", &T_AGMA1::Kb}, {"Ch", &T_AGMA1::Ch}, {"Yn", &T_AGMA1::Yn},
        {"Zn", &T_AGMA1::Zn}, {"SF", &T_AGMA1::SF}, {"Sh", &T_AGMA1::Sh},
    }};
    for (const auto& [key, get] : perMember) {
        run.nextRow();
        run.pairRow(key, [&] { return (factorsOf(Oset).*get)(0); }, [&] { return (factorsOf(Oset).*get)(1); },
                    text(description++));
    }
}

bool outOfBounds(double modulus, double lowest) { return modulus < lowest || modulus > HighestModulus; }

bool outOfBoundsRatio(double ratio) { return ratio > 0.6 || ratio < 0.1; }

} // namespace

bool checkRatingFactors(T_StateNavigator& navigator)
{
    const T_AGMA1& f = factorsOf(navigator.Oset());
    // Each factor by itself: a product could overflow or underflow, and a
    // negative factor makes every stress meaningless.
    const std::array<std::string, 19> texts = {
        f.Kv(),  f.Ks(),  f.Km(),  f.Kt(),  f.Kr(),  f.Kb(0), f.Kb(1), f.Zn(0), f.Zn(1), f.Yn(0),
        f.Yn(1), f.SF(0), f.SF(1), f.Sh(0), f.Sh(1), f.Ch(0), f.Ch(1), f.Cf(),  f.Ko(),
    };
    for (const std::string& factor : texts) {
        if (runtime::leadingNumber(factor) <= 0) {
            navigator.showResourceMessage(3013);
            return false;
        }
    }
    return true;
}

bool checkElasticConstants(T_StateNavigator& navigator, double lowestModulus)
{
    const model::T_Set& Oset = navigator.Oset();
    int message = 0;
    if (outOfBounds(Oset.oPinion->E(), lowestModulus))
        message = 3018;
    else if (outOfBounds(Oset.oGear->E(), lowestModulus))
        message = 3019;
    else if (outOfBoundsRatio(Oset.oPinion->Mu()))
        message = 3020;
    else if (outOfBoundsRatio(Oset.oGear->Mu()))
        message = 3021;
    if (message == 0)
        return true;
    if (message == 3018 || message == 3019) {
        // The bounds this check holds the modulus to, in the unit the user types it in.
        const Units& units = navigator.ports().units;
        const std::string unit = tables::unitName(units.PressureUnits());
        const auto shown = [&](double psi) {
            const double value = psi * units.PressureFactor();
            const bool whole = std::round(value * 10) == std::round(value) * 10;
            return runtime::formatNumber(value, whole ? "#,##0" : "#,##0.0");
        };
        navigator.ports().messages.show(message, text(message) + "; acceptable values are from " +
                                                     shown(lowestModulus) + " to " + shown(HighestModulus) + " " +
                                                     unit + " (steel about " + shown(SteelModulus) + " " + unit + ")");
        return false;
    }
    navigator.showResourceMessage(message);
    return false;
}

StepHandler agmaOnMainStep()
{
    StepHandler step;
    step.read = [](T_StateNavigator& navigator, T_State&) { readFactorsOnMain(navigator); };
    step.check = [](T_StateNavigator& navigator, T_State&) { return checkRatingFactors(navigator); };
    step.table = [](T_StateNavigator& navigator, T_State&, TableRun& run, bool&) { factorsTable(navigator, run); };
    return step;
}

StepHandler agmaFactorsStep()
{
    StepHandler step;
    // The window commits its own values before it moves the sequence on.
    step.check = [](T_StateNavigator& navigator, T_State&) {
        return checkElasticConstants(navigator, 1'000'000) && checkRatingFactors(navigator);
    };
    step.table = [](T_StateNavigator& navigator, T_State&, TableRun& run, bool&) { factorsTable(navigator, run); };
    return step;
}

} // namespace cindrel::sequence
