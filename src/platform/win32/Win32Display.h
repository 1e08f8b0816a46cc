#pragma once
// The real display on Windows: one borderless window covering the monitor, the
// back buffer scaled by the portable scaler into a DIB section of the window's
// size and shown with one blit. Its window procedure also keeps the keyboard's
// state from the key messages, by scan code.
#include <array>
#include <cstdint>
#include <deque>
#include <memory>

#include "platform/FrameScaler.h"
#include "platform/Keys.h"
#include "platform/Platform.h"

namespace platform::win32 {

class XInputPads;

class Win32Display final : public Display {
public:
    Win32Display();
    Win32Display(const Win32Display&) = delete;
    Win32Display& operator=(const Win32Display&) = delete;
    ~Win32Display() override;

    bool startVideo() override;
    bool createWindow() override;
    bool createRenderer() override;
    bool enterFullScreen() override;
    bool setLogicalSize() override;
    bool createTexture() override;
    Surface* createBackBuffer() override;
    void present() override;
    void close() override;
    bool pollEvent(Event& event) override;
    void requestClose() override;
    bool setWindowed(bool windowed) override;
    bool isWindowed() const override { return windowed_; }

    // Pads whose Start and Back presses arrive as key presses.
    void attachPads(XInputPads* pads) { pads_ = pads; }
    bool hasWindow() const { return window_ != nullptr; }
    bool hasKeyboardFocus() const { return window_ != nullptr && focused_; }
    // The keys held now, by the game's code, from the window's key messages.
    const std::array<uint8_t, KeyStateSize>& heldKeys() const { return held_; }

    // Called by the window procedure; a result of false means Windows' default handling.
    bool handleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t& result);

private:
    struct Dib;

    bool relayout();
    void onKey(uintptr_t wParam, intptr_t lParam, bool down);
    void setFocus(bool focused);
    void coverMonitor();
    int windowScale() const;

    bool classRegistered_ = false;
    void* window_ = nullptr;    // HWND
    void* windowDc_ = nullptr;  // HDC of the window, kept (CS_OWNDC)
    std::unique_ptr<Dib> dib_;  // the window-sized pixels the scaler writes
    FrameScaler scaler_;
    bool wholeWindowStale_ = true;  // bars not shown since the last layout or paint
    std::unique_ptr<Surface> backBuffer_;
    std::array<uint8_t, KeyStateSize> held_{};
    std::deque<Event> events_;  // made by the window procedure, handed out by pollEvent
    bool focused_ = false;
    bool windowed_ = false;
    bool fullScreen_ = false;
    XInputPads* pads_ = nullptr;
};

}  // namespace platform::win32
