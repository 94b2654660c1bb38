#include "runtime/CheckedMath.h"
#include "runtime/ResumeNext.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
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

TEST(ErrorTextOf, GivesEachKindOfFailureItsNumberAndText) {
    struct Case {
        const char* what;
        std::function<void()> thrower;
        int number;
        std::string description;
    };
    const Case cases[] = {
        {"numbered", [] { runtime::raise(DivisionByZero); }, 11, "Division by zero"},
        {"numbered with its own text", [] { runtime::raise(53, "File not found: a.def"); }, 53, "File not found: a.def"},
        {"cancel", [] { runtime::raise(CancelError); }, 32755, "Cancel was selected."},
        {"allocation", [] { throw std::bad_alloc(); }, 7, "Out of memory"},
        {"standard", [] { throw std::runtime_error("disk gone"); }, 5, "disk gone"},
        {"standard without text", [] { throw std::runtime_error(""); }, 5, "Invalid procedure call or argument"},
        {"not a standard exception", [] { throw 42; }, 5, "Invalid procedure call or argument"},
    };
    for (const Case& c : cases) {
        try {
            c.thrower();
            ADD_FAILURE() << c.what << " did not throw";
        } catch (const std::exception& error) {
            const ErrorText held = errorTextOf(error);
            EXPECT_EQ(held.number, c.number) << c.what;
            EXPECT_EQ(held.description, c.description) << c.what;
            const ErrorText current = errorTextOf(std::current_exception());
            EXPECT_EQ(current.number, c.number) << c.what;
            EXPECT_EQ(current.description, c.description) << c.what;
        } catch (...) {
            const ErrorText current = errorTextOf(std::current_exception());
            EXPECT_EQ(current.number, c.number) << c.what;
            EXPECT_EQ(current.description, c.description) << c.what;
        }
    }
    EXPECT_EQ(errorTextOf(std::exception_ptr()).number, 5) << "no error at all";
}

TEST(IgnoringErrors, EachHelperDropsOnlyWhatItsNameSays) {
    EXPECT_NO_THROW(ignoringNumberedErrors([] { runtime::raise(Overflow); }));
    EXPECT_THROW(ignoringNumberedErrors([] { throw std::bad_alloc(); }), std::bad_alloc);
    EXPECT_THROW(ignoringNumberedErrors([] { throw std::logic_error("bug"); }), std::logic_error);

    EXPECT_NO_THROW(ignoringAnyException([] { runtime::raise(Overflow); }));
    EXPECT_NO_THROW(ignoringAnyException([] { throw std::logic_error("bug"); }));
    EXPECT_THROW(ignoringAnyException([] { throw 42; }), int);

    int after = 0;
    ignoringAnyException([&] {
        after = 1;
        throw std::runtime_error("late");
    });
    EXPECT_EQ(after, 1) << "the step runs up to its failure";
}

TEST(ReportingErrors, ReportsEveryStandardFailureWithTheOneMapping) {
    ErrorRecorder recorder;
    EXPECT_TRUE(reportingErrors(recorder, "frmMain", "MeshChanged", [] {}));
    EXPECT_FALSE(reportingErrors(recorder, "frmMain", "MeshChanged", [] { throw std::bad_alloc(); }));
    EXPECT_FALSE(reportingErrors(recorder, "frmMain", "MeshChanged", [] { throw std::logic_error("no answer"); }));
    EXPECT_FALSE(reportingErrors(recorder, "frmMain", "MeshChanged", [] { runtime::raise(Overflow); }));
    const std::vector<std::vector<std::string>> expected = {
        {"frmMain", "MeshChanged", "7", "Out of memory", ""},
        {"frmMain", "MeshChanged", "5", "no answer", ""},
        {"frmMain", "MeshChanged", "6", "Overflow", ""},
    };
    EXPECT_EQ(recorder.reports, expected);
}

TEST(ErrorTextOf, AModuleNumberGoesOnlyToFailuresThatCarryNone) {
    constexpr int PrinterError = 482;
    const std::logic_error jam("paper jam");
    const std::runtime_error silent("");
    const RuntimeError missing(FileNotFound);
    const std::bad_alloc memory;
    const struct {
        const std::exception& error;
        int number;
        std::string description;
    } cases[] = {
        {jam, PrinterError, "paper jam"},
        {silent, PrinterError, "Application-defined or object-defined error"},
        {missing, 53, "File not found"},
        {memory, 7, "Out of memory"},
    };
    for (const auto& c : cases) {
        const ErrorText text = errorTextOf(c.error, PrinterError);
        EXPECT_EQ(text.number, c.number) << c.description;
        EXPECT_EQ(text.description, c.description);
    }
}

TEST(ReportingNumberedOrMemoryErrors, ReportsWhatCarriesANumberAndPassesOnProgramFaults) {
    ErrorRecorder recorder;
    EXPECT_TRUE(reportingNumberedOrMemoryErrors(recorder, "mAPI_draw", "DrawLine", [] {}));
    EXPECT_FALSE(reportingNumberedOrMemoryErrors(recorder, "frmAGMA", "CommitFactors",
                                                 [] { runtime::raise(TypeMismatch); }, "step 3"));
    EXPECT_FALSE(reportingNumberedOrMemoryErrors(recorder, "clsMesh", "ReadInputs", [] { throw std::bad_alloc(); }));
    EXPECT_THROW(reportingNumberedOrMemoryErrors(recorder, "clsMesh", "ReadInputs",
                                                 [] { throw std::out_of_range("vector::at"); }),
                 std::out_of_range);
    const std::vector<std::vector<std::string>> expected = {
        {"frmAGMA", "CommitFactors", "13", "Type mismatch", "step 3"},
        {"clsMesh", "ReadInputs", "7", "Out of memory", ""},
    };
    EXPECT_EQ(recorder.reports, expected);
}

TEST(ReportingErrors, AReporterThatFailsDoesNotTurnTheSkipIntoACrash) {
    struct BrokenReporter : ErrorReporter {
        int calls = 0;
        void reportError(std::string_view, std::string_view, std::string_view, std::string_view,
                         std::string_view) override {
            ++calls;
            throw std::runtime_error("log file gone");
        }
    } broken;
    bool failed = false;
    EXPECT_NO_THROW(failed = !reportingErrors(broken, "frmMain", "MeshChanged", [] { runtime::raise(Overflow); }));
    EXPECT_TRUE(failed);
    EXPECT_NO_THROW(reportingNumberedOrMemoryErrors(broken, "clsMesh", "ReadInputs", [] { throw std::bad_alloc(); }));
    EXPECT_EQ(broken.calls, 2);
}
