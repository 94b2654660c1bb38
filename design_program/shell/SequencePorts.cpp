#include "shell/SequencePorts.h"

#include "shell/Startup.h"
#include "shell/UnitSystem.h"
#include "shell/clsRegisty.h"

#include "chart/Chart.h"
#include "dialogs/MessageBox.h"
#include "forms/Forms.h"
#include "forms/FormsError.h"
#include "forms/TabStrip.h"
#include "shell/Clipboard.h"

#include <QPointer>

#include <stdexcept>

namespace cindrel::shell {

namespace {

QString qText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Calls the handler on every click until released. A released binding's
// handler never runs again, also when the click that releases it is still
// running other handlers. It leaves the control's event only while the
// control still exists, which its widget tells: a control outlives its
// widget. A control without a widget keeps a handler that does nothing.
class ClickBinding : public sequence::Binding {
public:
    ClickBinding(forms::Control& control, std::function<void()> handler)
        : control_(&control), widget_(control.widget()), token_(std::make_shared<char>())
    {
        id_ = control.onClick.connect([token = std::weak_ptr<char>(token_), handler = std::move(handler)] {
            if (!token.expired())
                handler();
        });
    }
    ~ClickBinding() override
    {
        token_.reset();
        if (widget_ != nullptr)
            control_->onClick.disconnect(id_);
    }
    ClickBinding(const ClickBinding&) = delete;
    ClickBinding& operator=(const ClickBinding&) = delete;

private:
    forms::Control* control_;
    QPointer<QWidget> widget_;
    std::shared_ptr<char> token_;
    int id_ = 0;
};

} // namespace

// ---- Controls ----

forms::Control& FormControls::control(const sequence::ControlId& id) const
{
    forms::Control* found = windows_.findControl(qText(id.window), qText(id.name), id.index);
    if (found == nullptr || id.isWindow())
        sequence::raiseControlMissing(id);
    return *found;
}

forms::Form& FormControls::window(std::string_view name) const
{
    forms::Form* found = windows_.find(qText(name));
    if (found == nullptr)
        sequence::raiseControlMissing({std::string(name), "", -1});
    return *found;
}

std::string FormControls::value(const sequence::ControlId& id) const
{
    const forms::Control& found = control(id);
    const QVariant value = found.value();
    switch (found.valueKind()) {
    case forms::ValueKind::Text:
        return value.toString().toStdString();
    case forms::ValueKind::Number:
        return std::to_string(value.toInt());
    case forms::ValueKind::Boolean:
        return value.toBool() ? "True" : "False";
    case forms::ValueKind::None:
        break;
    }
    forms::raiseFormsError(forms::NotSupported);
}

void FormControls::setValue(const sequence::ControlId& id, std::string_view value)
{
    control(id).setValue(qText(value));
}

bool FormControls::enabled(const sequence::ControlId& id) const { return control(id).enabled(); }

void FormControls::setEnabled(const sequence::ControlId& id, bool enabled) { control(id).setEnabled(enabled); }

bool FormControls::visible(const sequence::ControlId& id) const { return control(id).visible(); }

void FormControls::setVisible(const sequence::ControlId& id, bool visible) { control(id).setVisible(visible); }

std::unique_ptr<sequence::Binding> FormControls::bindClick(const sequence::ControlId& id,
                                                           std::function<void()> handler)
{
    return std::make_unique<ClickBinding>(control(id), std::move(handler));
}

bool FormControls::windowVisible(std::string_view name) const { return window(name).visible(); }

void FormControls::setWindowVisible(std::string_view name, bool visible) { window(name).setVisible(visible); }

double FormControls::windowLeft(std::string_view name) const { return window(name).left(); }

double FormControls::windowTop(std::string_view name) const { return window(name).top(); }

void FormControls::setWindowLeft(std::string_view name, double twips) { window(name).setLeft(twips); }

void FormControls::setWindowTop(std::string_view name, double twips) { window(name).setTop(twips); }

// ---- Messages, clipboard ----

void MessageBoxes::show(int, std::string_view text)
{
    dialogs::messageBox(qText(text), dialogs::OKOnly, QString::fromLatin1(ProductName));
}

void SystemClipboard::clear() { shellservices::clearClipboard(); }

void SystemClipboard::setText(std::string_view text) { shellservices::setClipboardText(qText(text)); }

// ---- Settings, units, the AGMA factors window ----

std::string StoredSettings::DecimalPrecision2(std::int32_t index) { return settings_.DecimalPrecision2(index); }

std::int32_t StoredSettings::DiamRad() { return settings_.DiamRad(); }

std::int32_t StoredSettings::Graphfontsize() { return settings_.Graphfontsize(); }

std::string DisplayUnits::RMSUnits() const { return units_.RMSUnits; }

bool DisplayUnits::MetricUnits() const { return units_.MetricUnits; }
double DisplayUnits::LengthFactor() const { return units_.LengthFactor; }
double DisplayUnits::PressureFactor() const { return units_.PressureFactor; }
double DisplayUnits::TorqueFactor() const { return units_.TorqueFactor; }
double DisplayUnits::PowerFactor() const { return units_.PowerFactor; }
double DisplayUnits::ForceFactor() const { return units_.ForceFactor; }
double DisplayUnits::RMSFactor() const { return units_.RMSFactor; }
double DisplayUnits::VelocityFactor() const { return units_.VelocityFactor; }
std::string DisplayUnits::LengthUnits() const { return units_.LengthUnits; }
std::string DisplayUnits::PowerUnits() const { return units_.PowerUnits; }
std::string DisplayUnits::PressureUnits() const { return units_.PressureUnits; }
std::string DisplayUnits::TorqueUnits() const { return units_.TorqueUnits; }
std::string DisplayUnits::ForceUnits() const { return units_.ForceUnits; }
std::string DisplayUnits::TempUnits() const { return units_.TempUnits; }
std::string DisplayUnits::VelocityUnits() const { return units_.VelocityUnits; }

void AgmaWindowPort::setStopTheEvents(bool stop)
{
    if (setStopTheEvents_)
        setStopTheEvents_(stop);
}

void AgmaWindowPort::selectTab(std::int32_t tab)
{
    const sequence::ControlId id{"frmAGMA", "tabMain", -1};
    auto* tabs = dynamic_cast<forms::TabStrip*>(windows_.findControl(QStringLiteral("frmAGMA"), QStringLiteral("tabMain")));
    if (tabs == nullptr)
        sequence::raiseControlMissing(id);
    tabs->setSelectedTab(tab);
}

// ---- The program's ports ----

namespace {

template <typename T>
T& existing(T* object, const char* name)
{
    if (object == nullptr)
        throw std::logic_error(std::string("The navigator needs ") + name + ", which does not exist yet");
    return *object;
}

} // namespace

ProgramSequencePorts::ProgramSequencePorts(Startup& startup)
    : controls_(startup.windows()),
      settings_(existing(startup.gobjRegisty(), "the settings object")),
      units_(startup.units()),
      agmaWindow_(startup.windows(), [&startup](bool stop) { startup.agmaWindow().StopTheEvents(stop); }),
      chart_(startup.windows()),
      ports_{existing(startup.Oset(), "the gear pair"), controls_, messages_, clipboard_, settings_, units_,
             startup.runLog(), existing(startup.gobjOutputs(), "the outputs object"), agmaWindow_, &chart_}
{
}

std::optional<sequence::AllowablePowers>
navigatorPowers(const std::optional<std::array<agma::AllowablePowerRow, 2>>& table)
{
    if (!table)
        return std::nullopt;
    sequence::AllowablePowers powers;
    for (std::size_t row = 0; row < powers.size(); ++row) {
        const agma::AllowablePowerRow& from = (*table)[row];
        powers[row] = {from.key, static_cast<float>(from.pinion), static_cast<float>(from.gear), from.description,
                       from.pinionUnrounded, from.gearUnrounded};
    }
    return powers;
}

// ---- The chart control ----

namespace {

chart::Axis axisOf(analyses::ChartAxis axis) { return axis == analyses::ChartAxis::X ? chart::Axis::X : chart::Axis::Y; }

QColor colourOf(const analyses::ChartColour& colour) { return QColor(colour.red, colour.green, colour.blue); }

chart::Symbol symbolOf(analyses::ChartSymbol symbol)
{
    switch (symbol) {
    case analyses::ChartSymbol::KeyPoint: return chart::Symbol::KeyPoint;
    case analyses::ChartSymbol::Disc: return chart::Symbol::Disc;
    case analyses::ChartSymbol::Square: return chart::Symbol::Square;
    case analyses::ChartSymbol::Default: break;
    }
    return chart::Symbol::Disc;
}

chart::Anchor anchorOf(analyses::ChartAnchor anchor)
{
    switch (anchor) {
    case analyses::ChartAnchor::North: return chart::Anchor::North;
    case analyses::ChartAnchor::South: return chart::Anchor::South;
    case analyses::ChartAnchor::East: return chart::Anchor::East;
    case analyses::ChartAnchor::West: return chart::Anchor::West;
    case analyses::ChartAnchor::NorthEast: return chart::Anchor::NorthEast;
    case analyses::ChartAnchor::NorthWest: return chart::Anchor::NorthWest;
    case analyses::ChartAnchor::SouthEast: return chart::Anchor::SouthEast;
    case analyses::ChartAnchor::SouthWest: return chart::Anchor::SouthWest;
    }
    return chart::Anchor::North;
}

} // namespace

chart::Chart& MainWindowChart::control() const
{
    auto* found = dynamic_cast<chart::Chart*>(windows_.findControl(QStringLiteral("frmMain"), QStringLiteral("Chart2D1")));
    if (found == nullptr)
        sequence::raiseControlMissing({"frmMain", "Chart2D1", -1});
    return *found;
}

void MainWindowChart::holdRepaint(bool hold) { control().holdRepaint(hold); }

// The control takes the data in with the rest of the graph, when repainting is released.
void MainWindowChart::holdUpdates(bool) {}

void MainWindowChart::setHeader(const std::string& text, int fontSize, bool bold)
{
    control().change([&](chart::ChartModel& model) {
        model.header = qText(text);
        model.headerFontSize = fontSize;
        model.headerBold = bold;
    });
}

void MainWindowChart::setAxisTitle(analyses::ChartAxis axis, const std::string& title)
{
    control().change([&](chart::ChartModel& model) { model.setAxisTitle(axisOf(axis), qText(title)); });
}

void MainWindowChart::setAxisFontSize(analyses::ChartAxis axis, int fontSize)
{
    control().change([&](chart::ChartModel& model) { model.setAxisFontSize(axisOf(axis), fontSize); });
}

analyses::ChartRange MainWindowChart::axisRange(analyses::ChartAxis axis)
{
    const chart::Scale scale = control().model().scale(axisOf(axis));
    return {scale.minimum, scale.maximum};
}

void MainWindowChart::setMissingValue(double value)
{
    control().change([&](chart::ChartModel& model) { model.setMissingValue(value); });
}

void MainWindowChart::setSeriesCount(int series)
{
    control().change([&](chart::ChartModel& model) { model.setSeriesCount(series); });
}

void MainWindowChart::setPointCount(int points)
{
    control().change([&](chart::ChartModel& model) { model.setPointCount(points); });
}

void MainWindowChart::setX(int point, double value)
{
    control().change([&](chart::ChartModel& model) { model.setX(point, value); });
}

double MainWindowChart::x(int point) { return control().model().x(point); }

void MainWindowChart::setY(int series, int point, double value)
{
    control().change([&](chart::ChartModel& model) { model.setY(series, point, value); });
}

double MainWindowChart::y(int series, int point) { return control().model().y(series, point); }

void MainWindowChart::resetSeriesStyles()
{
    control().change([](chart::ChartModel& model) { model.resetSeriesStyles(); });
}

void MainWindowChart::setSeriesStyle(int series, const analyses::ChartSeriesStyle& style)
{
    control().change([&](chart::ChartModel& model) {
        chart::SeriesStyle own = model.seriesStyle(series);
        own.lineColour = colourOf(style.lineColour);
        own.lineWidth = style.lineWidth;
        own.lineShown = style.lineShown;
        own.symbolColour = colourOf(style.symbolColour);
        own.symbolSize = style.symbolSize;
        model.setSeriesStyle(series, own);
    });
}

void MainWindowChart::setPointStyle(int series, int point, const analyses::ChartPointStyle& style)
{
    control().change([&](chart::ChartModel& model) {
        const chart::Symbol symbol = style.symbol == analyses::ChartSymbol::Default
                                         ? model.seriesStyle(series).symbol
                                         : symbolOf(style.symbol);
        model.setPointStyle(series, point, {symbol, colourOf(style.colour), style.size});
    });
}

void MainWindowChart::removePointStyles()
{
    control().change([](chart::ChartModel& model) { model.removePointStyles(); });
}

void MainWindowChart::removeLabels()
{
    control().change([](chart::ChartModel& model) { model.removeLabels(); });
}

void MainWindowChart::addLabel(const analyses::ChartLabel& label)
{
    control().change([&](chart::ChartModel& model) {
        model.addLabel({qText(label.text), label.x, label.y, anchorOf(label.anchor), label.connected, label.offset,
                        static_cast<double>(label.fontSize)});
    });
}

int MainWindowChart::labelCount() { return static_cast<int>(control().model().labels().size()); }

} // namespace cindrel::shell
