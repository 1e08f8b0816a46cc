#include <SDL.h>
#include <gtest/gtest.h>

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

// Every button alone: the keys it holds and the key press it reports.
TEST(ControllerTable, EveryButton) {
    struct Case {
        PadButton button;
        std::vector<uint8_t> keys;  // in ascending code order
        uint8_t press;
    };
    const std::vector<Case> cases = {
        {PadButton::A, {key::Return, key::Space}, 0},
        {PadButton::B, {key::LeftControl}, 0},
        {PadButton::X, {key::Z}, 0},
        {PadButton::Y, {key::X}, 0},
        {PadButton::Back, {key::Q}, key::Return},
        {PadButton::Guide, {}, 0},
        {PadButton::Start, {}, key::Pause},
        {PadButton::LeftStick, {}, 0},
        {PadButton::RightStick, {}, 0},
        {PadButton::LeftShoulder, {key::LeftShift}, 0},
        {PadButton::RightShoulder, {key::RightControl}, 0},
        {PadButton::DpadUp, {key::Up}, 0},
        {PadButton::DpadDown, {key::Down}, 0},
        {PadButton::DpadLeft, {key::Left}, 0},
        {PadButton::DpadRight, {key::Right}, 0},
    };
    ASSERT_EQ(cases.size(), static_cast<size_t>(PadButtonCount));
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.button));
        PadReading pad;
        pad.buttons[static_cast<int>(c.button)] = true;
        EXPECT_EQ(heldKeys(pad), c.keys);
        EXPECT_EQ(padPressKey(c.button), c.press);
    }
}

// The stick flies only past its dead zone, the triggers past half way; a resting
// pad holds nothing.
TEST(ControllerTable, StickDeadZoneAndTriggers) {
    struct Case {
        int16_t x, y, leftTrigger, rightTrigger;
        std::vector<uint8_t> keys;
    };
    constexpr int16_t Edge = StickDeadZone, Past = StickDeadZone + 1;
    const std::vector<Case> cases = {
        {0, 0, 0, 0, {}},
        {Edge, -Edge, 0, 0, {}},
        {Past, 0, 0, 0, {key::Right}},
        {-Past, 0, 0, 0, {key::Left}},
        {0, -Past, 0, 0, {key::Up}},
        {0, Past, 0, 0, {key::Down}},
        {-32768, 32767, 0, 0, {key::Left, key::Down}},
        {0, 0, TriggerThreshold, TriggerThreshold, {}},
        {0, 0, TriggerThreshold + 1, 0, {key::LeftAlt}},
        {0, 0, 0, 32767, {key::RightAlt}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.x << "," << c.y << " " << c.leftTrigger << "," << c.rightTrigger);
        PadReading pad;
        pad.leftX = c.x;
        pad.leftY = c.y;
        pad.leftTrigger = c.leftTrigger;
        pad.rightTrigger = c.rightTrigger;
        EXPECT_EQ(heldKeys(pad), c.keys);
    }
}

// A pad plugged in and out while the game runs, through SDL's virtual joystick:
// opened as it comes, read into the key state, Start reported as a press, closed as it goes.
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
    EXPECT_EQ(keys[key::Z], KeyDown);
    EXPECT_EQ(keys[key::Right], KeyDown);

    SDL_JoystickClose(stick);
    SDL_JoystickDetachVirtual(index);
    drain();
    EXPECT_EQ(pads.count(), 0);
    pads.close();
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

}  // namespace
}  // namespace platform
