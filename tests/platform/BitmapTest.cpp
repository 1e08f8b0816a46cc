#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
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
constexpr Masks Masks555{0x7C00, 0x03E0, 0x001F};
constexpr Masks Masks565{0xF800, 0x07E0, 0x001F};
constexpr Masks Masks888{0xFF0000, 0x00FF00, 0x0000FF};
constexpr Masks MasksBgr{0x0000FF, 0x00FF00, 0xFF0000};

// Black, white, the primaries, two mixes and a near-black that must not turn transparent.
constexpr Pixel Colours[] = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0x000001};
constexpr int32_t ImageWidth = 7;  // odd, so rows need padding and nibbles split bytes
constexpr int32_t ImageHeight = 3;

struct Layout {
    std::string name;
    uint32_t headerSize;
    uint16_t bpp;
    uint32_t compression = Rgb;
    bool topDown = false;
    Masks masks = Masks888;
};

std::ostream& operator<<(std::ostream& os, const Layout& l) {
    return os << l.name;
}

void put16(Bytes& b, size_t at, uint32_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}
void put32(Bytes& b, size_t at, uint32_t v) {
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

// A whole file: headers, masks where needed, palette, then the given pixel bytes.
Bytes buildFile(const Layout& l, int32_t width, int32_t height, const std::vector<Pixel>& palette,
                const Bytes& pixels) {
    const bool core = l.headerSize == 12;
    Bytes b(14 + l.headerSize);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 14, l.headerSize);
    if (core) {
        put16(b, 18, uint32_t(width));
        put16(b, 20, uint32_t(height));
        put16(b, 22, 1);
        put16(b, 24, l.bpp);
    } else {
        put32(b, 18, uint32_t(width));
        put32(b, 22, uint32_t(l.topDown ? -height : height));
        put16(b, 26, 1);
        put16(b, 28, l.bpp);
        put32(b, 30, l.compression);
        put32(b, 46, uint32_t(palette.size()));
        if (l.compression == Bitfields && l.headerSize == 40) b.resize(b.size() + 12);
        if (l.compression == Bitfields || l.headerSize > 40)
            for (size_t i = 0; i < 3; ++i) put32(b, 54 + 4 * i, l.masks[i]);
    }
    const size_t entries = core && l.bpp <= 8 ? size_t{1} << l.bpp : palette.size();
    for (size_t i = 0; i < entries; ++i) {
        const Pixel p = i < palette.size() ? palette[i] : 0;
        const uint8_t quad[4] = {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16), 0};
        b.insert(b.end(), quad, quad + (core ? 3 : 4));
    }
    put32(b, 10, uint32_t(b.size()));
    b.insert(b.end(), pixels.begin(), pixels.end());
    put32(b, 2, uint32_t(b.size()));
    return b;
}

int colourCount(uint16_t bpp) {
    return bpp == 1 ? 2 : bpp == 16 ? 7 : 8;
}

// Pairs of equal pixels, so that run-length files hold real runs.
int indexAt(const Layout& l, int32_t x, int32_t y) {
    return (x / 2 + 3 * y) % colourCount(l.bpp);
}

uint32_t packDirect(Pixel p, const Masks& masks) {
    uint32_t v = 0;
    for (size_t i = 0; i < 3; ++i) {
        const uint32_t channel = (p >> (16 - 8 * i)) & 0xFF;
        const uint32_t max = (1u << std::popcount(masks[i])) - 1;
        v |= (channel * max / 255) << std::countr_zero(masks[i]);
    }
    return v;
}

Bytes packRow(const Layout& l, int32_t y) {
    const size_t stride = (size_t(ImageWidth) * l.bpp + 31) / 32 * 4;
    Bytes row(stride);
    for (int32_t x = 0; x < ImageWidth; ++x) {
        if (l.bpp <= 8) {
            const size_t bit = size_t(x) * l.bpp;
            row[bit / 8] |= uint8_t(indexAt(l, x, y) << (8 - l.bpp - bit % 8));
            continue;
        }
        uint32_t v = packDirect(Colours[indexAt(l, x, y)], l.masks);
        if (l.bpp == 32) v |= ~(l.masks[0] | l.masks[1] | l.masks[2]);  // unused bits set
        for (size_t k = 0; k < l.bpp / 8u; ++k) row[size_t(x) * l.bpp / 8 + k] = uint8_t(v >> (8 * k));
    }
    return row;
}

