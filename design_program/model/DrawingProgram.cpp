#include "model/DrawingProgram.h"

#include "runtime/RuntimeError.h"

namespace cindrel::model {

namespace {

[[noreturn]] void unavailable() {
    runtime::raise(runtime::CannotCreateObject,
                   runtime::errorDescription(runtime::CannotCreateObject) + ": no drawing program is installed");
}

} // namespace

void HeldDrawingServer::end() noexcept {
    if (!server_)
        return;
    try {
        server_->ExternalEndProgram(true);
    } catch (...) {
        // The drawing program may have been closed by its user already.
    }
    server_.reset();
}

DrawingServer& HeldDrawingServer::hold(std::unique_ptr<DrawingServer> server) {
    end();
    server_ = std::move(server);
    return *server_;
}

std::unique_ptr<DrawingServer> NoDrawingProgram::createServer() { unavailable(); }

void NoDrawingProgram::startStandalone() { unavailable(); }

} // namespace cindrel::model
