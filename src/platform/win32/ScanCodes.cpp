#include "platform/win32/ScanCodes.h"

#include "platform/Keys.h"

namespace platform::win32 {
namespace {

constexpr int ScanCodeShift = 16;
constexpr uint32_t ScanCodeMask = 0xFF;
constexpr uint32_t ExtendedFlag = 1u << 24;
constexpr uint32_t PreviousStateFlag = 1u << 30;
constexpr uint8_t ExtendedBit = 0x80;

// Windows gives Pause the scan code of Num Lock and Num Lock the extended one;
// the keyboard itself (and the game's numbering) has it the other way round.
constexpr uint32_t VirtualKeyPause = 0x13;
constexpr uint32_t VirtualKeyNumLock = 0x90;
constexpr uint8_t NumLockCode = 0x45;
// The shift codes Windows sends, flagged extended, around some extended keys
// while Num Lock is on: no key of the keyboard was pressed.
constexpr uint8_t FakeLeftShift = key::LeftShift | ExtendedBit;
constexpr uint8_t FakeRightShift = 0x36 | ExtendedBit;

}  // namespace

uint8_t gameKeyForKeyMessage(uint32_t virtualKey, uint32_t lParam) {
    if (virtualKey == VirtualKeyPause) return key::Pause;
    if (virtualKey == VirtualKeyNumLock) return NumLockCode;
    const auto scanCode = static_cast<uint8_t>((lParam >> ScanCodeShift) & ScanCodeMask);
    if (scanCode == 0 || (scanCode & ExtendedBit) != 0) return 0;
    const uint8_t code =
        (lParam & ExtendedFlag) != 0 ? static_cast<uint8_t>(scanCode | ExtendedBit) : scanCode;
    if (code == FakeLeftShift || code == FakeRightShift) return 0;
    return code;
}

bool isKeyRepeat(uint32_t lParam) {
    return (lParam & PreviousStateFlag) != 0;
}

}  // namespace platform::win32
