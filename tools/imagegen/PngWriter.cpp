#include "PngWriter.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "BmpWriter.h"

namespace imagegen {

namespace {

constexpr std::array<uint8_t, 8> PngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t BitDepth = 8;
constexpr uint8_t ColourTypeRgba = 6;
constexpr uint8_t NoFilter = 0;
constexpr uint8_t Opaque = 255;
constexpr uint32_t CrcPolynomial = 0xEDB88320u;
constexpr uint32_t AdlerModulus = 65521;
constexpr uint8_t ZlibHeader[] = {0x78, 0x01};  // deflate, 32 KiB window, no preset dictionary
constexpr size_t MaxStoredBlock = 65535;

void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    put32(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put32(out, pngCrc32(out.data() + start, out.size() - start));
}

// Rows of RGBA, each behind its filter byte.
std::vector<uint8_t> scanlines(const Canvas& canvas) {
    std::vector<uint8_t> raw;
    for (int y = 0; y < canvas.height(); ++y) {
        raw.push_back(NoFilter);
        for (int x = 0; x < canvas.width(); ++x) {
            const Rgb c = canvas.get(x, y);
            raw.insert(raw.end(), {c.r, c.g, c.b, canvas.isOpaque(x, y) ? Opaque : uint8_t{0}});
        }
    }
    return raw;
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::vector<uint8_t> storedZlib(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> out(std::begin(ZlibHeader), std::end(ZlibHeader));
    size_t pos = 0;
    do {
        const size_t length = std::min(MaxStoredBlock, raw.size() - pos);
        const bool last = pos + length == raw.size();
        const auto len = static_cast<uint16_t>(length);
        out.insert(out.end(), {uint8_t(last ? 1 : 0), uint8_t(len), uint8_t(len >> 8), uint8_t(~len),
                               uint8_t(~len >> 8)});
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos),
                   raw.begin() + static_cast<std::ptrdiff_t>(pos + length));
        pos += length;
    } while (pos < raw.size());
    put32(out, adler32(raw));
    return out;
}

}  // namespace

uint32_t pngCrc32(const uint8_t* data, size_t size, uint32_t crc) {
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (CrcPolynomial & (0u - (crc & 1u)));
    }
    return ~crc;
}

uint32_t adler32(const std::vector<uint8_t>& data) {
    uint32_t a = 1, b = 0;
    for (const uint8_t byte : data) {
        a = (a + byte) % AdlerModulus;
        b = (b + a) % AdlerModulus;
    }
    return (b << 16) | a;
}

std::vector<uint8_t> encodePng(const Canvas& canvas) {
    std::vector<uint8_t> out(PngSignature.begin(), PngSignature.end());
    std::vector<uint8_t> header;
    put32(header, static_cast<uint32_t>(canvas.width()));
    put32(header, static_cast<uint32_t>(canvas.height()));
    header.insert(header.end(),
                  {BitDepth, ColourTypeRgba, 0, 0, 0});  // deflate, adaptive filters, no interlace
    chunk(out, "IHDR", header);
    chunk(out, "IDAT", storedZlib(scanlines(canvas)));
    chunk(out, "IEND", {});
    return out;
}

bool writePng(const std::string& path, const Canvas& canvas) {
    return writeFile(path, encodePng(canvas));
}

}  // namespace imagegen
