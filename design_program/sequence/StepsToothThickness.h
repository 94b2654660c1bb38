#pragma once

#include "sequence/StepHandlers.h"

namespace cindrel::sequence {

// "Tooth Thickness": each member's thickness limits from one of five input
// forms, the entered backlash and the edge breaks; the checks of the limits
// against the operating circular pitch; the thickness table.
StepHandler toothThicknessStep();

} // namespace cindrel::sequence
