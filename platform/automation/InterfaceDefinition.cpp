#include "automation/InterfaceDefinition.h"

#include "automation/AutomationError.h"
#include "runtime/RuntimeError.h"

#include <algorithm>
#include <cctype>

namespace automation {

namespace {

bool sameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

const MemberDefinition* InterfaceDefinition::find(std::string_view memberName) const {
    const auto found = std::ranges::find_if(
        members, [&](const MemberDefinition& member) { return sameName(member.name, memberName); });
    return found == members.end() ? nullptr : &*found;
}

std::vector<Value> prepareArguments(const MemberDefinition& member, const std::vector<Value>& given) {
    const auto& parameters = member.parameters;
    if (given.size() > parameters.size())
        raiseAutomationError(WrongNumberOfArguments,
                             member.name + " takes " + std::to_string(parameters.size()) +
                                 ", not " + std::to_string(given.size()));
    std::vector<Value> prepared;
    prepared.reserve(parameters.size());
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const ParameterDefinition& parameter = parameters[i];
        const Value& value = i < given.size() ? given[i] : Value(Missing{});
        if (std::holds_alternative<Missing>(value)) {
            if (!parameter.optional)
                raiseAutomationError(ArgumentNotOptional, member.name + " " + parameter.name);
            prepared.push_back(parameter.defaultValue.value_or(Missing{}));
            continue;
        }
        try {
            prepared.push_back(convertTo(value, parameter.type));
        } catch (const runtime::RuntimeError& error) {
            runtime::raise(error.number(),
                           error.description() + " (" + member.name + " " + parameter.name + ")");
        }
    }
    return prepared;
}

} // namespace automation
