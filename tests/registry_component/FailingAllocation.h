#pragma once

#include <cstdint>

// Allocation failure on demand, for the program that links FailingAllocation.cpp:
// it replaces the global operator new of the whole process, the component's
// allocations included, so a test can make memory run out at any allocation.
namespace failing_allocation {

// While one lives, allocation number `survivors` (counted from 0) and every
// later one on this thread throws std::bad_alloc.
class Scope {
public:
    explicit Scope(std::int64_t survivors);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

    // Whether an allocation failed while the scope was alive.
    bool failed() const;
};

} // namespace failing_allocation
