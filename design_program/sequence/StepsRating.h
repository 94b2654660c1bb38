#pragma once

#include "sequence/StepHandlers.h"

namespace cindrel::sequence {

// "Agma on Main": the rating factors typed on the main window into the pair;
// the factor check; the factors table.
StepHandler agmaOnMainStep();

// "AGMA Factors": the window commits its own values; the check of the
// elastic constants and the factors; the factors table with the window's
// materials, lives and load distribution text.
StepHandler agmaFactorsStep();

// "Horsepower and CP": elastic constants and the load into the pair; their
// check; the load, stress and elastic coefficient table.
StepHandler horsepowerStep();

// "Scoring and SubShear Inputs": the lubrication inputs into the pair; their
// check, then the three contact analyses; the table of their extremes.
StepHandler scoringInputsStep();

class T_StateNavigator;

// Message 3013 and false when one of the nineteen rating factors reads 0 or below.
bool checkRatingFactors(T_StateNavigator& navigator);

// Messages 3018 to 3021 and false for a modulus below lowestModulus or above
// 80,000,000 psi, or a Poisson's ratio outside 0.1 to 0.6; the modulus
// messages name those bounds in display pressure units.
bool checkElasticConstants(T_StateNavigator& navigator, double lowestModulus);

} // namespace cindrel::sequence
