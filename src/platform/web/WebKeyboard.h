#pragma once
// The keyboard of the page: keys latched by WebInput, read once a frame into the
// game's 256-byte state, with the game pads' keys added.
#include <cstdint>

#include "platform/Platform.h"
#include "platform/web/WebGamepads.h"
#include "platform/web/WebInput.h"

namespace platform {

class WebKeyboard final : public Keyboard {
public:
    explicit WebKeyboard(WebInput& input) : input_(input), pads_(input) {}

    bool create() override;
    bool createDevice() override;
    bool setDataFormat() override;
    bool setCooperativeLevel() override;
    bool acquire() override;
    void read(uint8_t* keys) override;
    void close() override;

private:
    WebInput& input_;
    WebGamepads pads_;
    bool created_ = false;
    bool device_ = false;
    bool format_ = false;
    bool acquired_ = false;
};

}  // namespace platform
