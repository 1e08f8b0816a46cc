#include "platform/win32/XInputPads.h"

#include <windows.h>
#undef MessageBox
#include <xinput.h>

#include <array>

namespace platform::win32 {
namespace {

// The newest XInput first; 9.1.0 is on every Windows since Vista.
constexpr std::array<const char*, 3> XInputLibraries = {"xinput1_4.dll", "xinput1_3.dll", "xinput9_1_0.dll"};
constexpr uint32_t PollIntervalMs = 4;
// Asking an empty slot costs real time on some systems: once a second is enough
// to notice a pad being plugged in.
constexpr uint32_t EmptySlotIntervalMs = 1000;

bool due(uint32_t nowMs, uint32_t atMs) {
    return static_cast<int32_t>(nowMs - atMs) >= 0;
}

}  // namespace

bool XInputPads::open() {
    if (getState_ != nullptr) return true;
    for (const char* name : XInputLibraries) {
        HMODULE library = LoadLibraryA(name);
        if (library == nullptr) continue;
        auto getState =
            reinterpret_cast<GetStateFn>(reinterpret_cast<void*>(GetProcAddress(library, "XInputGetState")));
        if (getState == nullptr) {
            FreeLibrary(library);
            continue;
        }
        library_ = library;
        getState_ = getState;
        return true;
    }
    return false;
}

void XInputPads::close() {
    getState_ = nullptr;
    if (library_ != nullptr) FreeLibrary(static_cast<HMODULE>(library_));
    library_ = nullptr;
    slots_ = {};
}

bool XInputPads::read(int index, uint32_t nowMs) {
    Slot& slot = slots_[static_cast<size_t>(index)];
    if (!slot.connected && !due(nowMs, slot.nextLookMs)) return false;
    XINPUT_STATE state{};
    if (getState_(static_cast<uint32_t>(index), &state) != ERROR_SUCCESS) {
        slot = Slot{};
        slot.nextLookMs = nowMs + EmptySlotIntervalMs;
        return false;
    }
    slot.connected = true;
    slot.state = XInputState{state.Gamepad.wButtons, state.Gamepad.bLeftTrigger, state.Gamepad.bRightTrigger,
                             state.Gamepad.sThumbLX, state.Gamepad.sThumbLY};
    return true;
}

void XInputPads::poll(std::deque<Event>& events) {
    if (getState_ == nullptr) return;
    const uint32_t now = GetTickCount();
    if (!due(now, lastPollMs_ + PollIntervalMs)) return;
    lastPollMs_ = now;
    for (int i = 0; i < MaxPads; ++i) {
        if (!read(i, now)) continue;
        Slot& slot = slots_[static_cast<size_t>(i)];
        std::array<uint8_t, PadButtonCount> codes{};
        const int pressed = pressKeysFromXInput(slot.reportedButtons, slot.state.buttons, codes.data());
        slot.reportedButtons = slot.state.buttons;
        for (int p = 0; p < pressed; ++p)
            events.push_back(Event{EventType::KeyPress, codes[static_cast<size_t>(p)]});
    }
}

void XInputPads::addKeys(uint8_t* keys) {
    if (getState_ == nullptr) return;
    const uint32_t now = GetTickCount();
    for (int i = 0; i < MaxPads; ++i) {
        // Only pads already found are read afresh; poll looks for new ones.
        if (!slots_[static_cast<size_t>(i)].connected || !read(i, now)) continue;
        addPadKeys(padReadingFromXInput(slots_[static_cast<size_t>(i)].state), keys);
    }
}

int XInputPads::count() const {
    int connected = 0;
    for (const Slot& slot : slots_) connected += slot.connected ? 1 : 0;
    return connected;
}

}  // namespace platform::win32
