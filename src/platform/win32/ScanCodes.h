#pragma once
// Turns a window's key message into the game's key numbering. Windows already
// numbers keys by their scan codes; only the extended flag and two keys Windows
// reports oddly need work. Plain arithmetic on the message's values, no Windows
// header, so it is tested on any machine.
#include <cstdint>

namespace platform::win32 {

// The game's code for a WM_KEYDOWN/WM_KEYUP (or the SYS variants) with these
// wParam and lParam values; 0 for keys the game does not number.
uint8_t gameKeyForKeyMessage(uint32_t virtualKey, uint32_t lParam);
// True when the key was already down: an auto-repeat, not a new press.
bool isKeyRepeat(uint32_t lParam);

}  // namespace platform::win32
