#include "platform/PadMapping.h"

#include "platform/Keys.h"

namespace platform {
namespace {

struct ButtonKey {
    PadButton button;
    uint8_t code;
};

// A is both fire and the shop's buy; Back leaves the shop. The D-pad flies and
// chooses in the shop, as the arrow keys do.
constexpr ButtonKey ButtonKeys[] = {
    {PadButton::A, key::Space},
    {PadButton::A, key::Return},
    {PadButton::B, key::LeftControl},
    {PadButton::X, key::Z},
    {PadButton::Y, key::X},
    {PadButton::LeftShoulder, key::LeftShift},
    {PadButton::RightShoulder, key::RightControl},
    {PadButton::Back, key::Q},
    {PadButton::DpadUp, key::Up},
    {PadButton::DpadDown, key::Down},
    {PadButton::DpadLeft, key::Left},
    {PadButton::DpadRight, key::Right},
};

void hold(uint8_t* keys, uint8_t code) {
    keys[code] = KeyDown;
}

}  // namespace

void addPadKeys(const PadReading& pad, uint8_t* keys) {
    for (const ButtonKey& bk : ButtonKeys)
        if (pad.buttons[static_cast<int>(bk.button)]) hold(keys, bk.code);
    if (pad.leftX < -StickDeadZone) hold(keys, key::Left);
    if (pad.leftX > StickDeadZone) hold(keys, key::Right);
    if (pad.leftY < -StickDeadZone) hold(keys, key::Up);
    if (pad.leftY > StickDeadZone) hold(keys, key::Down);
    // Left trigger doubles the guns as left Alt does; right trigger teleports.
    if (pad.leftTrigger > TriggerThreshold) hold(keys, key::LeftAlt);
    if (pad.rightTrigger > TriggerThreshold) hold(keys, key::RightAlt);
}

uint8_t padPressKey(PadButton button) {
    switch (button) {
        case PadButton::Start:
            return key::Pause;
        case PadButton::Back:
            return key::Return;
        default:
            return 0;
    }
}

}  // namespace platform
