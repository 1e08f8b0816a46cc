#pragma once
// Game controllers through SDL's game controller support, hot-plugged: the
// stick, D-pad and buttons fill the same 256-byte key state the keyboard does,
// so the game never knows a controller is there. Start and Back also arrive as
// key presses (pause, new game).
#include <cstdint>
#include <vector>

#include "platform/PadMapping.h"
#include "platform/Platform.h"

typedef union SDL_Event SDL_Event;
typedef struct _SDL_GameController SDL_GameController;

namespace platform {

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
