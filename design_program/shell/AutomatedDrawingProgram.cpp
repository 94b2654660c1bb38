#include "shell/AutomatedDrawingProgram.h"

#include "automation_interface/ExposeVantrope.h"
#include "shell/Launcher.h"

#include <QString>

namespace cindrel::shell {

namespace {

class AutomatedDrawingServer : public model::DrawingServer {
public:
    explicit AutomatedDrawingServer(exposevantrope::Client client) : client_(std::move(client)) {}

    std::int32_t LoadLocals(const model::LoadLocalsArguments& a) override {
        // By name: the two structs hold eight doubles in a row, where a
        // positional copy would swap them silently.
        return client_.LoadLocals({.GearElement = a.GearElement,
                                   .NumberOfTeeth = a.NumberOfTeeth,
                                   .PressureAngleDegrees = a.PressureAngleDegrees,
                                   .CenterDistance = a.CenterDistance,
                                   .Addendum = a.Addendum,
                                   .WholeDepthFactor = a.WholeDepthFactor,
                                   .EdgeBreak = a.EdgeBreak,
                                   .ToothThickness = a.ToothThickness,
                                   .InternalExternal = a.InternalExternal,
                                   .FullRootRadius = a.FullRootRadius,
                                   .BackaLasha = a.BackaLasha,
                                   .Protuberance = a.Protuberance,
                                   .OperatingTransDP = a.OperatingTransDP,
                                   .DP0Module1 = a.DP0Module1,
                                   .FileName = a.FileName});
    }
    void LaunchDrawings() override { client_.LaunchDrawings(); }
    void ExternalEndProgram(bool UsingResumeNextOnError) override {
        client_.ExternalEndProgram(UsingResumeNextOnError);
    }

private:
    exposevantrope::Client client_;
};

} // namespace

AutomatedDrawingProgram::AutomatedDrawingProgram(std::string serverProgram, automation::Timeouts timeouts,
                                                 std::vector<std::string> extraArguments)
    : serverProgram_(std::move(serverProgram)), timeouts_(timeouts),
      extraArguments_(std::move(extraArguments)) {}

std::string AutomatedDrawingProgram::programIn(const std::string& programFolder) {
    const std::string folder = programFolder.empty() ? "." : programFolder;
    return folder + "/" + exposevantrope::ServerProgramName;
}

std::unique_ptr<model::DrawingServer> AutomatedDrawingProgram::createServer() {
    return std::make_unique<AutomatedDrawingServer>(
        exposevantrope::Client::create(serverProgram_, timeouts_, extraArguments_));
}

void AutomatedDrawingProgram::startStandalone() {
    shellservices::startProgram(QString::fromStdString(serverProgram_));
}

} // namespace cindrel::shell
