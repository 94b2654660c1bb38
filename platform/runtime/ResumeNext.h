#pragma once

#include "ErrorReporter.h"
#include "RuntimeError.h"

#include <exception>
#include <new>
#include <string>
#include <string_view>
#include <utility>

namespace runtime {

// Runs a routine statement by statement for routines that go on with the next
// statement after an error: each step that raises a RuntimeError is reported
// and skipped, and the next step runs.
//
//   ResumeNext next(reporter, "MMath", "Trunc", "Resuming Next...");
//   next([&] { whole = ...; });
//   next([&] { fraction = ...; });
class ResumeNext {
public:
    ResumeNext(ErrorReporter& reporter, std::string module, std::string routine,
               std::string other = {})
        : reporter_(&reporter), module_(std::move(module)), routine_(std::move(routine)),
          other_(std::move(other)) {}

    // Without a reporter, errors are skipped silently ("on error resume next").
    ResumeNext() = default;

    // Runs one step; returns false when it failed.
    template <typename Step>
    bool operator()(Step&& step) {
        try {
            std::forward<Step>(step)();
            return true;
        } catch (const RuntimeError&) {
            report(std::current_exception());
            return false;
        }
    }

    int errorCount() const noexcept { return errors_; }

private:
    void report(const std::exception_ptr& error);

    ErrorReporter* reporter_ = nullptr;
    std::string module_;
    std::string routine_;
    std::string other_;
    int errors_ = 0;
};

// Reports an error to the reporter with the number and text errorTextOf gives it.
void reportError(ErrorReporter& reporter, std::string_view module, std::string_view routine,
                 const std::exception_ptr& error, std::string_view other = {}) noexcept;

// Runs one statement whose numbered run-time error is dropped ("on error
// resume next"); any other failure goes on to the caller.
template <typename Step>
void ignoringNumberedErrors(Step&& step)
{
    ResumeNext{}(std::forward<Step>(step));
}

// Runs one statement whose failure of any kind (any std::exception) is
// dropped without a trace: only for steps on the window (layout, focus,
// places), where a failure loses nothing the user entered.
template <typename Step>
void ignoringAnyException(Step&& step)
{
    try {
        std::forward<Step>(step)();
    } catch (const std::exception&) {
    }
}

// Runs one statement whose failure of any kind is reported and skipped, for
// steps whose failure matters but must not stop the ones after it. Returns
// false when it failed.
template <typename Step>
bool reportingErrors(ErrorReporter& reporter, std::string_view module, std::string_view routine, Step&& step)
{
    try {
        std::forward<Step>(step)();
        return true;
    } catch (const std::exception&) {
        reportError(reporter, module, routine, std::current_exception());
        return false;
    }
}

// Runs one statement whose numbered error or allocation failure (error 7) is
// reported and skipped; any other failure is a fault in the program and goes
// on to the caller. Returns false when it failed.
template <typename Step>
bool reportingNumberedOrMemoryErrors(ErrorReporter& reporter, std::string_view module, std::string_view routine,
                                     Step&& step, std::string_view other = {})
{
    try {
        std::forward<Step>(step)();
        return true;
    } catch (const RuntimeError&) {
        reportError(reporter, module, routine, std::current_exception(), other);
    } catch (const std::bad_alloc&) {
        reportError(reporter, module, routine, std::current_exception(), other);
    }
    return false;
}

} // namespace runtime
