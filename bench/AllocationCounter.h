#pragma once
// Counts every allocation made through operator new in the benchmark program, so
// that a benchmark can report how many a frame makes.
#include <cstdint>

namespace glintwake::bench {

// Allocations so far; the difference around a piece of work is what it allocated.
int64_t allocationCount();

}  // namespace glintwake::bench
