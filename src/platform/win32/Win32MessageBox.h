#pragma once
// The failure box: MessageBoxA captioned as asked, with one OK button, shown with
// no owner since the window is gone by then. The text goes to standard error first.
#include "platform/Platform.h"

namespace platform::win32 {

class Win32MessageBox final : public MessageBox {
public:
    void show(const char* caption, const char* text) override;
};

}  // namespace platform::win32
