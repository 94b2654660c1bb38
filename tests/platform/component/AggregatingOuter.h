#pragma once

#include "component/Unknown.h"

#include <cstdint>

// An outer object that aggregates one inner object and hands out the inner
// object's interfaces as its own, counting them on itself.
class AggregatingOuter final : public component::IUnknown {
public:
    component::HResult QueryInterface(const component::InterfaceId& id, void** object) override
    {
        if (id == component::IID_IUnknown) {
            *object = this;
            AddRef();
            return component::S_OK;
        }
        return inner->QueryInterface(id, object);
    }
    std::uint32_t AddRef() override { return ++count; }
    std::uint32_t Release() override { return --count; }

    // The inner object's non-delegating unknown.
    component::Counted<component::IUnknown> inner;
    std::uint32_t count = 1;
};
