#include "platform/Bitmap.h"

#include <array>
#include <bit>
#include <cstdio>
#include <filesystem>
#include <new>
#include <optional>
#include <system_error>
#include <vector>

namespace platform {
namespace {

constexpr uint16_t BmpMagic = 0x4D42;  // "BM" read little-endian
constexpr uint64_t FileHeaderSize = 14;
constexpr uint64_t PixelOffsetField = 10;
constexpr uint64_t HeaderFieldsStart = FileHeaderSize + 4;  // just past the header's size field
constexpr uint32_t CoreHeaderSize = 12;
constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t V2HeaderSize = 52;
constexpr uint32_t V3HeaderSize = 56;
constexpr uint32_t V4HeaderSize = 108;
constexpr uint32_t V5HeaderSize = 124;
constexpr uint64_t MasksOffset = FileHeaderSize + InfoHeaderSize;
constexpr uint64_t MaskBytes = 12;  // red, green and blue masks after a plain info header
constexpr uint32_t CorePaletteEntryBytes = 3;
constexpr uint32_t InfoPaletteEntryBytes = 4;

constexpr uint32_t BiRgb = 0;
constexpr uint32_t BiRle8 = 1;
constexpr uint32_t BiRle4 = 2;
constexpr uint32_t BiBitfields = 3;

// Generous for a game's sprites, small enough that a hostile header cannot
// make us allocate gigabytes. The largest honest file is the largest image at
// 32 bits plus its headers; anything past the slack is refused unread.
constexpr int64_t MaxSide = MaxBitmapSide;
constexpr uint64_t HeaderSlackBytes = 64 * 1024;
constexpr uint64_t MaxFileBytes = MaxBitmapBytes + HeaderSlackBytes;

constexpr uint32_t MaxPaletteBits = 8;
constexpr uint32_t BitsPerByte = 8;
constexpr uint32_t RowAlignBits = 32;
constexpr uint32_t ChannelBits = 8;

constexpr uint8_t RleEndOfLine = 0;
constexpr uint8_t RleEndOfBitmap = 1;
constexpr uint8_t RleDelta = 2;
constexpr uint64_t RleMinimumBytes = 2;

// Little-endian reads over the file in memory. A read past the end yields 0 and
// marks the reader failed, so a parse can check once at the end.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool contains(uint64_t offset, uint64_t count) const {
        return offset <= size_ && count <= size_ - offset;
    }
    uint8_t u8(uint64_t offset) { return contains(offset, 1) ? data_[offset] : fail(); }
    uint16_t u16(uint64_t offset) { return uint16_t(u8(offset) | (u8(offset + 1) << 8)); }
    uint32_t u32(uint64_t offset) { return u16(offset) | (uint32_t(u16(offset + 2)) << 16); }
    int32_t i32(uint64_t offset) { return static_cast<int32_t>(u32(offset)); }
    // The bytes at offset; check contains() first.
    const uint8_t* at(uint64_t offset) const { return data_ + offset; }
    bool ok() const { return ok_; }

private:
    uint8_t fail() {
        ok_ = false;
        return 0;
    }

    const uint8_t* data_;
    size_t size_;
    bool ok_ = true;
};

struct ChannelMask {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
};

struct BmpInfo {
    uint32_t headerSize = 0;
    int64_t width = 0;
    int64_t height = 0;
    bool topDown = false;
    bool core = false;
    uint32_t planes = 0;
    uint32_t bitsPerPixel = 0;
    uint32_t compression = BiRgb;
    uint32_t colorsUsed = 0;
    uint64_t pixelOffset = 0;
    uint64_t paletteOffset = 0;
    uint32_t paletteEntryBytes = InfoPaletteEntryBytes;
    std::array<uint32_t, 3> masks{};  // red, green, blue
};

// Everything needed to turn one stored pixel into 0x00RRGGBB.
struct PixelFormat {
    uint32_t bitsPerPixel = 0;
    std::vector<Pixel> palette;
    std::array<ChannelMask, 3> channels{};
};

std::array<uint32_t, 3> defaultMasks(uint32_t bitsPerPixel) {
    constexpr std::array<uint32_t, 3> Masks555{0x7C00, 0x03E0, 0x001F};
    constexpr std::array<uint32_t, 3> Masks888{0xFF0000, 0x00FF00, 0x0000FF};
    constexpr uint32_t HighColorBits = 16;
    return bitsPerPixel == HighColorBits ? Masks555 : Masks888;
}

bool readCoreHeader(ByteReader& in, BmpInfo& info) {
    info.core = true;
    info.width = in.u16(HeaderFieldsStart);
    info.height = in.u16(HeaderFieldsStart + 2);
    info.planes = in.u16(HeaderFieldsStart + 4);
    info.bitsPerPixel = in.u16(HeaderFieldsStart + 6);
    info.paletteOffset = FileHeaderSize + CoreHeaderSize;
    info.paletteEntryBytes = CorePaletteEntryBytes;
    info.masks = defaultMasks(info.bitsPerPixel);
    return true;
}

