#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "platform/Keys.h"
#include "platform/sdl/KeyTable.h"

namespace {

constexpr int ScancodeCount = 512;

// SDL scancodes are the USB HID keyboard usage ids; both columns come from the
// HID usage table and the PC keyboard's scan codes, not from the code under test.
TEST(KeyTableTest, TheGameKeysMapToTheirCodes) {
    const struct {
        const char* name;
        int hidUsage;
        uint8_t gameCode;
    } keys[] = {{"Escape", 0x29, 0x01},    {"Q", 0x14, 0x10},
                {"Return", 0x28, 0x1C},    {"LeftControl", 0xE0, 0x1D},
                {"LeftShift", 0xE1, 0x2A}, {"Z", 0x1D, 0x2C},
                {"X", 0x1B, 0x2D},         {"LeftAlt", 0xE2, 0x38},
                {"Space", 0x2C, 0x39},     {"RightControl", 0xE4, 0x9D},
                {"RightAlt", 0xE6, 0xB8},  {"Up", 0x52, 0xC8},
                {"Left", 0x50, 0xCB},      {"Right", 0x4F, 0xCD},
                {"Down", 0x51, 0xD0}};
    for (const auto& k : keys) EXPECT_EQ(platform::gameKeyForScancode(k.hidUsage), k.gameCode) << k.name;
    for (const int outside : {0, -1, -100000, ScancodeCount, 100000})
        EXPECT_EQ(platform::gameKeyForScancode(outside), 0) << outside;
}

class KeyStateTest : public ::testing::Test {
protected:
    KeyStateTest() { std::fill(std::begin(keys_), std::end(keys_), 0x55); }  // stale bytes must go
    int heldCount() const {
        return int(std::count_if(std::begin(keys_), std::end(keys_), [](uint8_t k) { return k != 0; }));
    }

    std::vector<uint8_t> sdl_ = std::vector<uint8_t>(ScancodeCount, 1);  // every key held
    uint8_t keys_[platform::KeyStateSize];
};

TEST_F(KeyStateTest, LosingFocusReleasesEveryKey) {
    platform::fillGameKeyState(sdl_.data(), ScancodeCount, false, keys_);
    EXPECT_EQ(heldCount(), 0);
    platform::fillGameKeyState(sdl_.data(), ScancodeCount, true, keys_);  // focus back: held again
    EXPECT_EQ(keys_[platform::key::Escape], platform::KeyDown);
    EXPECT_GT(heldCount(), 100);
}

// Held keys read down, all else up. SDL's array here ends at 0x30 (Up, 0x52, lies
// beyond), so the sanitizer sees any read past it.
TEST_F(KeyStateTest, HeldKeysReadDownAndNothingPastSdlsArrayIsRead) {
    std::vector<uint8_t> few(0x30, 0);
    few[0x29] = few[0x2C] = 1;  // Escape, Space
    platform::fillGameKeyState(few.data(), int(few.size()), true, keys_);
    EXPECT_EQ(keys_[platform::key::Escape], platform::KeyDown);
    EXPECT_EQ(keys_[platform::key::Space], platform::KeyDown);
    EXPECT_EQ(heldCount(), 2);
    platform::fillGameKeyState(nullptr, 0, true, keys_);
    EXPECT_EQ(heldCount(), 0);
}

}  // namespace
