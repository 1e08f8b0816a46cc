#pragma once
// Recently rendered texts, so that a line drawn every frame is rendered once.
// Holds glyph coverage only; the colour is applied when the text is drawn.
#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace platform {

// One rendered line: `coverage` holds width x height alpha values, row by row.
struct RenderedText {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> coverage;
};

class TextCache {
public:
    static constexpr size_t DefaultCapacity = 64;

    explicit TextCache(size_t capacity = DefaultCapacity) : capacity_(capacity) {}

    // The entry for this font and text, made the most recently used; null if absent.
    const RenderedText* find(FontHandle font, std::string_view text);
    // Stores a rendering, dropping the least recently used entry when full.
    const RenderedText& insert(FontHandle font, std::string_view text, RenderedText rendered);
    // Forgets every text of a font, so that a later font can never show its renderings.
    void eraseFont(FontHandle font);
    void clear() { entries_.clear(); }
    size_t size() const { return entries_.size(); }
    size_t capacity() const { return capacity_; }

private:
    struct Entry {
        FontHandle font;
        std::string text;
        RenderedText rendered;
    };
    size_t capacity_;
    std::list<Entry> entries_;  // most recently used first
};

}  // namespace platform
