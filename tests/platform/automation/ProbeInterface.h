#pragma once

#include "automation/InterfaceDefinition.h"

// The class the probe server serves: one member per kind of argument,
// result and failure that the channel has to carry.
namespace probe {

inline constexpr char ClassId[] = "{6C1D0B5E-0F4A-4E0B-9C51-3A7E2D90B1A4}";
inline constexpr char InterfaceId[] = "{0E7F3B2A-5D61-4C8E-A0F9-1B2C3D4E5F60}";

inline const automation::InterfaceDefinition& definition() {
    using automation::ValueType;
    static const automation::InterfaceDefinition probe{
        "Probe",
        ClassId,
        "_Probe",
        InterfaceId,
        {
            // Returns what arrived, as "type:value" separated by "|".
            {"Echo",
             automation::MemberKind::Method,
             1,
             {{"Small", ValueType::Int16, false, false, {}},
              {"Whole", ValueType::Int32, false, false, {}},
              {"Real", ValueType::Double, false, false, {}},
              {"Flag", ValueType::Boolean, false, false, {}},
              {"Words", ValueType::Text, false, false, {}},
              {"Extra", ValueType::Double, false, true, automation::Value(2.5)},
              {"Spare", ValueType::Int32, false, true, {}}},
             ValueType::Text},
            // Doubles the number and the text it is handed by reference.
            {"Twice",
             automation::MemberKind::Method,
             2,
             {{"Number", ValueType::Int32, true, false, {}}, {"Words", ValueType::Text, true, false, {}}},
             ValueType::Boolean},
            // Raises the numbered error with that description.
            {"Fail",
             automation::MemberKind::Method,
             3,
             {{"Number", ValueType::Int32, false, false, {}}, {"Words", ValueType::Text, false, false, {}}},
             ValueType::Missing},
            {"Calls", automation::MemberKind::PropertyGet, 4, {}, ValueType::Int32},
            {"Hang", automation::MemberKind::Method, 5, {}, ValueType::Missing},
            {"Die", automation::MemberKind::Method, 6, {}, ValueType::Missing},
            // Puts bytes on the channel that are no frame, then answers.
            {"Garbage", automation::MemberKind::Method, 7, {}, ValueType::Missing},
            // Ends the server once the answer has left.
            {"Quit", automation::MemberKind::Method, 8, {}, ValueType::Missing},
        }};
    return probe;
}

} // namespace probe
