#include <gtest/gtest.h>

#include <filesystem>
#include <span>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/Bitmap.h"
#include "support/BlankBitmap.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;
using glintwake::test::putLittleEndian;

constexpr uint32_t Rgb = 0, Rle8 = 1, Rle4 = 2, Bitfields = 3;
constexpr uint32_t InfoHeaderSize = 40;
// Set in every direct colour: the unused top byte must not reach the pixel.
constexpr uint32_t UnusedByte = 0xFF000000;

// Black, white, primaries, mixes and a near-black that must not turn transparent
// (but that 16-bit pixels' five bits a channel turn to black).
constexpr Pixel Colours[] = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0x000001};
constexpr int NearBlack = 7;
// Set in every 5-5-5 pixel: the unused top bit must not reach the pixel.
constexpr uint32_t UnusedBit = 0x8000;
constexpr uint32_t Masks565[] = {0xF800, 0x07E0, 0x001F};
constexpr int32_t Width = 7;  // odd, so rows need padding and nibbles split bytes
constexpr int32_t Height = 3;

struct Format {
    const char* name;
    uint16_t bpp;
    uint32_t compression = Rgb;
    bool topDown = false;
};

// Pairs of equal pixels, so that run-length files hold real runs.
int indexAt(const Format& f, int32_t x, int32_t y) {
    return (x / 2 + 3 * y) % (f.bpp == 1 ? 2 : 8);
}

