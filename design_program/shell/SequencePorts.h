#pragma once

#include "agma/AgmaWindowState.h"
#include "analyses/ChartSurface.h"
#include "sequence/Ports.h"
#include "sequence/T_StateNavigator.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace chart {
class Chart;
}

namespace forms {
class Control;
class Form;
class Forms;
} // namespace forms

namespace cindrel::shell {

class Startup;
class clsRegisty;
struct UnitSystem;

// The controls of the program's windows as the design sequence addresses
// them. Values travel as text: a check box's "0", "1" or "2", an option
// button's "True" or "False", the text or caption of the rest.
class FormControls : public sequence::Controls {
public:
    explicit FormControls(forms::Forms& windows) : windows_(windows) {}

    std::string value(const sequence::ControlId& control) const override;
    void setValue(const sequence::ControlId& control, std::string_view value) override;
    bool enabled(const sequence::ControlId& control) const override;
    void setEnabled(const sequence::ControlId& control, bool enabled) override;
    bool visible(const sequence::ControlId& control) const override;
    void setVisible(const sequence::ControlId& control, bool visible) override;

    std::unique_ptr<sequence::Binding> bindClick(const sequence::ControlId& control,
                                                 std::function<void()> handler) override;

    // Any declared window, loaded or not, as the window itself allows; an
    // undeclared name raises ControlMissing.
    bool windowVisible(std::string_view window) const override;
    void setWindowVisible(std::string_view window, bool visible) override;
    double windowLeft(std::string_view window) const override;
    double windowTop(std::string_view window) const override;
    void setWindowLeft(std::string_view window, double twips) override;
    void setWindowTop(std::string_view window, double twips) override;

private:
    forms::Control& control(const sequence::ControlId& id) const;
    forms::Form& window(std::string_view name) const;

    forms::Forms& windows_;
};

// Message boxes with an OK button only and the program's title.
class MessageBoxes : public sequence::Messages {
public:
    void show(int number, std::string_view text) override;
};

// The system clipboard.
class SystemClipboard : public sequence::Clipboard {
public:
    void clear() override;
    void setText(std::string_view text) override;
};

// The stored preferences of the settings object.
class StoredSettings : public sequence::Settings {
public:
    explicit StoredSettings(clsRegisty& settings) : settings_(settings) {}
    std::string DecimalPrecision2(std::int32_t index) override;
    std::int32_t DiamRad() override;
    std::int32_t Graphfontsize() override;

private:
    clsRegisty& settings_;
};

// The start-up's display unit system, read at every call so that a unit
// switch shows at once.
class DisplayUnits : public sequence::Units {
public:
    explicit DisplayUnits(const UnitSystem& units) : units_(units) {}
    bool MetricUnits() const override;
    double LengthFactor() const override;
    double PressureFactor() const override;
    double TorqueFactor() const override;
    double PowerFactor() const override;
    double ForceFactor() const override;
    double RMSFactor() const override;
    double VelocityFactor() const override;
    std::string LengthUnits() const override;
    std::string PowerUnits() const override;
    std::string PressureUnits() const override;
    std::string TorqueUnits() const override;
    std::string ForceUnits() const override;
    std::string TempUnits() const override;
    std::string VelocityUnits() const override;
    std::string RMSUnits() const override;

private:
    const UnitSystem& units_;
};

// The AGMA factors window: its event stop through what the window offers,
// its tabs through its tabbed control, as a user's choice of tab.
class AgmaWindowPort : public sequence::AgmaFactorsWindow {
public:
    AgmaWindowPort(forms::Forms& windows, std::function<void(bool)> setStopTheEvents)
        : windows_(windows), setStopTheEvents_(std::move(setStopTheEvents))
    {
    }
    void setStopTheEvents(bool stop) override;
    // A tab the control does not have raises InvalidPropertyValue.
    void selectTab(std::int32_t tab) override;

private:
    forms::Forms& windows_;
    std::function<void(bool)> setStopTheEvents_;
};

// The main window's chart control, found at every call so that it may be
// loaded after the ports are made; raises ControlMissing while it is not.
class MainWindowChart : public analyses::ChartSurface {
public:
    explicit MainWindowChart(forms::Forms& windows) : windows_(windows) {}

    void holdRepaint(bool hold) override;
    void holdUpdates(bool hold) override;
    void setHeader(const std::string& text, int fontSize, bool bold) override;
    void setAxisTitle(analyses::ChartAxis axis, const std::string& title) override;
    void setAxisFontSize(analyses::ChartAxis axis, int fontSize) override;
    analyses::ChartRange axisRange(analyses::ChartAxis axis) override;
    void setMissingValue(double value) override;
    void setSeriesCount(int series) override;
    void setPointCount(int points) override;
    void setX(int point, double value) override;
    double x(int point) override;
    void setY(int series, int point, double value) override;
    double y(int series, int point) override;
    void resetSeriesStyles() override;
    void setSeriesStyle(int series, const analyses::ChartSeriesStyle& style) override;
    void setPointStyle(int series, int point, const analyses::ChartPointStyle& style) override;
    void removePointStyles() override;
    void removeLabels() override;
    void addLabel(const analyses::ChartLabel& label) override;
    int labelCount() override;

private:
    chart::Chart& control() const;

    forms::Forms& windows_;
};

// The navigator's ports on the program's own objects: its windows, message
// boxes, clipboard, settings, units, run log, outputs object and AGMA factors
// window. Made once the settings, the gear pair and the outputs object
// exist; must outlive the navigator.
class ProgramSequencePorts {
public:
    explicit ProgramSequencePorts(Startup& startup);
    ProgramSequencePorts(const ProgramSequencePorts&) = delete;
    ProgramSequencePorts& operator=(const ProgramSequencePorts&) = delete;

    const sequence::NavigatorPorts& ports() const { return ports_; }

private:
    FormControls controls_;
    MessageBoxes messages_;
    SystemClipboard clipboard_;
    StoredSettings settings_;
    DisplayUnits units_;
    AgmaWindowPort agmaWindow_;
    MainWindowChart chart_;
    sequence::NavigatorPorts ports_;
};

// The AGMA factors window's allowable-power table as the navigator keeps it,
// in single precision.
std::optional<sequence::AllowablePowers>
navigatorPowers(const std::optional<std::array<agma::AllowablePowerRow, 2>>& table);

} // namespace cindrel::shell
