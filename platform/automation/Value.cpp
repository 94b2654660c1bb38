#include "automation/Value.h"

#include "automation/AutomationError.h"
#include "runtime/CheckedMath.h"

#include <cmath>
#include <cstdio>

namespace automation {

namespace {

// Numbers and booleans as a double; none for a text.
bool numericValue(const Value& value, double& number) {
    if (const auto* v = std::get_if<std::int16_t>(&value))
        number = *v;
    else if (const auto* v = std::get_if<std::int32_t>(&value))
        number = *v;
    else if (const auto* v = std::get_if<double>(&value))
        number = *v;
    else if (const auto* v = std::get_if<bool>(&value))
        number = *v ? -1.0 : 0.0;
    else
        return false;
    return true;
}

} // namespace

ValueType typeOf(const Value& value) { return static_cast<ValueType>(value.index()); }

std::string_view typeName(ValueType type) {
    switch (type) {
    case ValueType::Missing: return "missing";
    case ValueType::Int16: return "16-bit integer";
    case ValueType::Int32: return "32-bit integer";
    case ValueType::Double: return "double";
    case ValueType::Boolean: return "boolean";
    case ValueType::Text: return "text";
    }
    return "unknown";
}

Value convertTo(const Value& value, ValueType type) {
    if (std::holds_alternative<Missing>(value) || typeOf(value) == type)
        return value;
    if (type == ValueType::Missing)
        return Missing{};
    double number = 0;
    if (type == ValueType::Text || !numericValue(value, number))
        raiseAutomationError(TypeMismatch, std::string(typeName(typeOf(value))) + " given where a " +
                                               std::string(typeName(type)) + " is expected");
    switch (type) {
    case ValueType::Int16: return runtime::toInt16(number);
    case ValueType::Int32: return runtime::toInt32(number);
    case ValueType::Double: return number;
    case ValueType::Boolean:
        if (std::isnan(number))
            raiseAutomationError(TypeMismatch, "not a number given where a boolean is expected");
        return number != 0.0;
    default: break;
    }
    raiseAutomationError(TypeMismatch);
}

std::string describe(const Value& value) {
    switch (typeOf(value)) {
    case ValueType::Missing: return "(missing)";
    case ValueType::Int16: return std::to_string(std::get<std::int16_t>(value));
    case ValueType::Int32: return std::to_string(std::get<std::int32_t>(value));
    case ValueType::Double: {
        char text[32];
        std::snprintf(text, sizeof text, "%.17g", std::get<double>(value));
        return text;
    }
    case ValueType::Boolean: return std::get<bool>(value) ? "True" : "False";
    case ValueType::Text: return '"' + std::get<std::string>(value) + '"';
    }
    return {};
}

} // namespace automation
