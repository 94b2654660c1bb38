#include "sequence/PanelValues.h"

#include "runtime/CheckedMath.h"
#include "runtime/NumberText.h"

namespace cindrel::sequence {

double PanelValues::boxValue(std::string_view name, int index) const
{
    return runtime::leadingNumber(controls_.value({"frmMain", std::string(name), index}));
}

std::int32_t PanelValues::wholeValue(std::string_view name, int index) const
{
    return runtime::toInt32(boxValue(name, index));
}

double PanelValues::lengthInput(std::string_view name, int index) const
{
    return runtime::divide(boxValue(name, index), units_.LengthFactor());
}

} // namespace cindrel::sequence
