#pragma once

#include "forms/Layout.h"

#include <span>

// The layout of the options dialog, in twips, as a table of controls in creation order.
namespace cindrel::layouts {

std::span<const forms::ControlSpec> frmOptions();

} // namespace cindrel::layouts
