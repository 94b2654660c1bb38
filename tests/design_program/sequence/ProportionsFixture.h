#pragma once

// The design's panels as FirstStepsFixture fills them, and a navigator with
// only the handlers of "Tooth Proportions" and the hob steps on the real gear
// pair model, which the fixture sets up as a spur 20/40 pair at Pd 10 and 20
// degrees: the first steps then pass without reading anything. A test
// changes what it needs.

#include "FirstStepsFixture.h"
#include "design_program/model/ReferencePairs.h"

#include "sequence/StepsHobs.h"
#include "sequence/StepsToothProportions.h"

#include <string>
#include <vector>

namespace cindrel::sequence::testing {

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

struct ProportionsFixture : FirstStepsFixture {
    WatchedControls watched{controls, agmaWindow};

    ProportionsFixture()
    {
        model::testing::setUpSpurPair(Oset);
        agmaWindow.stopTheEvents = false;
    }

    std::string agma(const char* name, int index = -1) const { return controls.value({"frmAGMA", name, index}); }

    // A navigator with the given handlers (this design's steps alone by
    // default) on the watched controls.
    T_StateNavigator& startSteps(StepHandlers handlers = proportionSteps())
    {
        controlsPort = &watched;
        return FirstStepsFixture::startSteps(std::move(handlers));
    }
};

} // namespace cindrel::sequence::testing
