#include "platform/sdl/SdlMessageBox.h"

#include <SDL.h>

#include <cstdio>

namespace platform {

void SdlMessageBox::show(const char* caption, const char* text) {
    const char* shownCaption = caption != nullptr ? caption : "";
    const char* shownText = text != nullptr ? text : "";
    std::fprintf(stderr, "%s: %s\n", shownCaption, shownText);
    std::fflush(stderr);
    // No owner window: the display has been given back by now. If no box can be
    // shown, standard error has the text already.
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, shownCaption, shownText, nullptr);
}

}  // namespace platform
