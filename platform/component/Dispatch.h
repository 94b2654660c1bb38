#pragma once

#include "component/Unknown.h"
#include "component/Variant.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>

namespace component {

using DispatchId = std::int32_t;

// How a member is called by name: a method, or one side of a property.
enum class InvokeKind { Method = 1, PropertyGet = 2, PropertyPut = 4 };

// Calls by name. The members and their ids come from a table compiled into
// the object, in place of a separate type description.
class IDispatch : public IUnknown {
public:
    // 0: the object carries no type description.
    virtual HResult GetTypeInfoCount(std::uint32_t* count) = 0;
    virtual HResult GetTypeInfo(std::uint32_t index, void** typeInfo) = 0;
    // The id of a member, its name matched without regard to ASCII letter case.
    virtual HResult GetIDsOfNames(std::string_view name, DispatchId* id) = 0;
    // Arguments in the member's order. A member's failure is returned as it is,
    // with its error information set; positive results of the member too.
    virtual HResult Invoke(DispatchId id, InvokeKind kind, std::span<const Variant> arguments, Variant* result) = 0;

protected:
    ~IDispatch() = default;
};

// One row of a member table: the call of an interface member by name.
template <class Interface>
struct DispatchMember {
    std::string_view name;
    DispatchId id;
    InvokeKind kind;
    HResult (*invoke)(Interface& object, std::span<const Variant> arguments, Variant* result);
};

namespace detail {

template <class Method>
struct MethodTraits;

template <class Class, class... Arguments>
struct MethodTraits<HResult (Class::*)(Arguments...)> {
    using Object = Class;
    using ArgumentTuple = std::tuple<Arguments...>;
    static constexpr std::size_t count = sizeof...(Arguments);
};

template <class Tuple, std::size_t Count>
constexpr bool endsWithResult()
{
    if constexpr (Count == 0)
        return false;
    else
        return std::is_pointer_v<std::tuple_element_t<Count - 1, Tuple>>;
}

template <auto Method, std::size_t... Index>
HResult invokeWith(typename MethodTraits<decltype(Method)>::Object& object, std::span<const Variant> arguments,
                   Variant* result, std::index_sequence<Index...>)
{
    using Traits = MethodTraits<decltype(Method)>;
    using Tuple = typename Traits::ArgumentTuple;
    constexpr bool hasResult = endsWithResult<Tuple, Traits::count>();
    if (arguments.size() != sizeof...(Index))
        return DISP_E_BADPARAMCOUNT;
    [[maybe_unused]] std::tuple<std::remove_cvref_t<std::tuple_element_t<Index, Tuple>>...> inputs;
    const bool converted = (arguments[Index].to(std::get<Index>(inputs)) && ...);
    if (!converted)
        return DISP_E_TYPEMISMATCH;
    if constexpr (hasResult) {
        std::remove_pointer_t<std::tuple_element_t<Traits::count - 1, Tuple>> output{};
        const HResult outcome = (object.*Method)(std::get<Index>(inputs)..., &output);
        if (result && succeeded(outcome))
            *result = toVariant(std::move(output));
        return outcome;
    } else {
        if (result)
            *result = Variant();
        return (object.*Method)(std::get<Index>(inputs)...);
    }
}

} // namespace detail

// The invoker of one interface member for a member table: converts the
// arguments, calls the member and turns its out-parameter into the result.
template <auto Method>
HResult invokeMember(typename detail::MethodTraits<decltype(Method)>::Object& object,
                     std::span<const Variant> arguments, Variant* result)
{
    using Traits = detail::MethodTraits<decltype(Method)>;
    constexpr bool hasResult = detail::endsWithResult<typename Traits::ArgumentTuple, Traits::count>();
    return detail::invokeWith<Method>(object, arguments, result,
                                      std::make_index_sequence<Traits::count - (hasResult ? 1 : 0)>());
}

// GetIDsOfNames and Invoke over a member table.
bool sameNameIgnoringCase(std::string_view a, std::string_view b);

template <class Interface>
HResult findMemberId(std::span<const DispatchMember<Interface>> table, std::string_view name, DispatchId* id)
{
    if (!id)
        return E_POINTER;
    for (const auto& member : table)
        if (sameNameIgnoringCase(member.name, name)) {
            *id = member.id;
            return S_OK;
        }
    *id = -1;
    return DISP_E_UNKNOWNNAME;
}

template <class Interface>
HResult invokeByTable(std::span<const DispatchMember<Interface>> table, Interface& object, DispatchId id,
                      InvokeKind kind, std::span<const Variant> arguments, Variant* result)
{
    for (const auto& member : table) {
        if (member.id != id)
            continue;
        // A getter may be called as a method and the other way round; a put only as a put.
        const bool reads = kind == InvokeKind::Method || kind == InvokeKind::PropertyGet;
        const bool memberReads = member.kind == InvokeKind::Method || member.kind == InvokeKind::PropertyGet;
        if (reads ? memberReads : member.kind == InvokeKind::PropertyPut)
            return member.invoke(object, arguments, result);
    }
    return DISP_E_MEMBERNOTFOUND;
}

} // namespace component
