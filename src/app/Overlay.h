#pragma once
// What the comforts draw over the game's picture: the dimmed, frozen picture
// with "Paused" or the key help, and the line that says the ship is destroyed.
#include <cstdint>
#include <memory>

#include "platform/Platform.h"

namespace glintwake {

constexpr const char* PausedText = "Paused";
constexpr const char* PausedKeysText = "P: go on     F1: keys     Esc: quit";
constexpr const char* DestroyedText = "Your ship is destroyed. Press Enter for a new game.";

// One row of the key help: the key and what it does.
struct HelpRow {
    const char* keys;
    const char* action;
};
extern const HelpRow HelpRows[];
extern const int32_t HelpRowCount;

class Overlay {
public:
    explicit Overlay(platform::TextRenderer& text) : text_(text) {}
    ~Overlay();
    Overlay(const Overlay&) = delete;
    Overlay& operator=(const Overlay&) = delete;

    // Keeps a dimmed copy of the picture as it stands, to draw the pause over.
    void capture(const platform::Surface& picture);
    // The frozen picture with "Paused" and its keys, or with the key help.
    void drawPaused(platform::Surface& target, bool help);
    void drawDestroyed(platform::Surface& target);

private:
    enum FontSlot { TitleFont, BodyFont, FontSlots };
    platform::FontHandle font(FontSlot slot);
    void drawHelp(platform::Surface& target);

    platform::TextRenderer& text_;
    platform::FontHandle fonts_[FontSlots] = {platform::NoFont, platform::NoFont};
    bool fontsMade_ = false;
    std::unique_ptr<platform::Surface> frozen_;
};

}  // namespace glintwake
