#pragma once
// Game controllers through SDL's game controller support, hot-plugged: the
// stick, D-pad and buttons fill the same 256-byte key state the keyboard does,
// so the game never knows a controller is there. Start and Back also arrive as
// key presses (pause, new game).
#include <cstdint>
#include <vector>

#include "platform/Platform.h"

typedef union SDL_Event SDL_Event;
typedef struct _SDL_GameController SDL_GameController;

namespace platform {

// The buttons in SDL's numbering of a standard pad.
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

// One look at a pad: buttons held, left stick and triggers as SDL reports them.
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

class SdlControllers {
public:
    SdlControllers() = default;
    SdlControllers(const SdlControllers&) = delete;
    SdlControllers& operator=(const SdlControllers&) = delete;
    ~SdlControllers();

    // Starts SDL's controller support; false where the machine has none, which
    // only means no controller is read.
    bool open();
    void close();
    // Opens pads as they are plugged in and closes them as they go; turns a Start
    // or Back press into a key press event.
    void handleEvent(const SDL_Event& sdlEvent, Event& event);
    // Adds the keys every open pad holds.
    void addKeys(uint8_t* keys) const;
    int count() const { return static_cast<int>(pads_.size()); }

private:
    bool started_ = false;
    std::vector<SDL_GameController*> pads_;
};

}  // namespace platform
