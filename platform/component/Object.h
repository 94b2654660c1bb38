#pragma once

#include "component/Unknown.h"

#include <atomic>
#include <cstdint>
#include <new>

namespace component {

// A server module's count of live objects and server locks: while it is not
// 0 the module must stay loaded.
class ModuleLocks {
public:
    void lock() { count_.fetch_add(1, std::memory_order_relaxed); }
    // An unlock with no lock held is ignored, so a careless caller cannot let the module unload early.
    void unlock()
    {
        long current = count_.load(std::memory_order_relaxed);
        while (current > 0 && !count_.compare_exchange_weak(current, current - 1, std::memory_order_acq_rel))
        {
        }
    }
    long count() const { return count_.load(std::memory_order_acquire); }

private:
    std::atomic<long> count_{0};
};

// Counting, identity and aggregation of one component object. A class derives
// from its interfaces and from this, answers findInterface, and forwards the
// IUnknown members of its interfaces to the controlling unknown:
//   HResult QueryInterface(const InterfaceId& id, void** o) override { return controllingQueryInterface(id, o); }
// Aggregated, the controlling unknown is the outer object's; alone, it is the
// object's own non-delegating unknown. The object counts as one lock of its
// module from creation to its last Release.
class ObjectBase {
public:
    ObjectBase(const ObjectBase&) = delete;
    ObjectBase& operator=(const ObjectBase&) = delete;

    // The unknown that owns the object's count and answers IUnknown with itself.
    IUnknown* innerUnknown() { return &inner_; }

protected:
    ObjectBase(ModuleLocks& module, IUnknown* outer) : module_(module), controlling_(outer ? outer : &inner_)
    {
        module_.lock();
    }
    virtual ~ObjectBase() { module_.unlock(); }

    // The interface pointer for an id other than IUnknown, or null.
    virtual IUnknown* findInterface(const InterfaceId& id) = 0;

    HResult controllingQueryInterface(const InterfaceId& id, void** object)
    {
        return controlling_->QueryInterface(id, object);
    }
    std::uint32_t controllingAddRef() { return controlling_->AddRef(); }
    std::uint32_t controllingRelease() { return controlling_->Release(); }

private:
    class Inner final : public IUnknown {
    public:
        explicit Inner(ObjectBase& owner) : owner_(owner) {}
        HResult QueryInterface(const InterfaceId& id, void** object) override
        {
            if (!object)
                return E_POINTER;
            IUnknown* found = id == IID_IUnknown ? this : owner_.findInterface(id);
            *object = found;
            if (!found)
                return E_NOINTERFACE;
            found->AddRef();
            return S_OK;
        }
        std::uint32_t AddRef() override { return owner_.count_.fetch_add(1, std::memory_order_relaxed) + 1; }
        std::uint32_t Release() override
        {
            const std::uint32_t left = owner_.count_.fetch_sub(1, std::memory_order_acq_rel) - 1;
            if (left == 0)
                delete &owner_;
            return left;
        }

    private:
        ObjectBase& owner_;
    };

    ModuleLocks& module_;
    Inner inner_{*this};
    IUnknown* controlling_;
    std::atomic<std::uint32_t> count_{0};
};

// The class object of a class whose objects are built as Object(module, outer).
// It lives as long as its module and takes no count of its own; a client's
// lock on it locks the module.
template <class Object>
class ClassFactory final : public IClassFactory {
public:
    explicit ClassFactory(ModuleLocks& module) : module_(module) {}

    HResult QueryInterface(const InterfaceId& id, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (id == IID_IUnknown || id == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    std::uint32_t AddRef() override { return 2; }
    std::uint32_t Release() override { return 1; }

    HResult CreateInstance(IUnknown* outer, const InterfaceId& id, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (outer && id != IID_IUnknown)
            return CLASS_E_NOAGGREGATION;
        Object* created = new (std::nothrow) Object(module_, outer);
        if (!created)
            return E_OUTOFMEMORY;
        // One count held across the query, so a failed query frees the object.
        IUnknown* inner = created->innerUnknown();
        inner->AddRef();
        const HResult result = inner->QueryInterface(id, object);
        inner->Release();
        return result;
    }
    HResult LockServer(bool lock) override
    {
        if (lock)
            module_.lock();
        else
            module_.unlock();
        return S_OK;
    }

private:
    ModuleLocks& module_;
};

} // namespace component
