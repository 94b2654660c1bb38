#pragma once

#include "ErrorReporter.h"
#include "RuntimeError.h"

#include <string>
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
        } catch (const RuntimeError& error) {
            report(error);
            return false;
        }
    }

    int errorCount() const noexcept { return errors_; }

private:
    void report(const RuntimeError& error);

    ErrorReporter* reporter_ = nullptr;
    std::string module_;
    std::string routine_;
    std::string other_;
    int errors_ = 0;
};

// Runs one statement whose run-time error is ignored ("on error resume next").
template <typename Step>
void ignoringErrors(Step&& step)
{
    ResumeNext{}(std::forward<Step>(step));
}

} // namespace runtime
