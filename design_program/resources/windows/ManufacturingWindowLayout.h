#pragma once

#include "forms/Layout.h"

#include <span>

// The manufacturing window: its three panels, the edit panel's controls in
// creation order, in twips, and its menu.
namespace cindrel::layouts {

std::span<const forms::ControlSpec> frmMFGOutputs();

} // namespace cindrel::layouts
