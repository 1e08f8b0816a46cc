#pragma once
// The 22 images loaded at start-up from Images/, one global slot each.
#include "platform/Surface.h"

namespace glintwake {

constexpr int ImageCount = 22;

// Loads one bitmap into a new surface; null on any failure. The caller owns it.
platform::Surface* loadImage(const char* path);
// Fills every slot in table order with black as the colour key. On the first
// failure sets "Error Loading Images" and returns false; earlier slots stay filled.
bool loadImages();
// Releases every filled slot and nulls it.
void releaseImages();
// How many slots hold an image.
int loadedImageCount();

}  // namespace glintwake
