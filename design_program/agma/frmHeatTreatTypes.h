#pragma once

#include <QString>

namespace forms {
class Form;
class Forms;
} // namespace forms

namespace cindrel::agma {

// "Heat Treat Types": a picture window of the two hardness patterns of
// surface-hardened teeth, drawn by the program itself. No code behind it.
class frmHeatTreatTypes {
public:
    static inline const QString WindowName = QStringLiteral("frmHeatTreatTypes");

    // Declares the window with the program's windows, once.
    static void define(forms::Forms& windows);
    // Shows it without owner and not modal, loading it first when needed.
    static void show(forms::Forms& windows);

private:
    static void build(forms::Form& form);
};

} // namespace cindrel::agma
