#pragma once
// The 22 images loaded at start-up from Images/, one global slot each.
#include <cstddef>
#include <string>

#include "platform/Bitmap.h"
#include "platform/Surface.h"

namespace glintwake {

constexpr int ImageCount = 22;
// Pixel memory all images together may hold: a few bad files must not take
// the machine's memory.
constexpr size_t ImageMemoryBudget = size_t{64} * 1024 * 1024;

// Loads one bitmap into a new surface; null on any failure, also when its pixels
// would take more than maxPixelBytes. The caller owns it.
platform::Surface* loadImage(const char* path, size_t maxPixelBytes = platform::MaxBitmapBytes);
// Where an installed game keeps its Images/ folder. Each image is looked for in
// the working directory first and only then there; empty (the default) means
// the working directory only.
void setInstalledDataFolder(const std::string& folder);
// Fills every slot in table order with black as the colour key. On the first
// failure, or once the images together would pass ImageMemoryBudget, sets
// "Error Loading Images" and returns false; earlier slots stay filled.
bool loadImages();
// Releases every filled slot and nulls it.
void releaseImages();
// How many slots hold an image.
int loadedImageCount();

}  // namespace glintwake
