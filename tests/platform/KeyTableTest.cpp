#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "platform/Keys.h"
#include "platform/sdl/KeyTable.h"

namespace platform {
namespace {

constexpr int ScancodeCount = 512;
// Both columns come from the USB HID usage table (SDL's scancodes) and the PC keyboard's
// scan codes, not from the code under test: Escape, Q, Return, LeftControl, LeftShift,
// Z, X, LeftAlt, Space, RightControl, RightAlt, Up, Left, Right, Down.
TEST(KeyTableTest, TheGameKeysMapToTheirCodes) {
    const std::pair<int, uint8_t> keys[] = {{0x29, 0x01}, {0x14, 0x10}, {0x28, 0x1C}, {0xE0, 0x1D},
                                            {0xE1, 0x2A}, {0x1D, 0x2C}, {0x1B, 0x2D}, {0xE2, 0x38},
                                            {0x2C, 0x39}, {0xE4, 0x9D}, {0xE6, 0xB8}, {0x52, 0xC8},
                                            {0x50, 0xCB}, {0x4F, 0xCD}, {0x51, 0xD0}};
    for (const auto& [hidUsage, gameCode] : keys)
        EXPECT_EQ(gameKeyForScancode(hidUsage), gameCode) << std::hex << hidUsage;
    for (const int outside : {0, -1, -100000, ScancodeCount, 100000})
        EXPECT_EQ(gameKeyForScancode(outside), 0) << outside;
}

// Held keys read down, all else (stale bytes too) up, and losing focus releases every
// key. SDL's array ends at 0x30, short of Up (0x52): the sanitizer sees reads past it.
TEST(KeyStateTest, HeldKeysReadDownUntilFocusIsLost) {
    std::vector<uint8_t> sdl(0x30, 0);
    sdl[0x29] = sdl[0x2C] = 1;  // Escape, Space
    uint8_t keys[KeyStateSize];
    std::fill(std::begin(keys), std::end(keys), 0x55);  // stale
    fillGameKeyState(sdl.data(), int(sdl.size()), true, keys);
    EXPECT_EQ(std::pair(keys[key::Escape], keys[key::Space]), std::pair(KeyDown, KeyDown));
    EXPECT_EQ(std::count(std::begin(keys), std::end(keys), 0), KeyStateSize - 2);
    fillGameKeyState(sdl.data(), int(sdl.size()), false, keys);
    EXPECT_EQ(std::count(std::begin(keys), std::end(keys), 0), KeyStateSize);
}

}  // namespace
}  // namespace platform
