#pragma once

// The load, rating factor and lubrication steps on the recording fakes, the
// real gear pair with its real contact analyses, and the stand-in AGMA
// factors window.

#include "SequenceFakes.h"

#include "design_program/model/ReferencePairs.h"

#include "analyses/ContactAnalyses.h"
#include "AgmaFactorsStandIn.h"
#include "sequence/StepHandlers.h"

#include "runtime/NumberText.h"

#include <memory>
#include <string>
#include <string_view>

namespace cindrel::sequence::testing {

// A recording shell that builds the real analyses, in English or metric units.
class AnalysedShell : public model::testing::RecordingShell {
public:
    model::AnalysisFactory& analysisFactory() override { return factory_; }
    double ForceFactor() const override { return MetricUnits() ? 4.44822 : 1.0; }
    double PressureFactor() const override { return MetricUnits() ? 0.00689475908677537 : 1.0; }

private:
    analyses::ContactAnalysisFactory factory_;
};

// The display units of either system, with the program's factors and labels.
class DisplayUnits : public Units {
public:
    bool metric = false;

    bool MetricUnits() const override { return metric; }
    double LengthFactor() const override { return metric ? 25.4 : 1; }
    double PressureFactor() const override { return metric ? 0.00689475908677537 : 1; }
    double TorqueFactor() const override { return metric ? 0.1129848 : 1; }
    double PowerFactor() const override { return metric ? 0.7457 : 1; }
    double ForceFactor() const override { return metric ? 4.44822 : 1; }
    double RMSFactor() const override { return metric ? 0.023091 : 1; }
    double VelocityFactor() const override { return metric ? 0.00508 : 1; }
    std::string LengthUnits() const override { return metric ? "(mm) " : "(in) "; }
    std::string PowerUnits() const override { return metric ? "(kW) " : "(hp) "; }
    std::string PressureUnits() const override { return metric ? "(MPa) " : "(psi) "; }
    std::string TorqueUnits() const override { return metric ? "(N-m) " : "(in-lb) "; }
    std::string ForceUnits() const override { return metric ? "(N) " : "(lb) "; }
    std::string TempUnits() const override { return metric ? "(\xC2\xB0" "C) " : "(\xC2\xB0" "F) "; }
    std::string VelocityUnits() const override { return metric ? "meter/sec " : "ft/min "; }
};

inline ControlId agmaControl(const char* name, int index = -1) { return {"frmAGMA", name, index}; }

struct RatingStepsFixture {
    AnalysedShell shell;
    model::T_Set Oset{shell};
    FakeControls controls;
    FakeMessages messages;
    FakeClipboard clipboard;
    FakeSettings settings;
    DisplayUnits units;
    RecordingRunLog runLog;
    FakeOutputs outputs;
    std::unique_ptr<AgmaFactorsStandIn> agmaWindow;
    std::unique_ptr<T_StateNavigator> navigator;

