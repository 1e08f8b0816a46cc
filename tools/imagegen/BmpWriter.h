#pragma once
// Writes a canvas as an uncompressed 24-bit Windows bitmap (bottom-up rows,
// each padded to a multiple of four bytes), the format the game loads.
#include <cstdint>
#include <string>
#include <vector>

#include "Canvas.h"

namespace imagegen {

constexpr uint32_t BmpFileHeaderSize = 14;
constexpr uint32_t BmpInfoHeaderSize = 40;

// Bytes of one stored row of a 24-bit bitmap of this width.
uint32_t bmpRowStride(int width);
// The whole file in memory.
std::vector<uint8_t> encodeBmp(const Canvas& canvas);
// Writes the bytes as the whole file; false when it cannot be written completely.
bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes);
// False when the file cannot be written completely.
bool writeBmp(const std::string& path, const Canvas& canvas);

}  // namespace imagegen
