#pragma once
// Our own message box, for desktops where SDL's cannot show one (no zenity, no
// usable X11 path): a small centred window with the caption as its title, the
// text in a desktop font and an OK button. Return, Space, Escape, a click on OK
// or closing the window dismiss it.
#include <cstdint>

namespace platform {

// Where the parts of the box go, from the size of its text.
struct MessageLayout {
    int32_t width = 0;
    int32_t height = 0;
    int32_t textLeft = 0;
    int32_t textTop = 0;
    int32_t buttonLeft = 0;
    int32_t buttonTop = 0;
    int32_t buttonWidth = 0;
    int32_t buttonHeight = 0;

    bool onButton(int32_t x, int32_t y) const {
        return x >= buttonLeft && x < buttonLeft + buttonWidth && y >= buttonTop &&
               y < buttonTop + buttonHeight;
    }
};

// Text centred above a centred button; never narrower than a readable minimum.
MessageLayout layoutMessage(int32_t textWidth, int32_t textHeight);

// Shows the box and waits until it is dismissed. False when no window could be
// opened (no display, or only a driver that shows nothing).
bool showMessageWindow(const char* caption, const char* text);

}  // namespace platform
