#include <SDL.h>
#include <gtest/gtest.h>

#include <iterator>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/Keys.h"
#include "platform/sdl/SdlController.h"

namespace platform {
namespace {

std::vector<uint8_t> heldKeys(const PadReading& pad) {
    uint8_t keys[KeyStateSize] = {};
    addPadKeys(pad, keys);
    std::vector<uint8_t> held;
    for (int code = 0; code < KeyStateSize; ++code)
        if (keys[code] != 0) {
            EXPECT_EQ(keys[code], KeyDown);
            held.push_back(static_cast<uint8_t>(code));
        }
    return held;
}

// Every button alone: the key it holds (A holds Space as well) and the key press it reports.
TEST(ControllerTable, EveryButton) {
    const uint8_t holds[] = {
        key::Return,    key::LeftControl,  key::Z,  key::X,    key::Q,    0,         0, 0, 0,
        key::LeftShift, key::RightControl, key::Up, key::Down, key::Left, key::Right};
    static_assert(std::size(holds) == PadButtonCount, "one per button, in PadButton's order");
    for (int b = 0; b < PadButtonCount; ++b) {
        const auto button = static_cast<PadButton>(b);
        SCOPED_TRACE(b);
        PadReading pad;
        pad.buttons[b] = true;
        std::vector<uint8_t> keys;  // in ascending code order
        if (holds[b] != 0) keys.push_back(holds[b]);
        if (button == PadButton::A) keys.push_back(key::Space);
        EXPECT_EQ(heldKeys(pad), keys);
        EXPECT_EQ(padPressKey(button), button == PadButton::Back    ? key::Return
                                       : button == PadButton::Start ? key::Pause
                                                                    : 0);
    }
}

// The stick flies only past its dead zone, the triggers past half way; a resting pad holds nothing.
TEST(ControllerTable, StickDeadZoneAndTriggers) {
    using Case = std::tuple<int16_t, int16_t, int16_t, int16_t, std::vector<uint8_t>>;
    constexpr int16_t Edge = StickDeadZone, Past = StickDeadZone + 1;
    const Case cases[] = {{0, 0, 0, 0, {}},
                          {Edge, -Edge, 0, 0, {}},
                          {Past, 0, 0, 0, {key::Right}},
                          {-Past, 0, 0, 0, {key::Left}},
                          {0, -Past, 0, 0, {key::Up}},
                          {0, Past, 0, 0, {key::Down}},
                          {-32768, 32767, 0, 0, {key::Left, key::Down}},
                          {0, 0, TriggerThreshold, TriggerThreshold, {}},
                          {0, 0, TriggerThreshold + 1, 0, {key::LeftAlt}},
                          {0, 0, 0, 32767, {key::RightAlt}}};
    for (const auto& [x, y, leftTrigger, rightTrigger, keys] : cases) {
        SCOPED_TRACE(::testing::Message() << x << "," << y << " " << leftTrigger << "," << rightTrigger);
        EXPECT_EQ(heldKeys(PadReading{{}, x, y, leftTrigger, rightTrigger}), keys);
    }
}

// A pad hot-plugged through SDL's virtual joystick: opened, read into the keys, Start a press, closed.
TEST(SdlControllers, HotPluggedPadIsReadAndLetGo) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0);
    SdlControllers pads;
    ASSERT_TRUE(pads.open()) << SDL_GetError();
    std::vector<uint8_t> presses;
    const auto drain = [&] {
        SDL_Event sdlEvent;
        while (SDL_PollEvent(&sdlEvent) != 0) {
            Event event;
            pads.handleEvent(sdlEvent, event);
            if (event.type == EventType::KeyPress) presses.push_back(event.key);
        }
    };
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(index, 0) << SDL_GetError();
    drain();
    EXPECT_EQ(pads.count(), 1);

    SDL_Joystick* stick = SDL_JoystickOpen(index);
    ASSERT_NE(stick, nullptr);
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_START, 1);
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_X, 1);
    SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTX, SDL_JOYSTICK_AXIS_MAX);
    drain();
    uint8_t keys[KeyStateSize] = {};
    pads.addKeys(keys);
    EXPECT_EQ(presses, std::vector<uint8_t>{key::Pause});
    EXPECT_EQ(std::pair(keys[key::Z], keys[key::Right]), std::pair(KeyDown, KeyDown));

    SDL_JoystickClose(stick);
    SDL_JoystickDetachVirtual(index);
    drain();
    EXPECT_EQ(pads.count(), 0);
    pads.close();
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

}  // namespace
}  // namespace platform
