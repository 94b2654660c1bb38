#pragma once

// Hosts for the design-file benchmarks that take every note and report
// without a window, so that only the reading and writing are measured.
#include "shell/T_colData.h"

#include "runtime/ErrorReporter.h"

#include <string>
#include <string_view>

namespace benchmarks {

class QuietHost : public cindrel::shell::DesignFileHost {
public:
    void writeRunNote(std::string_view) override {}
    void reportError(std::string_view, std::string_view, std::string_view, std::string_view,
                     std::string_view) override {}
    void setMainCaption(const std::string&) override {}
    void showReport(const std::string&, int) override {}
    void beginNew() override {}
    void setAgmaEventsStopped(bool) override {}
    void agmaRecordKeysRead() override {}
    void refreshNotesWindow() override {}
};

class QuietLog : public runtime::RunLog {
public:
    void writeRunNote(std::string_view) override {}
    void reportError(std::string_view, std::string_view, std::string_view, std::string_view,
                     std::string_view) override {}
};

} // namespace benchmarks
