#pragma once
// The game's key codes: PC keyboard scan codes (set 1), extended keys plus 0x80.
// The keyboard state is 256 bytes indexed by these codes; 0x80 means held.
#include <cstdint>

namespace platform {

constexpr int KeyStateSize = 256;
constexpr uint8_t KeyDown = 0x80;

namespace key {
constexpr uint8_t Escape = 0x01;
constexpr uint8_t Q = 0x10;
constexpr uint8_t P = 0x19;
constexpr uint8_t Return = 0x1C;
constexpr uint8_t LeftControl = 0x1D;
constexpr uint8_t LeftShift = 0x2A;
constexpr uint8_t Z = 0x2C;
constexpr uint8_t X = 0x2D;
constexpr uint8_t M = 0x32;
constexpr uint8_t LeftAlt = 0x38;
constexpr uint8_t Space = 0x39;
constexpr uint8_t F1 = 0x3B;
constexpr uint8_t F11 = 0x57;
constexpr uint8_t RightControl = 0x9D;
constexpr uint8_t RightAlt = 0xB8;
constexpr uint8_t Pause = 0xC5;
constexpr uint8_t Up = 0xC8;
constexpr uint8_t Left = 0xCB;
constexpr uint8_t Right = 0xCD;
constexpr uint8_t Down = 0xD0;
}  // namespace key

inline bool isKeyDown(const uint8_t* keys, uint8_t code) {
    return (keys[code] & KeyDown) != 0;
}

}  // namespace platform
