#include "app/Overlay.h"

#include <cstring>

namespace glintwake {

using platform::Surface;

// The keys as the README lists them.
const HelpRow HelpRows[] = {
    {"Arrow keys", "fly"},
    {"Space", "fire; with left Alt: both guns"},
    {"left Ctrl", "hold to charge, release to fire"},
    {"Z / X / left Shift", "arc shot / energy cannon / missile"},
    {"right Ctrl", "shield (drains while held)"},
    {"right Alt", "teleport to the other side"},
    {"Up, Down, Enter, Q", "shop: choose, buy, leave"},
    {"P or Pause", "pause, go on"},
    {"F1", "these keys"},
    {"F11 or Alt+Enter", "window or full screen"},
    {"Enter", "new game after the ship is destroyed"},
    {"M", "sound off, on"},
    {"Escape", "quit"},
};
const int32_t HelpRowCount = static_cast<int32_t>(sizeof HelpRows / sizeof HelpRows[0]);

namespace {

constexpr const char* OverlayFace = "Times New Roman";
constexpr int32_t TitleHeight = 40;
constexpr int32_t BodyHeight = 18;
constexpr int32_t CentreX = platform::ScreenWidth / 2;
constexpr int32_t PausedTop = 190;
constexpr int32_t PausedKeysTop = 250;
constexpr int32_t DestroyedTop = 200;
constexpr int32_t HelpTitleTop = 50;
constexpr int32_t HelpRowsTop = 120;
constexpr int32_t HelpRowSpacing = 24;
constexpr int32_t HelpGutter = 12;  // between the key column and the action column

const platform::ColorRef TitleColour = platform::makeColorRef(255, 255, 255);
const platform::ColorRef KeysColour = platform::makeColorRef(200, 200, 200);
const platform::ColorRef DestroyedColour = platform::makeColorRef(255, 200, 80);

// Each halving keeps the picture recognisable while the text stands out.
constexpr platform::Pixel HalfBrightMask = 0x007F7F7F;
void dim(Surface& surface) {
    const platform::PixelView v = surface.view();
    for (int32_t y = 0; y < v.height; ++y) {
        uint32_t* row = v.row(y);
        for (int32_t x = 0; x < v.width; ++x) row[x] = (row[x] >> 1) & HalfBrightMask;
    }
}

void copyPicture(const Surface& from, Surface& to) {
    const platform::PixelView src = from.view();
    const platform::PixelView dst = to.view();
    const int32_t width = src.width < dst.width ? src.width : dst.width;
    const int32_t height = src.height < dst.height ? src.height : dst.height;
    for (int32_t y = 0; y < height; ++y)
        std::memcpy(dst.row(y), src.row(y), static_cast<size_t>(width) * platform::BytesPerPixel);
}

}  // namespace

Overlay::~Overlay() {
    for (platform::FontHandle f : fonts_)
        if (f != platform::NoFont) text_.deleteFont(f);
}

platform::FontHandle Overlay::font(FontSlot slot) {
    if (!fontsMade_) {
        fonts_[TitleFont] = text_.createFont(OverlayFace, TitleHeight);
        fonts_[BodyFont] = text_.createFont(OverlayFace, BodyHeight);
        fontsMade_ = true;
    }
    return fonts_[slot];
}

void Overlay::capture(const Surface& picture) {
    if (!frozen_) frozen_ = std::make_unique<Surface>(platform::ScreenWidth, platform::ScreenHeight);
    frozen_->fill(0);
    copyPicture(picture, *frozen_);
    dim(*frozen_);
}

void Overlay::drawPaused(Surface& target, bool help) {
    if (frozen_) {
        copyPicture(*frozen_, target);
    } else {
        target.fill(0);
    }
    if (help) {
        dim(target);
        drawHelp(target);
        return;
    }
    text_.drawText(target, font(TitleFont), CentreX, PausedTop, PausedText, TitleColour,
                   platform::TextAlign::Center);
    text_.drawText(target, font(BodyFont), CentreX, PausedKeysTop, PausedKeysText, KeysColour,
                   platform::TextAlign::Center);
}

void Overlay::drawHelp(Surface& target) {
    text_.drawText(target, font(TitleFont), CentreX, HelpTitleTop, "Keys", TitleColour,
                   platform::TextAlign::Center);
    for (int32_t i = 0; i < HelpRowCount; ++i) {
        const int32_t top = HelpRowsTop + i * HelpRowSpacing;
        text_.drawText(target, font(BodyFont), CentreX - HelpGutter, top, HelpRows[i].keys, KeysColour,
                       platform::TextAlign::Right);
        text_.drawText(target, font(BodyFont), CentreX + HelpGutter, top, HelpRows[i].action, TitleColour,
                       platform::TextAlign::Left);
    }
}

void Overlay::drawDestroyed(Surface& target) {
    text_.drawText(target, font(BodyFont), CentreX, DestroyedTop, DestroyedText, DestroyedColour,
                   platform::TextAlign::Center);
}

}  // namespace glintwake
