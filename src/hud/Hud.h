#pragma once
// The status display: three fonts, the one text operation, the fading message
// line, and the bars and read-outs drawn over every frame.
#include <cstdint>

#include "platform/Platform.h"
#include "world/MessageLine.h"

namespace glintwake {

class Player;

constexpr double MessageDuration = 4.0;

enum FontIndex : int32_t { SmallFont = 0, MediumFont = 1, LargeFont = 2, FontCount = 3 };

class Hud {
public:
    Hud();
    ~Hud();
    Hud(const Hud&) = delete;
    Hud& operator=(const Hud&) = delete;

    // Opens the face at the height of the FontIndex sizeIndex and keeps it under that index.
    void createFont(const char* face, int32_t sizeIndex);
    // The sign of x and y choose the alignment: x < 0 centres on |x|; else y < 0
    // puts the right edge on x; otherwise the left edge. The top is at |y|.
    void drawText(int32_t x, int32_t y, const char* text, int32_t fontIndex, platform::ColorRef color);
    // Replaces the message line (cut to 29 characters) and shows it for 4 seconds.
    void setMessage(const char* text);
    void draw(double dt, const Player* player);

    const char* getMessage() const { return message; }
    double getMessageTime() const { return messageTime; }

private:
    platform::FontHandle fontFor(int32_t fontIndex) const;
    // Draws the message in its fading green and counts its time down.
    void drawMessageLine(double dt);
    void drawWeaponReadouts(const Player& player);

    platform::FontHandle fonts[FontCount] = {platform::NoFont, platform::NoFont, platform::NoFont};
    char* message = nullptr;
    double messageTime = 0.0;
};

}  // namespace glintwake
