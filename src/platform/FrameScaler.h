#pragma once
// Writes the 640x480 back buffer into a window's own pixels: scaled by nearest
// neighbour to fill the window with the 4:3 shape kept, centred between black bars,
// converted to the window's pixel format. Knows nothing of SDL, so tests can run it
// on plain memory.
#include <array>
#include <cstdint>
#include <vector>

#include "platform/Geometry.h"
#include "platform/Platform.h"
#include "platform/Surface.h"

namespace platform {

// Where a window keeps each channel: masks as a graphics library reports them.
// Channels of up to 8 bits keep their top bits; wider channels repeat them.
struct PixelLayout {
    int32_t bytesPerPixel = BytesPerPixel;
    uint32_t redMask = 0x00FF0000;
    uint32_t greenMask = 0x0000FF00;
    uint32_t blueMask = 0x000000FF;
    uint32_t alphaMask = 0;

    // True when our 0x00RRGGBB pixels can be copied as they are.
    bool isNative() const;
    // Only 16- and 32-bit pixels with non-empty colour masks can be written.
    bool isSupported() const;
};

// The window's pixels for one present.
struct WindowPixels {
    uint8_t* base = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t pitch = 0;  // bytes per row
};

class FrameScaler {
public:
    // Fits the picture to an output of this size and layout; false when the layout
    // cannot be written or the output is empty.
    bool configure(int32_t outputWidth, int32_t outputHeight, const PixelLayout& layout);

    // Where the picture lands in the output; the rest is bars.
    const Rect& picture() const { return picture_; }
    // The whole-number scale, or 0 when the picture is scaled by a fraction.
    int32_t wholeScale() const { return wholeScale_; }

    // Blackens the whole output: once per layout, the picture then covers its part.
    void clear(const WindowPixels& out) const;
    // Writes `source` (640x480) into the picture rectangle of `out`.
    void present(const PixelView& source, const WindowPixels& out) const;
    // Writes only the window pixels that show `area` of the source (source pixels,
    // right and bottom exclusive), the same pixels a whole present writes there.
    void present(const PixelView& source, const WindowPixels& out, const Rect& area) const;
    // The window rectangle whose pixels show `area` of the source; empty when none do.
    Rect outputArea(const Rect& area) const;

    // The window-format value of one of our pixels.
    uint32_t convert(Pixel pixel) const;

private:
    // Picture columns or rows [first, last) that show source positions [begin, end).
    struct Span {
        int32_t first = 0;
        int32_t last = 0;
    };
    static Span spanOf(const std::vector<int32_t>& map, int32_t begin, int32_t end);
    // Source row pixels [begin, end) in the window's format: themselves, or converted.
    const uint32_t* inWindowFormat(const uint32_t* source, int32_t begin, int32_t end) const;
    // Window row pixels for picture columns [first, last) from a row in the window's format.
    void buildRow(const uint32_t* pixels, uint8_t* row, Span columns) const;
    void buildWholeRow(const uint32_t* pixels, uint32_t* row, Span columns) const;
    template <typename Word>
    void pickColumns(const uint32_t* pixels, Word* row, Span columns) const;

    // Where a channel moves from our pixel to the window's: cut out at `from`, widened
    // as ((v << up) | (v >> repeat)) >> down, placed at `to`.
    struct ChannelShifts {
        int32_t from = 0;
        int32_t up = 0;
        int32_t repeat = 0;
        int32_t down = 0;
        int32_t to = 0;
    };
    uint32_t convertWith(Pixel pixel) const;

    PixelLayout layout_;
    bool native_ = true;
    int32_t wholeScale_ = 0;
    Rect picture_;
    int32_t outputWidth_ = 0;
    int32_t outputHeight_ = 0;
    uint32_t opaque_ = 0;
    std::vector<int32_t> sourceColumn_;  // per picture column
    std::vector<int32_t> sourceRow_;     // per picture row
    std::array<ChannelShifts, 3> shifts_{};
    mutable std::array<uint32_t, ScreenWidth> converted_{};  // the row being written
};

}  // namespace platform
