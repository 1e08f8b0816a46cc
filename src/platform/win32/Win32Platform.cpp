#include "platform/win32/Win32Platform.h"

#include "platform/win32/Win32Audio.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Display.h"
#include "platform/win32/Win32Keyboard.h"
#include "platform/win32/Win32MessageBox.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/XInputPads.h"

namespace platform::win32 {
namespace {

// The services of the real machine. Whatever the game leaves open is closed
// here, keyboard and display in the order the game itself closes them.
class Win32Platform final : public Platform {
public:
    Win32Platform() : keyboard_(display_, pads_) { display_.attachPads(&pads_); }
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;
    ~Win32Platform() override {
        audio_.close();
        display_.close();
        keyboard_.close();
    }

    Display& display() override { return display_; }
    Keyboard& keyboard() override { return keyboard_; }
    Clock& clock() override { return clock_; }
    TextRenderer& text() override { return text_; }
    MessageBox& messageBox() override { return messageBox_; }
    Audio& audio() override { return audio_; }

private:
    Win32Display display_;
    XInputPads pads_;
    Win32Keyboard keyboard_;
    Win32Clock clock_;
    Win32TextRenderer text_;
    Win32MessageBox messageBox_;
    Win32Audio audio_;
};

}  // namespace

std::unique_ptr<Platform> createWin32Platform() {
    return std::make_unique<Win32Platform>();
}

std::unique_ptr<TextRenderer> createWin32TextRenderer() {
    return std::make_unique<Win32TextRenderer>();
}

}  // namespace platform::win32
