#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

// What the design sequence needs of the windows, the settings and the rest of
// the program. The shell implements each port on the real windows; tests use
// recording fakes. The sequence never reaches a window any other way.
namespace cindrel::analyses {
class ChartSurface;
}

namespace cindrel::sequence {

class StateCollection;

// A control of a window by window name, control name and array index (-1 for
// a control that is not in an array). An empty control name means the window itself.
struct ControlId {
    std::string window;
    std::string name;
    int index = -1;

    bool isWindow() const { return name.empty(); }
    friend bool operator==(const ControlId&, const ControlId&) = default;
};

// The run-time error that a control which does not exist raises.
inline constexpr int ControlMissing = 340;
// Raises ControlMissing with a description naming the control.
[[noreturn]] void raiseControlMissing(const ControlId& control);

// Released, a binding stops calling its handler.
class Binding {
public:
    virtual ~Binding() = default;
};

// The controls of the loaded windows. Every operation on a control that does
// not exist (window not loaded, no such name or index) raises ControlMissing.
class Controls {
public:
    virtual ~Controls() = default;

    // The generic value as text: a text box's text, a label's caption, a
    // check box's "0", "1" or "2", an option button's "True" or "False".
    virtual std::string value(const ControlId& control) const = 0;
    // Sets the generic value as code would (the control's events run).
    virtual void setValue(const ControlId& control, std::string_view value) = 0;
    virtual bool enabled(const ControlId& control) const = 0;
    virtual void setEnabled(const ControlId& control, bool enabled) = 0;
    // The control's own visibility.
    virtual bool visible(const ControlId& control) const = 0;
    virtual void setVisible(const ControlId& control, bool visible) = 0;

    // Calls the handler on every click of the control until the binding is released.
    virtual std::unique_ptr<Binding> bindClick(const ControlId& control, std::function<void()> handler) = 0;

    // Windows by name; Left and Top in twips.
    virtual bool windowVisible(std::string_view window) const = 0;
    virtual void setWindowVisible(std::string_view window, bool visible) = 0;
    virtual double windowLeft(std::string_view window) const = 0;
    virtual double windowTop(std::string_view window) const = 0;
    virtual void setWindowLeft(std::string_view window, double twips) = 0;
    virtual void setWindowTop(std::string_view window, double twips) = 0;
};

// Message boxes with the text, an OK button only and the program's title.
// number is the text's number in the message table, 0 for a text of its own.
class Messages {
public:
    virtual ~Messages() = default;
    virtual void show(int number, std::string_view text) = 0;
};

// The platform clipboard as plain text. Both raise a run-time error when the
// clipboard cannot be opened.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
    virtual void setText(std::string_view text) = 0;
};

// The user's settings that the sequence reads; each may raise when the store fails.
class Settings {
public:
    virtual ~Settings() = default;
    // The number-format pattern of choice index; 0 is the user's stored choice.
    virtual std::string DecimalPrecision2(std::int32_t index) = 0;
    // 1 shows radii, 2 diameters in the results.
    virtual std::int32_t DiamRad() = 0;
    // The graphs' font size in points, as stored (10 when never stored).
    virtual std::int32_t Graphfontsize() { return 10; }
};

// The display unit system: values are held in English units, shown multiplied
// by their factor, typed ones divided by it; labels end in a blank.
class Units {
public:
    virtual ~Units() = default;
    virtual bool MetricUnits() const = 0;
    virtual double LengthFactor() const = 0;
    virtual double PressureFactor() const = 0;
    virtual double TorqueFactor() const = 0;
    virtual double PowerFactor() const = 0;
    virtual double ForceFactor() const = 0;
    virtual double RMSFactor() const = 0;
    virtual double VelocityFactor() const = 0;
    virtual std::string LengthUnits() const = 0;
    virtual std::string PowerUnits() const = 0;
    virtual std::string PressureUnits() const = 0;
    virtual std::string TorqueUnits() const = 0;
    virtual std::string ForceUnits() const = 0;
    virtual std::string TempUnits() const = 0;
    virtual std::string VelocityUnits() const = 0;
    virtual std::string RMSUnits() const { return MetricUnits() ? "(Ra) " : "(RMS) "; }
};

// The results outputs object, as far as the sequence drives it.
class Outputs {
public:
    virtual ~Outputs() = default;
    // Whether the results grid follows every step.
    virtual bool AutoUpdate() const = 0;
    virtual void setAutoUpdate(bool on) = 0;
    // Refills the grid from the done steps, or hides it while AutoUpdate is
    // off and ManualOveride false.
    virtual void FillGridFromStates(const StateCollection& states, bool ManualOveride) = 0;
};

// The AGMA factors window, beyond its controls.
class AgmaFactorsWindow {
public:
    virtual ~AgmaFactorsWindow() = default;
    // While true, every change and click handler of the window returns at once.
    virtual void setStopTheEvents(bool stop) = 0;
    // Brings a tab of the window's tabbed control (tabMain) to the front, 0 the first.
    virtual void selectTab(std::int32_t tab) = 0;
};

} // namespace cindrel::sequence
