#pragma once
// The native Windows backend: the window and its messages, a DIB section
// present, scan-code keyboard, the performance counter, GDI text, MessageBoxA,
// waveOut sound and XInput pads.
#include <memory>

#include "platform/Platform.h"

namespace platform::win32 {

std::unique_ptr<Platform> createWin32Platform();

// Fonts by face name drawn with GDI, rendered texts cached. Needs no window, so
// the headless backend can draw real text with it.
std::unique_ptr<TextRenderer> createWin32TextRenderer();

}  // namespace platform::win32
