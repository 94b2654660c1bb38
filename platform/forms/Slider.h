#pragma once

#include "Control.h"
#include "Form.h"

#include <QSlider>

namespace forms {

// A horizontal slider. Change runs when the value changes, by the user or by
// code; Scroll runs while the user drags. setValueQuietly moves the thumb
// without raising anything.
class Slider : public Control {
public:
    Slider(Form& form, const ControlPlace& place);

    int min() const { return slider_->minimum(); }
    int max() const { return slider_->maximum(); }
    void setRange(int min, int max);
    int sliderValue() const { return value_; }
    // Outside Min..Max raises run-time error 380.
    void setValue(int value);
    void setValueQuietly(int value);
    void setSmallChange(int step) { slider_->setSingleStep(step); }
    void setLargeChange(int step) { slider_->setPageStep(step); }
    void setTicks(bool ticks) { slider_->setTickPosition(ticks ? QSlider::TicksBelow : QSlider::NoTicks); }

    Event<> onChange;
    Event<> onScroll;

private:
    void userMoved(int value);

    QSlider* slider_;
    int value_ = 0;
    bool syncing_ = false;
};

} // namespace forms
