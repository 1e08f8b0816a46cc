#include "platform/web/WebKeyboard.h"

#include <cstring>

#include "platform/Keys.h"

namespace platform {

// Key events reach the page once it listens, which the display's start began.
bool WebKeyboard::create() {
    created_ = input_.listening();
    return created_;
}

bool WebKeyboard::createDevice() {
    device_ = created_;
    return device_;
}

bool WebKeyboard::setDataFormat() {
    format_ = device_;
    return format_;
}

bool WebKeyboard::setCooperativeLevel() {
    return format_;
}

bool WebKeyboard::acquire() {
    acquired_ = format_;
    return acquired_;
}

void WebKeyboard::read(uint8_t* keys) {
    if (!acquired_) {
        std::memset(keys, 0, KeyStateSize);
        return;
    }
    input_.readKeys(keys);
    if (input_.focused()) pads_.addKeys(keys);
}

void WebKeyboard::close() {
    acquired_ = false;
    format_ = false;
    device_ = false;
    created_ = false;
}

}  // namespace platform
