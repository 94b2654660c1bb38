#pragma once

#include "forms/Layout.h"

#include <QString>

#include <span>

// The results grid window: its controls in creation order, in twips, the
// buttons its builder puts on the toolbar, and the grid menu item of each
// section key.
namespace cindrel::layouts {

std::span<const forms::ControlSpec> frmScreenOutput();

struct ToolbarButtonSpec {
    const char* key;
    const char* image; // a name known to forms::toolbarImage
    const char* toolTip;
};
std::span<const ToolbarButtonSpec> frmScreenOutputButtons();

struct SectionMenuSpec {
    const char* key;
    const char* menu;
};
// In the order the outputs object collects them.
std::span<const SectionMenuSpec> frmScreenOutputSectionMenus();

} // namespace cindrel::layouts