// One row: an absolute run of three pixels, then runs of equal pixels.
void encodeRleRow(const Layout& l, int32_t y, Bytes& out) {
    const bool nibbles = l.compression == Rle4;
    const int i0 = indexAt(l, 0, y), i1 = indexAt(l, 1, y), i2 = indexAt(l, 2, y);
    const Bytes absolute = nibbles ? Bytes{0, 3, uint8_t(i0 << 4 | i1), uint8_t(i2 << 4)}
                                   : Bytes{0, 3, uint8_t(i0), uint8_t(i1), uint8_t(i2), 0};
    out.insert(out.end(), absolute.begin(), absolute.end());
    for (int32_t x = 3; x < ImageWidth;) {
        const int index = indexAt(l, x, y);
        uint8_t count = 0;
        while (x < ImageWidth && indexAt(l, x, y) == index) ++count, ++x;
        out.push_back(count);
        out.push_back(uint8_t(nibbles ? index << 4 | index : index));
    }
}

Bytes encodeImage(const Layout& l) {
    Bytes pixels;
    const bool rle = l.compression == Rle8 || l.compression == Rle4;
    for (int32_t r = 0; r < ImageHeight; ++r) {
        const int32_t y = l.topDown ? r : ImageHeight - 1 - r;
        if (!rle) {
            const Bytes row = packRow(l, y);
            pixels.insert(pixels.end(), row.begin(), row.end());
            continue;
        }
        encodeRleRow(l, y, pixels);
        pixels.insert(pixels.end(), {0, uint8_t(r + 1 < ImageHeight ? 0 : 1)});  // end of line / bitmap
    }
    std::vector<Pixel> palette;
    if (l.bpp <= 8) palette.assign(Colours, Colours + colourCount(l.bpp));
    return buildFile(l, ImageWidth, ImageHeight, palette, pixels);
}

// A fresh directory per test, removed afterwards.
class BitmapFiles : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("glintwake-bmp-") + test->test_suite_name() + "-" + test->name();
        for (char& c : name)
            if (c == '/') c = '_';
        dir_ = fs::temp_directory_path() / name;
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string write(const std::string& file, const Bytes& bytes) const {
        const fs::path path = dir_ / file;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return path.string();
    }

    fs::path dir_;
};

class BitmapFormats : public BitmapFiles, public ::testing::WithParamInterface<Layout> {};

TEST_P(BitmapFormats, LoadsTheSamePixels) {
    const Layout& l = GetParam();
    const std::unique_ptr<Surface> image = loadBitmap(write("image.bmp", encodeImage(l)));
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->width(), ImageWidth);
    ASSERT_EQ(image->height(), ImageHeight);
    for (int32_t y = 0; y < ImageHeight; ++y)
        for (int32_t x = 0; x < ImageWidth; ++x)
            EXPECT_EQ(image->pixel(x, y), Colours[indexAt(l, x, y)]) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(
    AllForms, BitmapFormats,
    ::testing::Values(
        Layout{"Core1", 12, 1}, Layout{"Core4", 12, 4}, Layout{"Core8", 12, 8}, Layout{"Core24", 12, 24},
        Layout{"Info1", 40, 1}, Layout{"Info1TopDown", 40, 1, Rgb, true}, Layout{"Info4", 40, 4},
        Layout{"Info4TopDown", 40, 4, Rgb, true}, Layout{"Info8", 40, 8},
        Layout{"Info8TopDown", 40, 8, Rgb, true}, Layout{"Info16", 40, 16, Rgb, false, Masks555},
        Layout{"Info16TopDown", 40, 16, Rgb, true, Masks555},
        Layout{"Info16Bitfields565", 40, 16, Bitfields, false, Masks565}, Layout{"Info24", 40, 24},
        Layout{"Info24TopDown", 40, 24, Rgb, true}, Layout{"Info32", 40, 32},
        Layout{"Info32TopDown", 40, 32, Rgb, true},
        Layout{"Info32Bitfields", 40, 32, Bitfields, true, MasksBgr}, Layout{"V4Info24", 108, 24},
        Layout{"V5Bitfields32", 124, 32, Bitfields, false, MasksBgr},
        Layout{"V5Bitfields16", 124, 16, Bitfields, true, Masks565}, Layout{"Rle8", 40, 8, Rle8},
        Layout{"Rle4", 40, 4, Rle4}, Layout{"V5Rle8", 124, 8, Rle8}),
    [](const auto& info) { return info.param.name; });

