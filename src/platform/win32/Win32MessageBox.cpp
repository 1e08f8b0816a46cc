#include "platform/win32/Win32MessageBox.h"

#include <windows.h>

#include <cstdio>

namespace platform::win32 {

void Win32MessageBox::show(const char* caption, const char* text) {
    const char* shownCaption = caption != nullptr ? caption : "";
    const char* shownText = text != nullptr ? text : "";
    std::fprintf(stderr, "%s: %s\n", shownCaption, shownText);
    std::fflush(stderr);
    // In front of whatever the player looks at: the game's own window is gone.
    MessageBoxA(nullptr, shownText, shownCaption, MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST);
}

}  // namespace platform::win32
