#include "BmpWriter.h"

#include <fstream>

namespace imagegen {

namespace {

constexpr uint16_t BmpMagic = 0x4D42;  // "BM"
constexpr uint16_t BitsPerPixel = 24;
constexpr uint32_t BytesPerPixel = 3;
constexpr int32_t PixelsPerMetre = 2835;  // 72 dots per inch

void put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>((v >> shift) & 0xFF));
}

}  // namespace

uint32_t bmpRowStride(int width) {
    return (static_cast<uint32_t>(width) * BytesPerPixel + 3u) & ~3u;
}

std::vector<uint8_t> encodeBmp(const Canvas& canvas) {
    const uint32_t stride = bmpRowStride(canvas.width());
    const uint32_t imageBytes = stride * static_cast<uint32_t>(canvas.height());
    const uint32_t pixelOffset = BmpFileHeaderSize + BmpInfoHeaderSize;

    std::vector<uint8_t> out;
    out.reserve(pixelOffset + imageBytes);
    put16(out, BmpMagic);
    put32(out, pixelOffset + imageBytes);
    put32(out, 0);  // two reserved words
    put32(out, pixelOffset);

    put32(out, BmpInfoHeaderSize);
    put32(out, static_cast<uint32_t>(canvas.width()));
    put32(out, static_cast<uint32_t>(canvas.height()));  // positive: bottom-up
    put16(out, 1);                                       // planes
    put16(out, BitsPerPixel);
    put32(out, 0);  // no compression
    put32(out, imageBytes);
    put32(out, static_cast<uint32_t>(PixelsPerMetre));
    put32(out, static_cast<uint32_t>(PixelsPerMetre));
    put32(out, 0);  // colours used: none, no palette
    put32(out, 0);  // important colours

    for (int y = canvas.height() - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const Rgb c = canvas.get(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        for (uint32_t pad = static_cast<uint32_t>(canvas.width()) * BytesPerPixel; pad < stride; ++pad)
            out.push_back(0);
    }
    return out;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

bool writeBmp(const std::string& path, const Canvas& canvas) {
    return writeFile(path, encodeBmp(canvas));
}

}  // namespace imagegen
