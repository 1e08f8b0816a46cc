#include "platform/win32/Win32Keyboard.h"

#include <algorithm>
#include <cstring>

#include "platform/Keys.h"

namespace platform::win32 {

// A machine without XInput still has a keyboard.
bool Win32Keyboard::create() {
    created_ = true;
    pads_.open();
    return true;
}

// The keys come from the window's messages, so the device is the window.
bool Win32Keyboard::createDevice() {
    device_ = created_ && display_.hasWindow();
    return device_;
}

bool Win32Keyboard::setDataFormat() {
    formatSet_ = device_;
    return formatSet_;
}

bool Win32Keyboard::setCooperativeLevel() {
    return formatSet_ && display_.hasWindow();
}

bool Win32Keyboard::acquire() {
    acquired_ = formatSet_;
    return acquired_;
}

// The loop drains the message queue before each read, which brings the state up to date.
void Win32Keyboard::read(uint8_t* keys) {
    std::memset(keys, 0, KeyStateSize);
    if (!acquired_ || !display_.hasKeyboardFocus()) return;
    const auto& held = display_.heldKeys();
    std::copy(held.begin(), held.end(), keys);
    pads_.addKeys(keys);
}

void Win32Keyboard::close() {
    acquired_ = false;
    formatSet_ = false;
    device_ = false;
    created_ = false;
    pads_.close();
}

}  // namespace platform::win32
