#pragma once

#include "AgmaToleranceClass.h"

namespace cindrel::outputs {

// The AGMA tolerances in inch units: ten-thousandths of an inch, never
// quoted below 0.4, with four decimals; the tooth thickness tolerance in
// inches. Pitch ranges are in normal diametral pitch (Pnd, 1/in), the teeth
// are the virtual teeth Ni.
class T_AGMATolerances : public AgmaToleranceClass {
public:
    // reporter receives a failing rounding step, which the rounding goes on after.
    explicit T_AGMATolerances(runtime::ErrorReporter& reporter);
};

} // namespace cindrel::outputs
