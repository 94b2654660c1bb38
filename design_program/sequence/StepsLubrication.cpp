#include "sequence/StepsRating.h"

#include "sequence/StepInputs.h"
#include "sequence/StepTables.h"
#include "sequence/T_StateNavigator.h"

#include "analyses/ChartSurface.h"
#include "analyses/ContactAnalyses.h"
#include "model/Flags.h"
#include "model/MMath.h"
#include "model/T_MiscVars.h"
#include "model/T_Set.h"
#include "results/TableRun.h"
#include "runtime/CheckedMath.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <memory>
#include <optional>
#include <string>

namespace cindrel::sequence {

namespace {

using model::T_MiscVars;
using results::TableRun;

constexpr double MostViscous = 5000;                  // SUS
constexpr double FinestRoughness = 3, RoughestRoughness = 200; // microinch RMS

std::int16_t flagValue(bool on) { return on ? model::True : std::int16_t{0}; }

bool englishDisplay(const Units& units) { return units.LengthFactor() == 1; }

T_MiscVars& miscOf(const model::T_Set& Oset)
{
    if (!Oset.oMiscVars)
        runtime::raise(runtime::ObjectVariableNotSet);
    return *Oset.oMiscVars;
}

void readLubrication(T_StateNavigator& navigator)
{
    const StepInputs in(navigator.ports().controls, navigator.ports().units);
    const Units& units = navigator.ports().units;
    T_MiscVars& misc = miscOf(navigator.Oset());

    const double temperature = in.boxValue("txtLubeTemp");
    misc.aaBulkTemperatureF(englishDisplay(units) ? temperature : model::MMath::CelsiusToFahrenheit(temperature));
    // The whole caption as a number: an empty one is a type error that ends
    // the reading here, the later inputs keeping their values.
    misc.aaCalculateFrictionCoeff(flagValue(runtime::toNumber(in.text("lblSubShear")) != 0));
    misc.aaFrictCoeff(in.boxValue("txtFrictionCoeff"));
    misc.aaLubePressExponent(in.boxValue("txtLubeExponent"));
    misc.aaModifiedProfiles(flagValue(in.flag("lblModifiedProfiles")));
    misc.aaPinionDriving(flagValue(in.flag("lblPinionDriving")));
    misc.aaSafetyFactor(in.boxValue("txtSafetyFactorSS"));
    misc.aaSetRoughness(runtime::divide(in.boxValue("txtSurfaceFinish"), units.RMSFactor()));
    misc.aaViscosity(in.boxValue("txtLubeViscosity"));
}

class ButtonBinding final : public analyses::ChartButtonBinding {
public:
    explicit ButtonBinding(std::unique_ptr<Binding> binding) : binding_(std::move(binding)) {}

private:
    std::unique_ptr<Binding> binding_;
};

// The graphs' view of the program, through the navigator's ports.
class NavigatorChartHost final : public analyses::ChartHost {
public:
    explicit NavigatorChartHost(const NavigatorPorts& ports) : ports_(ports) {}

