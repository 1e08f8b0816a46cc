#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/sdl/TextCache.h"

namespace {

using platform::RenderedText;
using platform::TextCache;

RenderedText renderingOfWidth(int32_t width) {
    return RenderedText{width, 1, std::vector<uint8_t>(size_t(width), 0xFF)};
}

TEST(TextCacheTest, DropsTheLeastRecentlyUsedTextWhenFullAndAFontsTextsWhenErased) {
    TextCache cache(3);
    cache.insert(1, "a", renderingOfWidth(1));
    cache.insert(1, "b", renderingOfWidth(2));
    cache.insert(2, "b", renderingOfWidth(3));  // same text, other font: another entry
    ASSERT_NE(cache.find(1, "a"), nullptr);     // "a" is now the most recent, font 1's "b" the oldest
    cache.insert(1, "a", renderingOfWidth(4));  // replaces, does not duplicate
    cache.insert(1, "d", renderingOfWidth(5));

    EXPECT_EQ(cache.size(), 3u);
    EXPECT_EQ(cache.find(1, "b"), nullptr);
    ASSERT_NE(cache.find(2, "b"), nullptr);
    EXPECT_EQ(cache.find(2, "b")->width, 3);
    ASSERT_NE(cache.find(1, "a"), nullptr);
    EXPECT_EQ(cache.find(1, "a")->width, 4);
    EXPECT_NE(cache.find(1, "d"), nullptr);

    cache.eraseFont(1);  // a deleted font's texts go, the others stay
    EXPECT_EQ(cache.size(), 1u);
    EXPECT_EQ(cache.find(1, "a"), nullptr);
    EXPECT_NE(cache.find(2, "b"), nullptr);
}

// Texts are looked up by view: the whole view must match, not a prefix and not up
// to a terminating NUL, and a text longer than a short-string buffer is found too.
TEST(TextCacheTest, FindsATextByItsExactCharacters) {
    TextCache cache;
    const std::string label = "Energy Cannon Ammo";
    cache.insert(2, label, renderingOfWidth(7));
    const std::string line = label + " $50";

    const RenderedText* hit = cache.find(2, std::string_view(line).substr(0, label.size()));
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit->width, 7);
    EXPECT_EQ(cache.find(2, std::string_view(label).substr(0, label.size() - 1)), nullptr);
    EXPECT_EQ(cache.find(2, line), nullptr);
    EXPECT_EQ(cache.find(1, label), nullptr);

    cache.insert(2, std::string_view(line).substr(0, label.size()), renderingOfWidth(9));  // the same text
    EXPECT_EQ(cache.size(), 1u);
    EXPECT_EQ(cache.find(2, label)->width, 9);
}

}  // namespace
