#include "Slider.h"

#include <QScopedValueRollback>

namespace forms {

Slider::Slider(Form& form, const ControlPlace& place)
    : Control(form, ControlKind::Slider, place.name, place.index, place.container, place.tab),
      slider_(new QSlider(Qt::Horizontal)) {
    slider_->setFocusPolicy(Qt::StrongFocus);
    slider_->setRange(0, 10);
    QObject::connect(slider_, &QSlider::valueChanged, slider_, [this](int value) { userMoved(value); });
    QObject::connect(slider_, &QSlider::sliderMoved, slider_,
                     [this](int) { runFromWindowSystem("Scroll", [this] { onScroll(); }); });
    attachWidget(slider_);
}

void Slider::setRange(int min, int max) {
    if (min > max)
        raiseFormsError(InvalidPropertyValue);
    {
        const QScopedValueRollback syncingNow(syncing_, true);
        slider_->setRange(min, max);
    }
    setValue(std::clamp(value_, min, max));
}

void Slider::setValue(int value) {
    if (value < min() || value > max())
        raiseFormsError(InvalidPropertyValue);
    if (value == value_)
        return;
    setValueQuietly(value);
    onChange();
}

void Slider::setValueQuietly(int value) {
    if (value < min() || value > max())
        raiseFormsError(InvalidPropertyValue);
    value_ = value;
    const QScopedValueRollback syncingNow(syncing_, true);
    slider_->setValue(value);
}

void Slider::userMoved(int value) {
    if (syncing_ || value == value_)
        return;
    value_ = value;
    runFromWindowSystem("Change", [this] { onChange(); });
}

} // namespace forms