TEST(BitmapChannels, ShortChannelsScaleToTheFullRange) {
    // Every 5-bit red and every 6-bit green value along one row.
    const Layout l{"Bitfields565", 40, 16, Bitfields, false, Masks565};
    Bytes pixels;
    for (uint32_t v = 0; v < 64; ++v)
        pixels.insert(pixels.end(), {uint8_t(v << 5), uint8_t((v & 31) << 3 | v >> 3)});
    const Bytes file = buildFile(l, 64, 1, {}, pixels);
    const std::unique_ptr<Surface> image = decodeBitmap(file.data(), file.size());
    ASSERT_NE(image, nullptr);
    for (int32_t x = 0; x < 64; ++x) {
        const auto red = uint32_t(std::lround((x & 31) * 255.0 / 31));
        const auto green = uint32_t(std::lround(x * 255.0 / 63));
        EXPECT_EQ(image->pixel(x, 0), red << 16 | green << 8) << x;
    }
}

TEST(BitmapRle, DeltasSkipPixelsWhichStayBlackAndNibblesAlternate) {
    const Layout l{"Rle4", 40, 4, Rle4};
    const Bytes stream = {4, 0x12, 0, 0, 0, 2, 1, 1, 1, 0x30, 0, 1};
    const Bytes file = buildFile(l, 4, 3, {0, 0xFF0000, 0x00FF00, 0x0000FF}, stream);
    const std::unique_ptr<Surface> image = decodeBitmap(file.data(), file.size());
    ASSERT_NE(image, nullptr);
    const Pixel expected[3][4] = {
        {0, 0x0000FF, 0, 0}, {0, 0, 0, 0}, {0xFF0000, 0x00FF00, 0xFF0000, 0x00FF00}};
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 4; ++x) EXPECT_EQ(image->pixel(x, y), expected[y][x]) << x << "," << y;
}

struct BadFile {
    std::string name;
    Bytes bytes;
};

std::ostream& operator<<(std::ostream& os, const BadFile& c) {
    return os << c.name;
}

// Field offsets in a file with an info header.
constexpr size_t PixelOffsetAt = 10, HeaderSizeAt = 14, WidthAt = 18, HeightAt = 22, PlanesAt = 26,
                 BppAt = 28, CompressionAt = 30, MasksAt = 54;

// A valid 4x2 8-bit image, or a 4x2 RLE8 image with the given stream; faults are patched in.
Bytes plain8() {
    return buildFile(Layout{"Info8", 40, 8}, 4, 2, {0, 0xFF0000}, Bytes(8, 1));
}
Bytes rle8(const Bytes& stream) {
    return buildFile(Layout{"Rle8", 40, 8, Rle8}, 4, 2, {0, 0xFF0000}, stream);
}
Bytes patched(Bytes b, size_t at, uint32_t value, size_t bytes = 4) {
    for (size_t k = 0; k < bytes; ++k) b[at + k] = uint8_t(value >> (8 * k));
    return b;
}
Bytes resized(Bytes b, size_t size) {
    b.resize(size);
    return b;
}

