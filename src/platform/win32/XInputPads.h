#pragma once
// Game pads through XInput, plugged in before or during play: the stick, D-pad
// and buttons fill the same key state the keyboard does, with the mapping every
// backend shares; Start and Back also arrive as key presses. XInput is loaded
// when the keyboard starts, so a system without it only has no pads.
#include <array>
#include <cstdint>
#include <deque>

#include "platform/Platform.h"
#include "platform/win32/XInputMapping.h"

namespace platform::win32 {

class XInputPads {
public:
    static constexpr int MaxPads = 4;  // XInput's user slots

    XInputPads() = default;
    XInputPads(const XInputPads&) = delete;
    XInputPads& operator=(const XInputPads&) = delete;
    ~XInputPads() { close(); }

    bool open();
    void close();
    // Looks at the pads (not more often than every few milliseconds, and at empty
    // slots about once a second) and adds a key press for each Start or Back pressed.
    void poll(std::deque<Event>& events);
    // Adds the keys every connected pad holds now.
    void addKeys(uint8_t* keys);
    int count() const;

private:
    struct Slot {
        bool connected = false;
        XInputState state;             // the latest look
        uint16_t reportedButtons = 0;  // buttons when presses were last looked for
        uint32_t nextLookMs = 0;       // when an empty slot is looked at again
    };
    using GetStateFn = uint32_t(__stdcall*)(uint32_t, void*);

    bool read(int index, uint32_t nowMs);

    void* library_ = nullptr;  // HMODULE
    GetStateFn getState_ = nullptr;
    std::array<Slot, MaxPads> slots_{};
    uint32_t lastPollMs_ = 0;
};

}  // namespace platform::win32
