#pragma once

#include <exception>
#include <functional>
#include <string>
#include <string_view>

namespace forms {

// The program's log of errors the entry guard caught (the run log, the message
// window): extra to the message the user is always shown.
using EntryErrorLog = std::function<void(std::string_view where, int number, std::string_view description)>;
void setEntryErrorLog(EntryErrorLog log);

// Tells the user of an error that escaped code the window system, a timer, a
// signal or the automation channel started, and writes it to the program's
// log. Never raises.
void reportUnhandledError(std::string_view where, const std::exception_ptr& error) noexcept;

// The one guard around every entry into the program from outside its own
// call chain: nothing raised there can travel back to a caller, so whatever
// it is, it is shown and logged here and the program goes on.
template <typename Function>
void runGuarded(std::string_view where, Function&& function) noexcept
{
    try {
        function();
    } catch (...) {
        reportUnhandledError(where, std::current_exception());
    }
}

// The forms layer's own events use the same guard.
template <typename Function>
void runFromWindowSystem(std::string_view where, Function&& function) noexcept
{
    runGuarded(where, std::forward<Function>(function));
}

} // namespace forms