    analyses::ChartSurface& surface() override
    {
        return ports_.chart != nullptr ? *ports_.chart : analyses::ChartSurface::inert();
    }
    std::int32_t Graphfontsize() override { return ports_.settings.Graphfontsize(); }
    analyses::ChartUnits units() override
    {
        const Units& units = ports_.units;
        return {units.LengthFactor(), units.LengthUnits(), units.PressureUnits(), units.ForceUnits(),
                units.TempUnits(),    units.RMSUnits()};
    }
    double pinionLPSTC() override { return analyses::pinionLPSTCOf(ports_.Oset); }
    double pinionPitchRollAngle() override { return analyses::pinionPitchRollAngleOf(ports_.Oset); }
    std::int32_t gearIntExt() override { return analyses::gearIntExtOf(ports_.Oset); }
    void writeRunNote(std::string_view note) override { ports_.runLog.writeRunNote(note); }
    void reportError(std::string_view routine, int number, std::string_view description) override
    {
        ports_.runLog.reportError("T_Chart", routine, std::to_string(number), description, "");
        ports_.messages.show(0, "The graph could not be drawn:\r\n" + std::string(description));
    }
    std::unique_ptr<analyses::ChartButtonBinding> bindClick(std::string_view button,
                                                            std::function<void()> handler) override
    {
        return std::make_unique<ButtonBinding>(
            ports_.controls.bindClick({"frmMain", std::string(button)}, std::move(handler)));
    }

private:
    const NavigatorPorts& ports_;
};

// The three contact analyses, in order; the chart keeps their tables and
// the navigator the extremes of the first two. An analysis that fails ends
// the Next on the step with its error, and the chart and the extremes keep
// the last complete run's, never a mix of two runs.
void runAnalyses(T_StateNavigator& navigator)
{
    const model::T_Set& Oset = navigator.Oset();
    if (!navigator.pobjChart)
        navigator.pobjChart =
            std::make_unique<analyses::T_Chart>(std::make_unique<NavigatorChartHost>(navigator.ports()));
    analyses::T_Scoring& scoring = analyses::scoringOf(Oset);
    const analyses::ScoringTable scores = scoring.GoScoring();
    const std::optional<analyses::ScoringExtremes> scoringMaxima = scoring.MaxValues();
    analyses::T_SubShear& subShear = analyses::subShearOf(Oset);
    const analyses::SubShearTable shear = subShear.GoSubShear();
    const std::optional<analyses::SubShearExtremes> subShearMaxima = subShear.MaxValues();
    const analyses::DeflectionTable deflection = analyses::deflectionOf(Oset).DeflectionsData();

    analyses::T_Chart& chart = *navigator.pobjChart;
    chart.ScoreData(scores);
    navigator.ScoringMaxValues = scoringMaxima;
    chart.ShearData(shear);
    navigator.SubShearMaxValues = subShearMaxima;
    chart.DeflectionData(deflection);
    chart.LaunchChart();
}

bool checkLubrication(T_StateNavigator& navigator)
{
    const T_MiscVars& misc = miscOf(navigator.Oset());
    int message = 0;
    if (misc.VISCO() > MostViscous)
        message = 3042;
    else if (misc.VISCO() <= 0)
        message = 3043;
    else if (misc.setRMS() < FinestRoughness || misc.setRMS() > RoughestRoughness)
        message = englishDisplay(navigator.ports().units) ? 3044 : 4144;
    if (message != 0) {
        navigator.showResourceMessage(message);
        return false;
    }
    runAnalyses(navigator);
    return true;
}

using tables::text;

// A cell of an extremes table as a number; nothing when the analysis has
// not run or found no value there, so that the table cell stays empty.
template <typename Extremes>
std::optional<double> extreme(const std::optional<Extremes>& table, int row, int column)
{
    if (!table)
        return std::nullopt;
    const double* value = std::get_if<double>(&(*table)(row, column));
    return value != nullptr ? std::optional<double>(*value) : std::nullopt;
}

// The formatted extreme, or an empty cell.
template <typename Format>
results::Cell shown(std::optional<double> value, Format&& format)
{
    return value ? results::Cell(format(*value)) : results::Cell();
}

void scoringTable(T_StateNavigator& navigator, TableRun& run)
{
    const model::T_Set& Oset = navigator.Oset();
    const Units& units = navigator.ports().units;
    const bool english = englishDisplay(units);
    const auto misc = [&]() -> const T_MiscVars& { return miscOf(Oset); };
    const auto& scores = navigator.ScoringMaxValues;
    const auto& shear = navigator.SubShearMaxValues;

    run.size(12);
    run.setRow(0);
    run.setValueRow("RMS", [&] { return TableRun::format(misc().setRMS() * units.RMSFactor(), "#.0"); },
                    text(english ? 4094 : 4096));
    run.nextRow();
    run.setValueRow("BulkTemp",
                    [&] {
                        return english ? TableRun::format(misc().BulkTemp(), "#.0")
                                       : run.format(model::MMath::FahrenheitToCelsius(misc().BulkTemp()));
                    },
                    units.TempUnits() + text(4097));
    run.nextRow();
    run.setValueRow("Viscosity", [&] { return TableRun::format(misc().VISCO(), "#.0"); }, text(4098));
    run.nextRow();
    run.setValueRow("LubeExpo", [&] { return TableRun::format(misc().LPE(), "0.#####"); }, text(4099));
    run.nextRow();
    // The friction coefficient as typed, also when the analysis works it out.
    run.setValueRow("FriCoeff", [&] { return TableRun::format(misc().FrictCoeff(), "0.000"); }, text(4150));
    run.nextRow();
    run.textRow("Mods", [&] {
        const bool modified = navigator.ports().controls.value(mainWindowControl("optModifiedProfiles", 1)) == "True";
        return text(modified ? 4148 : 4149);
    });

    const auto value = [&](int k, const char* pattern) {
        return [&, k, pattern] {
            return shown(extreme(scores, k, 0), [&](double v) {
                return pattern == nullptr ? run.format(v) : TableRun::format(v, pattern);
            });
        };
    };
    const auto angle = [&](int k, const char* pattern) {
        return [&, k, pattern] {
            return shown(extreme(scores, k, 1),
                         [&](double radians) { return TableRun::format(model::MMath::Rad2Deg(radians), pattern); });
        };
    };
    // Gear sliding first.
    run.nextRow();
    run.pairRow("G.VSS", value(1, nullptr), angle(1, "#.#"), "Gear Max." + text(4091));
    run.nextRow();
    run.pairRow("P.VSS", value(0, nullptr), angle(0, "#.#"), "Pinion Max." + text(4091));
    run.nextRow();
    run.pairRow("MaxLoad", value(2, "#.0"), angle(2, "#.#"), units.ForceUnits() + text(4092));
    run.nextRow();
    run.pairRow("MaxTemp", value(3, "#"), angle(3, "#.0"), units.TempUnits() + text(4089));
    run.nextRow();
    run.pairRow("FilmTTK", value(4, "#.##"), angle(4, "#.##"), text(4090));

    // Depths in display length units, as the analysis gives them.
    const auto shearCell = [&](int k, int c, const char* pattern) {
        return [&, k, c, pattern] {
            return shown(extreme(shear, k, c), [&](double v) { return TableRun::format(v, pattern); });
        };
    };
    run.nextRow();
    run.pairRow("MaxSSS", shearCell(0, 0, "#"), shearCell(0, 1, "#.0000"),
                units.PressureUnits() + text(4093) + units.LengthUnits());
    run.nextRow();
    run.pairRow("MinBHN", shearCell(1, 0, "#"), shearCell(1, 1, "#.0000"), text(4095) + units.LengthUnits());
}

} // namespace

StepHandler scoringInputsStep()
{
    StepHandler step;
    step.read = [](T_StateNavigator& navigator, T_State&) { readLubrication(navigator); };
    step.check = [](T_StateNavigator& navigator, T_State&) { return checkLubrication(navigator); };
    step.table = [](T_StateNavigator& navigator, T_State&, TableRun& run, bool&) { scoringTable(navigator, run); };
    return step;
}

} // namespace cindrel::sequence
