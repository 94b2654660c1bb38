#pragma once

#include "Control.h"
#include "Form.h"

#include <QTimer>

namespace forms {

// Raises its Timer event every Interval milliseconds while enabled; an
// interval of 0 stops it.
class Timer : public Control {
public:
    Timer(Form& form, const ControlPlace& place);
    ~Timer() override;

    int interval() const { return interval_; }
    void setInterval(int milliseconds);
    bool enabled() const override { return enabled_; }
    void setEnabled(bool enabled) override;

    Event<> onTimer;

private:
    void restart();

    QTimer* timer_;
    int interval_ = 0;
    bool enabled_ = true;
};

} // namespace forms
