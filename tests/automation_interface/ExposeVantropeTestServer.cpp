// Stands in for the drawing program as the automation server: serves the
// drawing program's class and records every call it receives.
//   --record=PATH   appends one line per call: the process id, the member and
//                   each argument as name=value, as the member received it
//   --die-on=NAME   is killed while running that member
#include "automation_interface/ExposeVantrope.h"

#include <QCoreApplication>
#include <QTimer>

#include <csignal>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

using automation::Value;

std::string text(const Value& value) { return automation::describe(value); }

template <typename T>
std::string text(const std::optional<T>& value) {
    return value ? automation::describe(Value(*value)) : automation::describe(Value());
}

class RecordingVantrope : public exposevantrope::Servant {
public:
    RecordingVantrope(std::string record, std::string dieOn) : record_(std::move(record)), dieOn_(std::move(dieOn)) {}

    std::int32_t LoadLocals(const exposevantrope::LoadLocalsArguments& a) override {
        std::ostringstream line;
        line << " GearElement=" << text(a.GearElement) << " NumberOfTeeth=" << text(a.NumberOfTeeth)
             << " PressureAngleDegrees=" << text(a.PressureAngleDegrees) << " CenterDistance=" << text(a.CenterDistance)
             << " Addendum=" << text(a.Addendum) << " WholeDepthFactor=" << text(a.WholeDepthFactor)
             << " EdgeBreak=" << text(a.EdgeBreak) << " ToothThickness=" << text(a.ToothThickness)
             << " InternalExternal=" << text(a.InternalExternal) << " FullRootRadius=" << text(a.FullRootRadius)
             << " BackaLasha=" << text(a.BackaLasha) << " Protuberance=" << text(a.Protuberance)
             << " OperatingTransDP=" << text(a.OperatingTransDP) << " DP0Module1=" << text(a.DP0Module1)
             << " FileName=" << text(a.FileName);
        record("LoadLocals", line.str());
        return a.GearElement >= 1 && a.GearElement <= 4 ? 1 : 0;
    }
    std::int32_t GetInputs(exposevantrope::GetInputsArguments& a) override {
        record("GetInputs", " Index=" + text(a.Index) + " MeshIndex=" + text(a.MeshIndex));
        // Recognisable values for every by-reference argument.
        a.NumbTeeth = 10 * a.Index;
        a.PressAng = 0.25;
        a.CenterDist = a.MeshIndex;
        a.Addendum = 1.25;
        a.Dedendum = 2.5;
        a.EdgeBreak = 0.125;
        a.ToothThickness = 0.5;
        a.INTEXTo = -1;
        a.Protuberance = 0.0625;
        a.BackLash = 0.03125;
        a.FullRR = !a.FullRR;
        return 1;
    }
    void LaunchDrawings() override { record("LaunchDrawings", ""); }
    void ExternalEndProgram(bool& UsingResumeNextOnError) override {
        record("ExternalEndProgram", " UsingResumeNextOnError=" + text(UsingResumeNextOnError));
        // Ends as the drawing program does, once this answer has left.
        if (UsingResumeNextOnError)
            QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
    }

private:
    void record(const std::string& member, const std::string& arguments) {
        if (!record_.empty()) {
            std::ofstream out(record_, std::ios::app);
            out << ::getpid() << ' ' << member << arguments << '\n';
        }
        if (member == dieOn_)
            ::raise(SIGKILL);
    }

    std::string record_;
    std::string dieOn_;
};

std::string option(const QStringList& arguments, const QString& name) {
    for (const QString& argument : arguments)
        if (argument.startsWith(name))
            return argument.mid(name.size()).toStdString();
    return {};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int channel = automation::Server::channelFromArguments(arguments);
    if (channel < 0)
        return 2;
    RecordingVantrope vantrope(option(arguments, QStringLiteral("--record=")),
                               option(arguments, QStringLiteral("--die-on=")));
    automation::Server server(channel, exposevantrope::definition(), vantrope);
    QObject::connect(&server, &automation::Server::clientGone, &application, &QCoreApplication::quit);
    return application.exec();
}
