#include "Layout.h"

#include "CheckBox.h"
#include "ComboBox.h"
#include "CommandButton.h"
#include "Frame.h"
#include "Label.h"
#include "ListView.h"
#include "MenuItem.h"
#include "OptionButton.h"
#include "PictureBox.h"
#include "Slider.h"
#include "TabStrip.h"
#include "TextBox.h"
#include "Timer.h"
#include "Toolbar.h"
#include "TreeView.h"

#include <map>

namespace forms {

namespace {

std::map<ControlKind, ControlMaker>& makers() {
    static std::map<ControlKind, ControlMaker> registered;
    return registered;
}

Control& create(Form& form, const ControlSpec& spec, const ControlPlace& place) {
    switch (spec.kind) {
    case ControlKind::Label: {
        auto& label = form.add<Label>(place);
        label.setCaption(spec.caption);
        label.setBorder(false);
        return label;
    }
    case ControlKind::TextBox: {
        auto& box = form.add<TextBox>(place, spec.multiLine ? TextBoxLines::Multi : TextBoxLines::Single);
        box.setMaxLength(spec.maxLength);
        box.setText(spec.caption);
        if (spec.multiLine)
            box.setScrollBars(false, true);
        return box;
    }
    case ControlKind::CheckBox: {
        auto& box = form.add<CheckBox>(place);
        box.setCaption(spec.caption);
        box.setCheckValue(spec.value);
        return box;
    }
    case ControlKind::OptionButton: {
        auto& button = form.add<OptionButton>(place);
        button.setCaption(spec.caption);
        button.setSelected(spec.value != 0);
        return button;
    }
    case ControlKind::ComboBox: {
        auto& combo = form.add<ComboBox>(place, spec.editable ? ComboStyle::DropdownCombo : ComboStyle::DropdownList);
        for (const QString& item : spec.items)
            combo.addItem(item);
        if (spec.editable)
            combo.setText(spec.caption);
        return combo;
    }
    case ControlKind::CommandButton: {
        auto& button = form.add<CommandButton>(place);
        button.setCaption(spec.caption);
        return button;
    }
    case ControlKind::Frame: {
        auto& frame = form.add<Frame>(place);
        frame.setCaption(spec.caption);
        frame.setBorder(spec.border);
        return frame;
    }
    case ControlKind::PictureBox: {
        auto& picture = form.add<PictureBox>(place);
        picture.setBorder(spec.border);
        return picture;
    }
    case ControlKind::MenuItem: {
        auto& item = form.add<MenuItem>(place);
        item.setCaption(spec.caption);
        item.setShortcut(spec.shortcut);
        return item;
    }
    case ControlKind::Timer: {
        auto& timer = form.add<Timer>(place);
        timer.setInterval(spec.value);
        return timer;
    }
    case ControlKind::TabStrip: {
        auto& strip = form.add<TabStrip>(place);
        for (const QString& tab : spec.items)
            strip.addTab(tab);
        return strip;
    }
    case ControlKind::ListView: {
        auto& list = form.add<ListView>(place);
        for (const QString& column : spec.items)
            list.addColumn(column);
        return list;
    }
    case ControlKind::TreeView: return form.add<TreeView>(place);
    case ControlKind::Slider: {
        auto& slider = form.add<Slider>(place);
        slider.setValue(spec.value);
        return slider;
    }
    case ControlKind::Toolbar: return form.add<Toolbar>(place);
    case ControlKind::Grid:
    case ControlKind::Chart:
    case ControlKind::PrintPreview: break;
    }
    if (const auto maker = makers().find(spec.kind); maker != makers().end())
        return maker->second(form, place);
    raiseFormsError(InvalidPropertyValue);
}

} // namespace

void registerControlMaker(ControlKind kind, ControlMaker maker) { makers()[kind] = std::move(maker); }

Control& buildControl(Form& form, const ControlSpec& spec) {
    ControlPlace place{spec.name, spec.index, nullptr, spec.tab};
    if (!spec.container.isEmpty()) {
        place.container = form.find(spec.container, spec.containerIndex);
        if (place.container == nullptr)
            raiseFormsError(ControlArrayElementMissing);
    }
    Control& control = create(form, spec, place);
    if (spec.kind != ControlKind::MenuItem && spec.kind != ControlKind::Timer)
        control.move(spec.left, spec.top, spec.width, spec.height);
    control.setToolTipText(spec.toolTip);
    if (spec.foreColor.isValid())
        control.setForeColor(spec.foreColor);
    control.setDataField(spec.dataField);
    control.setHelpContextId(spec.helpContextId);
    control.setEnabled(spec.enabled);
    control.setVisible(spec.visible);
    // A layout states the design-time values; nothing has been changed yet.
    control.clearChanged();
    return control;
}

void buildLayout(Form& form, std::span<const ControlSpec> layout) {
    for (const ControlSpec& spec : layout)
        buildControl(form, spec);
}

} // namespace forms
