#include "platform/win32/Win32Display.h"

#include <windows.h>
#undef MessageBox

#include <algorithm>

#include "platform/win32/ScanCodes.h"
#include "platform/win32/XInputPads.h"

namespace platform::win32 {
namespace {

constexpr const char* WindowClassName = "GlintwakeWindow";
constexpr int IconResource = 1;  // the ship icon in the program's resources
constexpr DWORD FullScreenStyle = WS_POPUP | WS_VISIBLE;
constexpr DWORD WindowedStyle = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
constexpr UINT DpiChangedMessage = 0x02E0;  // WM_DPICHANGED, newer than some headers
constexpr WPARAM SystemCommandMask = 0xFFF0;

HINSTANCE instance() {
    return GetModuleHandleA(nullptr);
}

HWND hwnd(void* window) {
    return static_cast<HWND>(window);
}

// Per-monitor DPI awareness, so that Windows neither scales the picture again nor
// reports a smaller monitor; the newest form the system offers.
void becomeDpiAware() {
    using SetContextFn = BOOL(WINAPI*)(HANDLE);
    const auto perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-4));
    HMODULE user32 = GetModuleHandleA("user32.dll");
    auto setContext = user32 != nullptr ? reinterpret_cast<SetContextFn>(reinterpret_cast<void*>(
                                              GetProcAddress(user32, "SetProcessDpiAwarenessContext")))
                                        : nullptr;
    if (setContext != nullptr && setContext(perMonitorV2)) return;
    SetProcessDPIAware();
}

RECT monitorArea(HWND window, bool workArea) {
    HMONITOR monitor = window != nullptr ? MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY)
                                         : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor == nullptr || !GetMonitorInfoA(monitor, &info)) return RECT{0, 0, ScreenWidth, ScreenHeight};
    return workArea ? info.rcWork : info.rcMonitor;
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* display = reinterpret_cast<Win32Display*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    intptr_t result = 0;
    if (display != nullptr && display->handleMessage(message, wParam, lParam, result)) return result;
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

// A top-down 32-bit DIB section in a memory DC: 0x00RRGGBB, our own pixel format.
struct Win32Display::Dib {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    WindowPixels pixels;

    ~Dib() {
        if (dc != nullptr && previous != nullptr) SelectObject(dc, previous);
        if (bitmap != nullptr) DeleteObject(bitmap);
        if (dc != nullptr) DeleteDC(dc);
    }

    bool create(HDC windowDc, int32_t width, int32_t height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // negative: the first row is the top one
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = BytesPerPixel * 8;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        dc = CreateCompatibleDC(windowDc);
        if (dc == nullptr) return false;
        bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap == nullptr || bits == nullptr) return false;
        previous = SelectObject(dc, bitmap);
        pixels = WindowPixels{static_cast<uint8_t*>(bits), width, height, width * BytesPerPixel};
        return true;
    }
};

Win32Display::Win32Display() = default;

Win32Display::~Win32Display() {
    close();
}

bool Win32Display::startVideo() {
    if (classRegistered_) return true;
    becomeDpiAware();
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    // Its own DC, kept for the window's life: every flip blits to it.
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance();
    windowClass.hIcon = LoadIconA(instance(), MAKEINTRESOURCEA(IconResource));
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = nullptr;  // chosen per message: none in full screen
    windowClass.lpszClassName = WindowClassName;
    classRegistered_ = RegisterClassExA(&windowClass) != 0;
    return classRegistered_;
}

bool Win32Display::createWindow() {
    if (!classRegistered_ || window_ != nullptr) return window_ != nullptr;
    const RECT area = monitorArea(nullptr, false);
    HWND window =
        CreateWindowExA(WS_EX_APPWINDOW, WindowClassName, WindowTitle, FullScreenStyle, area.left, area.top,
                        area.right - area.left, area.bottom - area.top, nullptr, nullptr, instance(), this);
    if (window == nullptr) return false;
    window_ = window;
    SetForegroundWindow(window);
    SetFocus(window);
    focused_ = GetFocus() == window;
    return true;
}

bool Win32Display::createRenderer() {
    if (window_ == nullptr) return false;
    if (windowDc_ == nullptr) windowDc_ = GetDC(hwnd(window_));
    return windowDc_ != nullptr;
}

