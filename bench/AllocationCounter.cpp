// The program's operator new and delete, counting as they go. In a file of their
// own so that no caller sees malloc and free paired with new and delete.
#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace {
int64_t allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace glintwake::bench {

int64_t allocationCount() {
    return allocations;
}

}  // namespace glintwake::bench
