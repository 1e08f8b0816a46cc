#pragma once
// Loads Windows bitmap files (1, 4, 8, 16, 24 and 32 bits, bottom-up or top-down,
// RLE) into a surface of exactly the bitmap's size, pixels 0x00RRGGBB.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Surface.h"

namespace platform {

// The largest image on either side; anything bigger is refused unread.
constexpr int32_t MaxBitmapSide = 4096;
// Pixel memory of the largest image that can load: 64 MiB.
constexpr size_t MaxBitmapBytes = size_t{MaxBitmapSide} * MaxBitmapSide * sizeof(Pixel);

// Null for a missing, truncated, malformed or absurdly large file, for an image
// whose pixels would take more than `maxPixelBytes`, and where memory runs out;
// never a partial image, never an exception.
std::unique_ptr<Surface> loadBitmap(const std::string& path, size_t maxPixelBytes = MaxBitmapBytes);

// The same decoder over a whole file already in memory; null on any fault.
std::unique_ptr<Surface> decodeBitmap(const uint8_t* data, size_t size,
                                      size_t maxPixelBytes = MaxBitmapBytes);

// The bytes of pixel memory a loaded image of this size holds.
size_t bitmapPixelBytes(int32_t width, int32_t height);

}  // namespace platform
