#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vantrope {

// Whatever shows an elapsed time: a menu item or a label.
class CaptionTarget {
public:
    virtual ~CaptionTarget() = default;
    virtual void setCaption(std::string_view caption) = 0;
};

// Six slots of start times on a 32-bit millisecond counter.
class Timers {
public:
    using Clock = std::function<std::uint32_t()>;
    using MessageBox = std::function<void(std::string_view text)>;

    // Milliseconds of a monotonic clock, cut to 32 bits as the counter wraps.
    static std::uint32_t systemMilliseconds();

    explicit Timers(Clock clock = systemMilliseconds, MessageBox messageBox = {});

    // Subscript error 9 for an index outside 0 to 5.
    void StartTimer(int index);
    // Shows "<ms>-mSec" on target, or in the message box when there is none;
    // returns the text. The difference is taken modulo 2^32, so a counter
    // that wraps between start and stop still gives the true time.
    std::string StopTimer(int index, CaptionTarget* target);

private:
    std::uint32_t& slot(int index);

    Clock clock_;
    MessageBox messageBox_;
    std::array<std::uint32_t, 6> slots_{};
};

} // namespace vantrope