bool isInfoHeaderSize(uint32_t size) {
    return size == InfoHeaderSize || size == V2HeaderSize || size == V3HeaderSize || size == V4HeaderSize ||
           size == V5HeaderSize;
}

bool readInfoHeader(ByteReader& in, BmpInfo& info) {
    if (!isInfoHeaderSize(info.headerSize)) return false;
    info.width = in.i32(HeaderFieldsStart);
    const int64_t height = in.i32(HeaderFieldsStart + 4);
    info.topDown = height < 0;
    info.height = info.topDown ? -height : height;
    info.planes = in.u16(HeaderFieldsStart + 8);
    info.bitsPerPixel = in.u16(HeaderFieldsStart + 10);
    info.compression = in.u32(HeaderFieldsStart + 12);
    info.colorsUsed = in.u32(HeaderFieldsStart + 28);
    const bool bitfields = info.compression == BiBitfields;
    // A plain info header keeps its masks just after it; later versions hold them inside.
    const bool masksFollowHeader = bitfields && info.headerSize == InfoHeaderSize;
    info.paletteOffset = FileHeaderSize + info.headerSize + (masksFollowHeader ? MaskBytes : 0);
    info.masks = defaultMasks(info.bitsPerPixel);
    if (bitfields) {
        for (uint64_t i = 0; i < info.masks.size(); ++i) info.masks[i] = in.u32(MasksOffset + 4 * i);
    }
    return true;
}

std::optional<BmpInfo> readHeaders(ByteReader& in) {
    if (in.u16(0) != BmpMagic) return std::nullopt;
    BmpInfo info;
    info.pixelOffset = in.u32(PixelOffsetField);
    info.headerSize = in.u32(FileHeaderSize);
    const bool parsed =
        info.headerSize == CoreHeaderSize ? readCoreHeader(in, info) : readInfoHeader(in, info);
    if (!parsed || !in.ok()) return std::nullopt;
    return info;
}

bool dimensionsSane(const BmpInfo& info) {
    return info.width > 0 && info.height > 0 && info.width <= MaxSide && info.height <= MaxSide;
}

bool depthSupported(const BmpInfo& info) {
    switch (info.compression) {
        case BiRgb:
            if (info.core)
                return info.bitsPerPixel == 1 || info.bitsPerPixel == 4 || info.bitsPerPixel == 8 ||
                       info.bitsPerPixel == 24;
            return info.bitsPerPixel == 1 || info.bitsPerPixel == 4 || info.bitsPerPixel == 8 ||
                   info.bitsPerPixel == 16 || info.bitsPerPixel == 24 || info.bitsPerPixel == 32;
        // Run-length images are always stored bottom-up.
        case BiRle8:
            return info.bitsPerPixel == 8 && !info.topDown;
        case BiRle4:
            return info.bitsPerPixel == 4 && !info.topDown;
        case BiBitfields:
            return info.bitsPerPixel == 16 || info.bitsPerPixel == 32;
        default:
            return false;
    }
}

bool isSupported(const BmpInfo& info) {
    return info.planes == 1 && dimensionsSane(info) && depthSupported(info) &&
           info.pixelOffset >= info.paletteOffset;
}

std::optional<ChannelMask> channelFromMask(uint32_t mask) {
    if (mask == 0) return ChannelMask{};
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    // Only one unbroken run of bits can be scaled to a channel.
    if (std::countr_one(mask >> shift) != bits) return std::nullopt;
    return ChannelMask{mask, shift, bits};
}

uint8_t expandChannel(const ChannelMask& channel, uint32_t value) {
    if (channel.bits == 0) return 0;
    const uint32_t raw = (value & channel.mask) >> channel.shift;
    if (channel.bits >= int(ChannelBits)) return uint8_t(raw >> (channel.bits - int(ChannelBits)));
    // Scale so that the channel's maximum becomes 255 and 0 stays 0.
    constexpr uint32_t Full = 255;
    const uint32_t max = (1u << channel.bits) - 1;
    return uint8_t((raw * Full + max / 2) / max);
}

bool readPalette(ByteReader& in, const BmpInfo& info, std::vector<Pixel>& palette) {
    if (info.bitsPerPixel > MaxPaletteBits) return true;
    const uint64_t maxEntries = uint64_t{1} << info.bitsPerPixel;
    uint64_t count = info.colorsUsed == 0 ? maxEntries : std::min<uint64_t>(info.colorsUsed, maxEntries);
    // Writers sometimes store fewer entries than declared; the pixels start where they start.
    count = std::min(count, (info.pixelOffset - info.paletteOffset) / info.paletteEntryBytes);
    palette.resize(count);
    for (uint64_t i = 0; i < count; ++i) {
        const uint64_t entry = info.paletteOffset + i * info.paletteEntryBytes;
        palette[i] = makePixel(in.u8(entry + 2), in.u8(entry + 1), in.u8(entry));
    }
    return in.ok();
}

