#pragma once

#include "runtime/SequentialFile.h"

#include <memory>
#include <sstream>
#include <string>
#include <string_view>

namespace cindrel::model {
class ModelShell;
}

namespace cindrel::analyses {

// A report or dump of one analysis run, gathered in memory and written in one
// piece once the run is complete, so that a run that fails leaves the file of
// the run before it as it was. Every call does nothing while the report is off.
class AnalysisReport {
public:
    // Off until started: nothing is gathered.
    AnalysisReport() = default;
    AnalysisReport(const AnalysisReport&) = delete;
    AnalysisReport& operator=(const AnalysisReport&) = delete;

    // Gathers from here on what is to be saved under path.
    void start(std::string path);

    bool enabled() const { return writer_ != nullptr; }
    const std::string& path() const { return path_; }

    // One record of the given fields: texts quoted, numbers in the general
    // number form.
    template <typename... Fields>
    void record(const Fields&... fields) {
        if (!enabled())
            return;
        (put(fields), ...);
        writer_->endRecord();
    }
    // Fields of a record written one by one (rows of values), then end().
    void field(std::string_view text) { if (enabled()) put(text); }
    void field(double number) { if (enabled()) put(number); }
    void end() { if (enabled()) writer_->endRecord(); }

    // Everything gathered so far.
    std::string text() const { return buffer_.str(); }

    // Writes what was gathered to the file through the shell, replacing it.
    // False when the report is off, the file did not open (the shell has told
    // the user; reported to the run log too when reportUnopened) or the write
    // or commit failed (the shell's file tells the user; a failed write is
    // also reported to the run log as module and routine).
    bool save(model::ModelShell& shell, std::string_view module, std::string_view routine,
              bool reportUnopened = false);

private:
    void put(std::string_view text) { writer_->text(text); }
    void put(const char* text) { writer_->text(text); }
    void put(const std::string& text) { writer_->text(text); }
    void put(double number) { writer_->number(number); }
    void put(int number) { writer_->number(number); }

    std::string path_;
    std::ostringstream buffer_;
    std::unique_ptr<runtime::RecordWriter> writer_;
};

} // namespace cindrel::analyses
