#include "shell/ModeLabels.h"

#include "shell/AuxiliaryFields.h"
#include "shell/Startup.h"

#include "forms/CheckBox.h"
#include "forms/ComboBox.h"
#include "forms/Frame.h"
#include "forms/Label.h"
#include "forms/OptionButton.h"
#include "forms/TextBox.h"
#include "runtime/CheckedMath.h"
#include "runtime/NumberFormat.h"
#include "runtime/NumberText.h"
#include "runtime/ResumeNext.h"
#include "runtime/RuntimeError.h"

#include <cmath>
#include <cstdlib>

namespace cindrel::shell {

namespace {

const QStringList TThkMethods = {QStringLiteral("Percentage Split"), QStringLiteral("Actual Thickness"),
                                 QStringLiteral("Reverse Pin Measurement"), QStringLiteral("Reverse Span Measurement"),
                                 QStringLiteral("Addendum Modification")};

forms::Label& label(forms::Form& main, const char* name, int index = -1)
{
    return main.get<forms::Label>(QString::fromLatin1(name), index);
}
forms::ComboBox& combo(forms::Form& main, const char* name, int index = -1)
{
    return main.get<forms::ComboBox>(QString::fromLatin1(name), index);
}
forms::OptionButton& option(forms::Form& main, const char* name, int index)
{
    return main.get<forms::OptionButton>(QString::fromLatin1(name), index);
}
forms::Control& control(forms::Form& main, const char* name, int index = -1)
{
    forms::Control* found = main.find(QString::fromLatin1(name), index);
    if (found == nullptr)
        runtime::raise(340);
    return *found;
}

int modeOf(const forms::Label& modeLabel) { return modeNumber(modeLabel.caption()); }

// A mode that only an edited design file can bring falls back to 0: the label
// is set to "0", and that change rebuilds the panel as for 0.
void fallBackToZero(forms::Label& modeLabel) { modeLabel.setCaption(QStringLiteral("0")); }

// A combo box's choice written into its mode label; no selection writes nothing.
void writeChoice(forms::ComboBox& box, forms::Label& modeLabel)
{
    if (box.listIndex() >= 0)
        modeLabel.setCaption(QString::number(box.listIndex()));
}

// The rule of a mode label whose only task is to select item v of its combo
// box; false when v had no item (the label then fell back to 0).
bool selectItem(forms::ComboBox& box, forms::Label& modeLabel, int v)
{
    if (v < 0 || v >= box.listCount()) {
        fallBackToZero(modeLabel);
        return false;
    }
    box.setListIndex(v);
    return true;
}

// Connects a combo box and its mode label both ways; `rebuild` runs after
// the item was selected.
void bindCombo(forms::Form& main, const char* comboName, const char* labelName, int index,
               std::function<void(int)> rebuild = {})
{
    forms::ComboBox& box = combo(main, comboName, index);
    forms::Label& modeLabel = label(main, labelName, index);
    box.onClick.connect([&box, &modeLabel] { writeChoice(box, modeLabel); });
    modeLabel.onChange.connect([&box, &modeLabel, rebuild] {
        if (selectItem(box, modeLabel, modeOf(modeLabel)) && rebuild)
            rebuild(box.listIndex());
    });
}

// Connects an option-button array whose member k writes k into the mode
// label, and whose label selects member |v|.
void bindOptions(forms::Form& main, const char* optionName, const char* labelName, int count,
                 std::function<void(int)> rebuild = {})
{
    forms::Label& modeLabel = label(main, labelName);
    for (int k = 0; k < count; ++k) {
        forms::OptionButton& button = option(main, optionName, k);
        button.onClick.connect([&modeLabel, k] { modeLabel.setCaption(QString::number(k)); });
    }
    modeLabel.onChange.connect([&main, &modeLabel, optionName, count, rebuild] {
        const int v = std::abs(modeOf(modeLabel));
        if (v >= count) {
            fallBackToZero(modeLabel);
            return;
        }
        option(main, optionName, v).setSelected(true);
        if (rebuild)
            rebuild(v);
    });
}

void setBacklashVisible(forms::Form& main, bool visible)
{
    for (const char* name : {"lblMaxBL", "txtMaxBL", "lblMinBL", "txtMinBL"})
        runtime::ignoringAnyException([&] { control(main, name).setVisible(visible); });
    for (int unit : {29, 30})
        runtime::ignoringAnyException([&] { control(main, "lblLengthUnits", unit).setVisible(visible); });
}

void toothThicknessChanged(forms::Form& main, int i)
{
    forms::Label& own = label(main, "lblTThkHowInput", i);
    forms::ComboBox& box = combo(main, "cmbTThkHowInput", i);
    const int m = modeOf(own);
    // Beyond the methods, or beyond the three an internal gear offers: back to percentage split.
    if (m < 0 || m >= TThkMethods.size() || (box.listCount() > 0 && m >= box.listCount())) {
        fallBackToZero(own);
        return;
    }
    const int o = 1 - i;
    runtime::ignoringAnyException([&] { box.setListIndex(m); });
    const char* frames = i == 0 ? "fraTThkPinion" : "fraTThkGear";
    for (int method = 0; method < TThkMethods.size(); ++method)
        runtime::ignoringAnyException([&] { control(main, frames, method).setVisible(false); });
    runtime::ignoringAnyException([&] { control(main, frames, m).setVisible(true); });
    const int n = modeOf(label(main, "lblTThkHowInput", o));
    if ((n == 0 && m != 0) || (n == 4 && m != 4))
        setBacklashVisible(main, false);
    if (m == 0) {
        runtime::ignoringAnyException([&] { label(main, "lblTThkHowInput", o).setCaption(QStringLiteral("0")); });
        setBacklashVisible(main, true);
    }
}

void meshChanged(Startup& startup, forms::Form& main)
{
    const int v = modeOf(label(main, "lblMeshOption"));
    if (v == -1)
        option(main, "optMesh", 1).setSelected(true);
    else if (v == 1)
        option(main, "optMesh", 0).setSelected(true);
    model::T_Set* pair = startup.Oset();
    if (pair == nullptr)
        return;
    // Unlike the display steps around it, a pair that cannot take the kind matters: report it.
    runtime::reportingErrors(startup.runLog(), "frmMain", "MeshChanged", [&] { pair->aaInternal_External(v); });
    runtime::ignoringAnyException([&] {
        const UnitSystem& units = startup.units();
        const std::string distance = runtime::formatNumber(pair->DC_s() * units.LengthFactor, "0.000");
        label(main, "lblStandardOCD").setCaption(QString::fromStdString(distance + " " + units.LengthUnits));
    });
}

void centreDistanceModeChanged(forms::Form& main)
{
    forms::Label& modeLabel = label(main, "lblOCDHowInput");
    const int v = std::abs(modeOf(modeLabel));
    if (v > 2) {
        fallBackToZero(modeLabel);
        return;
    }
    option(main, "optOCDHowInput", v).setSelected(true);
    forms::Control& frame = control(main, "fraOCDHowInput");
    if (v == 0) {
        runtime::ignoringAnyException([&] { frame.setVisible(false); });
        return;
    }
    runtime::ignoringAnyException([&] { frame.setVisible(true); });
    // The focus cannot move while the panel is hidden (a design file being read).
    runtime::ignoringAnyException([&] { control(main, "txtOCD").setFocus(); });
    runtime::ignoringAnyException([&] {
        label(main, "lblOCDTitle").setCaption(v == 1 ? QStringLiteral("Actual OCD") : QStringLiteral("Deviation"));
    });
}

void outsideSizeChanged(Startup& startup, forms::Form& main, int i, int v)
{
    static const char* const captions[] = {"Addendum Factor", "Actual Addendum", "Tip Radius", "Tip Diameter"};
    main.get<forms::Frame>(QStringLiteral("fraAddendum"), i).setCaption(QString::fromLatin1(captions[v]));
    control(main, "lblLengthUnits", 25 + i).setVisible(v != 0);
    // The tip of an internal gear is its smallest diameter: its limits swap.
    const bool swapped = i == 1 && v >= 2 && startup.Oset() != nullptr && startup.Oset()->IntExt() != 1;
    label(main, "lblMaxMin", i + 1).setCaption(swapped ? QStringLiteral("(min)") : QStringLiteral("(max)"));
    label(main, "lblMinMax", i + 1).setCaption(swapped ? QStringLiteral("(max)") : QStringLiteral("(min)"));
}

void hobDimensionsChanged(forms::Form& main, int h)
{
    forms::Label& mode = label(main, "lblHobNormalVsActual", h);
    const int v = modeOf(mode);
    // Straight to 0, not through the option: the user did not switch, so
    // the boxes are not converted.
    if (v < 0 || v > 1) {
        fallBackToZero(mode);
        return;
    }
    option(main, "optNormedHob", v + 2 * h).setSelected(true);
    // Normalised dimensions are per unit of pitch: they have no length unit.
    // The rack shift's unit stays hidden with its box.
    static const int units[2][4] = {{13, 15, 19, 23}, {14, 16, 20, 24}};
    for (int unit : units[h == 0 ? 0 : 1])
        runtime::ignoringAnyException([&] { control(main, "lblLengthUnits", unit).setVisible(v != 0); });
}

void subShearChanged(forms::Form& main)
{
    forms::Label& modeLabel = label(main, "lblSubShear");
    const QString text = modeLabel.caption().trimmed();
    bool kelley = false;
    if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        kelley = true;
    else if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        kelley = false;
    else if (runtime::isNumeric(text.toStdString()))
        kelley = runtime::toNumber(text.toStdString()) != 0;
    else {
        fallBackToZero(modeLabel);
        return;
    }
    option(main, "optSubShear", kelley ? 1 : 0).setSelected(true);
}

} // namespace

int modeNumber(const QString& caption)
{
    try {
        const double number = runtime::roundHalfEven(runtime::leadingNumber(caption.toStdString()));
        if (std::fabs(number) >= ModeOutOfRange)
            return ModeOutOfRange;
        return static_cast<int>(number);
    } catch (const runtime::RuntimeError&) {
        return ModeOutOfRange;
    }
}

void FillTThkMethodCombos(forms::Form& main, bool FullList)
{
    const auto selectByLabel = [&main](int i) {
        runtime::ignoringAnyException([&] {
            const QString caption = label(main, "lblTThkHowInput", i).caption();
            if (runtime::isNumeric(caption.toStdString()))
                combo(main, "cmbTThkHowInput", i).setListIndex(modeNumber(caption));
        });
    };
    runtime::ignoringAnyException([&] {
        forms::ComboBox& pinion = combo(main, "cmbTThkHowInput", 0);
        pinion.clear();
        for (const QString& method : TThkMethods)
            pinion.addItem(method);
    });
    selectByLabel(0);
    runtime::ignoringAnyException([&] { combo(main, "cmbTThkHowInput", 1).clear(); });
    if (FullList) {
        runtime::ignoringAnyException([&] {
            for (const QString& method : TThkMethods)
                combo(main, "cmbTThkHowInput", 1).addItem(method);
        });
    } else {
        runtime::ignoringAnyException([&] {
            forms::Label& gearMode = label(main, "lblTThkHowInput", 1);
            if (modeOf(gearMode) >= 3)
                gearMode.setCaption(QStringLiteral("0"));
        });
        runtime::ignoringAnyException([&] {
            for (int method = 0; method < 3; ++method)
                combo(main, "cmbTThkHowInput", 1).addItem(TThkMethods[method]);
        });
    }
    selectByLabel(1);
}

void EnableHelixHandCombos(Startup& startup, bool Enable)
{
    forms::Form& manufacturing = startup.windows()[QStringLiteral("frmMFGOutputs")];
    for (int member : {0, 1}) {
        auto& hand = manufacturing.get<forms::ComboBox>(QStringLiteral("cmbHelixHand"), member);
        if (!Enable)
            hand.setListIndex(-1);
        hand.setEnabled(Enable);
    }
}

void lblPowerHowInput_Change(forms::Form& main)
{
    forms::Label& modeLabel = label(main, "lblPowerHowInput");
    const int v = modeOf(modeLabel);
    if (v < 0 || v > 2) {
        fallBackToZero(modeLabel);
        return;
    }
    const bool metric = main.get<forms::CheckBox>(QStringLiteral("chkMetricUnits")).checkValue() == 1;
    const QString power = metric ? QStringLiteral("Power (kW)") : QStringLiteral("Power (hp)");
    const QString torque = metric ? QStringLiteral("Pinion Torque (N-m)") : QStringLiteral("Pinion Torque (in-lb)");
    const QString speed = QStringLiteral("Pinion Speed (rpm)");
    option(main, "optPower", v).setSelected(true);
    const QString titles[3][2] = {{power, torque}, {power, speed}, {speed, torque}};
    label(main, "lblPowerTitle", 0).setCaption(titles[v][0]);
    label(main, "lblPowerTitle", 1).setCaption(titles[v][1]);
}

void connectModeLabels(Startup& startup, forms::Form& main)
{
    // Main inputs.
    forms::ComboBox& orientation = combo(main, "cmbToothOrient");
    forms::Label& orientationLabel = label(main, "lblToothOrient");
    orientation.onClick.connect([&orientation, &orientationLabel] { writeChoice(orientation, orientationLabel); });
    orientationLabel.onChange.connect([&startup, &main, &orientation, &orientationLabel] {
        const int v = modeOf(orientationLabel);
        if (v < 0 || v > 2) {
            fallBackToZero(orientationLabel);
            return;
        }
        EnableHelixHandCombos(startup, v == 1);
        control(main, "fraMainHelixAngle").setVisible(v != 0);
        // Herringbone teeth have no item of their own: the box then shows none.
        orientation.setListIndex(v < orientation.listCount() ? v : -1);
    });
    bindCombo(main, "cmbHAHowMeasured", "lblHAHowMeasured", -1, [&main](int v) {
        for (int frame : main.arrayIndexes(QStringLiteral("fraHelixAngle")))
            control(main, "fraHelixAngle", frame).setVisible(frame == v);
    });
    bindCombo(main, "cmbPAHowMeasured", "lblPAHowMeasured", -1, [&main](int v) {
        for (int frame : main.arrayIndexes(QStringLiteral("fraPA")))
            control(main, "fraPA", frame).setVisible(false);
        control(main, "fraPA", v).setVisible(true);
    });
    bindCombo(main, "cmbPAPlane", "lblPAPlane", -1);
    bindCombo(main, "cmbDPPlane", "lblDPPlane", -1);

    // Centre distance.
    forms::Label& mesh = label(main, "lblMeshOption");
    option(main, "optMesh", 0).onClick.connect([&main, &mesh] {
        mesh.setCaption(QStringLiteral("1"));
        FillTThkMethodCombos(main, true);
    });
    option(main, "optMesh", 1).onClick.connect([&main, &mesh] {
        mesh.setCaption(QStringLiteral("-1"));
        FillTThkMethodCombos(main, false);
    });
    mesh.onChange.connect([&startup, &main] { meshChanged(startup, main); });
    forms::Label& centreMode = label(main, "lblOCDHowInput");
    for (int k = 0; k < 3; ++k)
        option(main, "optOCDHowInput", k).onClick.connect([&centreMode, k] { centreMode.setCaption(QString::number(k)); });
    centreMode.onChange.connect([&main] { centreDistanceModeChanged(main); });

    // Tooth thickness, proportions and hobs, member by member.
    for (int i : {0, 1}) {
        forms::ComboBox& method = combo(main, "cmbTThkHowInput", i);
        forms::Label& methodLabel = label(main, "lblTThkHowInput", i);
        method.onClick.connect([&method, &methodLabel] { writeChoice(method, methodLabel); });
        methodLabel.onChange.connect([&main, i] { toothThicknessChanged(main, i); });
        bindCombo(main, "cmbODHowInput", "lblODHowInput", i, [&startup, &main, i](int v) { outsideSizeChanged(startup, main, i, v); });
        bindCombo(main, "cmbWholeDepth", "lblWholeDepthHowInput", i,
                  [&main, i](int v) { control(main, "lblLengthUnits", 27 + i).setVisible(v >= 2); });
        bindCombo(main, "cmbFilletType", "lblFilletType", i);
        label(main, "lblHobNormalVsActual", i).onChange.connect([&main, i] { hobDimensionsChanged(main, i); });
    }
    for (int k = 0; k < 4; ++k) {
        option(main, "optNormedHob", k).onClick.connect([&startup, &main, k] {
            forms::Label& mode = label(main, "lblHobNormalVsActual", k / 2);
            // A switch the user makes keeps the hob: the boxes are converted.
            // The step reads any mode but 0 as actual dimensions.
            const bool toNormalised = k % 2 == 0;
            if ((modeOf(mode) == 0) != toNormalised)
                convertHobDimensions(startup, main, k / 2, toNormalised);
            mode.setCaption(QString::number(k % 2));
        });
    }

    // Load, and scoring inputs.
    forms::Label& powerMode = label(main, "lblPowerHowInput");
    for (int k = 0; k < 3; ++k)
        option(main, "optPower", k).onClick.connect([&powerMode, k] { powerMode.setCaption(QString::number(k)); });
    powerMode.onChange.connect([&main] { lblPowerHowInput_Change(main); });
    bindOptions(main, "optPinionDriving", "lblPinionDriving", 2);
    bindOptions(main, "optModifiedProfiles", "lblModifiedProfiles", 2);
    forms::Label& shear = label(main, "lblSubShear");
    for (int k = 0; k < 2; ++k)
        option(main, "optSubShear", k).onClick.connect([&shear, k] { shear.setCaption(QString::number(k)); });
    shear.onChange.connect([&main] { subShearChanged(main); });
}

} // namespace cindrel::shell
