#include "platform/web/WebInput.h"

#include <emscripten/html5.h>

#include <cstring>

#include "platform/web/WebKeyTable.h"

namespace platform {
namespace {

const char* const Window = EMSCRIPTEN_EVENT_TARGET_WINDOW;

EM_BOOL onKeyDown(int, const EmscriptenKeyboardEvent* e, void* self) {
    return static_cast<WebInput*>(self)->keyDown(e->code, e->repeat != 0) ? EM_TRUE : EM_FALSE;
}

EM_BOOL onKeyUp(int, const EmscriptenKeyboardEvent* e, void* self) {
    return static_cast<WebInput*>(self)->keyUp(e->code) ? EM_TRUE : EM_FALSE;
}

EM_BOOL onMouseDown(int, const EmscriptenMouseEvent*, void* self) {
    static_cast<WebInput*>(self)->gesture();
    return EM_FALSE;
}

EM_BOOL onFocus(int type, const EmscriptenFocusEvent*, void* self) {
    static_cast<WebInput*>(self)->focusChanged(type == EMSCRIPTEN_EVENT_FOCUS);
    return EM_FALSE;
}

EM_BOOL onVisibility(int, const EmscriptenVisibilityChangeEvent* e, void* self) {
    static_cast<WebInput*>(self)->visibilityChanged(e->hidden == 0);
    return EM_FALSE;
}

}  // namespace

WebInput::~WebInput() {
    stop();
}

bool WebInput::listen() {
    if (listening_) return true;
    const bool keys =
        emscripten_set_keydown_callback(Window, this, EM_TRUE, onKeyDown) == EMSCRIPTEN_RESULT_SUCCESS &&
        emscripten_set_keyup_callback(Window, this, EM_TRUE, onKeyUp) == EMSCRIPTEN_RESULT_SUCCESS;
    if (!keys) return false;
    emscripten_set_mousedown_callback(Window, this, EM_TRUE, onMouseDown);
    emscripten_set_focus_callback(Window, this, EM_TRUE, onFocus);
    emscripten_set_blur_callback(Window, this, EM_TRUE, onFocus);
    emscripten_set_visibilitychange_callback(this, EM_TRUE, onVisibility);
    EmscriptenVisibilityChangeEvent visibility{};
    if (emscripten_get_visibility_status(&visibility) == EMSCRIPTEN_RESULT_SUCCESS)
        visible_ = visibility.hidden == 0;
    listening_ = true;
    return true;
}

void WebInput::stop() {
    if (!listening_) return;
    emscripten_set_keydown_callback(Window, nullptr, EM_TRUE, nullptr);
    emscripten_set_keyup_callback(Window, nullptr, EM_TRUE, nullptr);
    emscripten_set_mousedown_callback(Window, nullptr, EM_TRUE, nullptr);
    emscripten_set_focus_callback(Window, nullptr, EM_TRUE, nullptr);
    emscripten_set_blur_callback(Window, nullptr, EM_TRUE, nullptr);
    emscripten_set_visibilitychange_callback(nullptr, EM_TRUE, nullptr);
    listening_ = false;
    releaseAll();
}

bool WebInput::pollEvent(Event& event) {
    if (events_.empty()) return false;
    event = events_.front();
    events_.pop_front();
    return true;
}

bool WebInput::keyDown(const char* domCode, bool repeat) {
    gesture();
    const uint8_t code = gameKeyForDomCode(domCode);
    if (code == 0) return false;
    if (!repeat) {
        held_[code] = KeyDown;
        latched_[code] = KeyDown;
        events_.push_back(Event{EventType::KeyPress, code});
    }
    return pageKeepsKey(code);
}

bool WebInput::keyUp(const char* domCode) {
    const uint8_t code = gameKeyForDomCode(domCode);
    if (code == 0) return false;
    held_[code] = 0;  // a tap shorter than a frame is still latched for the next read
    return pageKeepsKey(code);
}

void WebInput::gesture() {
    if (gestureSeen_) return;
    gestureSeen_ = true;
    if (onGesture_) onGesture_();
}

void WebInput::focusChanged(bool focused) {
    if (focused == focused_) return;
    focused_ = focused;
    if (!focused) releaseAll();
    events_.push_back(Event{focused ? EventType::FocusGained : EventType::FocusLost});
}

void WebInput::visibilityChanged(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    if (!visible) releaseAll();
    events_.push_back(Event{visible ? EventType::FocusGained : EventType::FocusLost});
}

// Keys let go while the page could not hear them must not stay held.
void WebInput::releaseAll() {
    std::memset(held_, 0, sizeof held_);
    std::memset(latched_, 0, sizeof latched_);
}

void WebInput::readKeys(uint8_t* keys) {
    if (!focused()) {
        std::memset(keys, 0, KeyStateSize);
        return;
    }
    for (int i = 0; i < KeyStateSize; ++i) keys[i] = held_[i] | latched_[i];
    std::memset(latched_, 0, sizeof latched_);
}

}  // namespace platform
