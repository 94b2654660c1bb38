#pragma once

#include "registry/Store.h"

#include <unistd.h>

#include <memory>

namespace component {

// Internal linkage on purpose: each library that links the store's code
// privately keeps its own store per thread, so a Store never meets another
// copy of that code. Include it in one source file per library.
namespace {

// The calling thread's settings store at the user's default location, opened
// on first use. A Store is not thread-safe and must not cross a fork, so each
// thread of each process opens its own; one inherited from a parent process
// is left unclosed, since closing it could release the parent's database locks.
inline registry::Store& threadStore()
{
    thread_local std::unique_ptr<registry::Store> store;
    thread_local pid_t owner = 0;
    if (!store || owner != getpid()) {
        if (store)
            (void)store.release();
        store = std::make_unique<registry::Store>(registry::Store::defaultLocation());
        owner = getpid();
    }
    return *store;
}

} // namespace

} // namespace component