// A colour as a 16-bit pixel: 5-5-5 with the top bit set, or 5-6-5 under bit fields.
uint32_t packHighColour(const Format& f, Pixel c) {
    const uint32_t r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
    if (f.compression == Bitfields) return (r >> 3) << 11 | (g >> 2) << 5 | b >> 3;
    return UnusedBit | (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
}

// One run-length row: an absolute run of three pixels, then runs of equal pixels.
void encodeRleRow(const Format& f, int32_t y, Bytes& out) {
    const bool nibbles = f.compression == Rle4;
    const auto at = [&](int32_t x) { return uint8_t(indexAt(f, x, y)); };
    const Bytes absolute = nibbles ? Bytes{0, 3, uint8_t(at(0) << 4 | at(1)), uint8_t(at(2) << 4)}
                                   : Bytes{0, 3, at(0), at(1), at(2), 0};
    out.insert(out.end(), absolute.begin(), absolute.end());
    for (int32_t x = 3; x < Width;) {
        const uint8_t index = at(x);
        uint8_t count = 0;
        while (x < Width && at(x) == index) ++count, ++x;
        out.insert(out.end(), {count, uint8_t(nibbles ? index << 4 | index : index)});
    }
}

// A whole Width x Height file: headers, palette, then the pixel rows.
Bytes encodeImage(const Format& f) {
    const size_t paletteSize = f.bpp <= 8 ? (f.bpp == 1 ? 2 : 8) : 0;
    Bytes b(14 + InfoHeaderSize);
    putLittleEndian(b, 0, 'B' | 'M' << 8, 2);
    putLittleEndian(b, 14, InfoHeaderSize);
    putLittleEndian(b, 18, uint32_t(Width));
    putLittleEndian(b, 22, uint32_t(f.topDown ? -Height : Height));
    putLittleEndian(b, 26, 1 | f.bpp << 16);  // one plane, then the bits per pixel
    putLittleEndian(b, 30, f.compression);
    putLittleEndian(b, 46, uint32_t(paletteSize));
    if (f.compression == Bitfields)
        for (uint32_t mask : Masks565) b.insert(b.end(), {uint8_t(mask), uint8_t(mask >> 8), 0, 0});
    for (const Pixel p : std::span(Colours, paletteSize))
        b.insert(b.end(), {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16), 0});
    putLittleEndian(b, 10, uint32_t(b.size()));
    for (int32_t r = 0; r < Height; ++r) {
        const int32_t y = f.topDown ? r : Height - 1 - r;
        if (f.compression == Rle8 || f.compression == Rle4) {
            encodeRleRow(f, y, b);
            b.insert(b.end(), {0, uint8_t(r + 1 < Height ? 0 : 1)});  // end of line / bitmap
            continue;
        }
        Bytes row((size_t(Width) * f.bpp + 31) / 32 * 4);
        for (int32_t x = 0; x < Width; ++x) {
            const size_t bit = size_t(x) * f.bpp;
            const int index = indexAt(f, x, y);
            if (f.bpp <= 8) row[bit / 8] |= uint8_t(index << (8 - f.bpp - bit % 8));
            const uint32_t packed =
                f.bpp == 16 ? packHighColour(f, Colours[index]) : UnusedByte | Colours[index];
            if (f.bpp > 8) putLittleEndian(row, bit / 8, packed, f.bpp / 8u);
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    return putLittleEndian(b, 2, uint32_t(b.size()));
}

class BitmapFormats : public ::testing::TestWithParam<Format> {};

TEST_P(BitmapFormats, LoadsTheSamePixels) {
    const Format& f = GetParam();
    const Bytes file = encodeImage(f);
    const std::unique_ptr<Surface> image = decodeBitmap(file.data(), file.size());
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(std::pair(image->width(), image->height()), std::pair(Width, Height));
    for (int32_t y = 0; y < Height; ++y)
        for (int32_t x = 0; x < Width; ++x)
            EXPECT_EQ(image->pixel(x, y),
                      f.bpp == 16 && indexAt(f, x, y) == NearBlack ? 0 : Colours[indexAt(f, x, y)])
                << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(AllForms, BitmapFormats,
                         ::testing::Values(Format{"Bpp1", 1}, Format{"Bpp4", 4},
                                           Format{"Bpp8TopDown", 8, Rgb, true}, Format{"Bpp24", 24},
                                           Format{"Bpp32TopDown", 32, Rgb, true}, Format{"Rle8", 8, Rle8},
                                           Format{"Rle4", 4, Rle4}, Format{"Rgb555", 16},
                                           Format{"Rgb565", 16, Bitfields}),
                         [](const auto& info) { return std::string(info.param.name); });

// At most 4096 pixels a side and no more pixel memory than allowed: sixty bytes cannot claim gigabytes.
TEST(BitmapLimits, SidesAndPixelMemoryAreBounded) {
    for (const auto& [width, height, maxPixelBytes, loads] :
         {std::tuple{MaxBitmapSide, MaxBitmapSide, MaxBitmapBytes, true},
          {1, MaxBitmapSide + 1, MaxBitmapBytes, false},
          {MaxBitmapSide, MaxBitmapSide, MaxBitmapBytes - 1, false},
          {1, 1, 0, false}}) {
        const Bytes file = glintwake::test::blankRleBitmap(width, height);
        const std::unique_ptr<Surface> image = decodeBitmap(file.data(), file.size(), maxPixelBytes);
        EXPECT_EQ(image != nullptr, loads) << width << "x" << height << " within " << maxPixelBytes;
        if (image) {
            EXPECT_EQ(image->pixel(width - 1, height - 1), 0u);
        }
    }
}

// Missing and malformed files yield nothing, every fuzz seed loads; counted, so no file is lost unseen.
TEST(BitmapFiles, BadAndMissingFilesYieldNothingEveryFuzzSeedLoads) {
    const fs::path root = GLINTWAKE_SOURCE_DIR, bad = root / "tests/platform/bad-bitmaps";
    EXPECT_EQ(loadBitmap((bad / "absent.bmp").string()), nullptr);
    EXPECT_EQ(loadBitmap(bad.string()), nullptr);
    for (const auto& [folder, loads, atLeast] :
         {std::tuple{bad, false, 33}, {root / "fuzz/seeds", true, 12}}) {
        int files = 0;
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().extension() != ".bmp") continue;
            ++files;
            const std::unique_ptr<Surface> image = loadBitmap(entry.path().string());
            EXPECT_EQ(image != nullptr && image->width() * image->height() > 0, loads) << entry.path();
        }
        EXPECT_GE(files, atLeast) << folder;
    }
}

}  // namespace
}  // namespace platform
