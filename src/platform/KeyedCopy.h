#pragma once
// The inner loop of the keyed blit: a sprite's rectangle onto another surface, the
// key colour's pixels leaving what was there. The vector builds are chosen once,
// at start, by platform/CpuDispatch.h.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/Geometry.h"

namespace platform {

// Rows `width` pixels long, `height` of them; pitches in bytes. The two rectangles
// must not overlap.
struct KeyedCopy {
    uint32_t* to;
    ptrdiff_t toPitch;
    const uint32_t* from;
    ptrdiff_t fromPitch;
    int32_t width;
    int32_t height;
    Pixel key;
};

using KeyedCopyBuild = void (*)(const KeyedCopy& copy);

// The best build this processor runs.
void copyKeyed(const KeyedCopy& copy);

// One pixel at a time: the reference.
void copyKeyedScalar(const KeyedCopy& copy);

struct KeyedBuild {
    const char* name;
    KeyedCopyBuild copy;
};

// Every build this processor can run, the best first, so each can be checked
// against the reference.
std::span<const KeyedBuild> keyedBuilds();

}  // namespace platform
