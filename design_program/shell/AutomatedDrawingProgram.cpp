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
        return client_.LoadLocals({a.GearElement, a.NumberOfTeeth, a.PressureAngleDegrees, a.CenterDistance,
                                   a.Addendum, a.WholeDepthFactor, a.EdgeBreak, a.ToothThickness,
                                   a.InternalExternal, a.FullRootRadius, a.BackaLasha, a.Protuberance,
                                   a.OperatingTransDP, a.DP0Module1, a.FileName});
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
