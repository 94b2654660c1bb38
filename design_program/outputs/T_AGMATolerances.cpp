#include "T_AGMATolerances.h"

namespace cindrel::outputs {

T_AGMATolerances::T_AGMATolerances(runtime::ErrorReporter& reporter)
    : AgmaToleranceClass(ToleranceUnits::Inch, reporter) {}

} // namespace cindrel::outputs
