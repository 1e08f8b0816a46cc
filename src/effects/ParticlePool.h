#pragma once
// Storage for particles: one block of slots, reused newest-freed first. Thousands
// are made and dropped every second and each frame walks them all, so keeping them
// side by side in memory saves the frame its cache misses. When every slot is taken
// the ordinary heap serves instead, so a particle is never refused for want of one.
#include <cstddef>

namespace glintwake::particle_pool {

// Memory for one particle of `size` bytes, or null when none can be had.
void* allocate(std::size_t size) noexcept;
// Gives back memory from allocate().
void release(void* p) noexcept;

}  // namespace glintwake::particle_pool
