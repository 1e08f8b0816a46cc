#include <gtest/gtest.h>

#include <string>

#include "platform/sdl/TextCache.h"

namespace {

using platform::RenderedText;
using platform::TextCache;

RenderedText renderingOfWidth(int32_t width) {
    return RenderedText{width, 1, std::vector<uint8_t>(width, 0xFF)};
}

TEST(TextCacheTest, DropsTheLeastRecentlyUsedTextWhenFull) {
    TextCache cache(3);
    cache.insert(1, "a", renderingOfWidth(1));
    cache.insert(1, "b", renderingOfWidth(2));
    cache.insert(1, "c", renderingOfWidth(3));
    ASSERT_NE(cache.find(1, "a"), nullptr);  // "a" is now the most recent, "b" the oldest
    cache.insert(1, "d", renderingOfWidth(4));

    EXPECT_EQ(cache.size(), 3u);
    EXPECT_EQ(cache.find(1, "b"), nullptr);
    ASSERT_NE(cache.find(1, "a"), nullptr);
    EXPECT_EQ(cache.find(1, "a")->width, 1);
    EXPECT_NE(cache.find(1, "c"), nullptr);
    EXPECT_NE(cache.find(1, "d"), nullptr);
}

TEST(TextCacheTest, KeysOnFontAndText) {
    TextCache cache;
    cache.insert(1, "Wave", renderingOfWidth(10));
    cache.insert(2, "Wave", renderingOfWidth(20));
    ASSERT_NE(cache.find(1, "Wave"), nullptr);
    ASSERT_NE(cache.find(2, "Wave"), nullptr);
    EXPECT_EQ(cache.find(1, "Wave")->width, 10);
    EXPECT_EQ(cache.find(2, "Wave")->width, 20);
    EXPECT_EQ(cache.find(1, "wave"), nullptr);
}

TEST(TextCacheTest, ReinsertingReplacesInsteadOfDuplicating) {
    TextCache cache(2);
    cache.insert(1, "x", renderingOfWidth(1));
    cache.insert(1, "y", renderingOfWidth(2));
    cache.insert(1, "x", renderingOfWidth(5));
    EXPECT_EQ(cache.size(), 2u);
    ASSERT_NE(cache.find(1, "y"), nullptr);
    EXPECT_EQ(cache.find(1, "x")->width, 5);
}

TEST(TextCacheTest, ErasingAFontKeepsTheOthers) {
    TextCache cache;
    cache.insert(1, "a", renderingOfWidth(1));
    cache.insert(2, "a", renderingOfWidth(2));
    cache.insert(1, "b", renderingOfWidth(3));
    cache.eraseFont(1);
    EXPECT_EQ(cache.size(), 1u);
    EXPECT_EQ(cache.find(1, "a"), nullptr);
    EXPECT_EQ(cache.find(1, "b"), nullptr);
    EXPECT_NE(cache.find(2, "a"), nullptr);
}

}  // namespace
