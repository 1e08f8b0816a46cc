#include "app/Comforts.h"

#include <utility>

#include "app/Game.h"
#include "platform/Keys.h"
#include "player/Player.h"
#include "shop/Shop.h"

namespace glintwake {

namespace key = platform::key;

namespace {

bool shopIsOpen() {
    return g_shop != nullptr && g_shop->isActive();
}

bool shipIsDestroyed() {
    return g_player != nullptr && g_player->getHealth() <= 0;
}

}  // namespace

Comforts::Comforts(platform::Platform& platform) : platform_(platform), overlay_(platform.text()) {
    g_frameOverlay = this;
    pause_.setListener([this](bool paused) {
        platform_.audio().setPaused(paused);
        // A pause chosen after the Escape, before its frame, keeps the game.
        if (paused) escapePressed_ = false;
    });
}

Comforts::~Comforts() {
    if (g_frameOverlay == this) g_frameOverlay = nullptr;
}

void Comforts::onEvent(const platform::Event& event) {
    switch (event.type) {
        case platform::EventType::KeyPress:
            onKeyPress(event.key);
            break;
        case platform::EventType::FocusLost:
            pause_.pause();
            redraw_ = true;
            break;
        default:
            if (pause_.isPaused()) redraw_ = true;
            break;
    }
}

void Comforts::onKeyPress(uint8_t code) {
    switch (code) {
        case key::P:
        case key::Pause:
            pause_.toggle();
            break;
        case key::F1:
            pause_.showsHelp() ? pause_.closeHelp() : pause_.showHelp();
            break;
        case key::Escape:
            // While the game runs, Escape ends it at the next frame, as if held then.
            if (pause_.showsHelp()) {
                pause_.closeHelp();
            } else if (pause_.isPaused()) {
                platform_.display().requestClose();
            } else {
                escapePressed_ = true;
            }
            break;
        case key::F11:
            toggleWindow();
            break;
        case key::M:
            platform_.audio().setMuted(!platform_.audio().isMuted());
            break;
        case key::Return:
            if (altReturnSwitchesWindow()) {
                toggleWindow();
            } else if (!pause_.isPaused()) {
                startNewGameIfDestroyed();
            }
            break;
        default:
            return;
    }
    redraw_ = true;
}

// Alt+Enter, except while left Alt fires both guns or Enter buys in the shop.
bool Comforts::altReturnSwitchesWindow() {
    uint8_t held[platform::KeyStateSize] = {};
    platform_.keyboard().read(held);
    const bool leftAlt = platform::isKeyDown(held, key::LeftAlt);
    const bool rightAlt = platform::isKeyDown(held, key::RightAlt);
    if (!leftAlt && !rightAlt) return false;
    if (leftAlt && platform::isKeyDown(held, key::Space)) return false;
    return !shopIsOpen();
}

void Comforts::toggleWindow() {
    platform::Display& display = platform_.display();
    display.setWindowed(!display.isWindowed());
}

void Comforts::startNewGameIfDestroyed() {
    if (!shipIsDestroyed() || shopIsOpen()) return;
    // Only a heap too small for the new objects stops it; that ends the game with its text.
    if (!startNewGame(platform_)) platform_.display().requestClose();
}

bool Comforts::takeEscapePress() {
    return std::exchange(escapePressed_, false);
}

void Comforts::onStall() {
    pause_.pause();
    redraw_ = true;
}

void Comforts::waitWhilePaused() {
    const uint32_t now = platform_.clock().milliseconds();
    const uint32_t since = now - lastDrawMilliseconds_;
    if ((redraw_ && since >= PausedRedrawMilliseconds) || since >= PausedRefreshMilliseconds) {
        drawPausedPicture();
        redraw_ = false;
        lastDrawMilliseconds_ = now;
    }
    platform_.clock().sleepMicroseconds(PausedSleepMicroseconds);
}

void Comforts::drawPausedPicture() {
    if (g_backBuffer == nullptr) return;
    // The back buffer still holds the last frame; once drawn over, it holds the pause.
    if (newPicture_) {
        overlay_.capture(*g_backBuffer);
        newPicture_ = false;
    }
    overlay_.drawPaused(*g_backBuffer, pause_.showsHelp());
    platform_.display().present();
}

void Comforts::drawOver(Surface& picture) {
    newPicture_ = true;
    if (shipIsDestroyed() && !shopIsOpen()) overlay_.drawDestroyed(picture);
}

}  // namespace glintwake
