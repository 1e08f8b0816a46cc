#include "platform/sdl/SdlController.h"

#include <SDL.h>

#include <algorithm>

#include "platform/Keys.h"

namespace platform {
namespace {

static_assert(static_cast<int>(PadButton::A) == SDL_CONTROLLER_BUTTON_A);
static_assert(static_cast<int>(PadButton::Start) == SDL_CONTROLLER_BUTTON_START);
static_assert(static_cast<int>(PadButton::DpadRight) == SDL_CONTROLLER_BUTTON_DPAD_RIGHT);

}  // namespace

SdlControllers::~SdlControllers() {
    close();
}

bool SdlControllers::open() {
    if (!started_) started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    return started_;
}

void SdlControllers::close() {
    for (SDL_GameController* pad : pads_) SDL_GameControllerClose(pad);
    pads_.clear();
    if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    started_ = false;
}

void SdlControllers::handleEvent(const SDL_Event& sdlEvent, Event& event) {
    if (!started_) return;
    switch (sdlEvent.type) {
        case SDL_CONTROLLERDEVICEADDED:
            if (SDL_GameController* pad = SDL_GameControllerOpen(sdlEvent.cdevice.which))
                pads_.push_back(pad);
            break;
        case SDL_CONTROLLERDEVICEREMOVED: {
            const auto gone = std::find_if(pads_.begin(), pads_.end(), [&](SDL_GameController* pad) {
                return SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)) == sdlEvent.cdevice.which;
            });
            if (gone != pads_.end()) {
                SDL_GameControllerClose(*gone);
                pads_.erase(gone);
            }
            break;
        }
        case SDL_CONTROLLERBUTTONDOWN:
            if (sdlEvent.cbutton.button < PadButtonCount) {
                const uint8_t code = padPressKey(static_cast<PadButton>(sdlEvent.cbutton.button));
                if (code != 0) {
                    event.type = EventType::KeyPress;
                    event.key = code;
                }
            }
            break;
        default:
            break;
    }
}

void SdlControllers::addKeys(uint8_t* keys) const {
    for (SDL_GameController* pad : pads_) {
        PadReading reading;
        for (int b = 0; b < PadButtonCount; ++b)
            reading.buttons[b] =
                SDL_GameControllerGetButton(pad, static_cast<SDL_GameControllerButton>(b)) != 0;
        reading.leftX = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
        reading.leftY = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY);
        reading.leftTrigger = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT);
        reading.rightTrigger = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
        addPadKeys(reading, keys);
    }
}

}  // namespace platform
