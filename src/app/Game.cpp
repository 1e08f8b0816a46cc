#include "app/Game.h"

#include "app/Comforts.h"
#include "app/FrameSchedule.h"
#include "app/FrameUpdate.h"
#include "app/GameReset.h"
#include "app/ImageTable.h"
#include "app/SteppedGame.h"
#include "core/Random.h"
#include "effects/Starfield.h"
#include "hud/Hud.h"
#include "player/Player.h"
#include "shop/Shop.h"
#include "world/GameState.h"

namespace glintwake {

namespace {

// Start-up's failures store their text (or none) and end start-up.
bool fail(const char* text) {
    g_errorMessage = text;
    return false;
}

struct DisplayStep {
    bool (platform::Display::*run)();
    const char* failure;
};

// The display's steps after the video start, each with the text that names its
// failure.
constexpr DisplayStep DisplaySteps[] = {
    {&platform::Display::createWindow, "Error Creating Window"},
    {&platform::Display::createRenderer, "DirectDrawCreate FAILED"},
    {&platform::Display::enterFullScreen, "SetCooperativeLevel FAILED"},
    {&platform::Display::setLogicalSize, "SetDisplayMode FAILED"},
    {&platform::Display::createTexture, "CreateSurface FAILED"},
};

struct KeyboardStep {
    bool (platform::Keyboard::*run)();
    const char* failure;
};

constexpr KeyboardStep KeyboardSteps[] = {
    {&platform::Keyboard::createDevice, "Input Device Create FAILED"},
    {&platform::Keyboard::setDataFormat, "Input Device Format FAILED"},
    {&platform::Keyboard::setCooperativeLevel, "SetCooperativeLevel FAILED"},
    {&platform::Keyboard::acquire, "Device Acquisition FAILED"},
};

bool openDisplay(platform::Display& display) {
    if (!display.startVideo()) return fail("Error Registering Window Class");
    g_displayOpen = true;
    // The window is shown as it is created; there is no separate show step.
    for (const DisplayStep& step : DisplaySteps) {
        if (!(display.*step.run)()) return fail(step.failure);
    }
    g_backBuffer = display.createBackBuffer();
    if (g_backBuffer == nullptr) return fail("GetAttachedSurface FAILED");
    return true;
}

bool openKeyboard(platform::Keyboard& keyboard) {
    if (!keyboard.create()) return fail("DirectInputCreate FAILED");
    g_keyboardOpen = true;
    for (const KeyboardStep& step : KeyboardSteps) {
        if (!(keyboard.*step.run)()) return fail(step.failure);
    }
    return true;
}

bool createWorld() {
    g_player = makeObject<Player>(StartupAllocation::Player);
    if (g_player == nullptr) return fail("Error creating Player");
    g_shots = makeObjectList<Projectile>(StartupAllocation::Shots, MaxShots);
    if (g_shots == nullptr) return fail("Error allocating weapon array");
    g_enemies = makeObjectList<Enemy>(StartupAllocation::Enemies, MaxEnemies);
    if (g_enemies == nullptr) return fail("Error allocating sprite array");
    // The remaining allocations have never had a text of their own.
    g_effects = makeObjectList<Effect>(StartupAllocation::Effects, MaxEffects);
    if (g_effects == nullptr) return false;
    g_powerUps = makeObjectList<PowerUp>(StartupAllocation::PowerUps, MaxPowerUps);
    if (g_powerUps == nullptr) return false;
    g_hud = makeObject<Hud>(StartupAllocation::Hud);
    if (g_hud == nullptr) return false;
    g_shop = makeObject<Shop>(StartupAllocation::Shop);
    return g_shop != nullptr;
}

}  // namespace

void failStartupAllocation(StartupAllocation which) {
    g_failingAllocation = which;
}

bool initialize(platform::Platform& platform) {
    g_platform = &platform;
    // The star table draws random numbers, so it must come before anything else that does.
    initStarfield();
    resetWorldCounters();
    if (!openDisplay(platform.display())) return false;
    if (!loadImages()) return false;  // it has stored its failure text
    if (!openKeyboard(platform.keyboard())) return false;
    if (!createWorld()) return false;
    platform.audio().open();  // without a sound device the game simply runs silent
    return true;
}

bool startNewGame(platform::Platform& platform) {
    deletePlayObjects();
    seedRandom(platform.clock().milliseconds());
    initStarfield();
    resetWorldCounters();
    return createWorld();
}

void shutdown() {
    deleteWorldObjects();
    if (g_platform != nullptr) {
        g_platform->audio().close();
        if (g_displayOpen) g_platform->display().close();
        if (g_keyboardOpen) g_platform->keyboard().close();
    }
    g_backBuffer = nullptr;
    g_displayOpen = false;
    g_keyboardOpen = false;
    // Shown last, once the screen has been given back.
    if (g_errorMessage != nullptr && g_platform != nullptr) {
        g_platform->messageBox().show(MessageBoxCaption, g_errorMessage);
    }
    g_errorMessage = nullptr;
    g_platform = nullptr;
}

int runGame(platform::Platform& platform) {
    SteppedGame game(platform);
    if (game.start()) game.runToQuit();
    return game.finish();
}

}  // namespace glintwake
