#pragma once
// A game pad's buttons, stick and triggers as keys of the game's 256-byte key
// state: the one mapping every backend's controllers use, so a pad plays the same
// on every platform.
#include <cstdint>

namespace platform {

// The buttons of a standard pad, in SDL's numbering (the browser's standard
// gamepad numbers them otherwise; its backend maps them).
enum class PadButton : uint8_t {
    A,
    B,
    X,
    Y,
    Back,
    Guide,
    Start,
    LeftStick,
    RightStick,
    LeftShoulder,
    RightShoulder,
    DpadUp,
    DpadDown,
    DpadLeft,
    DpadRight,
    Count
};
constexpr int PadButtonCount = static_cast<int>(PadButton::Count);

// A stick must lean this far (of 32767) before it flies the ship, so a worn stick
// resting off centre does not drift; a trigger counts as held past half way.
constexpr int16_t StickDeadZone = 8000;
constexpr int16_t TriggerThreshold = 16384;

// One look at a pad: buttons held, left stick and triggers on SDL's scale.
struct PadReading {
    bool buttons[PadButtonCount] = {};
    int16_t leftX = 0;
    int16_t leftY = 0;
    int16_t leftTrigger = 0;
    int16_t rightTrigger = 0;
};

// Marks the keys the pad holds in the game's key state; never releases one.
void addPadKeys(const PadReading& pad, uint8_t* keys);
// The key a press of this button also reports as an event; 0 for none.
uint8_t padPressKey(PadButton button);

}  // namespace platform
