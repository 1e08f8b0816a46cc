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
constexpr size_t MaxRectangles = 32;
constexpr int32_t LargestBlock = 4;  // tiles square
static_assert(TileColumns % LargestBlock == 0 && TileRows % LargestBlock == 0);
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
    // Each rectangle costs the window system a request: where changes are scattered
    // (stars all over the screen), coarser blocks trade a few unchanged pixels for
    // fewer requests.
    for (int32_t block = 1;; block *= 2) {
        collectRectangles(block, MergeGap);
        if (rects_.size() <= MaxRectangles || block == LargestBlock) break;
    }
    // Still too many: each row of the largest blocks is sent as one run.
    if (rects_.size() > MaxRectangles) collectRectangles(LargestBlock, TileColumns);
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

// Runs of changed blocks (`block` tiles square) along each row of blocks, runs at
// most `gap` blocks apart joined; a run that spans the same columns as one in the row above
// extends it downwards. Rectangles come out in pixels.
void Damage::collectRectangles(int32_t block, int32_t gap) {
    rects_.clear();
    open_.clear();
    const int32_t columns = TileColumns / block;
    const int32_t rows = TileRows / block;
    for (int32_t row = 0; row < rows; ++row) {
        runs_.clear();
        for (int32_t column = 0; column < columns; ++column) {
            if (!blockChanged(row, column, block)) continue;
            if (!runs_.empty() && column - runs_.back().right <= gap) {
                runs_.back().right = column + 1;
            } else {
                runs_.push_back(Rect{column, row, column + 1, row + 1});
            }
        }
        stillOpen_.clear();
        size_t next = 0;
        for (Rect& run : runs_) {
            while (next < open_.size() && open_[next].right <= run.left) rects_.push_back(open_[next++]);
            if (next < open_.size() && open_[next].left == run.left && open_[next].right == run.right) {
                run.top = open_[next++].top;
            }
            stillOpen_.push_back(run);
        }
        while (next < open_.size()) rects_.push_back(open_[next++]);
        open_.swap(stillOpen_);
    }
    rects_.insert(rects_.end(), open_.begin(), open_.end());
    const int32_t size = block * TileSize;
    for (Rect& r : rects_) r = Rect{r.left * size, r.top * size, r.right * size, r.bottom * size};
}

bool Damage::blockChanged(int32_t row, int32_t column, int32_t block) const {
    for (int32_t y = row * block; y < (row + 1) * block; ++y) {
        const uint8_t* tiles =
            &dirty_[static_cast<size_t>(y) * TileColumns + static_cast<size_t>(column * block)];
        for (int32_t x = 0; x < block; ++x)
            if (tiles[x] != 0) return true;
    }
    return false;
}

double Damage::changedShare() const {
    int64_t area = 0;
    for (const Rect& r : rects_) area += int64_t{r.width()} * r.height();
    return static_cast<double>(area) / (int64_t{ScreenWidth} * ScreenHeight);
}

}  // namespace platform
