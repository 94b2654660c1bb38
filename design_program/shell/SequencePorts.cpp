#include "shell/SequencePorts.h"

#include "shell/Startup.h"
#include "shell/UnitSystem.h"
#include "shell/clsRegisty.h"

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
T& existing(const std::unique_ptr<T>& object, const char* name)
{
    if (object == nullptr)
        throw std::logic_error(std::string("The navigator needs ") + name + ", which does not exist yet");
    return *object;
}

} // namespace

ProgramSequencePorts::ProgramSequencePorts(Startup& startup)
    : controls_(startup.windows()),
      settings_(existing(startup.gobjRegisty, "the settings object")),
      units_(startup.units()),
      agmaWindow_(startup.windows(), [&startup](bool stop) { startup.agmaWindow().StopTheEvents(stop); }),
      ports_{existing(startup.Oset, "the gear pair"), controls_, messages_, clipboard_, settings_, units_,
             startup.runLog(), existing(startup.gobjOutputs, "the outputs object"), agmaWindow_}
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
        powers[row] = {from.key, static_cast<float>(from.pinion), static_cast<float>(from.gear), from.description};
    }
    return powers;
}

} // namespace cindrel::shell
