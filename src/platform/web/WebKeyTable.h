#pragma once
// The browser's physical key names (KeyboardEvent.code) in the game's key
// numbering, and whether the page must keep a key to itself.
#include <cstdint>

namespace platform {

// The game's code for a key's DOM code ("ArrowRight", "KeyZ"); 0 for keys the
// game has no number for.
uint8_t gameKeyForDomCode(const char* code);
// Keys the game or its comforts use: their default action (scrolling, the
// browser's own menus and help) would fight with play.
bool pageKeepsKey(uint8_t gameKey);

}  // namespace platform
