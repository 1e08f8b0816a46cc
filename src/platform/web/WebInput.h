#pragma once
// What the page hears from the player: DOM key events latched until a frame
// reads them, focus and visibility, and the first key or click (which lets the
// page make sound). Events for the loop wait in a queue.
#include <cstdint>
#include <deque>
#include <functional>

#include "platform/Keys.h"
#include "platform/Platform.h"

namespace platform {

class WebInput {
public:
    WebInput() = default;
    WebInput(const WebInput&) = delete;
    WebInput& operator=(const WebInput&) = delete;
    ~WebInput();

    // Starts listening on the page; false where the page gives no events.
    bool listen();
    void stop();
    bool listening() const { return listening_; }

    // Called inside the player's first key or click, where a page may start sound.
    void setOnGesture(std::function<void()> onGesture) { onGesture_ = std::move(onGesture); }

    bool pollEvent(Event& event);
    void push(const Event& event) { events_.push_back(event); }

    // Fills the 256-byte state: keys held now, and keys pressed since the last
    // read even if already let go. Everything reads up without focus.
    void readKeys(uint8_t* keys);
    bool focused() const { return focused_ && visible_; }

    // --- the page's callbacks, also used by the tests
    // True when the page must not act on the key itself.
    bool keyDown(const char* domCode, bool repeat);
    bool keyUp(const char* domCode);
    void gesture();
    void focusChanged(bool focused);
    void visibilityChanged(bool visible);

private:
    void releaseAll();

    std::deque<Event> events_;
    uint8_t held_[KeyStateSize] = {};
    uint8_t latched_[KeyStateSize] = {};
    bool focused_ = true;
    bool visible_ = true;
    bool listening_ = false;
    bool gestureSeen_ = false;
    std::function<void()> onGesture_;
};

}  // namespace platform
