#pragma once
// Translation from SDL scancodes to the game's key codes (PC keyboard scan codes,
// extended keys plus 0x80). Pure functions, so they test without a window.
#include <cstdint>

namespace platform {

// The game's code for an SDL scancode; 0 for keys the game's numbering lacks
// and for values outside SDL's range.
uint8_t gameKeyForScancode(int scancode);

// Fills all 256 bytes of `keys` from SDL's key-state array (`sdlKeyCount`
// entries, non-zero = held). Without keyboard focus every key reads as up.
void fillGameKeyState(const uint8_t* sdlKeys, int sdlKeyCount, bool focused, uint8_t* keys);

}  // namespace platform
