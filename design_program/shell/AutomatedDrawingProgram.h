#pragma once

#include "automation/RemoteObject.h"
#include "model/DrawingProgram.h"

#include <string>
#include <vector>

namespace cindrel::shell {

// The drawing program reached through its automation class: each server is
// a drawing program started as a child process with a private channel.
class AutomatedDrawingProgram : public model::DrawingProgram {
public:
    // serverProgram is the drawing program's executable; extraArguments go
    // before the channel's.
    explicit AutomatedDrawingProgram(std::string serverProgram, automation::Timeouts timeouts = {},
                                     std::vector<std::string> extraArguments = {});

    // The drawing program's executable in the given program folder.
    static std::string programIn(const std::string& programFolder);

    std::unique_ptr<model::DrawingServer> createServer() override;
    // Through the desktop's launcher; a failure raises the launcher's numbered
    // error (53 no such file, 70 not allowed to run, 75 not started).
    void startStandalone() override;

private:
    std::string serverProgram_;
    automation::Timeouts timeouts_;
    std::vector<std::string> extraArguments_;
};

} // namespace cindrel::shell
