#include "platform/Damage.h"

#include <algorithm>
#include <array>
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

// Kept apart and out of line, its pointers declared unaliased, so that the compiler
// vectorises it (inlined into the loop over rows it was not).
[[gnu::noinline]] void gatherDifferences(const uint32_t* __restrict now, const uint32_t* __restrict last,
                                         uint32_t* __restrict gathered, int32_t count) {
    for (int32_t x = 0; x < count; ++x) gathered[x] |= now[x] ^ last[x];
}

[[gnu::noinline]] void gatherPixels(const uint32_t* __restrict now, uint32_t* __restrict gathered,
                                    int32_t count) {
    for (int32_t x = 0; x < count; ++x) gathered[x] |= now[x];
}

}  // namespace

Damage::Damage()
    : last_(static_cast<size_t>(ScreenWidth) * ScreenHeight),
      dirty_(static_cast<size_t>(TileColumns) * TileRows),
      black_(static_cast<size_t>(TileColumns) * TileRows) {}

const std::vector<Rect>& Damage::update(const PixelView& frame) {
    rects_.clear();
    if (frame.base == nullptr || frame.width < ScreenWidth || frame.height < ScreenHeight) return rects_;
    reportedWhole_ = whole_;
    if (whole_) {
        for (int32_t band = 0; band < TileRows; ++band)
            for (int32_t column = 0; column < TileColumns; ++column)
                black_[static_cast<size_t>(band * TileColumns + column)] =
                    isBlack(frame, band, column) ? 1 : 0;
        for (int32_t y = 0; y < ScreenHeight; ++y)
            std::memcpy(&last_[static_cast<size_t>(y) * ScreenWidth], frame.row(y),
                        sizeof(uint32_t) * ScreenWidth);
        whole_ = false;
        rects_.push_back(Rect{0, 0, ScreenWidth, ScreenHeight});
        return rects_;
    }
    for (int32_t band = 0; band < TileRows; ++band) markBand(frame, band);
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

// One row of tiles: every pixel's difference from the last picture gathered per
// column over the tile's rows, then each tile that differs is marked and copied over
// the last picture. Most of the last picture is black, and there the new pixels are
// the difference: the last picture is read only along runs of tiles that were not.
void Damage::markBand(const PixelView& frame, int32_t band) {
    std::array<uint32_t, ScreenWidth> differs{};
    uint32_t* gathered = differs.data();
    const int32_t top = band * TileSize;
    uint8_t* black = &black_[static_cast<size_t>(band) * TileColumns];
    // Runs of tiles alike in the last picture, the same for every row of the band.
    struct Run {
        int32_t x, count;
        bool black;
    };
    std::array<Run, TileColumns> runs;
    size_t runCount = 0;
    for (int32_t column = 0; column < TileColumns;) {
        int32_t end = column + 1;
        while (end < TileColumns && black[end] == black[column]) ++end;
        runs[runCount++] = Run{column * TileSize, (end - column) * TileSize, black[column] != 0};
        column = end;
    }
    for (int32_t y = top; y < top + TileSize; ++y) {
        const uint32_t* now = frame.row(y);
        const uint32_t* last = last_.data() + static_cast<size_t>(y) * ScreenWidth;
        for (size_t r = 0; r < runCount; ++r) {
            const Run& run = runs[r];
            if (run.black) {
                gatherPixels(now + run.x, gathered + run.x, run.count);
            } else {
                gatherDifferences(now + run.x, last + run.x, gathered + run.x, run.count);
            }
        }
    }
    uint8_t* tiles = &dirty_[static_cast<size_t>(band) * TileColumns];
    for (int32_t column = 0; column < TileColumns; ++column) {
        uint32_t any = 0;
        for (int32_t i = 0; i < TileSize; ++i) any |= gathered[column * TileSize + i];
        tiles[column] = any != 0 ? 1 : 0;
        if (any == 0) continue;
        for (int32_t y = top; y < top + TileSize; ++y) {
            std::memcpy(&last_[static_cast<size_t>(y) * ScreenWidth + static_cast<size_t>(column * TileSize)],
                        frame.row(y) + column * TileSize, TileRowBytes);
        }
        black[column] = isBlack(frame, band, column) ? 1 : 0;
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

bool Damage::isBlack(const PixelView& frame, int32_t band, int32_t column) {
    uint32_t lit = 0;
    for (int32_t y = band * TileSize; y < (band + 1) * TileSize; ++y) {
        const uint32_t* row = frame.row(y) + column * TileSize;
        for (int32_t i = 0; i < TileSize; ++i) lit |= row[i];
    }
    return lit == 0;
}

double Damage::changedShare() const {
    int64_t area = 0;
    for (const Rect& r : rects_) area += int64_t{r.width()} * r.height();
    return static_cast<double>(area) / (int64_t{ScreenWidth} * ScreenHeight);
}

}  // namespace platform
