#pragma once

#include "component/Guid.h"
#include "component/HResult.h"

#include <cstdint>

namespace component {

// The counted interface every component object answers. Interfaces are
// abstract classes with no data and no virtual destructor, so their table of
// functions is the same for the caller and the object whichever side built it;
// an object is released through Release, never deleted by its caller.
class IUnknown {
public:
    // On success *object holds an interface pointer with one more count.
    virtual HResult QueryInterface(const InterfaceId& id, void** object) = 0;
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;

protected:
    ~IUnknown() = default;
};

// Creates the objects of one class.
class IClassFactory : public IUnknown {
public:
    // With an outer unknown the new object is aggregated, and only IUnknown may be asked for.
    virtual HResult CreateInstance(IUnknown* outer, const InterfaceId& id, void** object) = 0;
    // A held lock keeps the server's module loaded with no object alive.
    virtual HResult LockServer(bool lock) = 0;

protected:
    ~IClassFactory() = default;
};

// Tells a caller whether failures of an interface leave error information.
class ISupportErrorInfo : public IUnknown {
public:
    // S_OK when they do, S_FALSE when they do not.
    virtual HResult InterfaceSupportsErrorInfo(const InterfaceId& id) = 0;

protected:
    ~ISupportErrorInfo() = default;
};

inline constexpr InterfaceId IID_IUnknown = guid("{00000000-0000-0000-C000-000000000046}");
inline constexpr InterfaceId IID_IClassFactory = guid("{00000001-0000-0000-C000-000000000046}");
inline constexpr InterfaceId IID_IDispatch = guid("{00020400-0000-0000-C000-000000000046}");
inline constexpr InterfaceId IID_ISupportErrorInfo = guid("{DF0B3D60-548F-101B-8E65-08002B2BD119}");

// Holds one count of an interface and releases it; moves, never copies.
template <class Interface>
class Counted {
public:
    Counted() = default;
    // Takes over a count the caller already holds.
    explicit Counted(Interface* pointer) : pointer_(pointer) {}
    Counted(Counted&& other) noexcept : pointer_(other.pointer_) { other.pointer_ = nullptr; }
    Counted& operator=(Counted&& other) noexcept
    {
        if (this != &other) {
            reset();
            pointer_ = other.pointer_;
            other.pointer_ = nullptr;
        }
        return *this;
    }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;
    ~Counted() { reset(); }

    void reset()
    {
        if (pointer_)
            pointer_->Release();
        pointer_ = nullptr;
    }
    // The slot an out-parameter call fills; any held count is released first.
    void** out()
    {
        reset();
        return reinterpret_cast<void**>(&pointer_);
    }
    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    Interface& operator*() const { return *pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    Interface* pointer_ = nullptr;
};

} // namespace component
