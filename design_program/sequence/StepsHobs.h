#pragma once

#include "sequence/StepHandlers.h"

namespace cindrel::sequence {

// "Pinion Hob" and "Gear Hob": the five dimensions of the member's hob; the
// checks of the hob and of the I factor; the hob tables, which also take the
// J factors, warn (or, with the gear alone hobbed, refuse) on a top land
// past the crossover or an invalid J, and rebuild "Tooth Proportions".
StepHandler pinionHobStep();
StepHandler gearHobStep();

} // namespace cindrel::sequence