    // The spur 20/40 reference pair, and panels holding its load (10 hp at
    // 1750 rpm), steel, factors of 1.0 and the pair's default lubrication.
    explicit RatingStepsFixture(const model::testing::PairInputs& pair = model::testing::spurPairInputs())
    {
        model::testing::setUpPair(Oset, pair);
        for (const char* name : {"cmdPrevious", "cmdNext", "cmdFinished", "mnuMFGOutputs", "mnuDraw", "cmdGraphTemp",
                                 "cmdGraphSlide", "cmdGraphFilm", "cmdGraphLoad", "cmdGraphShear", "cmdGraphBHN",
                                 "cmdGraphDeflection"})
            controls.add(mainControl(name), "", false);
        for (int i = 0; i <= 10; ++i)
            controls.add(panel(i), "", false);
        controls.windows["frmAGMA"];
        for (int i : {0, 1}) {
            add("txtPoissonRatio", "0.3", i);
            add("txtYoungsModulus", "30000000", i);
        }
        add("lblPowerHowInput", "1");
        add("txtPowerInput1", "10");
        add("txtPowerInput2", "1750");
        for (const char* name : {"txtKm", "txtKo", "txtKr", "txtKs", "txtKt", "txtKV", "txtCf", "txtCh"})
            add(name, "1.0");
        for (const char* name : {"txtKb", "txtSf", "txtSh", "txtYn", "txtZn"}) {
            add(name, "1.0", 0);
            add(name, "1.0", 1);
        }
        add("txtSurfaceFinish", "50");
        controls.setEnabled(mainControl("txtSurfaceFinish"), false);
        add("txtLubeTemp", "120");
        add("lblSubShear", "0");
        add("txtFrictionCoeff", "0.06");
        add("txtLubeExponent", "0.00008");
        add("lblModifiedProfiles", "0");
        add("lblPinionDriving", "1");
        add("txtSafetyFactorSS", "1.3");
        add("txtLubeViscosity", "50");
        add("optModifiedProfiles", "True", 0);
        add("optModifiedProfiles", "False", 1);
        add("lblMaterial", "Steel Through hardened", 0);
        add("lblMaterial", "Steel Nitrided", 1);
        for (int i = 0; i < 3; ++i)
            add("lblGearLife", "", i);
        add("lblKmString", "");

        // The AGMA factors window's boxes.
        controls.add(agmaControl("cmdNext"));
        controls.add(agmaControl("cmdPrevious"));
        for (int i = 0; i <= 4; ++i)
            controls.add(agmaControl("txtInps", i));
        for (const char* name : {"txtKm", "txtKo", "txtKr", "txtKs", "txtKt", "txtKV", "txtCf"})
            controls.add(agmaControl(name), "1.0");
        for (const char* name : {"txtCh", "txtKb", "txtSf", "txtSh", "txtYn", "txtZn"}) {
            controls.add(agmaControl(name, 0), "1.0");
            controls.add(agmaControl(name, 1), "1.0");
        }
        controls.add(agmaControl("txtLife", 0), "10000000");
        controls.add(agmaControl("txtLife", 1), "5000000");
        controls.add(agmaControl("txtLife", 2), "20000");
        addAgmaHandOverBoxes(controls);
        fillProportionPanels(controls);
    }

    // Metric display, in the pair's shell too.
    void useMetric()
    {
        units.metric = true;
        shell.lengthFactor = 25.4;
        // Steel and 10 hp in MPa and kW: 30e6 psi x 0.00689475908677537, 10 x 0.7457.
        for (int i : {0, 1})
            set("txtYoungsModulus", "206842.772603261", i);
        set("txtPowerInput1", "7.457");
        // 120 degrees F and 50 microinch RMS: (120 - 32) / 1.8, 50 x 0.023091.
        set("txtLubeTemp", "48.8888888888889");
        set("txtSurfaceFinish", "1.15455");
    }

    void add(const char* name, std::string value, int index = -1) { controls.add(mainControl(name, index), value); }
    // Sets a main-window control's text, adding the control when it is missing.
    void set(const char* name, std::string_view value, int index = -1)
    {
        try {
            controls.setValue(mainControl(name, index), value);
        } catch (const runtime::RuntimeError&) {
            controls.add(mainControl(name, index), std::string(value));
        }
    }

