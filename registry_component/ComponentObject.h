#pragma once

#include "CallBoundary.h"
#include "Module.h"

#include "component/Dispatch.h"
#include "component/Object.h"

#include <span>
#include <string_view>
#include <utility>

namespace brimlock {

// A property get: the field copied to the caller's out-parameter.
template <class T>
HResult copyOut(const T& field, T* out)
{
    if (!out)
        return component::E_POINTER;
    *out = field;
    return component::S_OK;
}

// What both classes share: identity, counting and aggregation, error
// information for their own interface, and calls by name through their member table.
template <class Interface>
class ComponentObject : public Interface, public component::ISupportErrorInfo, public component::ObjectBase {
public:
    struct Identity {
        const component::InterfaceId& interfaceId;
        std::string_view versionedProgId;
        std::span<const component::DispatchMember<Interface>> members;
    };

    ComponentObject(component::ModuleLocks& module, component::IUnknown* outer, const Identity& identity) noexcept
        : ObjectBase(module, outer), identity_(identity)
    {
    }

    HResult QueryInterface(const component::InterfaceId& id, void** object) override
    {
        return controllingQueryInterface(id, object);
    }
    std::uint32_t AddRef() override { return controllingAddRef(); }
    std::uint32_t Release() override { return controllingRelease(); }

    HResult InterfaceSupportsErrorInfo(const component::InterfaceId& id) override
    {
        return id == identity_.interfaceId ? component::S_OK : component::S_FALSE;
    }

    HResult GetTypeInfoCount(std::uint32_t* count) override
    {
        if (!count)
            return component::E_POINTER;
        *count = 0;
        return component::S_OK;
    }
    HResult GetTypeInfo(std::uint32_t, void** typeInfo) override
    {
        if (typeInfo)
            *typeInfo = nullptr;
        return component::TYPE_E_ELEMENTNOTFOUND;
    }
    HResult GetIDsOfNames(std::string_view name, component::DispatchId* id) override
    {
        return guard([&] { return component::findMemberId(identity_.members, name, id); });
    }
    // Converting the arguments and the result takes memory too, around the member's own guard.
    HResult Invoke(component::DispatchId id, component::InvokeKind kind, std::span<const component::Variant> arguments,
                   component::Variant* result) override
    {
        return guard([&] {
            return component::invokeByTable(identity_.members, static_cast<Interface&>(*this), id, kind, arguments,
                                            result);
        });
    }

protected:
    // The boundary of every member a caller reaches: see guardedCall.
    template <class Call>
    HResult guard(Call&& call) const noexcept
    {
        return guardedCall(std::forward<Call>(call), identity_.versionedProgId, &identity_.interfaceId);
    }

    HResult report(int messageId) const
    {
        return ReportComponentError(messageId, identity_.versionedProgId, identity_.interfaceId);
    }

    component::IUnknown* findInterface(const component::InterfaceId& id) override
    {
        if (id == identity_.interfaceId || id == component::IID_IDispatch)
            return static_cast<Interface*>(this);
        if (id == component::IID_ISupportErrorInfo)
            return static_cast<component::ISupportErrorInfo*>(this);
        return nullptr;
    }

private:
    Identity identity_;
};

} // namespace brimlock
