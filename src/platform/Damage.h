#pragma once
// Which parts of the 640x480 picture changed since the last present, so that a
// backend scales and sends only those. It keeps a copy of the last picture it was
// shown and compares the new one with it in tiles; changed tiles are merged into a
// few rectangles (picture coordinates, right and bottom exclusive).
//
// A backend's present:
//   damage.invalidate();            // first present, resize, mode or depth change, a lost
//                                   // or restored window buffer, an expose: anything that
//                                   // may have spoiled what the window shows
//   const auto& parts = damage.update(backBuffer.view());
//   if (damage.isWhole()) { write and send the whole window (bars too) }
//   else for (const Rect& r : parts) { write r (FrameScaler::present(source, out, r)),
//                                      send FrameScaler::outputArea(r) }
// If a present fails after update(), call invalidate() so that the next one is whole.
#include <cstdint>
#include <vector>

#include "platform/Geometry.h"
#include "platform/Surface.h"

namespace platform {

class Damage {
public:
    // Tiles are this many pixels square: small enough that a moving sprite marks little
    // around it, large enough that a row of tiles is compared in a few wide loads.
    static constexpr int32_t TileSize = 8;

    Damage();

    // Forgets the last picture: the next update reports the whole picture.
    void invalidate() { whole_ = true; }
    // Compares `frame` (640x480) with the last one, keeps it as the last, and returns
    // what differs: the whole picture after invalidate(), nothing when all is equal.
    const std::vector<Rect>& update(const PixelView& frame);
    // Whether the last update reported the whole picture.
    bool isWhole() const { return reportedWhole_; }
    // The changed area's share of the picture in the last update, 0..1.
    double changedShare() const;

private:
    void markBand(const PixelView& frame, int32_t band);
    void collectRectangles(int32_t block, int32_t gap);
    bool blockChanged(int32_t row, int32_t column, int32_t block) const;
    static bool isBlack(const PixelView& frame, int32_t band, int32_t column);

    std::vector<uint32_t> last_;  // the last picture, tightly packed
    std::vector<uint8_t> dirty_;  // per tile, row by row
    std::vector<uint8_t> black_;  // per tile: all black in the last picture
    std::vector<Rect> rects_;
    std::vector<Rect> open_;  // rectangles still growing downwards
    std::vector<Rect> runs_;
    std::vector<Rect> stillOpen_;
    bool whole_ = true;
    bool reportedWhole_ = true;
};

}  // namespace platform
