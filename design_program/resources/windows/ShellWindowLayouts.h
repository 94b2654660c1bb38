#pragma once

#include "forms/Layout.h"

#include <span>

// The layouts of the design program's start-up, run-log and small tool
// windows, in twips, as tables of controls in creation order.
namespace cindrel::layouts {

std::span<const forms::ControlSpec> frmDisclaimer();
std::span<const forms::ControlSpec> frmMisc();
std::span<const forms::ControlSpec> frmAbout();
std::span<const forms::ControlSpec> frmHardnessConverter();
std::span<const forms::ControlSpec> frmRunNotes();

} // namespace cindrel::layouts
