#include <gtest/gtest.h>

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

constexpr uint32_t Rgb = 0, Rle8 = 1, Rle4 = 2;
constexpr uint32_t InfoHeaderSize = 40;
constexpr size_t WidthAt = 18, HeightAt = 22;  // field offsets in the info header
// Set in every direct colour: the unused top byte must not reach the pixel.
constexpr uint32_t UnusedByte = 0xFF000000;

// Black, white, the primaries, two mixes and a near-black that must not turn transparent.
constexpr Pixel Colours[] = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0x000001};
constexpr int32_t Width = 7;  // odd, so rows need padding and nibbles split bytes
constexpr int32_t Height = 3;

struct Format {
    const char* name;
    uint16_t bpp;
    uint32_t compression = Rgb;
    bool topDown = false;
};

std::ostream& operator<<(std::ostream& os, const Format& f) {
    return os << f.name;
}

void put(Bytes& b, size_t at, uint32_t v, size_t bytes = 4) {
    for (size_t k = 0; k < bytes; ++k) b[at + k] = uint8_t(v >> (8 * k));
}

// A whole file: headers, palette, then the given pixel bytes.
Bytes bmp(const Format& f, int32_t w, int32_t h, const std::vector<Pixel>& palette, const Bytes& pixels) {
    Bytes b(14 + InfoHeaderSize);
    put(b, 0, 'B' | 'M' << 8, 2);
    put(b, 14, InfoHeaderSize);
    put(b, WidthAt, uint32_t(w));
    put(b, HeightAt, uint32_t(f.topDown ? -h : h));
    put(b, 26, 1, 2);
    put(b, 28, f.bpp, 2);
    put(b, 30, f.compression);
    put(b, 46, uint32_t(palette.size()));
    for (const Pixel p : palette) b.insert(b.end(), {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16), 0});
    put(b, 10, uint32_t(b.size()));
    b.insert(b.end(), pixels.begin(), pixels.end());
    put(b, 2, uint32_t(b.size()));
    return b;
}

// Pairs of equal pixels, so that run-length files hold real runs.
int indexAt(const Format& f, int32_t x, int32_t y) {
    return (x / 2 + 3 * y) % (f.bpp == 1 ? 2 : 8);
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
                row[bit / 8 + k] = uint8_t((UnusedByte | Colours[index]) >> (8 * k));
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
                         ::testing::Values(Format{"Bpp1", 1}, Format{"Bpp4", 4},
                                           Format{"Bpp8TopDown", 8, Rgb, true}, Format{"Bpp24", 24},
                                           Format{"Bpp32TopDown", 32, Rgb, true}, Format{"Rle8", 8, Rle8},
                                           Format{"Rle4", 4, Rle4}),
                         [](const auto& info) { return std::string(info.param.name); });

// A valid 4x2 8-bit image with one fault patched in per case.
TEST(BitmapBad, MalformedFilesYieldNothing) {
    const Bytes valid = bmp(Format{"Bpp8", 8}, 4, 2, {0, 0xFF0000}, Bytes(8, 1));
    ASSERT_NE(decodeBitmap(valid.data(), valid.size()), nullptr);
    const auto patched = [](Bytes b, size_t at, uint32_t value, size_t bytes = 4) {
        put(b, at, value, bytes);
        return b;
    };
    const std::pair<const char*, Bytes> cases[] = {
        {"truncated header", Bytes(valid.begin(), valid.begin() + 30)},
        {"wrong magic", patched(valid, 1, 'N', 1)},
        {"zero width", patched(valid, WidthAt, 0)},
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
