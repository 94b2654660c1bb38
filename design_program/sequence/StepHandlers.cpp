#include "sequence/StepHandlers.h"

#include "sequence/StepsHobs.h"
#include "sequence/StepsMainInputs.h"
#include "sequence/StepsRating.h"
#include "sequence/StepsToothProportions.h"
#include "sequence/StepsToothThickness.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace cindrel::sequence {

namespace {

constexpr std::array stepNames = {
    steps::StartupScreen, steps::MainInputs,      steps::CenterDistance, steps::ToothThickness,
    steps::ToothProportions, steps::PinionHob,    steps::GearHob,        steps::HorsepowerAndCP,
    steps::AgmaOnMain,    steps::AgmaFactors,     steps::ScoringInputs,  steps::ScoringGraphs,
};

bool hasTable(std::string_view name) { return name != steps::StartupScreen && name != steps::ScoringGraphs; }

} // namespace

StepHandlers& StepHandlers::set(std::string_view stepName, StepHandler handler)
{
    if (std::find(stepNames.begin(), stepNames.end(), stepName) == stepNames.end())
        throw std::invalid_argument("No step is named \"" + std::string(stepName) + "\"");
    if (handler.table && !hasTable(stepName))
        throw std::invalid_argument("The step \"" + std::string(stepName) + "\" has no results table");
    handlers_.insert_or_assign(std::string(stepName), std::move(handler));
    return *this;
}

const StepHandler* StepHandlers::find(std::string_view stepName) const
{
    const auto it = handlers_.find(stepName);
    return it == handlers_.end() ? nullptr : &it->second;
}

StepHandlers designSteps()
{
    StepHandlers handlers;
    handlers.set(steps::MainInputs, mainInputsStep());
    handlers.set(steps::CenterDistance, centerDistanceStep());
    handlers.set(steps::ToothThickness, toothThicknessStep());
    handlers.set(steps::ToothProportions, toothProportionsStep());
    handlers.set(steps::PinionHob, pinionHobStep());
    handlers.set(steps::GearHob, gearHobStep());
    handlers.set(steps::AgmaOnMain, agmaOnMainStep());
    handlers.set(steps::AgmaFactors, agmaFactorsStep());
    handlers.set(steps::HorsepowerAndCP, horsepowerStep());
    handlers.set(steps::ScoringInputs, scoringInputsStep());
    return handlers;
}

} // namespace cindrel::sequence
