#include "AgmaCommit.h"

#include "BoxNumber.h"

#include "model/MMath.h"
#include "model/T_AGMA1.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"
#include "runtime/NumberFormat.h"
#include "runtime/NumberText.h"
#include "runtime/ResumeNext.h"
#include "runtime/RuntimeError.h"

#include <cmath>
#include <new>
#include <tuple>
#include <functional>

namespace cindrel::agma {

namespace {

// Ra to RMS roughness of a ground or cut flank.
constexpr double RaToRms = 1.1;
constexpr float KilowattsPerHorsepower = 0.7457f;

double numberOrZero(const std::optional<double>& value) { return value ? *value : 0; }

std::optional<double> strictNumber(const std::string& text) {
    try {
        return runtime::toNumber(text);
    } catch (const runtime::RuntimeError&) {
        return std::nullopt;
    }
}

const char* memberName(int i) { return i == 0 ? "pinion" : "gear"; }

constexpr int CfShSfChTab = 7, KmTab = 4, KoKrKsKtTab = 5, KvTab = 2, KbTab = 3, YnZnTab = 6, MaterialsTab = 1;

UnreadableBox refusal(const char* name, int index, int tab, const std::string& what, const std::string& reason) {
    std::string message = what;
    if (index >= 0)
        message += std::string(" of the ") + memberName(index);
    message += ": " + reason + ". Nothing was committed: correct it and try again.";
    return {name, index, tab, message};
}

// The fault of a box's text, or nullopt when it holds a number of 0 or more.
// No factor, stress, modulus or ratio of these boxes is below 0.
std::optional<std::string> faultOf(const std::string& text) {
    if (text.empty())
        return "the box is empty";
    const std::optional<double> value = wholeBoxNumber(text);
    if (!value)
        return "\"" + text + "\" is not a number";
    if (*value < 0)
        return "\"" + text + "\" is below 0";
    return std::nullopt;
}

} // namespace

std::optional<UnreadableBox> unreadableBox(const CommitTexts& t) {
    struct Factor {
        const char* name;
        int tab;
        const char* what;
        const std::string& text;
    };
    const Factor pairFactors[] = {
        {"txtCf", CfShSfChTab, "Cf, the surface condition factor", t.Cf},
        {"txtKm", KmTab, "Km, the load distribution factor", t.Km},
        {"txtKo", KoKrKsKtTab, "Ko, the overload factor", t.Ko},
        {"txtKr", KoKrKsKtTab, "Kr, the reliability factor", t.Kr},
        {"txtKs", KoKrKsKtTab, "Ks, the size factor", t.Ks},
        {"txtKt", KoKrKsKtTab, "Kt, the temperature factor", t.Kt},
        {"txtKV", KvTab, "Kv, the dynamic factor", t.Kv},
    };
    for (const Factor& f : pairFactors)
        if (const std::optional<std::string> fault = faultOf(f.text))
            return refusal(f.name, -1, f.tab, f.what, *fault);
    for (int i : {0, 1}) {
        const auto m = static_cast<std::size_t>(i);
        const Factor memberFactors[] = {
            {"txtCh", CfShSfChTab, "Ch, the hardness ratio factor", t.Ch[m]},
            {"txtKb", KbTab, "Kb, the rim thickness factor", t.Kb[m]},
            {"txtSf", CfShSfChTab, "Sf, the bending safety factor", t.SF[m]},
            {"txtSh", CfShSfChTab, "Sh, the pitting safety factor", t.Sh[m]},
            {"txtYn", YnZnTab, "Yn, the bending stress cycle factor", t.Yn[m]},
            {"txtZn", YnZnTab, "Zn, the pitting stress cycle factor", t.Zn[m]},
        };
        for (const Factor& f : memberFactors)
            if (const std::optional<std::string> fault = faultOf(f.text))
                return refusal(f.name, i, f.tab, f.what, *fault);
    }
    // The material boxes are empty while no material is chosen.
    for (int i : {0, 1}) {
        const auto m = static_cast<std::size_t>(i);
        const Factor materialBoxes[] = {
            {"txtYoungs", MaterialsTab, "The modulus of elasticity", t.Youngs[m]},
            {"txtPoissons", MaterialsTab, "Poisson's ratio", t.Poissons[m]},
            {"txtSAC", MaterialsTab, "The allowable contact stress (SAC)", t.SAC[m]},
            {"txtSAT", MaterialsTab, "The allowable bending stress (SAT)", t.SAT[m]},
        };
        for (const Factor& f : materialBoxes)
            if (!f.text.empty())
                if (const std::optional<std::string> fault = faultOf(f.text))
                    return refusal(f.name, i, f.tab, f.what, *fault);
    }
    return std::nullopt;
}

std::optional<std::string> surfaceFinishText(const std::string& ra, double rmsFactor) {
    const std::optional<double> value = strictNumber(ra);
    if (!value)
        return std::nullopt;
    return runtime::formatNumber(*value * RaToRms * rmsFactor, "0.0###");
}

CommitResult commitFactors(const CommitTexts& t, const CommitMainSide& main, model::T_Set& pair,
                           runtime::ErrorReporter& errors) {
    CommitResult result;
    if ((result.refused = unreadableBox(t)))
        return result;
    const auto write = [&result](const char* name, int index, std::string text) {
        result.writes.push_back({name, index, std::move(text)});
    };
    int stepNumber = 0;
    const auto step = [&](const std::function<void()>& action) {
        ++stepNumber;
        runtime::reportingNumberedOrMemoryErrors(errors, "frmAGMA", "CommitFactors", action,
                                                 "step " + std::to_string(stepNumber));
    };
    model::T_AGMA1* factors = pair.oAGMA1.get();

    using PairFactor = void (model::T_AGMA1::*)(const std::string&);
    step([&] {
        if (factors == nullptr)
            runtime::raise(runtime::ObjectVariableNotSet);
        const std::tuple<PairFactor, const char*, const std::string&> pairFactors[] = {
            {&model::T_AGMA1::Cf, "txtCf", t.Cf}, {&model::T_AGMA1::Km, "txtKm", t.Km},
            {&model::T_AGMA1::Ko, "txtKo", t.Ko}, {&model::T_AGMA1::Kr, "txtKr", t.Kr},
            {&model::T_AGMA1::Ks, "txtKs", t.Ks}, {&model::T_AGMA1::Kt, "txtKt", t.Kt},
            {&model::T_AGMA1::Kv, "txtKV", t.Kv}};
        for (const auto& [set, box, text] : pairFactors) {
            (factors->*set)(text);
            write(box, -1, text);
        }
    });
    // The main window has one Ch: the gear's, the one the pair's rating uses.
    step([&] { write("txtCh", -1, t.Ch[1]); });
    for (int i : {0, 1}) {
        const auto m = static_cast<std::size_t>(i);
        step([&] {
            if (factors == nullptr)
                runtime::raise(runtime::ObjectVariableNotSet);
            factors->Ch(i, t.Ch[m]);
            using MemberFactor = void (model::T_AGMA1::*)(std::int32_t, const std::string&);
            const std::tuple<MemberFactor, const char*, const std::string&> memberFactors[] = {
                {&model::T_AGMA1::Kb, "txtKb", t.Kb[m]}, {&model::T_AGMA1::SF, "txtSf", t.SF[m]},
                {&model::T_AGMA1::Sh, "txtSh", t.Sh[m]}, {&model::T_AGMA1::Yn, "txtYn", t.Yn[m]},
                {&model::T_AGMA1::Zn, "txtZn", t.Zn[m]}};
            for (const auto& [set, box, text] : memberFactors) {
                (factors->*set)(i, text);
                write(box, i, text);
            }
        });
    }
    step([&] {
        if (t.rms.empty())
            return;
        if (const std::optional<std::string> finish = surfaceFinishText(t.rms, main.rmsFactor))
            write("txtSurfaceFinish", -1, *finish);
    });
    step([&] {
        if (t.powers)
            pair.aaHorsePower(true, t.powers->lowestPower());
    });
    const double speed = boxNumberOrZero(t.speed);
    step([&] { pair.member(0).aaSpeed(true, speed); });
    step([&] {
        if (!runtime::isNumeric(main.powerHowInput))
            return;
        const double mode = runtime::toNumber(main.powerHowInput);
        if (mode == 0)
            return;
        if (mode == 2)
            write("txtPowerInput1", -1, runtime::numberText(pair.member(0).RPM()));
        else
            write("txtPowerInput2", -1, runtime::numberText(speed));
    });
    step([&] {
        // Kilowatts are converted from the power worked out, not from its rounded
        // horsepower, and keep the three figures the horsepower has.
        const auto shown = [&](int k) -> std::string {
            if (!t.powers)
                return {};
            const auto index = static_cast<std::size_t>(k);
            if (!main.metric)
                return runtime::singleText(t.powers->power[index]) + " HP";
            // A table made without its unrounded powers converts the rounded ones.
            const double unrounded = t.powers->unrounded[index];
            const double horsepower = unrounded > 0 ? unrounded : t.powers->power[index];
            const double kilowatts =
                model::MMath::RoundSignificant(horsepower * static_cast<double>(KilowattsPerHorsepower), 3);
            return runtime::singleText(static_cast<float>(kilowatts)) + " kW";
        };
        result.showPowerFrame = true;
        write("txtSAC", 0, shown(PinionPac));
        write("txtSAC", 1, shown(GearPac));
        write("txtSAT", 0, shown(PinionPat));
        write("txtSAT", 1, shown(GearPat));
    });
    for (int i : {0, 1}) {
        step([&] {
            const double modulus = numberOrZero(wholeBoxNumber(t.Youngs[static_cast<std::size_t>(i)]));
            pair.member(i).aaModulus_Elasticity(modulus);
            write("txtYoungsModulus", i, runtime::formatNumber(modulus * main.pressureFactor, "Scientific"));
        });
    }
    for (int i : {0, 1}) {
        step([&] {
            const double poisson = numberOrZero(wholeBoxNumber(t.Poissons[static_cast<std::size_t>(i)]));
            pair.member(i).aaPoissons_Ratio(poisson);
            write("txtPoissonRatio", i, runtime::numberText(poisson));
        });
    }
    for (int i : {0, 1}) {
        const auto m = static_cast<std::size_t>(i);
        step([&] { write("lblMaterial", i, t.matSourceType[m] + " " + t.matSource[m]); });
    }
    if (t.powers)
        result.powerTable = t.powers->table();
    for (int i : {0, 1})
        step([&] { pair.member(i).SATfromAGMA(numberOrZero(stressNumber(t.SAT[static_cast<std::size_t>(i)]))); });
    for (int i : {0, 1})
        step([&] { pair.member(i).SACfromAGMA(numberOrZero(stressNumber(t.SAC[static_cast<std::size_t>(i)]))); });
    step([&] { write("lblKmString", -1, carriesMark(t.Km) ? std::string() : t.kmEquation); });
    for (int k = 0; k < 3; ++k)
        step([&] {
            write("lblGearLife", k,
                  runtime::numberText(model::MMath::NumberFromDigits(t.life[static_cast<std::size_t>(k)])));
        });
    return result;
}

} // namespace cindrel::agma
