#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Bitmap.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;
using Masks = std::array<uint32_t, 3>;

constexpr uint32_t Rgb = 0, Rle8 = 1, Rle4 = 2, Bitfields = 3;
constexpr Masks Masks888{0xFF0000, 0x00FF00, 0x0000FF};
constexpr Masks Masks555{0x7C00, 0x03E0, 0x001F};
constexpr Masks Masks565{0xF800, 0x07E0, 0x001F};
constexpr Masks MasksBgr{0x0000FF, 0x00FF00, 0xFF0000};

// Black, white, the primaries, two mixes and a near-black that must not turn transparent.
constexpr Pixel Colours[] = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0x000001};
constexpr int32_t Width = 7;  // odd, so rows need padding and nibbles split bytes
constexpr int32_t Height = 3;

struct Format {
    const char* name;
    uint32_t headerSize;  // 12 core, 40 info, 124 version 5
    uint16_t bpp;
    uint32_t compression = Rgb;
    bool topDown = false;
    Masks masks = Masks888;
};

std::ostream& operator<<(std::ostream& os, const Format& f) {
    return os << f.name;
}

void put(Bytes& b, size_t at, uint32_t v, size_t bytes = 4) {
    for (size_t k = 0; k < bytes; ++k) b[at + k] = uint8_t(v >> (8 * k));
}

// A whole file: headers, masks where needed, palette, then the given pixel bytes.
Bytes bmp(const Format& f, int32_t w, int32_t h, std::vector<Pixel> palette, const Bytes& pixels) {
    const bool core = f.headerSize == 12;
    const bool masks = f.compression == Bitfields || f.headerSize > 40;
    Bytes b(14 + f.headerSize + (masks && f.headerSize == 40 ? 12 : 0));
    put(b, 0, 'B' | 'M' << 8, 2);
    put(b, 14, f.headerSize);
    const size_t field = core ? 2 : 4;  // core headers hold 16-bit sizes
    put(b, 18, uint32_t(w), field);
    put(b, 18 + field, uint32_t(f.topDown ? -h : h), field);
    put(b, 18 + 2 * field, 1, 2);
    put(b, 20 + 2 * field, f.bpp, 2);
    if (core && f.bpp <= 8) palette.resize(size_t{1} << f.bpp);  // no colour count: a full palette
    if (!core) {
        put(b, 30, f.compression);
        put(b, 46, uint32_t(palette.size()));
        for (size_t i = 0; masks && i < 3; ++i) put(b, 54 + 4 * i, f.masks[i]);
    }
    for (const Pixel p : palette) {
        b.insert(b.end(), {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16)});
        if (!core) b.push_back(0);
    }
    put(b, 10, uint32_t(b.size()));
    b.insert(b.end(), pixels.begin(), pixels.end());
    put(b, 2, uint32_t(b.size()));
    return b;
}

// Pairs of equal pixels, so that run-length files hold real runs; 16 bits cannot hold near-black.
int indexAt(const Format& f, int32_t x, int32_t y) {
    return (x / 2 + 3 * y) % (f.bpp == 1 ? 2 : f.bpp == 16 ? 7 : 8);
}

// A direct colour in the format's masks, with every unused bit set.
uint32_t pack(Pixel p, const Masks& masks) {
    uint32_t v = ~(masks[0] | masks[1] | masks[2]);
    for (size_t i = 0; i < 3; ++i) {
        const uint32_t channel = (p >> (16 - 8 * i)) & 0xFF;
        v |= (channel * (masks[i] >> std::countr_zero(masks[i])) / 255) << std::countr_zero(masks[i]);
    }
    return v;
}

// One run-length row: an absolute run of three pixels, then runs of equal pixels.
void encodeRleRow(const Format& f, int32_t y, Bytes& out) {
    const bool nibbles = f.compression == Rle4;
    const auto at = [&](int32_t x) { return uint8_t(indexAt(f, x, y)); };
    if (nibbles)
        out.insert(out.end(), {0, 3, uint8_t(at(0) << 4 | at(1)), uint8_t(at(2) << 4)});
    else
        out.insert(out.end(), {0, 3, at(0), at(1), at(2), 0});
    for (int32_t x = 3; x < Width;) {
        const uint8_t index = at(x);
        uint8_t count = 0;
        while (x < Width && at(x) == index) ++count, ++x;
        out.insert(out.end(), {count, uint8_t(nibbles ? index << 4 | index : index)});
    }
}

