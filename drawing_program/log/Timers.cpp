#include "log/Timers.h"

#include "runtime/RuntimeError.h"

#include <chrono>

namespace vantrope {

std::uint32_t Timers::systemMilliseconds()
{
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

Timers::Timers(Clock clock, MessageBox messageBox) : clock_(std::move(clock)), messageBox_(std::move(messageBox))
{
}

std::uint32_t& Timers::slot(int index)
{
    if (index < 0 || index >= static_cast<int>(slots_.size()))
        runtime::raise(runtime::SubscriptOutOfRange);
    return slots_[static_cast<std::size_t>(index)];
}

void Timers::StartTimer(int index)
{
    std::uint32_t& start = slot(index);
    start = clock_();
}

std::string Timers::StopTimer(int index, CaptionTarget* target)
{
    std::uint32_t start = slot(index);
    auto elapsed = static_cast<std::int32_t>(clock_() - start);
    std::string text = std::to_string(elapsed) + "-mSec";
    if (target)
        target->setCaption(text);
    else if (messageBox_)
        messageBox_(text);
    return text;
}

} // namespace vantrope