bool Win32Display::enterFullScreen() {
    if (windowDc_ == nullptr) return false;
    coverMonitor();
    fullScreen_ = true;
    SetCursor(nullptr);
    return true;
}

void Win32Display::coverMonitor() {
    const RECT area = monitorArea(hwnd(window_), false);
    SetWindowLongPtrA(hwnd(window_), GWL_STYLE, FullScreenStyle);
    SetWindowPos(hwnd(window_), HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_FRAMECHANGED | SWP_SHOWWINDOW);
}

bool Win32Display::setLogicalSize() {
    if (!fullScreen_) return false;
    return relayout();
}

// Fits the scaler and a DIB section to the window's client area and blackens it.
bool Win32Display::relayout() {
    if (window_ == nullptr || windowDc_ == nullptr) return false;
    RECT client{};
    if (!GetClientRect(hwnd(window_), &client)) return false;
    const int32_t width = client.right - client.left;
    const int32_t height = client.bottom - client.top;
    if (width <= 0 || height <= 0) return dib_ != nullptr;  // minimised: keep the last layout
    if (dib_ && dib_->pixels.width == width && dib_->pixels.height == height) return true;
    auto dib = std::make_unique<Dib>();
    if (!dib->create(static_cast<HDC>(windowDc_), width, height)) return false;
    if (!scaler_.configure(width, height, PixelLayout{})) return false;
    scaler_.clear(dib->pixels);
    dib_ = std::move(dib);
    wholeWindowStale_ = true;
    return true;
}

bool Win32Display::createTexture() {
    return dib_ != nullptr;
}

Surface* Win32Display::createBackBuffer() {
    if (!dib_) return nullptr;
    if (!backBuffer_) backBuffer_ = std::make_unique<Surface>(ScreenWidth, ScreenHeight);
    return backBuffer_.get();
}

void Win32Display::present() {
    if (!dib_ || !backBuffer_ || windowDc_ == nullptr) return;
    scaler_.present(backBuffer_->view(), dib_->pixels);
    // The bars are on screen after the first whole blit: then only the picture goes.
    const Rect area =
        wholeWindowStale_ ? Rect{0, 0, dib_->pixels.width, dib_->pixels.height} : scaler_.picture();
    wholeWindowStale_ = !BitBlt(static_cast<HDC>(windowDc_), area.left, area.top, area.width(), area.height(),
                                dib_->dc, area.left, area.top, SRCCOPY);
}