std::optional<PixelFormat> makeFormat(ByteReader& in, const BmpInfo& info) {
    PixelFormat format;
    format.bitsPerPixel = info.bitsPerPixel;
    for (size_t i = 0; i < format.channels.size(); ++i) {
        const std::optional<ChannelMask> channel = channelFromMask(info.masks[i]);
        if (!channel) return std::nullopt;
        format.channels[i] = *channel;
    }
    if (!readPalette(in, info, format.palette)) return std::nullopt;
    return format;
}

bool isRle(const BmpInfo& info) {
    return info.compression == BiRle8 || info.compression == BiRle4;
}

uint64_t rowStride(const BmpInfo& info) {
    const uint64_t bits = uint64_t(info.width) * info.bitsPerPixel;
    return (bits + RowAlignBits - 1) / RowAlignBits * (RowAlignBits / BitsPerByte);
}

// The last row may lack its padding: only bytes that hold pixels must exist.
bool pixelDataPresent(const ByteReader& in, const BmpInfo& info) {
    if (isRle(info)) return in.contains(info.pixelOffset, RleMinimumBytes);
    const uint64_t lastRowBytes = (uint64_t(info.width) * info.bitsPerPixel + BitsPerByte - 1) / BitsPerByte;
    return in.contains(info.pixelOffset, rowStride(info) * uint64_t(info.height - 1) + lastRowBytes);
}

uint32_t indexAt(const uint8_t* row, int64_t x, uint32_t bitsPerPixel) {
    const uint64_t bit = uint64_t(x) * bitsPerPixel;
    const uint32_t shift = BitsPerByte - bitsPerPixel - bit % BitsPerByte;  // leftmost pixel in the high bits
    return (row[bit / BitsPerByte] >> shift) & ((1u << bitsPerPixel) - 1);
}

bool decodeIndexedRow(const PixelFormat& format, const uint8_t* src, uint32_t* dst, int64_t width) {
    for (int64_t x = 0; x < width; ++x) {
        const uint32_t index = indexAt(src, x, format.bitsPerPixel);
        if (index >= format.palette.size()) return false;
        dst[x] = format.palette[index];
    }
    return true;
}

void decodeMaskedRow(const PixelFormat& format, const uint8_t* src, uint32_t* dst, int64_t width) {
    const uint32_t bytesPerPixel = format.bitsPerPixel / BitsPerByte;
    for (int64_t x = 0; x < width; ++x) {
        const uint8_t* p = src + uint64_t(x) * bytesPerPixel;
        uint32_t value = 0;
        for (uint32_t b = 0; b < bytesPerPixel; ++b) value |= uint32_t(p[b]) << (BitsPerByte * b);
        dst[x] = makePixel(expandChannel(format.channels[0], value), expandChannel(format.channels[1], value),
                           expandChannel(format.channels[2], value));
    }
}

bool decodeRow(const PixelFormat& format, const uint8_t* src, uint32_t* dst, int64_t width) {
    if (format.bitsPerPixel <= MaxPaletteBits) return decodeIndexedRow(format, src, dst, width);
    decodeMaskedRow(format, src, dst, width);
    return true;
}

bool decodeUncompressed(const ByteReader& in, const BmpInfo& info, const PixelFormat& format,
                        const PixelView& out) {
    const uint64_t stride = rowStride(info);
    for (int64_t r = 0; r < info.height; ++r) {
        const uint8_t* src = in.at(info.pixelOffset + uint64_t(r) * stride);
        const int64_t y = info.topDown ? r : info.height - 1 - r;
        if (!decodeRow(format, src, out.row(int32_t(y)), info.width)) return false;
    }
    return true;
}

// Walks an RLE8 or RLE4 stream, bottom row first. Pixels the stream skips stay
// black, so they are transparent. A run below the last row, a line end past it
// or a jump out of the image fails.
class RleDecoder {
public:
    RleDecoder(ByteReader& in, const BmpInfo& info, const PixelFormat& format, const PixelView& out)
        : in_(in),
          format_(format),
          out_(out),
          width_(info.width),
          height_(info.height),
          pos_(info.pixelOffset),
          nibbles_(info.compression == BiRle4) {}

    // Only an end-of-bitmap marker completes the image; running out of data first fails.
    bool run() {
        while (!done_) {
            const uint8_t count = next();
            const uint8_t value = next();
            if (!in_.ok()) return false;
            if (!(count > 0 ? encodedRun(count, value) : escape(value))) return false;
        }
        return true;
    }

private:
    uint8_t next() { return in_.u8(pos_++); }

