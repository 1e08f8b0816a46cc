#pragma once
// Loads Windows bitmap files (1, 4, 8, 16, 24 and 32 bits, bottom-up or top-down,
// RLE) into a surface of exactly the bitmap's size, pixels 0x00RRGGBB.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Surface.h"

namespace platform {

// Null for a missing, truncated, malformed or absurdly large file; never a partial image.
std::unique_ptr<Surface> loadBitmap(const std::string& path);

// The same decoder over a whole file already in memory; null on any fault.
std::unique_ptr<Surface> decodeBitmap(const uint8_t* data, size_t size);

}  // namespace platform
