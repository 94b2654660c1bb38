#pragma once

#include "sequence/StepHandlers.h"

namespace cindrel::sequence {

// "Main Inputs": teeth, face widths, helix angle, pitch and pressure angle
// into the pair; the check of the critical inputs and the tooth counts; the
// basic geometry table.
StepHandler mainInputsStep();

// "Center Distance": the mesh kind and the operating centre distance; the
// checks of the mesh and the spread; the operating geometry table.
StepHandler centerDistanceStep();

} // namespace cindrel::sequence
