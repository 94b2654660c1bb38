#pragma once

// The panels of the first three steps on the fake controls, filled with a
// spur 20/40 design (Pd 10, 20 degrees, face 1, standard centre distance,
// thickness 0.150 / 0.155 in at the operating circle), and the program's step
// handlers on the real gear pair model. A test changes what it needs.

#include "SequenceFakes.h"

#include "model/T_Gear.h"

#include <string>
#include <vector>

namespace cindrel::sequence::testing {

// Metric display.
class FakeMetricUnits : public FakeUnits {
public:
    bool MetricUnits() const override { return true; }
    double LengthFactor() const override { return 25.4; }
    std::string LengthUnits() const override { return "(mm) "; }
};

struct FirstStepsFixture : SequenceFixture {
    FakeMetricUnits metricUnits;
    bool metric = false;
    // The controls the navigator works on: the fakes, or a test's watch over them.
    Controls* controlsPort = &controls;

    FirstStepsFixture()
    {
        // Main Inputs
        set("txtNumTeeth", "20", 0);
        set("txtNumTeeth", "40", 1);
        set("txtFaceWidth", "1", 0);
        set("txtFaceWidth", "1", 1);
        set("lblToothOrient", "0");
        set("lblHAHowMeasured", "0");
        set("txtHelixAngleDEG", "");
        set("txtHelixAngleRAD", "");
        set("lblHelixAngleDMS", "0");
        set("txtDP", "10");
        set("lblDPPlane", "1");
        set("lblPAHowMeasured", "0");
        set("lblPAPlane", "0");
        set("txtPADeg", "20");
        set("txtPARad", "");
        set("lblPADMS", "0");
        set("txtHobPA", "", 0);
        set("txtHobPA", "", 1);
        set("lblStandardOCD", "");
        // Center Distance
        set("lblMeshOption", "1");
        // As the main window does when a design sets its mesh option.
        Oset.aaInternal_External(1);
        set("lblOCDHowInput", "0");
        set("txtOCD", "");
        set("lblAddShiftTotal", "");
        // Tooth Thickness
        set("txtMinBL", "");
        set("txtMaxBL", "");
        for (int i : {0, 1}) {
            set("lblTThkHowInput", "1", i);
            set("txtMinTThk", "0.150", i);
            set("txtMaxTThk", "0.155", i);
            set("chkCircularTThk", "1", i);
            set("chkTThkTransverse", "1", i);
            set("chkTThkOperating", "1", i);
            set("txtTThkPercentage", "50", i);
            set("txtAddendumMod", "0", i);
            set("txtMinPinMeas", "", i);
            set("txtMaxPinMeas", "", i);
            set("txtPinDia", "", i);
            set("txtMinBlockMeas", "", i);
            set("txtMaxBlockMeas", "", i);
            set("txtNumTeethMeas", "", i);
            set("txtMinEdgeBreak", "", i);
            set("txtMaxEdgeBreak", "", i);
        }
        // Tooth Proportions, which the standard-hob button reads too, and the hobs.
        fillProportionPanels(controls);
    }

    // Sets a main-window control's text, adding the control when it is missing.
    void set(const std::string& name, const std::string& value, int index = -1)
    {
        const ControlId id = mainControl(name.c_str(), index);
        try {
            controls.setValue(id, value);
        } catch (const runtime::RuntimeError&) {
            controls.add(id, value);
        }
    }
    std::string get(const std::string& name, int index = -1) const
    {
        return controls.value(mainControl(name.c_str(), index));
    }

    T_StateNavigator& startSteps(StepHandlers handlers = designSteps())
    {
        navigator.reset();
        Units& display = metric ? static_cast<Units&>(metricUnits) : static_cast<Units&>(units);
        navigator = std::make_unique<T_StateNavigator>(
            NavigatorPorts{Oset, *controlsPort, messages, clipboard, settings, display, runLog, outputs, agmaWindow},
            std::move(handlers));
        return *navigator;
    }

    // Runs one step's reading alone, as its Next would.
    void read(std::string_view step)
    {
        const StepHandler* handler = readers.find(step);
        if (handler != nullptr && handler->read)
            handler->read(*navigator, navigator->state(step));
    }

    // Nexts until the step is current or a Next leaves the sequence where it was.
    void nextUntil(std::string_view step)
    {
        while (current() != step) {
            const std::string before = current();
            next();
            if (current() == before)
                return;
        }
    }

    // The numbers of the message boxes shown so far, 0 for a text of its own.
    std::vector<int> shownNumbers() const
    {
        std::vector<int> numbers;
        for (const auto& [number, text] : messages.shown)
            numbers.push_back(number);
        return numbers;
    }

    const StepHandlers readers = designSteps();
};

} // namespace cindrel::sequence::testing
