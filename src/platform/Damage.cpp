#include "platform/Damage.h"

#include <cstring>

#include "platform/Platform.h"

namespace platform {
namespace {

constexpr int32_t TileColumns = ScreenWidth / Damage::TileSize;
constexpr int32_t TileRows = ScreenHeight / Damage::TileSize;
constexpr size_t TileRowBytes = sizeof(uint32_t) * Damage::TileSize;
// Unchanged tiles between two changed ones in a row of tiles that are sent with them
// rather than splitting the rectangle: an extra request costs more than a few pixels.
constexpr int32_t MergeGap = 2;
static_assert(ScreenWidth % Damage::TileSize == 0 && ScreenHeight % Damage::TileSize == 0);

}  // namespace

Damage::Damage()
    : last_(static_cast<size_t>(ScreenWidth) * ScreenHeight),
      dirty_(static_cast<size_t>(TileColumns) * TileRows) {}

const std::vector<Rect>& Damage::update(const PixelView& frame) {
    rects_.clear();
    if (frame.base == nullptr || frame.width < ScreenWidth || frame.height < ScreenHeight) return rects_;
    reportedWhole_ = whole_;
    if (whole_) {
        for (int32_t y = 0; y < ScreenHeight; ++y)
            std::memcpy(&last_[static_cast<size_t>(y) * ScreenWidth], frame.row(y),
                        sizeof(uint32_t) * ScreenWidth);
        whole_ = false;
        rects_.push_back(Rect{0, 0, ScreenWidth, ScreenHeight});
        return rects_;
    }
    std::fill(dirty_.begin(), dirty_.end(), uint8_t{0});
    for (int32_t y = 0; y < ScreenHeight; ++y) {
        markRow(frame.row(y), &last_[static_cast<size_t>(y) * ScreenWidth],
                &dirty_[static_cast<size_t>(y / TileSize) * TileColumns]);
    }
    collectRectangles();
    return rects_;
}

// Each tile's part of the row compared with the last picture's, and copied over it
// where it differs: one pass over both rows.
void Damage::markRow(const uint32_t* now, uint32_t* last, uint8_t* tiles) {
    for (int32_t column = 0; column < TileColumns; ++column) {
        const uint32_t* a = now + column * TileSize;
        uint32_t* b = last + column * TileSize;
        uint32_t differs = 0;
        for (int32_t i = 0; i < TileSize; ++i) differs |= a[i] ^ b[i];
        if (differs != 0) {
            tiles[column] = 1;
            std::memcpy(b, a, TileRowBytes);
        }
    }
}

// Runs of changed tiles along each row of tiles, nearly touching runs joined; a run
// that spans the same columns as one in the row above extends it downwards.
void Damage::collectRectangles() {
    open_.clear();
    std::vector<Rect> runs;
    for (int32_t row = 0; row < TileRows; ++row) {
        const uint8_t* tiles = &dirty_[static_cast<size_t>(row) * TileColumns];
        runs.clear();
        for (int32_t column = 0; column < TileColumns; ++column) {
            if (tiles[column] == 0) continue;
            if (!runs.empty() && column - runs.back().right <= MergeGap) {
                runs.back().right = column + 1;
            } else {
                runs.push_back(Rect{column, row, column + 1, row + 1});
            }
        }
        std::vector<Rect> stillOpen;
        size_t next = 0;
        for (Rect& run : runs) {
            while (next < open_.size() && open_[next].right <= run.left) rects_.push_back(open_[next++]);
            if (next < open_.size() && open_[next].left == run.left && open_[next].right == run.right) {
                run.top = open_[next++].top;
            }
            stillOpen.push_back(run);
        }
        while (next < open_.size()) rects_.push_back(open_[next++]);
        open_.swap(stillOpen);
    }
    rects_.insert(rects_.end(), open_.begin(), open_.end());
    for (Rect& r : rects_)
        r = Rect{r.left * TileSize, r.top * TileSize, r.right * TileSize, r.bottom * TileSize};
}

double Damage::changedShare() const {
    int64_t area = 0;
    for (const Rect& r : rects_) area += int64_t{r.width()} * r.height();
    return static_cast<double>(area) / (int64_t{ScreenWidth} * ScreenHeight);
}

}  // namespace platform
