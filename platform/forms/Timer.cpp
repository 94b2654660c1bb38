#include "Timer.h"

namespace forms {

Timer::Timer(Form& form, const ControlPlace& place)
    : Control(form, ControlKind::Timer, place.name, place.index, place.container, place.tab), timer_(new QTimer) {
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] { runFromWindowSystem("Timer", [this] { onTimer(); }); });
}

Timer::~Timer() { delete timer_; }

void Timer::setInterval(int milliseconds) {
    if (milliseconds < 0)
        raiseFormsError(InvalidPropertyValue);
    interval_ = milliseconds;
    restart();
}

void Timer::setEnabled(bool enabled) {
    enabled_ = enabled;
    restart();
}

void Timer::restart() {
    timer_->stop();
    if (enabled_ && interval_ > 0)
        timer_->start(interval_);
}

} // namespace forms
