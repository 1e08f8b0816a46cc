#pragma once
// XInput's view of a pad in the terms every backend reads pads in (PadReading),
// so that an XInput pad holds the same keys as the same pad under SDL. Plain
// arithmetic on XINPUT_GAMEPAD's fields, no Windows header, tested anywhere.
#include <cstdint>

#include "platform/PadMapping.h"

namespace platform::win32 {

// XINPUT_GAMEPAD as XInput fills it.
struct XInputState {
    uint16_t buttons = 0;
    uint8_t leftTrigger = 0;  // 0 to 255
    uint8_t rightTrigger = 0;
    int16_t thumbLX = 0;  // y grows upwards, unlike SDL's
    int16_t thumbLY = 0;
};

PadReading padReadingFromXInput(const XInputState& state);
// The key presses of buttons that went down between two looks at a pad, in
// PadButton order; writes at most PadButtonCount codes and returns how many.
int pressKeysFromXInput(uint16_t before, uint16_t now, uint8_t* codes);

}  // namespace platform::win32
