#include "AgmaCommit.h"

#include "BoxNumber.h"
#include "StressCycles.h"

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
#include <iterator>

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

constexpr int CfShSfChTab = 7, KmTab = 4, KoKrKsKtTab = 5, KvTab = 2, KbTab = 3, YnZnTab = 6, MaterialsTab = 1,
              SetInputsTab = 0;

struct BoxName {
    const char* name;
    const char* what;
    bool perMember; // the index is the member's
};

// What the window's messages call a box.
constexpr BoxName BoxNames[] = {
    {"txtCf", "Cf, the surface condition factor", false},
    {"txtKm", "Km, the load distribution factor", false},
    {"txtKo", "Ko, the overload factor", false},
    {"txtKr", "Kr, the reliability factor", false},
    {"txtKs", "Ks, the size factor", false},
    {"txtKt", "Kt, the temperature factor", false},
    {"txtKV", "Kv, the dynamic factor", false},
    {"txtCh", "Ch, the hardness ratio factor", true},
    {"txtKb", "Kb, the rim thickness factor", true},
    {"txtSf", "Sf, the bending safety factor", true},
    {"txtSh", "Sh, the pitting safety factor", true},
    {"txtYn", "Yn, the bending stress cycle factor", true},
    {"txtZn", "Zn, the pitting stress cycle factor", true},
    {"txtYoungs", "The modulus of elasticity", true},
    {"txtPoissons", "Poisson's ratio", true},
    {"txtSAC", "The allowable contact stress (SAC)", true},
    {"txtSAT", "The allowable bending stress (SAT)", true},
    {"txtContacts", "The contacts per revolution", true},
    {"txtJay", "J, the bending geometry factor", true},
    {"txtEye", "I, the pitting geometry factor", false},
    {"txtCP", "Cp, the elastic coefficient", false},
};

// The life boxes and the Set Inputs boxes are named by their index.
const char* const LifeNames[] = {"The pinion load cycles", "The gear load cycles", "The life in hours"};
const char* const SetInputsNames[] = {"The pinion speed", "The face width", "The pinion operating pitch diameter",
                                      "The transverse diametral pitch", "The gear ratio"};

UnreadableBox refusal(const char* name, int index, int tab, const std::string& reason) {
    return {name, index, tab, boxDescription(name, index) + ": " + reason + ". Nothing was committed: correct it and try again."};
}

std::string quoted(std::string_view text) {
    std::string q;
    q.reserve(text.size() + 2);
    q.append(1, '"').append(text).append(1, '"');
    return q;
}

// The fault of a box's text, or nullopt when it holds a number of 0 or more.
// No factor, stress, modulus, ratio, life or contact count of these boxes is
// below 0.
std::optional<std::string> faultOf(std::string_view text) {
    if (text.empty())
        return "the box is empty";
    const std::optional<double> value = wholeBoxNumber(text);
    if (!value)
        return quoted(text) + " is not a number";
    if (*value < 0)
        return quoted(text) + " is below 0";
    return std::nullopt;
}

} // namespace

std::string boxDescription(std::string_view name, int index) {
    const auto inRange = [index](const auto& names) {
        return index >= 0 && static_cast<std::size_t>(index) < std::size(names);
    };
    if (name == "txtLife" && inRange(LifeNames))
        return LifeNames[index];
    if (name == "txtInps" && inRange(SetInputsNames))
        return SetInputsNames[index];
    for (const BoxName& box : BoxNames) {
        if (name != box.name)
            continue;
        std::string what = box.what;
        if (box.perMember && (index == 0 || index == 1))
            what += index == 0 ? " of the pinion" : " of the gear";
        return what;
    }
    std::string what(name);
    if (index >= 0)
        what.append("(").append(std::to_string(index)).append(")");
    return what;
}

std::string powerFailureMessage(const PowerBox& fault, std::string_view text) {
    std::string message(PowerFailureMessage);
    if (fault.name.empty())
        return message;
    // An empty box or no number as at the commit; the power's inputs must be
    // above 0, not only 0 or more, and Poisson's ratio below 1.
    const std::optional<double> value = wholeBoxNumber(text);
    std::string reason;
    if (!value)
        reason = *faultOf(text);
    else if (*value <= 0)
        reason = quoted(text) + " is not above 0";
    else if (fault.name == "txtPoissons" && *value >= 1)
        reason = quoted(text) + " is not below 1";
    else
        reason = quoted(text) + " cannot be read";
    return message + "\r\n" + boxDescription(fault.name, fault.index) + ": " + reason + ".";
}

std::optional<PowerBox> unreadableSetInput(const std::array<std::string_view, 5>& inps) {
    for (int k = 0; k < 5; ++k)
        if (!setInputsNumber(inps[static_cast<std::size_t>(k)]))
            return PowerBox{"txtInps", k};
    return std::nullopt;
}

