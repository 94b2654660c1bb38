#pragma once

#include "outputs/OutputsHost.h"

namespace forms {
class Form;
class Forms;
} // namespace forms

namespace cindrel::outputs {

// Declares the report preview window "frmPrintPreview". Each load builds it
// from its layout table, hands its buttons, itself and its print control to
// the host's outputs object and restores its place; each unload stores it.
forms::Form& definePrintPreviewWindow(forms::Forms& windows, OutputsHost& host);

} // namespace cindrel::outputs