void Win32Display::close() {
    backBuffer_.reset();
    dib_.reset();
    if (window_ != nullptr) {
        // Given back from here, not closed by the player: no quit is posted, so
        // a message box shown next is not ended by it at once.
        HWND window = hwnd(window_);
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
    window_ = nullptr;
    windowDc_ = nullptr;  // the window's own DC goes with it
    if (classRegistered_) UnregisterClassA(WindowClassName, instance());
    classRegistered_ = false;
    events_.clear();
    held_.fill(0);
    focused_ = false;
    windowed_ = false;
    fullScreen_ = false;
    wholeWindowStale_ = true;
}

bool Win32Display::pollEvent(Event& event) {
    if (events_.empty() && pads_ != nullptr) pads_->poll(events_);
    if (!events_.empty()) {
        event = events_.front();
        events_.pop_front();
        return true;
    }
    MSG message{};
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
    event = Event{};
    if (message.message == WM_QUIT) {
        event.type = EventType::Quit;
        return true;
    }
    DispatchMessageA(&message);
    if (!events_.empty()) {
        event = events_.front();
        events_.pop_front();
    }
    return true;
}

void Win32Display::requestClose() {
    if (window_ != nullptr) PostMessageA(hwnd(window_), WM_CLOSE, 0, 0);
}

void Win32Display::onKey(uintptr_t wParam, intptr_t lParam, bool down) {
    const auto bits = static_cast<uint32_t>(lParam);
    const uint8_t code = gameKeyForKeyMessage(static_cast<uint32_t>(wParam), bits);
    if (code == 0) return;
    if (down && !isKeyRepeat(bits)) events_.push_back(Event{EventType::KeyPress, code});
    held_[code] = down ? KeyDown : 0;
}

// Changes are reported only as they happen; without the focus nothing is held.
void Win32Display::setFocus(bool focused) {
    if (focused == focused_) return;
    focused_ = focused;
    events_.push_back(Event{focused ? EventType::FocusGained : EventType::FocusLost});
    if (!focused) held_.fill(0);
}

bool Win32Display::handleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t& result) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            onKey(wParam, lParam, true);
            return message == WM_KEYDOWN;  // Alt+F4 still closes through the default
        case WM_KEYUP:
        case WM_SYSKEYUP:
            onKey(wParam, lParam, false);
            return message == WM_KEYUP;
        case WM_SYSCOMMAND:
            // Alt and F10 would open the (absent) menu and swallow the next keys.
            if ((wParam & SystemCommandMask) == SC_KEYMENU) return true;
            return false;
        case WM_SETFOCUS:
            setFocus(true);
            return true;
        case WM_KILLFOCUS:
            setFocus(false);
            return true;
        case WM_SIZE:
            if (dib_) relayout();
            return true;
        case WM_ERASEBKGND:
            result = 1;  // the flips paint every pixel
            return true;
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            BeginPaint(hwnd(window_), &paint);
            EndPaint(hwnd(window_), &paint);
            wholeWindowStale_ = true;
            events_.push_back(Event{EventType::Other});
            return true;
        }
        case WM_SETCURSOR:
            if (LOWORD(lParam) != HTCLIENT) return false;
            SetCursor(windowed_ ? LoadCursorA(nullptr, IDC_ARROW) : nullptr);
            result = TRUE;
            return true;
        case DpiChangedMessage:
            if (windowed_) {
                const auto* suggested = reinterpret_cast<const RECT*>(lParam);
                SetWindowPos(hwnd(window_), nullptr, suggested->left, suggested->top,
                             suggested->right - suggested->left, suggested->bottom - suggested->top,
                             SWP_NOZORDER | SWP_NOACTIVATE);
            } else if (fullScreen_) {
                coverMonitor();
            }
            return true;
        case WM_DESTROY:
            // The player closed the window: the loop ends with status 0.
            PostQuitMessage(0);
            return true;
        case WM_NCDESTROY:
            window_ = nullptr;
            windowDc_ = nullptr;
            dib_.reset();
            return false;
        default:
            return false;
    }
}

bool Win32Display::setWindowed(bool windowed) {
    if (window_ == nullptr || !fullScreen_) return false;
    if (windowed == windowed_) return true;
    windowed_ = windowed;
    if (!windowed) {
        coverMonitor();
        SetCursor(nullptr);
        return true;
    }
    const int scale = windowScale();
    RECT frame{0, 0, ScreenWidth * scale, ScreenHeight * scale};
    AdjustWindowRectEx(&frame, WindowedStyle, FALSE, WS_EX_APPWINDOW);
    const RECT work = monitorArea(hwnd(window_), true);
    const int32_t width = frame.right - frame.left;
    const int32_t height = frame.bottom - frame.top;
    const int32_t left = work.left + std::max<int32_t>(0, (work.right - work.left - width) / 2);
    const int32_t top = work.top + std::max<int32_t>(0, (work.bottom - work.top - height) / 2);
    SetWindowLongPtrA(hwnd(window_), GWL_STYLE, WindowedStyle);
    SetWindowPos(hwnd(window_), HWND_TOP, left, top, width, height, SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    return true;
}

// The largest whole multiple of the picture whose window, frame and title bar
// included, fits the monitor's work area; at least one.
int Win32Display::windowScale() const {
    const RECT work = monitorArea(hwnd(window_), true);
    const int32_t width = work.right - work.left;
    const int32_t height = work.bottom - work.top;
    for (int scale = std::max(1, std::min(width / ScreenWidth, height / ScreenHeight)); scale > 1; --scale) {
        RECT frame{0, 0, ScreenWidth * scale, ScreenHeight * scale};
        AdjustWindowRectEx(&frame, WindowedStyle, FALSE, WS_EX_APPWINDOW);
        if (frame.right - frame.left <= width && frame.bottom - frame.top <= height) return scale;
    }
    return 1;
}

}  // namespace platform::win32
