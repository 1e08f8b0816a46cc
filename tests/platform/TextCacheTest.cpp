#include <gtest/gtest.h>

#include <string_view>
#include <tuple>

#include "platform/TextCache.h"

namespace platform {
namespace {

RenderedText renderingOfWidth(int32_t width) {
    return RenderedText{width, 1, std::vector<uint8_t>(size_t(width), 0xFF)};
}

// The width of the cached rendering (marking it used), or -1 when none is cached.
int32_t cachedWidth(TextCache& cache, FontHandle font, std::string_view text) {
    const RenderedText* hit = cache.find(font, text);
    return hit ? hit->width : -1;
}

TEST(TextCacheTest, DropsTheLeastRecentlyUsedTextWhenFullAndAFontsTextsWhenErased) {
    TextCache cache(3);
    cache.insert(1, "a", renderingOfWidth(1));
    cache.insert(1, "b", renderingOfWidth(2));
    cache.insert(2, "b", renderingOfWidth(3));  // same text, other font: another entry
    ASSERT_EQ(cachedWidth(cache, 1, "a"), 1);   // "a" is now the most recent, font 1's "b" the oldest
    cache.insert(1, "a", renderingOfWidth(4));  // replaces, does not duplicate
    cache.insert(1, "d", renderingOfWidth(5));
    EXPECT_EQ(cache.size(), 3u);
    for (const auto& [font, text, width] : {std::tuple{1, "b", -1}, {2, "b", 3}, {1, "a", 4}, {1, "d", 5}})
        EXPECT_EQ(cachedWidth(cache, font, text), width) << font << text;

    cache.eraseFont(1);  // a deleted font's texts go, the others stay
    EXPECT_EQ(cache.size(), 1u);
    EXPECT_EQ(cachedWidth(cache, 1, "a"), -1);
    EXPECT_EQ(cachedWidth(cache, 2, "b"), 3);
}

}  // namespace
}  // namespace platform
