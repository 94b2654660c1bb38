#pragma once

// The panels of "Tooth Proportions" and the hob steps on the fake controls,
// and a navigator with only the handlers of those steps on the real gear pair
// model, which the fixture sets up as a spur 20/40 pair at Pd 10 and 20
// degrees (the first steps then pass without reading anything). The panels
// hold full-depth teeth (addendum factor 1, whole depth factor 2.25, no
// tolerance), full circular fillets, the factors on the main window, and
// normalised hobs of addendum 1.25, edge radius 0.3, 20 degrees and thickness
// pi / 2. A test changes what it needs.

#include "SequenceFakes.h"

#include "sequence/StepsHobs.h"
#include "sequence/StepsToothProportions.h"

#include <string>
#include <vector>

namespace cindrel::sequence::testing {

// Sets the main window's proportion and hob panels to the fixture's design,
// adding the controls that are missing.
inline void fillProportionPanels(FakeControls& controls)
{
    const auto set = [&controls](const char* name, const std::string& value, int index = -1) {
        controls.add(mainControl(name, index), value);
    };
    for (int i : {0, 1}) {
        set("lblODHowInput", "0", i);
        set("txtODDim", "1", i);
        set("TxtAddTol", "0", i);
        set("lblWholeDepthHowInput", "0", i);
        set("txtWholeDepth", "2.25", i);
        set("lblFilletType", "0", i);
        set("lblHobNormalVsActual", "0", i);
        set("txtHobAddendum", "1.25", i);
        set("txtHobEdgeRad", "0.3", i);
        set("txtHobPA", "20", i);
        set("txtHobTThk", "1.5707963267949", i);
        set("txtHobProtuberance", "0", i);
    }
    set("chkAGMA", "0");
}

// Metric display.
class MetricDisplay : public FakeUnits {
public:
    bool MetricUnits() const override { return true; }
    double LengthFactor() const override { return 25.4; }
    std::string LengthUnits() const override { return "(mm) "; }
};

// Forwards to the fake controls and notes each write into the AGMA factors
// window with whether its handlers were held off at the time.
class WatchedControls : public Controls {
public:
    struct AgmaWrite {
        ControlId control;
        std::string value;
        bool eventsStopped;
    };

    WatchedControls(FakeControls& inner, const FakeAgmaWindow& window) : inner_(inner), window_(window) {}
    std::vector<AgmaWrite> agmaWrites;

    std::string value(const ControlId& id) const override { return inner_.value(id); }
    void setValue(const ControlId& id, std::string_view value) override
    {
        inner_.setValue(id, value);
        if (id.window == "frmAGMA")
            agmaWrites.push_back({id, std::string(value), window_.stopTheEvents});
    }
    bool enabled(const ControlId& id) const override { return inner_.enabled(id); }
    void setEnabled(const ControlId& id, bool enabled) override { inner_.setEnabled(id, enabled); }
    bool visible(const ControlId& id) const override { return inner_.visible(id); }
    void setVisible(const ControlId& id, bool visible) override { inner_.setVisible(id, visible); }
    std::unique_ptr<Binding> bindClick(const ControlId& id, std::function<void()> handler) override
    {
        return inner_.bindClick(id, std::move(handler));
    }
    bool windowVisible(std::string_view window) const override { return inner_.windowVisible(window); }
    void setWindowVisible(std::string_view window, bool visible) override { inner_.setWindowVisible(window, visible); }
    double windowLeft(std::string_view window) const override { return inner_.windowLeft(window); }
    double windowTop(std::string_view window) const override { return inner_.windowTop(window); }
    void setWindowLeft(std::string_view window, double twips) override { inner_.setWindowLeft(window, twips); }
    void setWindowTop(std::string_view window, double twips) override { inner_.setWindowTop(window, twips); }

private:
    FakeControls& inner_;
    const FakeAgmaWindow& window_;
};

// The handlers of "Tooth Proportions" and the hob steps alone.
inline StepHandlers proportionSteps()
{
    StepHandlers handlers;
    handlers.set("Tooth Proportions", toothProportionsStep());
    handlers.set("Pinion Hob", pinionHobStep());
    handlers.set("Gear Hob", gearHobStep());
    return handlers;
}

struct ProportionsFixture : SequenceFixture {
    MetricDisplay metricDisplay;
    bool metric = false;
    WatchedControls watched{controls, agmaWindow};

    ProportionsFixture()
    {
        fillProportionPanels(controls);
        agmaWindow.stopTheEvents = false;
    }

    void set(const char* name, const std::string& value, int index = -1)
    {
        controls.setValue(mainControl(name, index), value);
    }
    std::string agma(const char* name, int index = -1) const { return controls.value({"frmAGMA", name, index}); }

    T_StateNavigator& startSteps(StepHandlers handlers = proportionSteps())
    {
        navigator.reset();
        Units& display = metric ? static_cast<Units&>(metricDisplay) : static_cast<Units&>(units);
        navigator = std::make_unique<T_StateNavigator>(
            NavigatorPorts{Oset, watched, messages, clipboard, settings, display, runLog, outputs, agmaWindow},
            std::move(handlers));
        return *navigator;
    }

    // Runs one step's reading alone, as its Next would.
    void read(std::string_view step)
    {
        const StepHandler* handler = handlers.find(step);
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

    const StepHandlers handlers = proportionSteps();
};

} // namespace cindrel::sequence::testing
