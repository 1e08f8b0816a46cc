#pragma once
// The inner step of the keyed blit: one row of a sprite onto the back buffer, the
// key colour's pixels leaving what was there. Vector builds are chosen at load.
#include <cstdint>
#include <span>

#include "platform/Geometry.h"

namespace platform {

using KeyedRowCopy = void (*)(uint32_t* to, const uint32_t* from, int32_t width, Pixel key);

// The best build this processor runs.
void copyKeyedRow(uint32_t* to, const uint32_t* from, int32_t width, Pixel key);

// One pixel at a time: the reference, and what the vector builds finish a row with.
void copyKeyedRowScalar(uint32_t* to, const uint32_t* from, int32_t width, Pixel key);

struct KeyedRowBuild {
    const char* name;
    KeyedRowCopy copy;
};

// Every build this processor can run, so each can be checked against the reference.
std::span<const KeyedRowBuild> keyedRowBuilds();

}  // namespace platform
