#pragma once
// The system keyboard through SDL's key state, translated to the game's key
// codes and read only while the game's window has keyboard focus. Game
// controllers add their keys to the same state.
#include <cstdint>

#include "platform/Platform.h"
#include "platform/sdl/SdlController.h"
#include "platform/sdl/SdlDisplay.h"

namespace platform {

class SdlKeyboard final : public Keyboard {
public:
    SdlKeyboard(const SdlDisplay& display, SdlControllers& controllers)
        : display_(display), controllers_(controllers) {}
    SdlKeyboard(const SdlKeyboard&) = delete;
    SdlKeyboard& operator=(const SdlKeyboard&) = delete;
    ~SdlKeyboard() override;

    bool create() override;
    bool createDevice() override;
    bool setDataFormat() override;
    bool setCooperativeLevel() override;
    bool acquire() override;
    void read(uint8_t* keys) override;
    void close() override;

private:
    const SdlDisplay& display_;
    SdlControllers& controllers_;
    bool eventsStarted_ = false;
    const uint8_t* sdlKeys_ = nullptr;
    int sdlKeyCount_ = 0;
    bool formatSet_ = false;
    bool acquired_ = false;
};

}  // namespace platform
