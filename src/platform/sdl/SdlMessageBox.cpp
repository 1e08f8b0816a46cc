#include "platform/sdl/SdlMessageBox.h"

#include <SDL.h>

#include <cstdio>

#include "platform/sdl/MessageWindow.h"
#include "platform/sdl/VideoStart.h"

namespace platform {

void SdlMessageBox::show(const char* caption, const char* text) {
    const char* shownCaption = caption != nullptr ? caption : "";
    const char* shownText = text != nullptr ? text : "";
    std::fprintf(stderr, "%s: %s\n", shownCaption, shownText);
    std::fflush(stderr);
    // No owner window: the display has been given back by now. SDL's box needs
    // zenity or a working X11 path; where it fails our own window shows the text,
    // and where no window can be opened at all, standard error has it already.
    if (!prepareVideoStart()) return;  // starting SDL's video there would crash
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, shownCaption, shownText, nullptr) == 0) return;
    showMessageWindow(shownCaption, shownText);
}

}  // namespace platform
