#include "PrintPreviewLayout.h"

namespace cindrel::layouts {

using forms::ControlKind;
using forms::ControlSpec;

std::span<const ControlSpec> frmPrintPreview()
{
    static const ControlSpec layout[] = {
        {.kind = ControlKind::CommandButton, .name = "cmdPrint", .left = 60, .top = 120, .width = 555, .height = 375,
         .caption = "Print"},
        {.kind = ControlKind::CommandButton, .name = "cmdPreviousPage", .left = 600, .top = 120, .width = 915, .height = 375,
         .caption = "Prev Page"},
        {.kind = ControlKind::CommandButton, .name = "cmdNextPage", .left = 1500, .top = 120, .width = 975, .height = 375,
         .caption = "Next Page"},
        {.kind = ControlKind::CommandButton, .name = "cmdZoomIn", .left = 2460, .top = 120, .width = 855, .height = 375,
         .caption = "Zoom In"},
        {.kind = ControlKind::CommandButton, .name = "cmdZoomOut", .left = 3300, .top = 120, .width = 855, .height = 375,
         .caption = "Zoom Out"},
        {.kind = ControlKind::CommandButton, .name = "cmdClosePrintPrev", .left = 4140, .top = 120, .width = 555,
         .height = 375, .caption = "Close"},
        // Laid out again on every resize of the window.
        {.kind = ControlKind::PrintPreview, .name = "prtPrintPreview", .left = 20, .top = 550,
         .width = PrintPreviewWidth - 180, .height = PrintPreviewHeight - 1250},
    };
    return layout;
}

} // namespace cindrel::layouts
