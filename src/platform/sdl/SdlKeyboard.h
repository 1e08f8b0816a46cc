#pragma once
// The system keyboard through SDL's key state, translated to the game's key
// codes and read only while the game's window has keyboard focus.
#include <cstdint>

#include "platform/Platform.h"
#include "platform/sdl/SdlDisplay.h"

namespace platform {

class SdlKeyboard final : public Keyboard {
public:
    explicit SdlKeyboard(const SdlDisplay& display) : display_(display) {}
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
    bool eventsStarted_ = false;
    const uint8_t* sdlKeys_ = nullptr;
    int sdlKeyCount_ = 0;
    bool formatSet_ = false;
    bool acquired_ = false;
};

}  // namespace platform