    static uint32_t nibble(uint8_t byte, uint32_t i) { return i % 2 == 0 ? byte >> 4 : byte & 0x0F; }

    bool onImage() const { return y_ < height_; }

    // Common encoders run on into the row's padding: pixels past the right edge are dropped.
    bool put(uint32_t index) {
        if (index >= format_.palette.size()) return false;
        if (x_ < width_) out_.row(int32_t(height_ - 1 - y_))[x_++] = format_.palette[index];
        return true;
    }

    bool encodedRun(uint8_t count, uint8_t value) {
        if (!onImage()) return false;
        for (uint32_t i = 0; i < count; ++i) {
            if (!put(nibbles_ ? nibble(value, i) : value)) return false;
        }
        return true;
    }

    bool absoluteRun(uint8_t count) {
        const uint64_t bytes = nibbles_ ? (uint64_t(count) + 1) / 2 : count;
        if (!onImage() || !in_.contains(pos_, bytes)) return false;
        const uint8_t* src = in_.at(pos_);
        for (uint32_t i = 0; i < count; ++i) {
            if (!put(nibbles_ ? nibble(src[i / 2], i) : src[i])) return false;
        }
        pos_ += bytes + bytes % 2;  // runs are padded to a 16-bit boundary
        return true;
    }

    bool endOfLine() {
        if (!onImage()) return false;
        x_ = 0;
        ++y_;
        return true;
    }

    bool delta() {
        x_ += next();
        y_ += next();
        return in_.ok() && x_ <= width_ && y_ <= height_;
    }

    bool escape(uint8_t code) {
        switch (code) {
            case RleEndOfLine:
                return endOfLine();
            case RleEndOfBitmap:
                done_ = true;
                return true;
            case RleDelta:
                return delta();
            default:
                return absoluteRun(code);
        }
    }

    ByteReader& in_;
    const PixelFormat& format_;
    const PixelView out_;
    const int64_t width_;
    const int64_t height_;
    uint64_t pos_;
    const bool nibbles_;
    int64_t x_ = 0;
    int64_t y_ = 0;
    bool done_ = false;
};

bool decodePixels(ByteReader& in, const BmpInfo& info, const PixelFormat& format, const PixelView& out) {
    if (isRle(info)) return RleDecoder(in, info, format, out).run();
    return decodeUncompressed(in, info, format, out);
}

struct FileBytes {
    std::unique_ptr<uint8_t[]> data;
    size_t size = 0;
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The whole file from the non-throwing heap; nothing when it cannot all be read.
std::optional<FileBytes> readWholeFile(const std::string& path) {
    std::error_code error;
    // Anything but a regular file (a directory, a pipe) is not an image.
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    const uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > MaxFileBytes) return std::nullopt;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return std::nullopt;
    const auto length = static_cast<size_t>(size);  // within MaxFileBytes, so it fits
    FileBytes bytes{std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[length + 1]), length};
    if (!bytes.data) return std::nullopt;
    if (std::fread(bytes.data.get(), 1, length, file.get()) != length) return std::nullopt;
    return bytes;
}

std::unique_ptr<Surface> decode(const uint8_t* data, size_t size, size_t maxPixelBytes) {
    ByteReader in(data, size);
    const std::optional<BmpInfo> info = readHeaders(in);
    if (!info || !isSupported(*info) || !pixelDataPresent(in, *info)) return nullptr;
    if (bitmapPixelBytes(int32_t(info->width), int32_t(info->height)) > maxPixelBytes) return nullptr;
    const std::optional<PixelFormat> format = makeFormat(in, *info);
    if (!format) return nullptr;

    std::unique_ptr<Surface> surface = Surface::tryCreate(int32_t(info->width), int32_t(info->height));
    PixelView pixels;
    if (!surface || !surface->lock(pixels)) return nullptr;
    const bool decoded = decodePixels(in, *info, *format, pixels);
    surface->unlock();
    if (!decoded) return nullptr;
    return surface;
}

}  // namespace

size_t bitmapPixelBytes(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return 0;
    return static_cast<size_t>(width) * static_cast<size_t>(height) * sizeof(Pixel);
}

// The file and the pixels come from the non-throwing heap; the small rest (the
// palette, the path) is caught here, so running out of memory is only an image
// that does not load.
std::unique_ptr<Surface> decodeBitmap(const uint8_t* data, size_t size, size_t maxPixelBytes) {
    if (data == nullptr) return nullptr;
    try {
        return decode(data, size, maxPixelBytes);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::unique_ptr<Surface> loadBitmap(const std::string& path, size_t maxPixelBytes) {
    try {
        const std::optional<FileBytes> bytes = readWholeFile(path);
        if (!bytes) return nullptr;
        return decode(bytes->data.get(), bytes->size, maxPixelBytes);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace platform
