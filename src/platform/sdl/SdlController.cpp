#include "platform/sdl/SdlController.h"

#include <SDL.h>

#include <algorithm>

#include "platform/Keys.h"

namespace platform {
namespace {

static_assert(static_cast<int>(PadButton::A) == SDL_CONTROLLER_BUTTON_A);
static_assert(static_cast<int>(PadButton::Start) == SDL_CONTROLLER_BUTTON_START);
static_assert(static_cast<int>(PadButton::DpadRight) == SDL_CONTROLLER_BUTTON_DPAD_RIGHT);

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
