#pragma once

#include "sequence/StepHandlers.h"

namespace cindrel::sequence {

// "Tooth Proportions": each member's addendum limits, depth and root fillet
// kind, its whole depth into the AGMA factors window, and which hob steps
// follow and where the rating factors are typed; the checks of the
// proportions, clearances and contact ratio (without hob steps also the
// geometry factors); the proportions table.
StepHandler toothProportionsStep();

} // namespace cindrel::sequence
