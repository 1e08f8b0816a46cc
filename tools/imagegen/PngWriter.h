#pragma once
// Writes a canvas as a PNG with an alpha channel (black is transparent), the
// format desktops read icons in. Stored without compression: icons are small.
#include <cstdint>
#include <string>
#include <vector>

#include "Canvas.h"

namespace imagegen {

// The CRC-32 of PNG chunks and zlib's Adler-32, exposed for their tests.
uint32_t pngCrc32(const uint8_t* data, size_t size, uint32_t crc = 0);
uint32_t adler32(const std::vector<uint8_t>& data);
// The whole file in memory.
std::vector<uint8_t> encodePng(const Canvas& canvas);
// False when the file cannot be written completely.
bool writePng(const std::string& path, const Canvas& canvas);

}  // namespace imagegen
