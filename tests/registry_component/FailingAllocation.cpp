#include "FailingAllocation.h"

#include <cstdlib>
#include <new>

namespace failing_allocation {

namespace {

thread_local bool armed = false;
thread_local std::int64_t left = 0;
thread_local bool refused = false;

} // namespace

Scope::Scope(std::int64_t survivors)
{
    left = survivors;
    refused = false;
    armed = true;
}

Scope::~Scope()
{
    armed = false;
}

bool Scope::failed() const
{
    return refused;
}

} // namespace failing_allocation

// The array and nothrow forms of the standard library call this one.
void* operator new(std::size_t size)
{
    using namespace failing_allocation;
    if (armed && left-- <= 0) {
        refused = true;
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
