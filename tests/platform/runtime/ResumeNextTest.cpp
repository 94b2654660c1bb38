#include "runtime/CheckedMath.h"
#include "runtime/ResumeNext.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

using namespace runtime;

namespace {

struct ErrorRecorder : ErrorReporter {
    std::vector<std::vector<std::string>> reports;
    void reportError(std::string_view module, std::string_view routine, std::string_view errorNumber,
                     std::string_view description, std::string_view other) override {
        reports.push_back({std::string(module), std::string(routine), std::string(errorNumber),
                           std::string(description), std::string(other)});
    }
};

} // namespace

TEST(ResumeNext, ReportsEachFailingStepAndRunsTheNext) {
    ErrorRecorder recorder;
    ResumeNext next(recorder, "MMath", "Trunc", "Resuming Next...");
    double a = 1, b = 2, c = 3;
    EXPECT_FALSE(next([&] { a = divide(1.0, 0.0); }));
    EXPECT_TRUE(next([&] { b = 20; }));
    EXPECT_FALSE(next([&] { c = squareRoot(-1.0); }));
    EXPECT_EQ(a, 1); // a failing step assigns nothing
    EXPECT_EQ(b, 20);
    EXPECT_EQ(c, 3);
    EXPECT_EQ(next.errorCount(), 2);
    const std::vector<std::vector<std::string>> expected = {
        {"MMath", "Trunc", "11", "Division by zero", "Resuming Next..."},
        {"MMath", "Trunc", "5", "Invalid procedure call or argument", "Resuming Next..."},
    };
    EXPECT_EQ(recorder.reports, expected);
}

TEST(ResumeNext, WithoutReporterSkipsSilently) {
    ResumeNext next;
    int steps = 0;
    next([&] { runtime::raise(Overflow); });
    next([&] { ++steps; });
    EXPECT_EQ(steps, 1);
    EXPECT_EQ(next.errorCount(), 1);
}