class BitmapBad : public BitmapFiles, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BitmapBad, YieldsNothing) {
    const Bytes& bytes = GetParam().bytes;
    EXPECT_EQ(decodeBitmap(bytes.data(), bytes.size()), nullptr);
    EXPECT_EQ(loadBitmap(write("bad.bmp", bytes)), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, BitmapBad,
    ::testing::Values(
        BadFile{"Empty", {}}, BadFile{"TruncatedHeader", resized(plain8(), 30)},
        BadFile{"WrongMagic", patched(plain8(), 1, 'N', 1)},
        BadFile{"UnknownHeaderSize", patched(plain8(), HeaderSizeAt, 20)},
        BadFile{"ZeroWidth", patched(plain8(), WidthAt, 0)},
        BadFile{"ZeroHeight", patched(plain8(), HeightAt, 0)},
        BadFile{"NegativeWidth", patched(plain8(), WidthAt, uint32_t(-4))},
        BadFile{"MostNegativeHeight", patched(plain8(), HeightAt, 0x80000000u)},
        BadFile{"AbsurdWidth", patched(plain8(), WidthAt, 1'000'000)},
        BadFile{"AbsurdTotal", patched(patched(plain8(), WidthAt, 16384), HeightAt, 16384)},
        BadFile{"ZeroPlanes", patched(plain8(), PlanesAt, 0, 2)},
        BadFile{"TwoBitDepth", patched(plain8(), BppAt, 2, 2)},
        BadFile{"JpegCompression", patched(plain8(), CompressionAt, 4)},
        BadFile{"PixelsInsideHeader", patched(plain8(), PixelOffsetAt, 40)},
        BadFile{"PixelsPastEnd", patched(plain8(), PixelOffsetAt, 0xFFFFFFF0u)},
        BadFile{"TruncatedPixels", resized(plain8(), plain8().size() - 1)},
        BadFile{"PaletteIndexTooHigh", patched(plain8(), plain8().size() - 1, 2, 1)},
        BadFile{"BrokenMask",
                patched(buildFile(Layout{"B", 40, 32, Bitfields}, 1, 1, {}, Bytes(4)), MasksAt, 0x00FF00FF)},
        BadFile{"RleDeltaPastRight", rle8({0, 2, 5, 0, 0, 1})},
        BadFile{"RleDeltaPastBottom", rle8({0, 2, 0, 3, 0, 1})},
        BadFile{"RleRunBelowLastRow", rle8({0, 0, 0, 0, 4, 1, 0, 1})},
        BadFile{"RleLineEndBelowLastRow", rle8({0, 0, 0, 0, 0, 0, 0, 1})},
        BadFile{"RleNoEndMarker", rle8({4, 1})}, BadFile{"RleAbsoluteRunTruncated", rle8({0, 4, 1, 1})},
        BadFile{"RlePaletteIndexTooHigh", rle8({4, 7, 0, 1})},
        BadFile{"RleTopDown", patched(rle8({0, 1}), HeightAt, uint32_t(-2))}),
    [](const auto& info) { return info.param.name; });

TEST_F(BitmapFiles, MissingFileAndDirectoryYieldNothing) {
    EXPECT_EQ(loadBitmap((dir_ / "absent.bmp").string()), nullptr);
    EXPECT_EQ(loadBitmap(dir_.string()), nullptr);
    EXPECT_EQ(decodeBitmap(nullptr, 0), nullptr);
}

TEST(BitmapCorpus, EveryCommittedBadFileYieldsNothing) {
    int files = 0;
    for (const auto& entry :
         fs::directory_iterator(fs::path(GLINTWAKE_SOURCE_DIR) / "tests/platform/bad-bitmaps")) {
        if (entry.path().extension() != ".bmp") continue;
        ++files;
        EXPECT_EQ(loadBitmap(entry.path().string()), nullptr) << entry.path();
    }
    EXPECT_GE(files, 10);
}

}  // namespace
}  // namespace platform
