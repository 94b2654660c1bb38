#include "analyses/AnalysisReport.h"

#include "model/ModelShell.h"
#include "runtime/AtomicFile.h"
#include "runtime/RuntimeError.h"

namespace cindrel::analyses {

void AnalysisReport::start(std::string path) {
    path_ = std::move(path);
    buffer_.str({});
    writer_ = std::make_unique<runtime::RecordWriter>(buffer_);
}

bool AnalysisReport::save(model::ModelShell& shell, std::string_view module, std::string_view routine,
                          bool reportUnopened) {
    if (!enabled())
        return false;
    std::unique_ptr<std::ostream> out = shell.openOutputFile(path_);
    if (!out) {
        if (reportUnopened)
            shell.reportError(module, routine, std::to_string(runtime::PathFileAccessError),
                              runtime::errorDescription(runtime::PathFileAccessError), path_);
        return false;
    }
    const std::string content = buffer_.str();
    out->write(content.data(), static_cast<std::streamsize>(content.size()));
    out->flush();
    const bool written = static_cast<bool>(*out);
    if (!written)
        shell.reportError(module, routine, std::to_string(runtime::DeviceIOError),
                          runtime::errorDescription(runtime::DeviceIOError), path_);
    // Committed after a failed write too: the shell's file tells the user of
    // any failure when it is committed, and keeps the earlier file.
    return runtime::commitOutput(*out) == 0 && written;
}

} // namespace cindrel::analyses
