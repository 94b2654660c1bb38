#pragma once

// Recording fakes of the design sequence's ports, and a fixture that builds a
// navigator on them and the real gear pair model.

#include "sequence/T_StateNavigator.h"

#include "design_program/model/RecordingShell.h"
#include "design_program/shell/RecordingRunLog.h"
#include "model/T_Set.h"
#include "runtime/RuntimeError.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace cindrel::sequence::testing {

// Windows and controls held in maps; a control exists once added.
class FakeControls : public Controls {
public:
    struct State {
        std::string value;
        bool enabled = true;
        bool visible = true;
    };
    struct Window {
        bool visible = false;
        double left = 0;
        double top = 0;
    };

    std::map<std::string, Window> windows;
    // Every setVisible of a control and setWindowVisible, in order: (control, visible).
    std::vector<std::pair<ControlId, bool>> visibilityLog;

    void add(const ControlId& id, std::string value = {}, bool visible = true)
    {
        controls_[key(id)] = {std::move(value), true, visible};
        windows.try_emplace(id.window);
    }
    void remove(const ControlId& id) { controls_.erase(key(id)); }

    std::string value(const ControlId& id) const override { return get(id).value; }
    void setValue(const ControlId& id, std::string_view value) override { get(id).value = value; }
    bool enabled(const ControlId& id) const override { return get(id).enabled; }
    void setEnabled(const ControlId& id, bool enabled) override { get(id).enabled = enabled; }
    bool visible(const ControlId& id) const override { return get(id).visible; }
    void setVisible(const ControlId& id, bool visible) override
    {
        get(id).visible = visible;
        visibilityLog.emplace_back(id, visible);
    }

    std::unique_ptr<Binding> bindClick(const ControlId& id, std::function<void()> handler) override
    {
        get(id);
        handlers_[key(id)] = {++lastBinding_, std::move(handler)};
        return std::make_unique<ClickBinding>(*this, key(id), lastBinding_);
    }
    // Clicks a control: runs its handler when one is bound.
    void click(const ControlId& id)
    {
        const auto it = handlers_.find(key(id));
        if (it != handlers_.end()) {
            const auto handler = it->second.second;
            handler();
        }
    }
    bool isBound(const ControlId& id) const { return handlers_.count(key(id)) != 0; }

    bool windowVisible(std::string_view window) const override { return getWindow(window).visible; }
    void setWindowVisible(std::string_view window, bool visible) override
    {
        getWindow(window).visible = visible;
        visibilityLog.emplace_back(ControlId{std::string(window), "", -1}, visible);
    }
    double windowLeft(std::string_view window) const override { return getWindow(window).left; }
    double windowTop(std::string_view window) const override { return getWindow(window).top; }
    void setWindowLeft(std::string_view window, double twips) override { getWindow(window).left = twips; }
    void setWindowTop(std::string_view window, double twips) override { getWindow(window).top = twips; }

private:
    class ClickBinding : public Binding {
    public:
        ClickBinding(FakeControls& owner, std::string key, int id) : owner_(owner), key_(std::move(key)), id_(id) {}
        ~ClickBinding() override
        {
            const auto it = owner_.handlers_.find(key_);
            if (it != owner_.handlers_.end() && it->second.first == id_)
                owner_.handlers_.erase(it);
        }

    private:
        FakeControls& owner_;
        std::string key_;
        int id_;
    };

    static std::string key(const ControlId& id)
    {
        return id.window + "." + id.name + "#" + std::to_string(id.index);
    }
    State& get(const ControlId& id) const
    {
        const auto it = controls_.find(key(id));
        if (it == controls_.end())
            raiseControlMissing(id);
        return it->second;
    }
    Window& getWindow(std::string_view window) const
    {
        const auto it = windows.find(std::string(window));
        if (it == windows.end())
            raiseControlMissing({std::string(window), "", -1});
        return const_cast<Window&>(it->second);
    }

    mutable std::map<std::string, State> controls_;
    std::map<std::string, std::pair<int, std::function<void()>>> handlers_;
    int lastBinding_ = 0;
};

class FakeMessages : public Messages {
public:
    std::vector<std::pair<int, std::string>> shown;
    void show(int number, std::string_view text) override { shown.emplace_back(number, std::string(text)); }
};

// The clipboard: nothing on it, or one text. Either operation can be made to fail.
class FakeClipboard : public Clipboard {
public:
    std::optional<std::string> text;
    int clears = 0;
    int sets = 0;
    bool failClear = false;
    bool failSet = false;

    void clear() override
    {
        if (failClear)
            runtime::raise(521, "Can't open Clipboard");
        ++clears;
        text.reset();
    }
    void setText(std::string_view value) override
    {
        if (failSet)
            runtime::raise(521, "Can't open Clipboard");
        ++sets;
        text = std::string(value);
    }
};

// The stored number-format choice and radius form; the patterns by choice.
class FakeSettings : public Settings {
public:
    std::int32_t formatChoice = 3;
    std::int32_t diamRad = 1;
    bool failFormat = false;
    bool failDiamRad = false;
    int formatReads = 0;

    std::string DecimalPrecision2(std::int32_t index) override
    {
        if (failFormat)
            runtime::raise(runtime::DeviceIOError);
        ++formatReads;
        static const char* const patterns[] = {"#,##0.0", "#,##0.00", "#,##0.000", "#,##0.0000", "#,##0.00000",
                                               "#0.0",    "#0.00",    "#0.000",    "#0.0000",    "#0.00000"};
        const std::int32_t choice = index == 0 ? formatChoice : index;
        return choice >= 1 && choice <= 10 ? patterns[choice - 1] : "#,##0.000";
    }
    std::int32_t DiamRad() override
    {
        if (failDiamRad)
            runtime::raise(runtime::DeviceIOError);
        return diamRad;
    }
};

