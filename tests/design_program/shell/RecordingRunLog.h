#pragma once

#include "runtime/ErrorReporter.h"

#include <string>
#include <vector>

// Keeps every run-log note and reported error, for tests to inspect.
class RecordingRunLog : public runtime::RunLog {
public:
    struct ReportedError {
        std::string module, routine, errorNumber, description, other;
    };

    void writeRunNote(std::string_view note) override { notes.emplace_back(note); }
    void reportError(std::string_view module, std::string_view routine, std::string_view errorNumber,
                     std::string_view description, std::string_view other) override
    {
        errors.push_back({std::string(module), std::string(routine), std::string(errorNumber),
                          std::string(description), std::string(other)});
    }

    std::vector<std::string> notes;
    std::vector<ReportedError> errors;
};
