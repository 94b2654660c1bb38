#include "sequence/StepInputs.h"

#include "runtime/CheckedMath.h"
#include "runtime/NumberFormat.h"
#include "runtime/NumberText.h"

namespace cindrel::sequence {

ControlId mainWindowControl(std::string_view name, int index)
{
    return {"frmMain", std::string(name), index};
}

std::string StepInputs::text(std::string_view name, int index) const
{
    return controls_.value(mainWindowControl(name, index));
}

double StepInputs::boxValue(std::string_view name, int index) const { return runtime::leadingNumber(text(name, index)); }

std::int32_t StepInputs::wholeValue(std::string_view name, int index) const
{
    return runtime::toInt32(boxValue(name, index));
}

double StepInputs::lengthInput(std::string_view name, int index) const
{
    return runtime::divide(boxValue(name, index), units_.LengthFactor());
}

bool StepInputs::showsUnedited(std::string_view name, int index, double shown, std::string_view pattern) const
{
    return runtime::showsNumber(text(name, index), shown, pattern);
}

void StepInputs::write(std::string_view name, int index, std::string_view text)
{
    controls_.setValue(mainWindowControl(name, index), text);
}

void StepInputs::writeNumber(std::string_view name, int index, double value)
{
    write(name, index, runtime::numberText(value));
}

} // namespace cindrel::sequence
