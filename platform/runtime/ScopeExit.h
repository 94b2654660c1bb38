#pragma once

#include <type_traits>
#include <utility>

// Puts state back on every way out of a scope, a raised error included, so
// that no path can forget it. The action runs from a destructor: it must not
// throw (a throwing action ends the program rather than replace the error
// that is unwinding).
namespace runtime {

template <typename Action>
class [[nodiscard]] ScopeExit {
public:
    explicit ScopeExit(Action action) noexcept(std::is_nothrow_move_constructible_v<Action>)
        : action_(std::move(action))
    {
    }
    ~ScopeExit() noexcept
    {
        if (armed_)
            action_();
    }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    ScopeExit(ScopeExit&&) = delete;
    ScopeExit& operator=(ScopeExit&&) = delete;

    // The action will not run: the scope ended the way that needs no undoing.
    void release() noexcept { armed_ = false; }

    // Runs the action now rather than at the end of the scope, once.
    void runNow() noexcept
    {
        if (armed_) {
            armed_ = false;
            action_();
        }
    }

private:
    Action action_;
    bool armed_ = true;
};

// `auto restore = runtime::onScopeExit([&] { ... });` (copy elision: no move needed).
template <typename Action>
[[nodiscard]] ScopeExit<std::decay_t<Action>> onScopeExit(Action&& action)
{
    return ScopeExit<std::decay_t<Action>>(std::forward<Action>(action));
}

} // namespace runtime
