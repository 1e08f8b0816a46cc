#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/Keys.h"
#include "platform/PadMapping.h"
#include "platform/win32/ScanCodes.h"
#include "platform/win32/XInputMapping.h"

namespace platform::win32 {
namespace {

constexpr uint32_t ExtendedFlag = 1u << 24;
constexpr uint32_t RepeatFlag = 1u << 30;

// lParam of a key message for this scan code, one press, no repeat.
uint32_t keyMessage(uint8_t scanCode, bool extended = false) {
    return (uint32_t{scanCode} << 16) | (extended ? ExtendedFlag : 0) | 1u;
}

std::vector<uint8_t> heldKeys(const PadReading& pad) {
    uint8_t keys[KeyStateSize] = {};
    addPadKeys(pad, keys);
    std::vector<uint8_t> held;
    for (int code = 0; code < KeyStateSize; ++code)
        if (keys[code] != 0) held.push_back(static_cast<uint8_t>(code));
    return held;
}

// The keys the game reads, as Windows sends them: extended keys gain 0x80, the
// keypad twins of the arrows do not, and Pause and Num Lock swap back.
TEST(Win32KeyMessages, GameCodesFromScanCodes) {
    struct Case {
        uint32_t virtualKey;
        uint32_t lParam;
        uint8_t code;
    };
    const Case cases[] = {
        {0x1B, keyMessage(0x01), key::Escape},
        {0x20, keyMessage(0x39), key::Space},
        {0x11, keyMessage(0x1D), key::LeftControl},
        {0x11, keyMessage(0x1D, true), key::RightControl},
        {0x12, keyMessage(0x38, true), key::RightAlt},
        {0x25, keyMessage(0x4B, true), key::Left},
        {0x64, keyMessage(0x4B), 0x4B},  // keypad 4
        {0x26, keyMessage(0x48, true), key::Up},
        {0x28, keyMessage(0x50, true), key::Down},
        {0x27, keyMessage(0x4D, true), key::Right},
        {0x0D, keyMessage(0x1C, true), 0x9C},  // keypad Enter
        {0x13, keyMessage(0x45), key::Pause},
        {0x90, keyMessage(0x45, true), 0x45},  // Num Lock
        {0x7A, keyMessage(0x57), key::F11},
        {0x10, keyMessage(0x2A, true), 0},  // the shift Windows adds around extended keys
        {0xAD, keyMessage(0x00), 0},        // a key without a scan code
    };
    for (const Case& c : cases)
        EXPECT_EQ(gameKeyForKeyMessage(c.virtualKey, c.lParam), c.code)
            << "virtual key 0x" << std::hex << c.virtualKey << ", lParam 0x" << c.lParam;
    EXPECT_FALSE(isKeyRepeat(keyMessage(0x39)));
    EXPECT_TRUE(isKeyRepeat(keyMessage(0x39) | RepeatFlag));
}

// Each XInput button holds the same keys as the same button read through SDL.
TEST(XInputMappingTest, ButtonsHoldTheSameKeysAsEveryPad) {
    struct Bit {
        uint16_t bit;
        PadButton button;
    };
    const Bit bits[] = {
        {0x1000, PadButton::A},
        {0x2000, PadButton::B},
        {0x4000, PadButton::X},
        {0x8000, PadButton::Y},
        {0x0020, PadButton::Back},
        {0x0010, PadButton::Start},
        {0x0100, PadButton::LeftShoulder},
        {0x0200, PadButton::RightShoulder},
        {0x0001, PadButton::DpadUp},
        {0x0002, PadButton::DpadDown},
        {0x0004, PadButton::DpadLeft},
        {0x0008, PadButton::DpadRight},
    };
    for (const Bit& b : bits) {
        PadReading expected;
        expected.buttons[static_cast<int>(b.button)] = true;
        EXPECT_EQ(heldKeys(padReadingFromXInput(XInputState{b.bit, 0, 0, 0, 0})), heldKeys(expected))
            << "button bit 0x" << std::hex << b.bit;
    }
}

// XInput's stick grows upwards and its triggers end at 255: pushed up flies up,
// the lowest value flies down without overflowing, a trigger holds past half way.
TEST(XInputMappingTest, StickAndTriggers) {
    EXPECT_EQ(heldKeys(padReadingFromXInput(XInputState{0, 0, 0, 0, 32767})), std::vector<uint8_t>{key::Up});
    EXPECT_EQ(heldKeys(padReadingFromXInput(XInputState{0, 0, 0, 0, -32768})),
              std::vector<uint8_t>{key::Down});
    EXPECT_EQ(heldKeys(padReadingFromXInput(XInputState{0, 0, 0, -32768, 0})),
              std::vector<uint8_t>{key::Left});
    EXPECT_TRUE(heldKeys(padReadingFromXInput(XInputState{0, 0, 0, 7000, -7000})).empty());
    EXPECT_TRUE(heldKeys(padReadingFromXInput(XInputState{0, 127, 127, 0, 0})).empty());
    EXPECT_EQ(heldKeys(padReadingFromXInput(XInputState{0, 128, 0, 0, 0})),
              std::vector<uint8_t>{key::LeftAlt});
    EXPECT_EQ(heldKeys(padReadingFromXInput(XInputState{0, 0, 255, 0, 0})),
              std::vector<uint8_t>{key::RightAlt});
}

// Start and Back report a key press when they go down, not while they stay down.
TEST(XInputMappingTest, PressesOnlyWhenButtonsGoDown) {
    constexpr uint16_t Start = 0x0010, Back = 0x0020, A = 0x1000;
    uint8_t codes[PadButtonCount] = {};
    ASSERT_EQ(pressKeysFromXInput(0, Start | Back | A, codes), 2);
    EXPECT_EQ(codes[0], key::Return);  // Back, in the pad's button order
    EXPECT_EQ(codes[1], key::Pause);
    EXPECT_EQ(pressKeysFromXInput(Start, Start, codes), 0);
    EXPECT_EQ(pressKeysFromXInput(Start | Back, Start, codes), 0);
    ASSERT_EQ(pressKeysFromXInput(Back, Back | Start, codes), 1);
    EXPECT_EQ(codes[0], key::Pause);
}

}  // namespace
}  // namespace platform::win32