// English display.
class FakeUnits : public Units {
public:
    bool MetricUnits() const override { return false; }
    double LengthFactor() const override { return 1; }
    double PressureFactor() const override { return 1; }
    double TorqueFactor() const override { return 1; }
    double PowerFactor() const override { return 1; }
    double ForceFactor() const override { return 1; }
    double RMSFactor() const override { return 1; }
    double VelocityFactor() const override { return 1; }
    std::string LengthUnits() const override { return "(in) "; }
    std::string PowerUnits() const override { return "(hp) "; }
    std::string PressureUnits() const override { return "(psi) "; }
    std::string TorqueUnits() const override { return "(in-lb) "; }
    std::string ForceUnits() const override { return "(lb) "; }
    std::string TempUnits() const override { return "(\xC2\xB0" "F) "; }
    std::string VelocityUnits() const override { return "ft/min "; }
};

// Keeps AutoUpdate and records every fill with the done steps' names.
class FakeOutputs : public Outputs {
public:
    struct Fill {
        std::vector<std::string> keys;
        bool manualOveride;
        bool autoUpdate;
    };
    bool autoUpdate = true;
    std::vector<Fill> fills;

    bool AutoUpdate() const override { return autoUpdate; }
    void setAutoUpdate(bool on) override { autoUpdate = on; }
    void FillGridFromStates(const StateCollection& states, bool ManualOveride) override
    {
        fills.push_back({states.Keys(), ManualOveride, autoUpdate});
    }
};

class FakeAgmaWindow : public AgmaFactorsWindow {
public:
    bool stopTheEvents = true;
    std::int32_t tab = -1;
    void setStopTheEvents(bool stop) override { stopTheEvents = stop; }
    void selectTab(std::int32_t selected) override { tab = selected; }
};

inline ControlId mainControl(const char* name, int index = -1) { return {"frmMain", name, index}; }
inline ControlId panel(int index) { return mainControl("picStates", index); }

// The AGMA factors window's boxes that the sequence writes: I, the J
// factors, the pair inputs and the rim-thickness inputs.
inline void addAgmaHandOverBoxes(FakeControls& controls)
{
    controls.add({"frmAGMA", "txtEye", -1});
    for (int i = 0; i <= 1; ++i)
        controls.add({"frmAGMA", "txtJay", i});
    for (int i = 0; i <= 4; ++i)
        controls.add({"frmAGMA", "txtInps", i});
    for (int i = 0; i <= 3; ++i)
        controls.add({"frmAGMA", "txtKBin", i});
    // The allowable powers a commit of the window writes onto the load panel.
    for (const char* box : {"txtSAC", "txtSAT"})
        for (int i = 0; i <= 1; ++i)
            controls.add({"frmMain", box, i});
    controls.add({"frmMain", "fraAGMA_HPs", -1}, "", false);
}

// The panels of "Tooth Proportions" and the hob steps as a design fills
// them: full-depth teeth (addendum factor 1, whole depth factor 2.25, no
// tolerance), full circular fillets, the factors on the main window; hobs
// for a normal diametral pitch of 1 of addendum 1.25, edge radius 0.3, 20
// degrees and thickness pi / 2.
inline void fillProportionPanels(FakeControls& controls)
{
    const auto set = [&controls](const char* name, const char* value, int index = -1) {
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

// The real gear pair on a recording shell, the fakes, and a navigator built on
// them with the handlers a test gives. Every control starts hidden, as loaded.
struct SequenceFixture {
    model::testing::RecordingShell shell;
    model::T_Set Oset{shell};
    FakeControls controls;
    FakeMessages messages;
    FakeClipboard clipboard;
    FakeSettings settings;
    FakeUnits units;
    RecordingRunLog runLog;
    FakeOutputs outputs;
    FakeAgmaWindow agmaWindow;
    std::unique_ptr<T_StateNavigator> navigator;

    SequenceFixture()
    {
        for (const char* name : {"cmdPrevious", "cmdNext", "cmdFinished", "mnuMFGOutputs", "mnuDraw", "cmdGraphTemp",
                                 "cmdGraphSlide", "cmdGraphFilm", "cmdGraphLoad", "cmdGraphShear", "cmdGraphBHN",
                                 "cmdGraphDeflection"})
            controls.add(mainControl(name), "", false);
        for (int i = 0; i <= 10; ++i)
            controls.add(panel(i), "", false);
        controls.windows["frmAGMA"];
        addAgmaHandOverBoxes(controls);
    }

    T_StateNavigator& start(StepHandlers handlers = {})
    {
        navigator.reset();
        navigator = std::make_unique<T_StateNavigator>(
            NavigatorPorts{Oset, controls, messages, clipboard, settings, units, runLog, outputs, agmaWindow},
            std::move(handlers));
        return *navigator;
    }

    void next() { controls.click(mainControl("cmdNext")); }
    void previous() { controls.click(mainControl("cmdPrevious")); }
    void finish() { controls.click(mainControl("cmdFinished")); }

    std::string current() const { return navigator->CurrentState().Name; }
    std::vector<std::string> done() const { return navigator->StateCollection().Keys(); }
};

} // namespace cindrel::sequence::testing
