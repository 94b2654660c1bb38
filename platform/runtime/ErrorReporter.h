#pragma once

#include <string_view>

namespace runtime {

// Receives errors that a routine reports and then resumes after: the program's
// common error handler implements it, tests use a recorder.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;

    // module and routine as the routine names itself, the error number as
    // decimal text, its description and an optional extra text.
    virtual void reportError(std::string_view module, std::string_view routine,
                             std::string_view errorNumber, std::string_view description,
                             std::string_view other) = 0;
};

// The program's run log: numbered progress notes and the error records of the
// common error handler share it.
class RunLog : public ErrorReporter {
public:
    virtual void writeRunNote(std::string_view note) = 0;
};

} // namespace runtime
