#include "component/Dispatch.h"
#include "component/ErrorInfo.h"
#include "component/Object.h"

#include "AggregatingOuter.h"

#include <gtest/gtest.h>

#include <thread>

using namespace component;

namespace {

constexpr InterfaceId IID_ICounter = guid("{2B3C4D5E-0000-4000-8000-000000000001}");

class ICounter : public IUnknown {
public:
    virtual HResult Add(std::int32_t amount, std::int32_t* total) = 0;

protected:
    ~ICounter() = default;
};

int livingCounters = 0;

class Counter final : public ICounter, public ObjectBase {
public:
    Counter(ModuleLocks& module, IUnknown* outer) : ObjectBase(module, outer) { ++livingCounters; }
    ~Counter() override { --livingCounters; }
    HResult QueryInterface(const InterfaceId& id, void** object) override { return controllingQueryInterface(id, object); }
    std::uint32_t AddRef() override { return controllingAddRef(); }
    std::uint32_t Release() override { return controllingRelease(); }
    HResult Add(std::int32_t amount, std::int32_t* total) override
    {
        total_ += amount;
        *total = total_;
        return S_OK;
    }

protected:
    IUnknown* findInterface(const InterfaceId& id) override
    {
        return id == IID_ICounter ? static_cast<ICounter*>(this) : nullptr;
    }

private:
    std::int32_t total_ = 0;
};

} // namespace

TEST(ClassFactory, ObjectsLockTheModuleUntilTheirLastRelease)
{
    ModuleLocks module;
    ClassFactory<Counter> factory(module);
    Counted<ICounter> counter;
    ASSERT_EQ(factory.CreateInstance(nullptr, IID_ICounter, counter.out()), S_OK);
    EXPECT_EQ(module.count(), 1);
    counter->AddRef();
    EXPECT_EQ(counter->Release(), 1u);
    Counted<IUnknown> unknown;
    ASSERT_EQ(counter->QueryInterface(IID_IUnknown, unknown.out()), S_OK);
    counter.reset();
    EXPECT_EQ(livingCounters, 1);
    unknown.reset();
    EXPECT_EQ(livingCounters, 0);
    EXPECT_EQ(module.count(), 0);
}

TEST(ClassFactory, FailedQueriesAndLocks)
{
    ModuleLocks module;
    ClassFactory<Counter> factory(module);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory.CreateInstance(nullptr, IID_IDispatch, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(livingCounters, 0) << "a refused object is freed";
    EXPECT_EQ(factory.CreateInstance(nullptr, IID_ICounter, nullptr), E_POINTER);

    factory.LockServer(true);
    factory.LockServer(true);
    EXPECT_EQ(module.count(), 2);
    factory.LockServer(false);
    factory.LockServer(false);
    factory.LockServer(false);
    EXPECT_EQ(module.count(), 0) << "an unlock too many is ignored";
}

TEST(ClassFactory, AggregatedObjectCountsOnTheOuterObject)
{
    ModuleLocks module;
    ClassFactory<Counter> factory(module);
    AggregatingOuter outer;
    ASSERT_EQ(factory.CreateInstance(&outer, IID_IUnknown, outer.inner.out()), S_OK);

    void* refused = nullptr;
    EXPECT_EQ(factory.CreateInstance(&outer, IID_ICounter, &refused), CLASS_E_NOAGGREGATION);

    ICounter* counter = nullptr;
    ASSERT_EQ(outer.QueryInterface(IID_ICounter, reinterpret_cast<void**>(&counter)), S_OK);
    EXPECT_EQ(outer.count, 2u) << "the inner object's interface counts on the outer object";
    // Identity: asked for IUnknown, the inner interface answers with the outer object.
    IUnknown* identity = nullptr;
    ASSERT_EQ(counter->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
    EXPECT_EQ(identity, &outer);
    identity->Release();
    std::int32_t total = 0;
    counter->Add(5, &total);
    EXPECT_EQ(total, 5);
    counter->Release();
    EXPECT_EQ(outer.count, 1u);
    EXPECT_EQ(livingCounters, 1);
}

TEST(ErrorInfo, OnePerThreadAndTakenOnce)
{
    clearErrorInfo();
    setErrorInfo({"main", "Source.1", IID_ICounter, "", 0});
    std::optional<ErrorInfo> seenByOtherThread = ErrorInfo{};
    std::thread([&] {
        seenByOtherThread = takeErrorInfo();
        setErrorInfo({"other", "", IID_IUnknown, "", 0});
    }).join();
    EXPECT_FALSE(seenByOtherThread.has_value());
    const auto taken = takeErrorInfo();
    ASSERT_TRUE(taken.has_value());
    EXPECT_EQ(taken->description, "main");
    EXPECT_EQ(taken->interfaceId, IID_ICounter);
    EXPECT_FALSE(takeErrorInfo().has_value());
}
