#include "hud/Hud.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/FloorToInt.h"
#include "core/GameObject.h"
#include "player/Player.h"
#include "world/GameState.h"

namespace glintwake {

namespace {

using platform::ColorRef;

constexpr int32_t FontHeights[FontCount] = {7, 15, 20};  // by FontIndex
constexpr const char* SerifFace = "Times New Roman";
constexpr const char* SmallFace = "Small Fonts";
constexpr const char* StartMessage = "Start!";

// Numbers are printed into a buffer this size; longer results are cut, never overrun.
constexpr size_t NumberCapacity = 10;

constexpr int32_t BarWidth = 60;
constexpr int32_t BarHeight = 26;
constexpr int32_t BarTop = 2;
constexpr int32_t HealthBarLeft = 2;
constexpr int32_t ShieldBarLeft = 72;
constexpr double HealthScale = 100.0;
constexpr double Percent = 100.0;

constexpr int32_t ValueTop = 17;
constexpr int32_t HealthValueCentre = 31;
constexpr int32_t ShieldValueCentre = 101;
constexpr ColorRef HealthValueColour = platform::makeColorRef(0xFF, 0x40, 0x40);
constexpr ColorRef ShieldValueColour = platform::makeColorRef(0x80, 0x80, 0xFF);

constexpr int32_t MessageLeft = 5;
constexpr int32_t MessageTop = 460;
constexpr int32_t MaxChannel = 255;
constexpr double FullGreen = MaxChannel;

constexpr int32_t WeaponCount = 3;
constexpr int32_t WeaponLefts[WeaponCount] = {500, 550, 600};
constexpr int32_t AmmoOffset = 15;
constexpr int32_t IconTop = 2;
constexpr int32_t LevelTop = 19;
constexpr platform::Rect IconSource{0, 0, 12, 19};
constexpr ColorRef AmmoColour = platform::makeColorRef(0xFF, 0, 0);
constexpr ColorRef LevelColour = platform::makeColorRef(0, 0xFF, 0);

constexpr int32_t WaveCentre = 320;
constexpr int32_t WaveTop = 2;
constexpr ColorRef WaveColour = platform::makeColorRef(0, 0, 0xFF);

// Any index but the large and medium ones names the small font.
int32_t fontSlot(int32_t fontIndex) {
    return fontIndex == LargeFont || fontIndex == MediumFont ? fontIndex : SmallFont;
}

int32_t magnitude(int32_t v) {
    return v < 0 ? (v == INT32_MIN ? INT32_MAX : -v) : v;
}

constexpr auto blit = &GameObject::drawImage;

// The full picture for the filled columns, the empty picture for the rest.
void drawBar(Surface* full, int32_t left, double ratio) {
    int32_t fill = floorToInt(ratio * BarWidth);
    if (fill < 0) fill = 0;
    // A value above its maximum would ask for columns the picture does not have.
    if (fill > BarWidth) fill = BarWidth;
    if (fill > 0) blit(full, left, BarTop, platform::Rect{0, 0, fill, BarHeight});
    if (fill < BarWidth)
        blit(g_imgStatusBarEmpty, left + fill, BarTop, platform::Rect{fill, 0, BarWidth, BarHeight});
}

}  // namespace

Hud::Hud() {
    createFont(SerifFace, LargeFont);
    createFont(SerifFace, MediumFont);
    createFont(SmallFace, SmallFont);
    message = new char[MessageCapacity];
    setMessage(StartMessage);
}

Hud::~Hud() {
    if (g_platform != nullptr) {
        platform::TextRenderer& text = g_platform->text();
        for (int32_t i = FontCount - 1; i >= 0; --i) {  // large, medium, small
            if (fonts[i] != platform::NoFont) text.deleteFont(fonts[i]);
        }
    }
    delete[] message;
    message = nullptr;
}

void Hud::createFont(const char* face, int32_t sizeIndex) {
    if (g_platform == nullptr || face == nullptr) return;
    const int32_t slot = fontSlot(sizeIndex);
    fonts[slot] = g_platform->text().createFont(face, FontHeights[slot]);
}

platform::FontHandle Hud::fontFor(int32_t fontIndex) const {
    return fonts[fontSlot(fontIndex)];
}

void Hud::drawText(int32_t x, int32_t y, const char* text, int32_t fontIndex, platform::ColorRef color) {
    if (g_platform == nullptr || g_backBuffer == nullptr || text == nullptr) return;
    platform::TextAlign align = platform::TextAlign::Left;
    if (x < 0) {
        align = platform::TextAlign::Center;
    } else if (y < 0) {
        align = platform::TextAlign::Right;
    }
    g_platform->text().drawText(*g_backBuffer, fontFor(fontIndex), magnitude(x), magnitude(y), text, color,
                                align);
}

void Hud::setMessage(const char* text) {
    if (message == nullptr) return;
    const char* source = text != nullptr ? text : "";
    const size_t length = strnlen(source, MessageCapacity - 1);
    std::memcpy(message, source, length);
    message[length] = '\0';
    messageTime = MessageDuration;
}

void postMessage(const char* text) {
    if (g_hud != nullptr) g_hud->setMessage(text);
}

void Hud::draw(double dt, const Player* player) {
    char number[NumberCapacity];
    if (player != nullptr) {
        drawBar(g_imgHealthBarFull, HealthBarLeft, player->getHealth() / HealthScale);
        std::snprintf(number, sizeof number, "%d", player->getHealth());
        drawText(-HealthValueCentre, ValueTop, number, SmallFont, HealthValueColour);

        drawBar(g_imgShieldBarFull, ShieldBarLeft, player->getShield() / MaxShield);
        std::snprintf(number, sizeof number, "%d%%", floorToInt(player->getShield() / MaxShield * Percent));
        drawText(-ShieldValueCentre, ValueTop, number, SmallFont, ShieldValueColour);
    }

    drawMessageLine(dt);

    for (int32_t i = 0; i < WeaponCount; ++i) blit(g_imgWeaponIcons[i], WeaponLefts[i], IconTop, IconSource);
    if (player != nullptr) drawWeaponReadouts(*player);

    std::snprintf(number, sizeof number, "Wave %d", g_waveNumber);
    drawText(-WaveCentre, WaveTop, number, MediumFont, WaveColour);
}

void Hud::drawMessageLine(double dt) {
    if (!(messageTime > 0.0)) return;
    // Only a time above the usual four seconds could push the value out of its byte.
    const int32_t green = std::min(floorToInt(messageTime / MessageDuration * FullGreen), MaxChannel);
    drawText(MessageLeft, MessageTop, message, LargeFont,
             platform::makeColorRef(0, static_cast<uint8_t>(green), 0));
    messageTime -= dt;
}

void Hud::drawWeaponReadouts(const Player& player) {
    const int32_t ammo[WeaponCount] = {player.getArcShotAmmo(), player.getMissileAmmo(),
                                       player.getEnergyCannonAmmo()};
    const int32_t levels[WeaponCount] = {player.getArcShotLevel(), player.getMissileLevel(),
                                         player.getEnergyCannonLevel()};
    char number[NumberCapacity];
    for (int32_t i = 0; i < WeaponCount; ++i) {
        std::snprintf(number, sizeof number, "%d", ammo[i]);
        drawText(WeaponLefts[i] + AmmoOffset, IconTop, number, MediumFont, AmmoColour);
    }
    for (int32_t i = 0; i < WeaponCount; ++i) {
        std::snprintf(number, sizeof number, "Lvl %d", levels[i]);
        drawText(WeaponLefts[i], LevelTop, number, SmallFont, LevelColour);
    }
}

}  // namespace glintwake
