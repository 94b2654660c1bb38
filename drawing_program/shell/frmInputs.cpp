#include "shell/frmInputs.h"

#include "shell/Startup.h"
#include "shell/frmGears.h"

#include "VantropeLayouts.h"
#include "forms/CheckBox.h"
#include "forms/Form.h"
#include "forms/Frame.h"
#include "forms/KeyCodes.h"
#include "forms/Label.h"
#include "forms/OptionButton.h"
#include "forms/Slider.h"
#include "forms/TextBox.h"
#include "runtime/ResumeNext.h"
#include "runtime/CheckedMath.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <QApplication>
#include <QPalette>

#include <algorithm>

namespace vantrope {

namespace {

const QString Name = QStringLiteral("frmInputs");
constexpr double Pi = 3.14159265358979;
constexpr int SliderMax = 100000;
constexpr int KeyEnter = 13, KeyPageUp = 33, KeyPageDown = 34, KeyLeft = 37, KeyDown = 40;

std::string textOf(const forms::TextBox& box)
{
    return box.text().toStdString();
}

} // namespace

// How a field drives the slider: position = (value - base) * scale.
struct frmInputs::FieldScale {
    std::int16_t base;
    std::int32_t scale;
    const char* caption;     // after the element caption
    bool elementCaption;     // the caption starts with the element's
    Reading reading;
    const char* logRoutine;  // a failed position step is logged under it; null: skipped
};

frmInputs::frmInputs(Startup& startup) : startup_(startup)
{
    startup.windows().define(Name, [this](forms::Form& form) { build(form); });
}

forms::Form& frmInputs::form()
{
    return startup_.windows()[Name];
}

bool frmInputs::isLoaded() const
{
    return startup_.windows().isLoaded(Name);
}

void frmInputs::unload()
{
    if (isLoaded() && !closing_)
        form().unload();
}

forms::TextBox& frmInputs::box(const char* name, int index)
{
    return form().get<forms::TextBox>(QString::fromLatin1(name), index);
}

double frmInputs::lenient(const char* name, int index)
{
    return runtime::leadingNumber(textOf(box(name, index)));
}

std::string frmInputs::ElementCaption(int Index)
{
    switch (Index) {
    case 1: return "Pinion Tool ";
    case 2: return "Pinion ";
    case 3: return "Gear ";
    case 4: return "Gear Tool ";
    default: return "";
    }
}

std::int32_t frmInputs::GetInputs(std::int16_t Index, ElementInputs& values, std::int16_t MeshIndex)
{
    // A field that does not exist raises before anything is written.
    if (Index < 1 || Index > 4 || MeshIndex < 0 || MeshIndex > 2)
        runtime::raise(runtime::SubscriptOutOfRange);
    ElementInputs read;
    read.NumbTeeth = runtime::toInt32(runtime::roundHalfEven(lenient("txtN", Index)));
    read.PressAng = lenient("txtPhi") * Pi / 180.0;
    read.CenterDist = lenient("txtDCO", MeshIndex);
    read.Addendum = lenient("txtAdd", Index);
    read.Dedendum = lenient("txtDed", Index);
    read.EdgeBreak = lenient("txtEGB", Index);
    read.ToothThickness = lenient("txtTTK", Index);
    auto ticked = [&](const char* name, int index) {
        return form().get<forms::CheckBox>(QString::fromLatin1(name), index).checkValue() == 1;
    };
    switch (Index) {
    case 1:
    case 4:
        read.Protube = lenient("txtProtube", Index);
        read.IntExt = 1;
        read.BackLash = 0;
        read.FRR = true;
        break;
    default:
        read.Protube = 0;
        read.IntExt = Index == 3 && !ticked("chkIntExt", -1) ? -1 : 1;
        read.BackLash = currentMesh_ == 1 ? lenient("txtBKL") : 0.0;
        read.FRR = ticked("chkFRR", Index);
        break;
    }
    values = read;
    return 1;
}

void frmInputs::RedrawActiveMesh()
{
    zeroOffsets_ = boundField_ && boundField_->name() == QStringLiteral("txtN");
    if (startup_.OmeshMaster)
        startup_.OmeshMaster->ActiveMesh().ReadInputs(zeroOffsets_);
}

void frmInputs::build(forms::Form& form)
{
    forms::buildLayout(form, layouts::frmInputs());
    form.setCaption(QStringLiteral("Vantrope Inputs"));
    // The drawing window is what it redraws: the dialog stays in front of it,
    // also when the drawing window comes forward with a dialog of its own
    // (the file dialogs of Open and Save).
    form.keepInFrontOf(startup_.windows().find(QStringLiteral("frmGears")));
    form.setKeyPreview(true);
    form.onLoad.connect([this] { load(); });
    form.onKeyDown.connect([this](int& keyCode, int) { keyDown(keyCode); });
    form.onUnload.connect([this](bool&) {
        if (closing_)
            return;
        closing_ = true;
        boundField_ = nullptr;
        if (startup_.shellServices.FormPosition)
            runtime::ignoringNumberedErrors([&] { startup_.shellServices.FormPosition(*startup_.windows().find(Name), false); });
        runtime::ignoringNumberedErrors([&] {
            if (startup_.windows().isLoaded(QStringLiteral("frmGears")) && !startup_.gears().closing())
                startup_.gears().form().unload();
        });
        startup_.EndProgram();
        closing_ = false;
    });

    for (int i : {2, 3})
        form.get<forms::CheckBox>(QStringLiteral("chkFRR"), i).onClick.connect([this, i] { chkFRR_Click(i); });
    for (int m = 0; m <= 2; ++m)
        form.get<forms::OptionButton>(QStringLiteral("optMesh"), m).onClick.connect([this, m] { optMesh_Click(m); });
    form.get<forms::Label>(QStringLiteral("lblWhichMesh")).onChange.connect([this] {
        if (startup_.OmeshMaster)
            startup_.OmeshMaster->MeshLabelChanged(
                this->form().get<forms::Label>(QStringLiteral("lblWhichMesh")).caption().toStdString());
    });
    auto& slider = form.get<forms::Slider>(QStringLiteral("sldSlider"));
    slider.setRange(0, SliderMax);
    slider.setSmallChange(200);
    slider.setLargeChange(1000);
    slider.setTicks(false);
    slider.onChange.connect([this] { sliderMoved(); });

    static const FieldScale Add{-1, 5000, "Addendum", true, Reading::Lenient, "txtAdd_GotFocus"};
    static const FieldScale Dco{-2, 5000, "Center Distance", false, Reading::Strict, nullptr};
    static const FieldScale Ded{1, 5000, "Dedendum", true, Reading::Strict, nullptr};
    static const FieldScale Egb{0, 20000, "Edgbreak", true, Reading::Lenient, "txtEGB_GotFocus"};
    static const FieldScale Phi{0, 500, "Pressure Angle", false, Reading::Strict, nullptr};
    static const FieldScale Ttk{0, 20000, "Tooth Thickness", true, Reading::Strict, nullptr};
    auto focus = [&](const char* name, int index, const FieldScale& scale) {
        auto& field = form.get<forms::TextBox>(QString::fromLatin1(name), index);
        field.onGotFocus.connect([this, &field, &scale, index] { bind(field, scale, index); });
    };
    for (int i = 1; i <= 4; ++i) {
        focus("txtAdd", i, Add);
        focus("txtDed", i, Ded);
        focus("txtEGB", i, Egb);
        focus("txtTTK", i, Ttk);
        auto& teeth = form.get<forms::TextBox>(QStringLiteral("txtN"), i);
        teeth.onGotFocus.connect([this, &teeth, i] { bindTeeth(teeth, i); });
        form.get<forms::TextBox>(QStringLiteral("txtTTK"), i).onChange.connect([this, i] { txtTTK_Change(i); });
    }
    for (int m = 0; m <= 2; ++m)
        focus("txtDCO", m, Dco);
    focus("txtPhi", -1, Phi);
}

void frmInputs::load()
{
    startup_.trace().write("frmInputs_Load");
    forms::Form& window = form();
    if (startup_.shellServices.FormPosition)
        runtime::ignoringNumberedErrors([&] { startup_.shellServices.FormPosition(window, true); });
    window.move(window.left(), window.top(), 3240, 6285 + (window.height() - window.scaleHeight()));
    box("txtBKL").setLeft(540);
    for (int m = 0; m <= 2; ++m)
        box("txtDCO", m).setLeft(540);
    if (startup_.OmeshMaster)
        startup_.OmeshMaster->SetOptionEvents();
    chkFRR_Click(2);
    chkFRR_Click(3);
    boundField_ = &box("txtPhi");
}

void frmInputs::chkFRR_Click(int index)
{
    runtime::ignoringNumberedErrors([&] {
        forms::Form& window = form();
        auto ticked = [&](int i) { return window.get<forms::CheckBox>(QStringLiteral("chkFRR"), i).checkValue() == 1; };
        auto& mesh0 = window.get<forms::OptionButton>(QStringLiteral("optMesh"), 0);
        auto& mesh2 = window.get<forms::OptionButton>(QStringLiteral("optMesh"), 2);
        mesh0.setEnabled(!ticked(2));
        mesh2.setEnabled(!ticked(3));
        const bool backlash = ticked(2) && ticked(3);
        window.get<forms::Label>(QStringLiteral("lblBL")).setVisible(backlash);
        box("txtBKL").setVisible(backlash);
        if ((!mesh0.enabled() && mesh0.isSelected()) || (!mesh2.enabled() && mesh2.isSelected()))
            window.get<forms::OptionButton>(QStringLiteral("optMesh"), 1).setSelected(true);
        box("txtDed", index).setEnabled(ticked(index));
        box("txtTTK", index).setEnabled(ticked(index));
    });
}

void frmInputs::optMesh_Click(int index)
{
    forms::Form& window = form();
    runtime::ignoringNumberedErrors([&] { window.get<forms::Label>(QStringLiteral("lblWhichMesh")).setCaption(QString::number(index)); });
    currentMesh_ = static_cast<std::int16_t>(index);
    runtime::ignoringNumberedErrors([&] {
        for (int m = 0; m <= 2; ++m)
            box("txtDCO", m).setVisible(false);
        for (int i = 1; i <= 4; ++i)
            window.get<forms::Frame>(QStringLiteral("fraGear"), i).setVisible(false);
        box("txtDCO", index).setVisible(true);
        auto& left = window.get<forms::Frame>(QStringLiteral("fraGear"), index + 1);
        auto& right = window.get<forms::Frame>(QStringLiteral("fraGear"), index + 2);
        left.setLeft(180);
        right.setLeft(960);
        left.setVisible(true);
        right.setVisible(true);
    });
    if (startup_.OmeshMaster)
        startup_.OmeshMaster->ActiveMesh().ReadInputs(false);
    runtime::ignoringNumberedErrors([&] { window.get<forms::Slider>(QStringLiteral("sldSlider")).setFocus(); });
}

void frmInputs::keyDown(int& keyCode)
{
    runtime::ignoringNumberedErrors([&] {
        if (keyCode == KeyEnter) {
            RedrawActiveMesh();
            return;
        }
        if (keyCode == KeyPageUp || keyCode == KeyPageDown || (keyCode >= KeyLeft && keyCode <= KeyDown)) {
            auto& slider = form().get<forms::Slider>(QStringLiteral("sldSlider"));
            if (slider.hasFocus())
                return;
            slider.setFocus();
            // The key only moves the focus; the slider takes the next ones.
            keyCode = 0;
        }
    });
}

void frmInputs::unhighlight()
{
    if (boundField_)
        boundField_->setBackColor(QApplication::palette().color(QPalette::Base));
}

void frmInputs::bind(forms::TextBox& field, const FieldScale& scale, int index)
{
    unhighlight();
    sliderBase_ = scale.base;
    sliderScale_ = scale.scale;
    try {
        const std::string text = textOf(field);
        const double value = scale.reading == Reading::Strict ? runtime::toNumber(text) : runtime::leadingNumber(text);
        // The slider's scale is 16 bits wide: a value beyond it has no position.
        const std::int16_t position = runtime::toInt16(runtime::roundHalfEven((value - sliderBase_) * sliderScale_));
        form().get<forms::Slider>(QStringLiteral("sldSlider")).setValueQuietly(std::clamp<int>(position, 0, SliderMax));
    } catch (const runtime::RuntimeError& error) {
        if (scale.logRoutine)
            startup_.logger().LogMessage("frmInputs", scale.logRoutine, std::to_string(error.number()),
                                         error.description(), "");
    }
    boundField_ = &field;
    field.setBackColor(QColor(255, 255, 0));
    const std::string caption = (scale.elementCaption ? ElementCaption(index) : std::string()) + scale.caption;
    runtime::ignoringNumberedErrors([&] { form().get<forms::Label>(QStringLiteral("lblControl")).setCaption(QString::fromStdString(caption)); });
}

void frmInputs::bindTeeth(forms::TextBox& field, int index)
{
    static const FieldScale Teeth{0, 100, "teeth", true, Reading::Strict, nullptr};
    const double reading = runtime::leadingNumber(textOf(field));
    if (reading * 100 > 32767 || reading == 0) {
        unhighlight();
        sliderBase_ = Teeth.base;
        sliderScale_ = Teeth.scale;
        // A tool's teeth have no slider position: the slider drives nothing
        // until another field is bound, rather than writing the previous
        // field at this field's scale.
        boundField_ = nullptr;
        return;
    }
    // "16x" reads leniently but not strictly: it is bound without moving the thumb.
    bind(field, Teeth, index);
}

void frmInputs::sliderMoved()
{
    runtime::ignoringNumberedErrors([&] {
        if (!boundField_ || sliderScale_ == 0)
            return;
        const int position = form().get<forms::Slider>(QStringLiteral("sldSlider")).sliderValue();
        boundField_->setText(QString::fromStdString(
            runtime::numberText(static_cast<double>(position) / sliderScale_ + sliderBase_)));
    });
    runtime::ignoringNumberedErrors([&] { RedrawActiveMesh(); });
}

void frmInputs::txtTTK_Change(int index)
{
    if (thicknessBusy_)
        return;
    thicknessBusy_ = true;
    runtime::ignoringNumberedErrors([&] {
        auto mirror = [&](int from, int to) {
            box("txtTTK", to).setText(QString::fromStdString(runtime::numberText(1.0 - lenient("txtTTK", from))));
        };
        if (currentMesh_ == 0 && index == 1)
            mirror(1, 2);
        else if (currentMesh_ == 1 && index == 2)
            mirror(2, 3);
        else if (currentMesh_ == 1 && index == 3)
            mirror(3, 2);
        else if (currentMesh_ == 2 && index == 4)
            mirror(4, 3);
    });
    thicknessBusy_ = false;
}

} // namespace vantrope
