#include "platform/sdl/SdlKeyboard.h"

#include <SDL.h>

#include <cstring>

#include "platform/Keys.h"
#include "platform/sdl/KeyTable.h"

namespace platform {

SdlKeyboard::~SdlKeyboard() {
    close();
}

// Key states arrive through SDL's event queue, so the keyboard needs it running.
bool SdlKeyboard::create() {
    if (!eventsStarted_) eventsStarted_ = SDL_InitSubSystem(SDL_INIT_EVENTS) == 0;
    // A machine without controller support still has a keyboard.
    if (eventsStarted_) controllers_.open();
    return eventsStarted_;
}

bool SdlKeyboard::createDevice() {
    if (!eventsStarted_) return false;
    sdlKeys_ = SDL_GetKeyboardState(&sdlKeyCount_);
    return sdlKeys_ != nullptr && sdlKeyCount_ > 0;
}

// The 256-byte state is our own format; it needs only a device to fill it from.
bool SdlKeyboard::setDataFormat() {
    formatSet_ = sdlKeys_ != nullptr;
    return formatSet_;
}

// Foreground reading needs a window whose focus it follows.
bool SdlKeyboard::setCooperativeLevel() {
    return formatSet_ && display_.hasWindow();
}

bool SdlKeyboard::acquire() {
    acquired_ = formatSet_;
    return acquired_;
}

// The loop drains the event queue before each read, which brings SDL's state up to date.
void SdlKeyboard::read(uint8_t* keys) {
    if (!acquired_) {
        std::memset(keys, 0, KeyStateSize);
        return;
    }
    fillGameKeyState(sdlKeys_, sdlKeyCount_, display_.hasKeyboardFocus(), keys);
    if (display_.hasKeyboardFocus()) controllers_.addKeys(keys);
}

void SdlKeyboard::close() {
    acquired_ = false;
    formatSet_ = false;
    sdlKeys_ = nullptr;
    sdlKeyCount_ = 0;
    controllers_.close();
    if (eventsStarted_) SDL_QuitSubSystem(SDL_INIT_EVENTS);
    eventsStarted_ = false;
}

}  // namespace platform
