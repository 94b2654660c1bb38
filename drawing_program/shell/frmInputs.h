#pragma once

#include "mesh/InputSource.h"

#include <cstdint>
#include <string>

class QString;

namespace forms {
class Form;
class TextBox;
} // namespace forms

namespace vantrope {

class Startup;

// The inputs dialog "Vantrope Inputs": the inputs of the two elements of the
// chosen mesh side by side, typed or driven by the slider; every change of
// mesh, Enter key and slider move redraws the active mesh. It serves the
// inputs when the program runs by itself.
class frmInputs : public InputSource {
public:
    // Declares the window; it loads on first use.
    explicit frmInputs(Startup& startup);

    forms::Form& form();
    bool isLoaded() const;
    void unload();
    // True while the dialog's unload runs.
    bool closing() const { return closing_; }

    // Fields read leniently: a text that is not a number reads as 0. A teeth
    // value beyond the 32-bit range, or an index that names no field, raises
    // runtime::RuntimeError.
    std::int32_t GetInputs(std::int16_t Index, ElementInputs& values, std::int16_t MeshIndex) override;
    // The active mesh reads again, its rotations zeroed when a teeth field is bound.
    void RedrawActiveMesh();
    // "Pinion Tool ", "Pinion ", "Gear ", "Gear Tool "; empty for other numbers.
    static std::string ElementCaption(int Index);

    // Dialog state, for the inputs file and tests.
    forms::TextBox* BoundField() const { return boundField_; }
    std::int16_t SliderBase() const { return sliderBase_; }
    std::int32_t SliderScale() const { return sliderScale_; }
    std::int16_t CurrentMesh() const { return currentMesh_; }

private:
    enum class Reading { Lenient, Strict };
    struct FieldScale;

    void build(forms::Form& form);
    void load();
    void chkFRR_Click(int index);
    void optMesh_Click(int index);
    void keyDown(int& keyCode);
    void sliderMoved();
    void txtTTK_Change(int index);
    void bind(forms::TextBox& field, const FieldScale& scale, int index);
    void bindTeeth(forms::TextBox& field, int index);
    void unhighlight();
    forms::TextBox& box(const char* name, int index = -1);
    double lenient(const char* name, int index = -1);

    Startup& startup_;
    forms::TextBox* boundField_ = nullptr;
    std::int16_t sliderBase_ = 0;
    std::int32_t sliderScale_ = 0;
    std::int16_t currentMesh_ = 0;
    bool thicknessBusy_ = false;
    bool zeroOffsets_ = false;
    bool closing_ = false;
};

} // namespace vantrope
