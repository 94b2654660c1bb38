#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace cindrel::model {

// The arguments of the drawing program's LoadLocals, in its order. An empty
// optional is an argument left out, which the drawing program tells apart
// from 0. The automation interface has the same fields; it is built on Qt,
// which the model must not include, so the shell copies one into the other
// field by field, by name.
struct LoadLocalsArguments {
    std::int32_t GearElement = 0;
    std::int32_t NumberOfTeeth = 0;
    double PressureAngleDegrees = 0;
    double CenterDistance = 0;
    double Addendum = 0;
    double WholeDepthFactor = 0;
    double EdgeBreak = 0;
    double ToothThickness = 0;
    std::int16_t InternalExternal = 0;
    bool FullRootRadius = false;
    std::optional<double> BackaLasha;
    std::optional<double> Protuberance;
    std::optional<double> OperatingTransDP;
    std::optional<std::int32_t> DP0Module1;
    std::optional<std::string> FileName;
};

// One instance of the drawing program's automation class, called by member
// name. Each failure raises runtime::RuntimeError with the number and
// description the user is shown.
class DrawingServer {
public:
    virtual ~DrawingServer() = default;
    virtual std::int32_t LoadLocals(const LoadLocalsArguments& arguments) = 0;
    virtual void LaunchDrawings() = 0;
    virtual void ExternalEndProgram(bool UsingResumeNextOnError) = 0;
};

// The drawing program as the design program reaches it.
class DrawingProgram {
public:
    virtual ~DrawingProgram() = default;
    // A new instance of its automation class, made by the class identity.
    virtual std::unique_ptr<DrawingServer> createServer() = 0;
    // Starts the drawing program by itself, a separate process without
    // arguments, and returns at once.
    virtual void startStandalone() = 0;
};

// The drawing server a gear pair holds between hand-overs. Letting go of it
// (a new hand-over, the pair's end) first tells the drawing program to end,
// ignoring every error, as the program it refers to stays open meanwhile.
class HeldDrawingServer {
public:
    HeldDrawingServer() = default;
    ~HeldDrawingServer() { end(); }
    HeldDrawingServer(const HeldDrawingServer&) = delete;
    HeldDrawingServer& operator=(const HeldDrawingServer&) = delete;

    void end() noexcept;
    DrawingServer& hold(std::unique_ptr<DrawingServer> server);
    bool holdsServer() const { return server_ != nullptr; }

private:
    std::unique_ptr<DrawingServer> server_;
};

// Where no drawing program is known: both raise error 429.
class NoDrawingProgram : public DrawingProgram {
public:
    std::unique_ptr<DrawingServer> createServer() override;
    void startStandalone() override;
};

} // namespace cindrel::model