std::string setInputsSlipMessage(int index, std::string_view text) {
    return boxDescription("txtInps", index) + ": " + quoted(text) + " is not a number. Correct it to go on.";
}

std::optional<PowerBox> elasticDataFault(const std::array<std::string_view, 2>& modulus,
                                         const std::array<std::string_view, 2>& poisson) {
    for (int i : {0, 1}) {
        const std::optional<double> e = wholeBoxNumber(modulus[static_cast<std::size_t>(i)]);
        if (!e || !std::isfinite(*e) || *e <= 0)
            return PowerBox{"txtYoungs", i};
    }
    for (int i : {0, 1}) {
        const std::optional<double> mu = wholeBoxNumber(poisson[static_cast<std::size_t>(i)]);
        if (!mu || !(*mu > 0 && *mu < 1))
            return PowerBox{"txtPoissons", i};
    }
    return std::nullopt;
}

std::optional<UnreadableBox> unreadableBox(const CommitTexts& t) {
    struct Box {
        const char* name;
        int index; // -1, the member, or the box's own index
        int tab;
        std::string_view text;
        // Empty while the user has not set it: a material not chosen, a life
        // or contact count not given. An empty factor is a fault.
        bool mayBeEmpty = false;
    };
    std::vector<Box> boxes = {
        // The Set Inputs first: the factors are worked from them. An empty
        // one stands for a value the design sequence has not given.
        {"txtInps", 0, SetInputsTab, t.speed, true},
        {"txtInps", 1, SetInputsTab, t.faceWidth, true},
        {"txtInps", 2, SetInputsTab, t.pitchDiameter, true},
        {"txtInps", 3, SetInputsTab, t.diametralPitch, true},
        {"txtInps", 4, SetInputsTab, t.ratio, true},
        {"txtCf", -1, CfShSfChTab, t.Cf}, {"txtKm", -1, KmTab, t.Km},       {"txtKo", -1, KoKrKsKtTab, t.Ko},
        {"txtKr", -1, KoKrKsKtTab, t.Kr}, {"txtKs", -1, KoKrKsKtTab, t.Ks}, {"txtKt", -1, KoKrKsKtTab, t.Kt},
        {"txtKV", -1, KvTab, t.Kv},
    };
    for (int i : {0, 1}) {
        const auto m = static_cast<std::size_t>(i);
        boxes.insert(boxes.end(), {{"txtCh", i, CfShSfChTab, t.Ch[m]},
                                   {"txtKb", i, KbTab, t.Kb[m]},
                                   {"txtSf", i, CfShSfChTab, t.SF[m]},
                                   {"txtSh", i, CfShSfChTab, t.Sh[m]},
                                   {"txtYn", i, YnZnTab, t.Yn[m]},
                                   {"txtZn", i, YnZnTab, t.Zn[m]}});
    }
    for (int i : {0, 1}) {
        const auto m = static_cast<std::size_t>(i);
        boxes.insert(boxes.end(), {{"txtYoungs", i, MaterialsTab, t.Youngs[m], true},
                                   {"txtPoissons", i, MaterialsTab, t.Poissons[m], true},
                                   {"txtSAC", i, MaterialsTab, t.SAC[m], true},
                                   {"txtSAT", i, MaterialsTab, t.SAT[m], true}});
    }
    // The life boxes go to the main window; the contacts make the cycles.
    for (int k = 0; k < 3; ++k)
        boxes.push_back({"txtLife", k, YnZnTab, t.life[static_cast<std::size_t>(k)], true});
    for (int i : {0, 1})
        boxes.push_back({"txtContacts", i, MaterialsTab, t.contacts[static_cast<std::size_t>(i)], true});

    for (const Box& box : boxes) {
        if (box.mayBeEmpty && box.text.empty())
            continue;
        if (const std::optional<std::string> fault = faultOf(box.text))
            return refusal(box.name, box.index, box.tab, *fault);
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
    const double speed = numberOrZero(wholeBoxNumber(t.speed));
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
        const auto shown = [&](int k) -> std::string {
            if (!t.powers)
                return {};
            const auto index = static_cast<std::size_t>(k);
            if (!main.metric)
                return runtime::singleText(t.powers->power[index]) + " HP";
            const double kilowatts = model::MMath::ConvertedPower(t.powers->power[index], t.powers->unrounded[index],
                                                                  static_cast<double>(KilowattsPerHorsepower));
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
            write("lblGearLife", k, runtime::numberText(numberOrZero(lifeNumber(t.life[static_cast<std::size_t>(k)]))));
        });
    return result;
}

} // namespace cindrel::agma
