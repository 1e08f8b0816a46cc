#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Keys.h"
#include "platform/sdl/KeyTable.h"

namespace {

// SDL scancodes are the USB HID keyboard usage ids; the values below come from
// the HID usage table, not from SDL's headers.
constexpr int HidA = 0x04;
constexpr int Hid1 = 0x1E;
constexpr int HidF1 = 0x3A;
constexpr int HidBackslash = 0x31;
constexpr int HidNonUsHash = 0x32;
constexpr int ScancodeCount = 512;

struct KeyCase {
    const char* name;
    int hidUsage;
    uint8_t gameCode;
};

std::ostream& operator<<(std::ostream& os, const KeyCase& c) {
    return os << c.name;
}

class GameKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(GameKeyTest, MapsToTheGamesScanCode) {
    EXPECT_EQ(platform::gameKeyForScancode(GetParam().hidUsage), GetParam().gameCode);
}

INSTANTIATE_TEST_SUITE_P(GameKeys, GameKeyTest,
                         ::testing::Values(KeyCase{"Escape", 0x29, 0x01}, KeyCase{"Q", 0x14, 0x10},
                                           KeyCase{"Return", 0x28, 0x1C}, KeyCase{"LeftControl", 0xE0, 0x1D},
                                           KeyCase{"LeftShift", 0xE1, 0x2A}, KeyCase{"Z", 0x1D, 0x2C},
                                           KeyCase{"X", 0x1B, 0x2D}, KeyCase{"LeftAlt", 0xE2, 0x38},
                                           KeyCase{"Space", 0x2C, 0x39}, KeyCase{"RightControl", 0xE4, 0x9D},
                                           KeyCase{"RightAlt", 0xE6, 0xB8}, KeyCase{"Up", 0x52, 0xC8},
                                           KeyCase{"Left", 0x50, 0xCB}, KeyCase{"Right", 0x4F, 0xCD},
                                           KeyCase{"Down", 0x51, 0xD0}, KeyCase{"KeypadEnter", 0x58, 0x9C},
                                           KeyCase{"RightShift", 0xE5, 0x36}),
                         [](const auto& info) { return std::string(info.param.name); });

// The game's codes follow the physical rows of a PC keyboard.
TEST(KeyTableTest, LettersFollowTheKeyboardRows) {
    const std::vector<std::pair<std::string, uint8_t>> rows = {
        {"QWERTYUIOP", 0x10}, {"ASDFGHJKL", 0x1E}, {"ZXCVBNM", 0x2C}};
    for (const auto& [letters, firstCode] : rows) {
        for (size_t i = 0; i < letters.size(); ++i) {
            const int usage = HidA + (letters[i] - 'A');
            EXPECT_EQ(platform::gameKeyForScancode(usage), firstCode + i) << letters[i];
        }
    }
}

TEST(KeyTableTest, DigitsAndFunctionKeys) {
    for (int i = 0; i < 10; ++i) EXPECT_EQ(platform::gameKeyForScancode(Hid1 + i), 0x02 + i) << "digit " << i;
    for (int i = 0; i < 10; ++i) EXPECT_EQ(platform::gameKeyForScancode(HidF1 + i), 0x3B + i) << "F" << i + 1;
    EXPECT_EQ(platform::gameKeyForScancode(HidF1 + 10), 0x57);
    EXPECT_EQ(platform::gameKeyForScancode(HidF1 + 11), 0x58);
}

// One code per physical key. The only shared code is the backslash position,
// which the non-US '#' key occupies on other layouts.
TEST(KeyTableTest, NoTwoScancodesShareACodeExceptTheBackslashKey) {
    std::map<uint8_t, std::set<int>> byCode;
    for (int scancode = 0; scancode < ScancodeCount; ++scancode) {
        const uint8_t code = platform::gameKeyForScancode(scancode);
        if (code != 0) byCode[code].insert(scancode);
    }
    const std::map<uint8_t, std::set<int>> deliberate = {{0x2B, {HidBackslash, HidNonUsHash}}};
    for (const auto& [code, scancodes] : byCode) {
        if (scancodes.size() < 2) continue;
        auto allowed = deliberate.find(code);
        EXPECT_TRUE(allowed != deliberate.end() && allowed->second == scancodes)
            << "code 0x" << std::hex << int(code) << " has " << scancodes.size() << " scancodes";
    }
    EXPECT_GT(byCode.size(), 100u) << "the table should cover a full keyboard";
}

TEST(KeyTableTest, UnknownAndOutOfRangeScancodesGiveNoKey) {
    for (int scancode : {0, -1, -100000, ScancodeCount, 100000}) {
        EXPECT_EQ(platform::gameKeyForScancode(scancode), 0) << scancode;
    }
}

class KeyStateTest : public ::testing::Test {
protected:
    KeyStateTest() {
        sdl_.assign(ScancodeCount, 0);
        std::fill(std::begin(keys_), std::end(keys_), 0x55);  // stale bytes must all be overwritten
    }
    void press(int usage) { sdl_[static_cast<size_t>(usage)] = 1; }
    int heldCount() const {
        int held = 0;
        for (uint8_t k : keys_) held += k != 0;
        return held;
    }

    std::vector<uint8_t> sdl_;
    uint8_t keys_[platform::KeyStateSize];
};

TEST_F(KeyStateTest, HeldKeysReadAsDownAndEverythingElseUp) {
    press(0x2C);  // Space
    press(0x52);  // Up
    platform::fillGameKeyState(sdl_.data(), ScancodeCount, true, keys_);
    EXPECT_EQ(keys_[platform::key::Space], platform::KeyDown);
    EXPECT_EQ(keys_[platform::key::Up], platform::KeyDown);
    EXPECT_EQ(heldCount(), 2);
}

TEST_F(KeyStateTest, LosingFocusReleasesEveryKey) {
    for (int usage = 0; usage < ScancodeCount; ++usage) press(usage);
    platform::fillGameKeyState(sdl_.data(), ScancodeCount, false, keys_);
    EXPECT_EQ(heldCount(), 0);

    // Focus back: the same held keys read again.
    platform::fillGameKeyState(sdl_.data(), ScancodeCount, true, keys_);
    EXPECT_EQ(keys_[platform::key::Escape], platform::KeyDown);
    EXPECT_GT(heldCount(), 100);
}

TEST_F(KeyStateTest, ReadsNoFurtherThanSdlsArray) {
    // Only the first 0x30 scancodes exist: Up (0x52) lies beyond and must not be read.
    press(0x29);  // Escape
    press(0x52);
    platform::fillGameKeyState(sdl_.data(), 0x30, true, keys_);
    EXPECT_EQ(keys_[platform::key::Escape], platform::KeyDown);
    EXPECT_EQ(keys_[platform::key::Up], 0);
    platform::fillGameKeyState(nullptr, 0, true, keys_);
    EXPECT_EQ(heldCount(), 0);
}

}  // namespace
