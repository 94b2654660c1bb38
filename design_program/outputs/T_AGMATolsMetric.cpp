#include "T_AGMATolsMetric.h"

namespace cindrel::outputs {

T_AGMATolsMetric::T_AGMATolsMetric(runtime::ErrorReporter& reporter)
    : AgmaToleranceClass(ToleranceUnits::Metric, reporter) {}

} // namespace cindrel::outputs
