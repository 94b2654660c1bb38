#include "sequence/PanelValues.h"

#include "runtime/NumberText.h"

namespace cindrel::sequence {

ControlId onMainWindow(std::string_view name, int index) { return {"frmMain", std::string(name), index}; }

ControlId onAgmaWindow(std::string_view name, int index) { return {"frmAGMA", std::string(name), index}; }

std::string PanelValues::text(std::string_view name, int index) const
{
    return controls_.value(onMainWindow(name, index));
}

double PanelValues::boxValue(std::string_view name, int index) const
{
    return runtime::leadingNumber(text(name, index));
}

} // namespace cindrel::sequence
