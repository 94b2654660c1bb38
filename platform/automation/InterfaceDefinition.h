#pragma once

#include "automation/Value.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace automation {

struct ParameterDefinition {
    std::string name;
    ValueType type = ValueType::Missing;
    bool byReference = false;
    bool optional = false;
    // What an omitted optional argument becomes; none leaves it Missing, so
    // the object can tell it apart from a value the caller gave.
    std::optional<Value> defaultValue;
};

enum class MemberKind : std::uint8_t { Method, PropertyGet };

struct MemberDefinition {
    std::string name;
    MemberKind kind = MemberKind::Method;
    std::int32_t dispatchId = 0;
    std::vector<ParameterDefinition> parameters;
    ValueType result = ValueType::Missing; // Missing: no result
};

// One creatable class with its one interface: what a server serves and a
// client asks for in the handshake.
struct InterfaceDefinition {
    std::string className;
    std::string classId;
    std::string interfaceName;
    std::string interfaceId;
    std::vector<MemberDefinition> members;

    // The member of that name, compared without regard to case as late-bound
    // names are; null when there is none.
    const MemberDefinition* find(std::string_view memberName) const;
};

// The arguments as the member receives them: each converted to its
// parameter's type, omitted optional ones given their default. Raises 450
// for too many arguments, 449 for an omitted required one, 13 or 6 for a
// value that does not convert; the message names the parameter.
std::vector<Value> prepareArguments(const MemberDefinition& member, const std::vector<Value>& given);

} // namespace automation
