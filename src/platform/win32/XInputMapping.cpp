#include "platform/win32/XInputMapping.h"

#include <algorithm>
#include <iterator>

namespace platform::win32 {
namespace {

struct ButtonBit {
    PadButton button;
    uint16_t bit;
};

// XINPUT_GAMEPAD_* bits, in PadButton order. XInput's Guide button is not in its
// public state.
constexpr ButtonBit ButtonBits[] = {
    {PadButton::A, 0x1000},
    {PadButton::B, 0x2000},
    {PadButton::X, 0x4000},
    {PadButton::Y, 0x8000},
    {PadButton::Back, 0x0020},
    {PadButton::Start, 0x0010},
    {PadButton::LeftStick, 0x0040},
    {PadButton::RightStick, 0x0080},
    {PadButton::LeftShoulder, 0x0100},
    {PadButton::RightShoulder, 0x0200},
    {PadButton::DpadUp, 0x0001},
    {PadButton::DpadDown, 0x0002},
    {PadButton::DpadLeft, 0x0004},
    {PadButton::DpadRight, 0x0008},
};

constexpr int32_t AxisMax = 32767;
constexpr int32_t TriggerMax = 255;

int16_t downwards(int16_t upwards) {
    return static_cast<int16_t>(std::min(-int32_t{upwards}, AxisMax));
}

int16_t triggerAxis(uint8_t trigger) {
    return static_cast<int16_t>(int32_t{trigger} * AxisMax / TriggerMax);
}

}  // namespace

PadReading padReadingFromXInput(const XInputState& state) {
    PadReading pad;
    for (const ButtonBit& b : ButtonBits)
        pad.buttons[static_cast<int>(b.button)] = (state.buttons & b.bit) != 0;
    pad.leftX = state.thumbLX;
    pad.leftY = downwards(state.thumbLY);
    pad.leftTrigger = triggerAxis(state.leftTrigger);
    pad.rightTrigger = triggerAxis(state.rightTrigger);
    return pad;
}

int pressKeysFromXInput(uint16_t before, uint16_t now, uint8_t* codes) {
    const auto pressed = static_cast<uint16_t>(now & ~before);
    int count = 0;
    for (const ButtonBit& b : ButtonBits) {
        const uint8_t code = (pressed & b.bit) != 0 ? padPressKey(b.button) : 0;
        if (code != 0) codes[count++] = code;
    }
    return count;
}

}  // namespace platform::win32
