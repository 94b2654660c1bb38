#pragma once

#include "automation/InterfaceDefinition.h"
#include "automation/RemoteObject.h"
#include "automation/Server.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// The drawing program's automation class: the one definition that the
// drawing program serves and the design program calls.
namespace exposevantrope {

inline constexpr char LibraryName[] = "Vantrope";
inline constexpr char LibraryId[] = "{E2F9D1E0-1DEA-4AA4-AC88-5DA29DBFF1AC}";
inline constexpr char ClassName[] = "ExposeVantrope";
inline constexpr char ClassId[] = "{551ACAE3-A50C-414B-9A12-571267EE1846}";
inline constexpr char InterfaceName[] = "_ExposeVantrope";
inline constexpr char InterfaceId[] = "{1CE54ECB-3CA7-432F-88A6-7C7220DFAC2D}";
inline constexpr int VersionMajor = 1;
inline constexpr int VersionMinor = 0;
// The executable that serves the class, in the program folder.
inline constexpr char ServerProgramName[] = "vantrope";

// Members, arguments in order, types, optional arguments and defaults.
const automation::InterfaceDefinition& definition();
automation::ClassIdentity identity();

// An empty optional is an omitted argument. On the server's side the two
// with a default (OperatingTransDP 1, DP0Module1 0) arrive with it filled in,
// so only BackaLasha, Protuberance and FileName can arrive empty.
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

// Index and MeshIndex go in; every other field goes in and comes back.
struct GetInputsArguments {
    std::int16_t Index = 0;
    std::int32_t NumbTeeth = 0;
    double PressAng = 0;
    double CenterDist = 0;
    double Addendum = 0;
    double Dedendum = 0;
    double EdgeBreak = 0;
    double ToothThickness = 0;
    std::int16_t MeshIndex = 0;
    std::int16_t INTEXTo = 0;
    double Protuberance = 0;
    double BackLash = 0;
    bool FullRR = false;
};

// The client's typed calls on a created instance. Every failure raises
// runtime::RuntimeError (see automation/AutomationError.h).
class Client {
public:
    explicit Client(std::unique_ptr<automation::RemoteObject> object);

    // A new instance served by the program file at serverProgram.
    static Client create(const std::string& serverProgram, const automation::Timeouts& timeouts = {},
                         const std::vector<std::string>& extraArguments = {});

    std::int32_t LoadLocals(const LoadLocalsArguments& arguments);
    std::int32_t GetInputs(GetInputsArguments& arguments);
    void LaunchDrawings();
    void ExternalEndProgram(bool& UsingResumeNextOnError);

    automation::RemoteObject& object() { return *object_; }

private:
    std::unique_ptr<automation::RemoteObject> object_;
};

// What the drawing program implements to serve the class; the calls arrive
// typed and checked against the definition.
class Servant : public automation::Dispatchable {
public:
    virtual std::int32_t LoadLocals(const LoadLocalsArguments& arguments) = 0;
    virtual std::int32_t GetInputs(GetInputsArguments& arguments) = 0;
    virtual void LaunchDrawings() = 0;
    virtual void ExternalEndProgram(bool& UsingResumeNextOnError) = 0;

    automation::Value invoke(const automation::MemberDefinition& member,
                             std::vector<automation::Value>& arguments) final;
};

} // namespace exposevantrope