Bytes encodeImage(const Format& f) {
    Bytes pixels;
    for (int32_t r = 0; r < Height; ++r) {
        const int32_t y = f.topDown ? r : Height - 1 - r;
        if (f.compression == Rle8 || f.compression == Rle4) {
            encodeRleRow(f, y, pixels);
            pixels.insert(pixels.end(), {0, uint8_t(r + 1 < Height ? 0 : 1)});  // end of line / bitmap
            continue;
        }
        Bytes row((size_t(Width) * f.bpp + 31) / 32 * 4);
        for (int32_t x = 0; x < Width; ++x) {
            const size_t bit = size_t(x) * f.bpp;
            const int index = indexAt(f, x, y);
            if (f.bpp <= 8) row[bit / 8] |= uint8_t(index << (8 - f.bpp - bit % 8));
            for (size_t k = 0; f.bpp > 8 && k < f.bpp / 8u; ++k)
                row[bit / 8 + k] = uint8_t(pack(Colours[index], f.masks) >> (8 * k));
        }
        pixels.insert(pixels.end(), row.begin(), row.end());
    }
    const std::vector<Pixel> palette(Colours, Colours + (f.bpp <= 8 ? (f.bpp == 1 ? 2 : 8) : 0));
    return bmp(f, Width, Height, palette, pixels);
}

class BitmapFormats : public ::testing::TestWithParam<Format> {};

TEST_P(BitmapFormats, LoadsTheSamePixels) {
    const Format& f = GetParam();
    const Bytes file = encodeImage(f);
    const fs::path path = fs::path(::testing::TempDir()) / (std::string("glintwake-") + f.name + ".bmp");
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), file.size());
    const std::unique_ptr<Surface> image = loadBitmap(path.string());
    fs::remove(path);
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->width(), Width);
    ASSERT_EQ(image->height(), Height);
    for (int32_t y = 0; y < Height; ++y)
        for (int32_t x = 0; x < Width; ++x)
            EXPECT_EQ(image->pixel(x, y), Colours[indexAt(f, x, y)]) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(AllForms, BitmapFormats,
                         ::testing::Values(Format{"Core8", 12, 8}, Format{"Core24", 12, 24},
                                           Format{"Info1", 40, 1}, Format{"Info4", 40, 4},
                                           Format{"Info8TopDown", 40, 8, Rgb, true},
                                           Format{"Info16", 40, 16, Rgb, false, Masks555},
                                           Format{"Info16Bitfields565", 40, 16, Bitfields, true, Masks565},
                                           Format{"Info24", 40, 24}, Format{"Info32", 40, 32},
                                           Format{"Info32BitfieldsBgr", 40, 32, Bitfields, true, MasksBgr},
                                           Format{"V5Bitfields32", 124, 32, Bitfields, false, MasksBgr},
                                           Format{"Rle8", 40, 8, Rle8}, Format{"Rle4", 40, 4, Rle4}),
                         [](const auto& info) { return std::string(info.param.name); });

// Field offsets in a file with an info header.
constexpr size_t WidthAt = 18, HeightAt = 22;

Bytes patched(Bytes b, size_t at, uint32_t value, size_t bytes = 4) {
    put(b, at, value, bytes);
    return b;
}

// A valid 4x2 8-bit image with one fault patched in per case.
TEST(BitmapBad, MalformedFilesYieldNothing) {
    const Bytes valid = bmp(Format{"Info8", 40, 8}, 4, 2, {0, 0xFF0000}, Bytes(8, 1));
    ASSERT_NE(decodeBitmap(valid.data(), valid.size()), nullptr);
    const std::pair<const char*, Bytes> cases[] = {
        {"empty", {}},
        {"truncated header", Bytes(valid.begin(), valid.begin() + 30)},
        {"wrong magic", patched(valid, 1, 'N', 1)},
        {"zero width", patched(valid, WidthAt, 0)},
        {"zero height", patched(valid, HeightAt, 0)},
        {"negative width", patched(valid, WidthAt, uint32_t(-4))},
        {"most negative height", patched(valid, HeightAt, 0x80000000u)},
        {"absurd width", patched(valid, WidthAt, 1'000'000)},
        {"absurd total", patched(patched(valid, WidthAt, 16384), HeightAt, 16384)},
        {"truncated pixels", Bytes(valid.begin(), valid.end() - 1)},
    };
    for (const auto& [name, bytes] : cases)
        EXPECT_EQ(decodeBitmap(bytes.data(), bytes.size()), nullptr) << name;
}

TEST(BitmapBad, MissingFileDirectoryAndEveryCommittedBadFileYieldNothing) {
    const fs::path corpus = fs::path(GLINTWAKE_SOURCE_DIR) / "tests/platform/bad-bitmaps";
    EXPECT_EQ(loadBitmap((corpus / "absent.bmp").string()), nullptr);
    EXPECT_EQ(loadBitmap(corpus.string()), nullptr);
    int files = 0;
    for (const auto& entry : fs::directory_iterator(corpus)) {
        if (entry.path().extension() != ".bmp") continue;
        ++files;
        EXPECT_EQ(loadBitmap(entry.path().string()), nullptr) << entry.path();
    }
    EXPECT_GE(files, 10);
}

}  // namespace
}  // namespace platform
