#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace vantrope {

// The trace file: each record is the text in double quotes and CR LF (an
// empty record is an empty line), appended only while `logged` is true. The
// file is opened and closed for every record, and each record goes out in one
// append, so several running programs never interleave within a line.
class TraceLog {
public:
    using FailureSink = std::function<void(std::string_view message)>;

    // The file name is relative to the current folder at the time of writing.
    explicit TraceLog(const bool& logged, std::filesystem::path file = "Vantrope.log", FailureSink onFailure = {});

    void write(std::string_view text) const;
    void writeEmptyRecord() const;

    const std::filesystem::path& file() const { return file_; }

private:
    void append(const std::string& record) const;

    const bool& logged_;
    std::filesystem::path file_;
    FailureSink onFailure_;
};

} // namespace vantrope
