#include "AgmaCommit.h"

#include "BoxNumber.h"

#include "model/MMath.h"
#include "model/T_AGMA1.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"
#include "runtime/NumberFormat.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <cmath>
#include <new>
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

} // namespace

std::optional<std::string> surfaceFinishText(const std::string& ra, double rmsFactor) {
    const std::optional<double> value = strictNumber(ra);
    if (!value)
        return std::nullopt;
    return runtime::formatNumber(*value * RaToRms * rmsFactor, "0.0###");
}

CommitResult commitFactors(const CommitTexts& t, const CommitMainSide& main, model::T_Set& pair,
                           runtime::ErrorReporter& errors) {
    CommitResult result;
    const auto write = [&result](const char* name, int index, std::string text) {
        result.writes.push_back({name, index, std::move(text)});
    };
    int stepNumber = 0;
    const auto step = [&](const std::function<void()>& action) {
        ++stepNumber;
        try {
            action();
        } catch (const runtime::RuntimeError& error) {
            errors.reportError("frmAGMA", "CommitFactors", std::to_string(error.number()), error.description(),
                               "step " + std::to_string(stepNumber));
        } catch (const std::bad_alloc&) {
            errors.reportError("frmAGMA", "CommitFactors", std::to_string(runtime::OutOfMemory),
                               runtime::errorDescription(runtime::OutOfMemory), "step " + std::to_string(stepNumber));
        }
    };
    model::T_AGMA1* factors = pair.oAGMA1.get();

    step([&] {
        if (factors == nullptr)
            runtime::raise(runtime::ObjectVariableNotSet);
        factors->Cf(t.Cf);
        write("txtCf", -1, t.Cf);
        factors->Km(t.Km);
        write("txtKm", -1, t.Km);
        factors->Ko(t.Ko);
        write("txtKo", -1, t.Ko);
        factors->Kr(t.Kr);
        write("txtKr", -1, t.Kr);
        factors->Ks(t.Ks);
        write("txtKs", -1, t.Ks);
        factors->Kt(t.Kt);
        write("txtKt", -1, t.Kt);
        factors->Kv(t.Kv);
        write("txtKV", -1, t.Kv);
    });
    // The main window has one Ch: the gear's, the one the pair's rating uses.
    step([&] { write("txtCh", -1, t.Ch[1]); });
    for (int i : {0, 1}) {
        const auto m = static_cast<std::size_t>(i);
        step([&] {
            if (factors == nullptr)
                runtime::raise(runtime::ObjectVariableNotSet);
            factors->Ch(i, t.Ch[m]);
            factors->Kb(i, t.Kb[m]);
            write("txtKb", i, t.Kb[m]);
            factors->SF(i, t.SF[m]);
            write("txtSf", i, t.SF[m]);
            factors->Sh(i, t.Sh[m]);
            write("txtSh", i, t.Sh[m]);
            factors->Yn(i, t.Yn[m]);
            write("txtYn", i, t.Yn[m]);
            factors->Zn(i, t.Zn[m]);
            write("txtZn", i, t.Zn[m]);
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
        const float factor = main.metric ? KilowattsPerHorsepower : 1.0f;
        const std::string unit = main.metric ? " kW" : " HP";
        const auto shown = [&](int k) -> std::string {
            if (!t.powers)
                return {};
            return runtime::singleText(t.powers->power[static_cast<std::size_t>(k)] * factor) + unit;
        };
        result.showPowerFrame = true;
        write("txtSAC", 0, shown(PinionPac));
        write("txtSAC", 1, shown(GearPac));
        write("txtSAT", 0, shown(PinionPat));
        write("txtSAT", 1, shown(GearPat));
    });
    for (int i : {0, 1}) {
        step([&] {
            const double modulus = numberOrZero(strictNumber(t.Youngs[static_cast<std::size_t>(i)]));
            pair.member(i).aaModulus_Elasticity(modulus);
            write("txtYoungsModulus", i, runtime::formatNumber(modulus * main.pressureFactor, "Scientific"));
        });
    }
    for (int i : {0, 1}) {
        step([&] {
            const double poisson = boxNumber(t.Poissons[static_cast<std::size_t>(i)]);
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
