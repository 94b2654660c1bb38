#include "automation_interface/ExposeVantrope.h"

#include "automation/AutomationError.h"

namespace exposevantrope {

using automation::Missing;
using automation::Value;
using automation::ValueType;

namespace {

automation::ParameterDefinition byValue(const char* name, ValueType type) { return {name, type, false, false, {}}; }
automation::ParameterDefinition byReference(const char* name, ValueType type) { return {name, type, true, false, {}}; }
automation::ParameterDefinition optional(const char* name, ValueType type, std::optional<Value> value = {}) {
    return {name, type, false, true, std::move(value)};
}

template <typename T>
Value orMissing(const std::optional<T>& value) {
    return value ? Value(*value) : Value(Missing{});
}

template <typename T>
std::optional<T> optionalOf(const Value& value) {
    if (std::holds_alternative<Missing>(value))
        return std::nullopt;
    return std::get<T>(value);
}

std::int32_t int32Result(const Value& result, const char* member) {
    if (std::holds_alternative<Missing>(result))
        automation::raiseAutomationError(automation::ProtocolViolation, std::string(member) + " gave no result");
    return std::get<std::int32_t>(automation::convertTo(result, ValueType::Int32));
}

// The value of a by-reference argument as it came back, converted to its
// parameter's type.
template <typename T>
void takeBack(T& into, const Value& value, ValueType type) {
    into = std::get<T>(automation::convertTo(value, type));
}

} // namespace

const automation::InterfaceDefinition& definition() {
    static const automation::InterfaceDefinition vantrope{
        ClassName,
        ClassId,
        InterfaceName,
        InterfaceId,
        {
            {"LoadLocals",
             automation::MemberKind::PropertyGet,
             0x68030001,
             {
                 byValue("GearElement", ValueType::Int32),
                 byValue("NumberOfTeeth", ValueType::Int32),
                 byValue("PressureAngleDegrees", ValueType::Double),
                 byValue("CenterDistance", ValueType::Double),
                 byValue("Addendum", ValueType::Double),
                 byValue("WholeDepthFactor", ValueType::Double),
                 byValue("EdgeBreak", ValueType::Double),
                 byValue("ToothThickness", ValueType::Double),
                 byValue("InternalExternal", ValueType::Int16),
                 byValue("FullRootRadius", ValueType::Boolean),
                 optional("BackaLasha", ValueType::Double),
                 optional("Protuberance", ValueType::Double),
                 optional("OperatingTransDP", ValueType::Double, Value(1.0)),
                 optional("DP0Module1", ValueType::Int32, Value(std::int32_t{0})),
                 optional("FileName", ValueType::Text),
             },
             ValueType::Int32},
            {"GetInputs",
             automation::MemberKind::PropertyGet,
             0x68030000,
             {
                 byValue("Index", ValueType::Int16),
                 byReference("NumbTeeth", ValueType::Int32),
                 byReference("PressAng", ValueType::Double),
                 byReference("CenterDist", ValueType::Double),
                 byReference("Addendum", ValueType::Double),
                 byReference("Dedendum", ValueType::Double),
                 byReference("EdgeBreak", ValueType::Double),
                 byReference("ToothThickness", ValueType::Double),
                 byValue("MeshIndex", ValueType::Int16),
                 byReference("INTEXTo", ValueType::Int16),
                 byReference("Protuberance", ValueType::Double),
                 byReference("BackLash", ValueType::Double),
                 byReference("FullRR", ValueType::Boolean),
             },
             ValueType::Int32},
            {"LaunchDrawings", automation::MemberKind::Method, 0x60030003, {}, ValueType::Missing},
            {"ExternalEndProgram",
             automation::MemberKind::Method,
             0x60030004,
             {byReference("UsingResumeNextOnError", ValueType::Boolean)},
             ValueType::Missing},
        }};
    return vantrope;
}

automation::ClassIdentity identity() { return {ClassId, InterfaceId}; }

Client::Client(std::unique_ptr<automation::RemoteObject> object) : object_(std::move(object)) {}

Client Client::create(const std::string& serverProgram, const automation::Timeouts& timeouts,
                      const std::vector<std::string>& extraArguments) {
    return Client(automation::RemoteObject::create({serverProgram, extraArguments}, identity(), timeouts));
}

std::int32_t Client::LoadLocals(const LoadLocalsArguments& a) {
    std::vector<Value> arguments{a.GearElement,
                                 a.NumberOfTeeth,
                                 a.PressureAngleDegrees,
                                 a.CenterDistance,
                                 a.Addendum,
                                 a.WholeDepthFactor,
                                 a.EdgeBreak,
                                 a.ToothThickness,
                                 a.InternalExternal,
                                 a.FullRootRadius,
                                 orMissing(a.BackaLasha),
                                 orMissing(a.Protuberance),
                                 orMissing(a.OperatingTransDP),
                                 orMissing(a.DP0Module1),
                                 orMissing(a.FileName)};
    return int32Result(object_->call("LoadLocals", arguments), "LoadLocals");
}

std::int32_t Client::GetInputs(GetInputsArguments& a) {
    std::vector<Value> arguments{a.Index,    a.NumbTeeth, a.PressAng,     a.CenterDist, a.Addendum,
                                 a.Dedendum, a.EdgeBreak, a.ToothThickness, a.MeshIndex, a.INTEXTo,
                                 a.Protuberance, a.BackLash, a.FullRR};
    const std::int32_t result = int32Result(object_->call("GetInputs", arguments), "GetInputs");
    takeBack(a.NumbTeeth, arguments[1], ValueType::Int32);
    takeBack(a.PressAng, arguments[2], ValueType::Double);
    takeBack(a.CenterDist, arguments[3], ValueType::Double);
    takeBack(a.Addendum, arguments[4], ValueType::Double);
    takeBack(a.Dedendum, arguments[5], ValueType::Double);
    takeBack(a.EdgeBreak, arguments[6], ValueType::Double);
    takeBack(a.ToothThickness, arguments[7], ValueType::Double);
    takeBack(a.INTEXTo, arguments[9], ValueType::Int16);
    takeBack(a.Protuberance, arguments[10], ValueType::Double);
    takeBack(a.BackLash, arguments[11], ValueType::Double);
    takeBack(a.FullRR, arguments[12], ValueType::Boolean);
    return result;
}

void Client::LaunchDrawings() {
    std::vector<Value> none;
    object_->call("LaunchDrawings", none);
}

void Client::ExternalEndProgram(bool& UsingResumeNextOnError) {
    std::vector<Value> arguments{UsingResumeNextOnError};
    object_->call("ExternalEndProgram", arguments);
    takeBack(UsingResumeNextOnError, arguments[0], ValueType::Boolean);
}

Value Servant::invoke(const automation::MemberDefinition& member, std::vector<Value>& v) {
    if (member.name == "LoadLocals") {
        LoadLocalsArguments a;
        a.GearElement = std::get<std::int32_t>(v[0]);
        a.NumberOfTeeth = std::get<std::int32_t>(v[1]);
        a.PressureAngleDegrees = std::get<double>(v[2]);
        a.CenterDistance = std::get<double>(v[3]);
        a.Addendum = std::get<double>(v[4]);
        a.WholeDepthFactor = std::get<double>(v[5]);
        a.EdgeBreak = std::get<double>(v[6]);
        a.ToothThickness = std::get<double>(v[7]);
        a.InternalExternal = std::get<std::int16_t>(v[8]);
        a.FullRootRadius = std::get<bool>(v[9]);
        a.BackaLasha = optionalOf<double>(v[10]);
        a.Protuberance = optionalOf<double>(v[11]);
        a.OperatingTransDP = optionalOf<double>(v[12]);
        a.DP0Module1 = optionalOf<std::int32_t>(v[13]);
        a.FileName = optionalOf<std::string>(v[14]);
        return LoadLocals(a);
    }
    if (member.name == "GetInputs") {
        GetInputsArguments a{std::get<std::int16_t>(v[0]),  std::get<std::int32_t>(v[1]),
                             std::get<double>(v[2]),        std::get<double>(v[3]),
                             std::get<double>(v[4]),        std::get<double>(v[5]),
                             std::get<double>(v[6]),        std::get<double>(v[7]),
                             std::get<std::int16_t>(v[8]),  std::get<std::int16_t>(v[9]),
                             std::get<double>(v[10]),       std::get<double>(v[11]),
                             std::get<bool>(v[12])};
        const std::int32_t result = GetInputs(a);
        v = {a.Index,    a.NumbTeeth, a.PressAng,       a.CenterDist, a.Addendum,
             a.Dedendum, a.EdgeBreak, a.ToothThickness, a.MeshIndex,  a.INTEXTo,
             a.Protuberance, a.BackLash, a.FullRR};
        return result;
    }
    if (member.name == "LaunchDrawings") {
        LaunchDrawings();
        return Missing{};
    }
    if (member.name == "ExternalEndProgram") {
        bool usingResumeNextOnError = std::get<bool>(v[0]);
        ExternalEndProgram(usingResumeNextOnError);
        v[0] = usingResumeNextOnError;
        return Missing{};
    }
    automation::raiseAutomationError(automation::MemberNotFound, member.name);
}

} // namespace exposevantrope