    // The panels of the first three steps holding the pair as set up: teeth,
    // faces, helix, normal pitch and pressure angle, the standard centre
    // distance and the standard normal thickness at the standard circle.
    void fillFirstStepPanels(const model::testing::PairInputs& pair)
    {
        for (int i : {0, 1}) {
            set("txtNumTeeth", std::to_string(i == 0 ? pair.pinionTeeth : pair.gearTeeth), i);
            set("txtFaceWidth", runtime::numberText(i == 0 ? pair.pinionFace : pair.gearFace), i);
            set("txtHobPA", "", i);
        }
        set("lblToothOrient", pair.helixAngleDegrees == 0 ? "0" : "1");
        set("lblHAHowMeasured", "0");
        set("txtHelixAngleDEG", runtime::numberText(pair.helixAngleDegrees));
        set("txtHelixAngleRAD", "");
        set("lblHelixAngleDMS", "0");
        set("txtDP", runtime::numberText(pair.normalDiametralPitch));
        set("lblDPPlane", "0");
        set("lblPAHowMeasured", "0");
        set("lblPAPlane", "0");
        set("txtPADeg", runtime::numberText(pair.normalPressureAngleDegrees));
        set("txtPARad", "");
        set("lblPADMS", "0");
        set("lblStandardOCD", "");
        set("lblMeshOption", std::to_string(pair.internalExternal));
        set("lblOCDHowInput", "0");
        set("txtOCD", "");
        set("lblAddShiftTotal", "");
        set("txtMinBL", "");
        set("txtMaxBL", "");
        const std::string thickness = runtime::numberText(3.14159265358979 / (2 * pair.normalDiametralPitch));
        for (int i : {0, 1}) {
            set("lblTThkHowInput", "1", i);
            set("txtMinTThk", thickness, i);
            set("txtMaxTThk", thickness, i);
            set("chkCircularTThk", "1", i);
            set("chkTThkTransverse", "0", i);
            set("chkTThkOperating", "0", i);
            set("txtTThkPercentage", "50", i);
            set("txtAddendumMod", "0", i);
            for (const char* name : {"txtMinPinMeas", "txtMaxPinMeas", "txtPinDia", "txtMinBlockMeas",
                                     "txtMaxBlockMeas", "txtNumTeethMeas", "txtMinEdgeBreak", "txtMaxEdgeBreak"})
                set(name, "", i);
        }
    }
    std::string get(const ControlId& id) const { return controls.value(id); }

    // The program's steps, no hobs, the factors typed on the main window (5)
    // or in the AGMA factors window (8), and the J factors the checks keep.
    // The steps before the hob steps do nothing: the pair stays as set up.
    T_StateNavigator& start(int agmaInputMode = 5, StepHandlers handlers = laterSteps())
    {
        navigator.reset();
        agmaWindow = std::make_unique<AgmaFactorsStandIn>(controls);
        navigator = std::make_unique<T_StateNavigator>(
            NavigatorPorts{Oset, controls, messages, clipboard, settings, units, runLog, outputs, *agmaWindow},
            std::move(handlers));
        agmaWindow->attach(*navigator);
        navigator->HobMode = 0;
        navigator->AgmaInputMode = agmaInputMode;
        navigator->JFactors = {0.32, 0.38};
        return *navigator;
    }

    static StepHandlers laterSteps()
    {
        StepHandlers handlers = designSteps();
        for (std::string_view step : {steps::MainInputs, steps::CenterDistance, steps::ToothThickness,
                                      steps::ToothProportions, steps::PinionHob, steps::GearHob})
            handlers.set(step, {});
        return handlers;
    }

    void next() { controls.click(mainControl("cmdNext")); }
    void previous() { controls.click(mainControl("cmdPrevious")); }
    void finish() { controls.click(mainControl("cmdFinished")); }
    std::string current() const { return navigator->CurrentState().Name; }

    // Nexts until the step is current, at most once per step; false when it is not reached.
    bool nextTo(std::string_view step)
    {
        for (int i = 0; i < 12 && current() != step; ++i) {
            if (current() == steps::AgmaFactors)
                controls.click(agmaControl("cmdNext"));
            else
                next();
        }
        return current() == step;
    }

    std::vector<int> messageNumbers() const
    {
        std::vector<int> numbers;
        for (const auto& shown : messages.shown)
            numbers.push_back(shown.first);
        return numbers;
    }
};

} // namespace cindrel::sequence::testing
