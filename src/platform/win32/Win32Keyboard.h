#pragma once
// The keyboard as the window's key messages leave it, by scan code in the game's
// numbering, read only while the window has the focus; XInput pads add their
// keys to the same state.
#include <cstdint>

#include "platform/Platform.h"
#include "platform/win32/Win32Display.h"
#include "platform/win32/XInputPads.h"

namespace platform::win32 {

class Win32Keyboard final : public Keyboard {
public:
    Win32Keyboard(const Win32Display& display, XInputPads& pads) : display_(display), pads_(pads) {}
    Win32Keyboard(const Win32Keyboard&) = delete;
    Win32Keyboard& operator=(const Win32Keyboard&) = delete;
    ~Win32Keyboard() override { close(); }

    bool create() override;
    bool createDevice() override;
    bool setDataFormat() override;
    bool setCooperativeLevel() override;
    bool acquire() override;
    void read(uint8_t* keys) override;
    void close() override;

private:
    const Win32Display& display_;
    XInputPads& pads_;
    bool created_ = false;
    bool device_ = false;
    bool formatSet_ = false;
    bool acquired_ = false;
};

}  // namespace platform::win32
