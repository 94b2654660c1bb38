#pragma once

#include "forms/Layout.h"

#include <span>

// The report preview window: a row of buttons along its top edge and the
// print control below them, in creation order, in twips.
namespace cindrel::layouts {

std::span<const forms::ControlSpec> frmPrintPreview();

// The window's size when no place is stored.
inline constexpr double PrintPreviewWidth = 10800;
inline constexpr double PrintPreviewHeight = 12600;

} // namespace cindrel::layouts
