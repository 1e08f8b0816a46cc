#include "platform/sdl/SdlDisplay.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sdl/ForeignClose.h"
#include "platform/sdl/KeyTable.h"
#include "platform/sdl/ScreenSize.h"
#include "platform/sdl/SdlController.h"
#include "platform/sdl/VideoDriver.h"
#include "platform/sdl/VideoStart.h"
#include "platform/sdl/WindowIcon.h"
#include "platform/sdl/WindowManager.h"
#include "platform/sdl/X11Pixels.h"

#if defined(__SANITIZE_ADDRESS__)
#include <dlfcn.h>
#include <link.h>
#endif

namespace platform {
namespace {

constexpr const char* SoftwareRendererName = "software";
constexpr uint32_t GlRendererEnum = 0x1F01;  // GL_RENDERER, without pulling in GL headers
using GlGetStringFn = const unsigned char* (*)(uint32_t);

// Mesa's CPU rasterisers: SDL's OpenGL path on them costs several times the plain
// software renderer's present.
constexpr std::array<const char*, 4> SoftwareGlNames = {"llvmpipe", "softpipe", "swrast",
                                                        "software rasterizer"};

bool isSoftwareGlName(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return std::any_of(SoftwareGlNames.begin(), SoftwareGlNames.end(),
                       [&](const char* soft) { return name.find(soft) != std::string::npos; });
}

// Where the kernel offers a GPU to render on; without one OpenGL can only be Mesa's
// CPU rasteriser, and loading it costs far more memory and start-up time than it saves.
constexpr const char* GpuDeviceFolder = "/dev/dri";
constexpr std::array<std::string_view, 2> GpuDevicePrefixes = {"card", "renderD"};
constexpr const char* ForceSoftwareGlVariable = "LIBGL_ALWAYS_SOFTWARE";

bool hasGpuDevice() {
    std::error_code error;
    std::filesystem::directory_iterator entry(GpuDeviceFolder, error);
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        for (std::string_view prefix : GpuDevicePrefixes) {
            if (name.starts_with(prefix)) return true;
        }
    }
    return false;
}

bool softwareGlForced() {
    const char* forced = std::getenv(ForceSoftwareGlVariable);
    return forced != nullptr && *forced != '\0' && std::strcmp(forced, "0") != 0 &&
           std::strcmp(forced, "false") != 0;
}

// Whether OpenGL would be software, decided without loading it.
bool renderingIsKnownSoftware() {
    return softwareGlForced() || !hasGpuDevice();
}

PixelLayout layoutOf(const SDL_PixelFormat* format) {
    PixelLayout layout;
    layout.bytesPerPixel = format->BytesPerPixel;
    layout.redMask = format->Rmask;
    layout.greenMask = format->Gmask;
    layout.blueMask = format->Bmask;
    layout.alphaMask = format->Amask;
    return layout;
}

WindowPixels pixelsOf(SDL_Surface* surface) {
    return WindowPixels{static_cast<uint8_t*>(surface->pixels), surface->w, surface->h, surface->pitch};
}

#if defined(__SANITIZE_ADDRESS__)
// Mesa unloads its driver when the X display closes; what the driver still holds
// then turns into nameless leaks that no suppression can match. Under the
// sanitizer the driver stays mapped until exit so that its allocations keep their names.
void keepGlDriversLoaded() {
    std::vector<std::string> drivers;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* found) {
            const char* name = info->dlpi_name;
            // EGL too: on Wayland SDL loads it, and Mesa's EGL holds the driver's display.
            if (name != nullptr &&
                (std::strstr(name, "_dri.so") != nullptr || std::strstr(name, "libgallium") != nullptr ||
                 std::strstr(name, "libEGL") != nullptr)) {
                static_cast<std::vector<std::string>*>(found)->emplace_back(name);
            }
            return 0;
        },
        &drivers);
    for (const std::string& driver : drivers) dlopen(driver.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}
#else
void keepGlDriversLoaded() {}
#endif

}  // namespace

SdlDisplay::~SdlDisplay() {
    close();
}

bool SdlDisplay::startVideo() {
    if (videoStarted_) return true;
    installForeignCloseHandler();
    if (!prepareVideoStart()) return false;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    // Without a reachable display SDL falls back to a driver that shows nothing.
    if (!videoDriverAcceptable(SDL_GetCurrentVideoDriver(), SDL_getenv("SDL_VIDEODRIVER"))) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    videoStarted_ = true;
    return true;
}

bool SdlDisplay::createWindow() {
    if (!videoStarted_ || window_ != nullptr) return window_ != nullptr;
    // The desktop's size at its origin, so that the window covers the screen even
    // where no window manager carries out the full-screen request.
    SDL_DisplayMode desktop{};
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0 || desktop.w <= 0 || desktop.h <= 0) {
        desktop.w = ScreenWidth;
        desktop.h = ScreenHeight;
    }
    // At the desktop's size it covers the screen at once; full screen is
    // asked of the window manager afterwards, where there is one.
    window_ = SDL_CreateWindow(WindowTitle, 0, 0, desktop.w, desktop.h, 0);
    if (window_ == nullptr) return false;
    screenWidth_ = desktop.w;
    screenHeight_ = desktop.h;
    watchScreenSize(window_);
    applyWindowIcon(window_);
    watchForForeignClose(window_);
    windowId_ = SDL_GetWindowID(window_);
    focused_ = (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0;
    return true;
}

bool SdlDisplay::createRenderer() {
    if (window_ == nullptr) return false;
    if (renderer_ != nullptr || writesWindowPixels()) return true;
    const bool direct = path_ == PresentPath::Automatic;
    // On a machine that can only render in software, OpenGL is never loaded.
    if (direct && renderingIsKnownSoftware() && openWindowSurface()) return true;
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
    if (renderer_ == nullptr) {
        if (direct && openWindowSurface()) return true;
        if (!createSoftwareRenderer()) return false;
    } else if (acceleratedRendererIsSoftwareGl() && !replaceSoftwareGl()) {
        // Nothing better works: the software OpenGL renderer stays.
    }
    if (renderer_ != nullptr) rememberRendererName();
    return true;
}

// Swaps a software OpenGL renderer for the window's own pixels or, on the texture
// path, for SDL's software renderer. The OpenGL renderer goes only once its
// replacement works, or is made again if the software renderer fails.
bool SdlDisplay::replaceSoftwareGl() {
    if (path_ == PresentPath::Automatic && openWindowSurface()) {
        SDL_DestroyRenderer(renderer_);
        renderer_ = nullptr;
        return true;
    }
    // SDL allows one renderer per window, so this one must go first.
    SDL_DestroyRenderer(renderer_);
    renderer_ = nullptr;
    if (createSoftwareRenderer()) return true;
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
    return false;
}

// The window's own pixels, written by each flip: only for formats the scaler writes.
bool SdlDisplay::openWindowSurface() {
    // The window surface must be X's own framebuffer, not one emulated through OpenGL.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface != nullptr && layoutOf(surface->format).isSupported()) {
        surface_ = surface;
    } else if (!x11Pixels_.open(window_)) {
        // SDL has no window pixels for a 30-bit screen; X can still take our own.
        return false;
    }
    rendererName_ = SoftwareRendererName;
    return true;
}

// Asks the OpenGL driver behind the renderer what it really is; only OpenGL
// renderers can be a CPU rasteriser in disguise.
bool SdlDisplay::acceleratedRendererIsSoftwareGl() {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer_, &info) != 0 || info.name == nullptr) return false;
    if (std::strncmp(info.name, "opengl", std::strlen("opengl")) != 0) return false;
    auto getString = reinterpret_cast<GlGetStringFn>(SDL_GL_GetProcAddress("glGetString"));
    if (getString == nullptr) return false;
    const unsigned char* name = getString(GlRendererEnum);
    if (name == nullptr) return false;
    glRendererName_ = reinterpret_cast<const char*>(name);
    keepGlDriversLoaded();
    return isSoftwareGlName(glRendererName_);
}

bool SdlDisplay::createSoftwareRenderer() {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    return renderer_ != nullptr;
}

void SdlDisplay::rememberRendererName() {
    SDL_RendererInfo info{};
    rendererName_ = SDL_GetRendererInfo(renderer_, &info) == 0 && info.name != nullptr ? info.name : "";
}

bool SdlDisplay::enterFullScreen() {
    if (window_ == nullptr || (renderer_ == nullptr && !writesWindowPixels())) return false;
    if (windowManagerRuns(window_) && SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
        return false;
    }
    SDL_ShowCursor(SDL_DISABLE);
    return true;
}

bool SdlDisplay::setLogicalSize() {
    if (writesWindowPixels()) return relayout();
    if (renderer_ == nullptr) return false;
    // Nearest-neighbour keeps the pixels sharp; the logical size letterboxes the
    // 4:3 picture with black bars on screens of another shape.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    return SDL_RenderSetLogicalSize(renderer_, ScreenWidth, ScreenHeight) == 0;
}

bool SdlDisplay::createTexture() {
    if (writesWindowPixels()) return true;  // flips write the window's pixels themselves
    if (renderer_ == nullptr) return false;
    if (texture_ != nullptr) return true;
    // 0x00RRGGBB is exactly a 24-bit desktop's window format: the software
    // renderer's scaled copy then converts nothing, which halves its cost.
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, ScreenWidth,
                                 ScreenHeight);
    if (texture_ == nullptr) return false;
    // The top byte of our pixels is not alpha: copy the texture opaque.
    if (SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE) != 0) {
        SDL_DestroyTexture(texture_);
        texture_ = nullptr;
        return false;
    }
    return true;
}

Surface* SdlDisplay::createBackBuffer() {
    if (texture_ == nullptr && !writesWindowPixels()) return nullptr;
    if (!backBuffer_) backBuffer_ = std::make_unique<Surface>(ScreenWidth, ScreenHeight);
    return backBuffer_.get();
}

bool SdlDisplay::relayout() {
    if (x11Pixels_.isOpen()) return relayoutX11Pixels();
    if (window_ == nullptr || surface_ == nullptr) return false;
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr) return false;
    surface_ = surface;
    if (!scaler_.configure(surface->w, surface->h, layoutOf(surface->format))) return false;
    surfaceWidth_ = surface->w;
    surfaceHeight_ = surface->h;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return false;
    scaler_.clear(pixelsOf(surface));
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    wholeWindowStale_ = true;
    return true;
}

void SdlDisplay::presentToWindowSurface() {
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr) return;
    // SDL makes a new surface when the window's size changes.
    if (surface != surface_ || surface->w != surfaceWidth_ || surface->h != surfaceHeight_) {
        if (!relayout()) return;
    }
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    scaler_.present(backBuffer_->view(), pixelsOf(surface));
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    if (wholeWindowStale_) {
        wholeWindowStale_ = SDL_UpdateWindowSurface(window_) != 0;
        return;
    }
    // The bars are already on screen: only the picture is sent.
    const Rect& picture = scaler_.picture();
    const SDL_Rect area{picture.left, picture.top, picture.width(), picture.height()};
    SDL_UpdateWindowSurfaceRects(window_, &area, 1);
}

bool SdlDisplay::relayoutX11Pixels() {
    bool remade = false;
    if (!x11Pixels_.fit(remade)) return false;
    const WindowPixels out = x11Pixels_.pixels();
    if (!scaler_.configure(out.width, out.height, x11Pixels_.layout())) return false;
    scaler_.clear(out);
    wholeWindowStale_ = true;
    return true;
}

void SdlDisplay::presentToX11Pixels() {
    bool remade = false;
    if (!x11Pixels_.fit(remade) || (remade && !relayoutX11Pixels())) return;
    const WindowPixels out = x11Pixels_.pixels();
    scaler_.present(backBuffer_->view(), out);
    // Bars and picture the first time, then the picture alone.
    x11Pixels_.send(wholeWindowStale_ ? Rect{0, 0, out.width, out.height} : scaler_.picture());
    wholeWindowStale_ = false;
}

void SdlDisplay::present() {
    if (x11Pixels_.isOpen() && backBuffer_) {
        presentToX11Pixels();
        return;
    }
    if (surface_ != nullptr && window_ != nullptr && backBuffer_) {
        presentToWindowSurface();
        return;
    }
    if (renderer_ == nullptr || texture_ == nullptr || !backBuffer_) return;
    const PixelView pixels = backBuffer_->view();
    SDL_UpdateTexture(texture_, nullptr, pixels.base, pixels.pitch);
    if (!pictureFillsOutput()) {
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, SDL_ALPHA_OPAQUE);
        SDL_RenderClear(renderer_);
    }
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
}

// Clearing the whole window costs the software renderer as much as the copy; it
// is skipped only where the picture, scaled by a whole factor, covers every pixel.
bool SdlDisplay::pictureFillsOutput() const {
    if (rendererName_ != SoftwareRendererName) return false;
    int width = 0;
    int height = 0;
    if (SDL_GetRendererOutputSize(renderer_, &width, &height) != 0 || width <= 0 || height <= 0) return false;
    return width % ScreenWidth == 0 && height % ScreenHeight == 0 &&
           width / ScreenWidth == height / ScreenHeight;
}

void SdlDisplay::close() {
    backBuffer_.reset();
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    texture_ = nullptr;
    surface_ = nullptr;  // owned by the window
    x11Pixels_.close();
    surfaceWidth_ = 0;
    surfaceHeight_ = 0;
    wholeWindowStale_ = true;
    rendererName_.clear();
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    renderer_ = nullptr;
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    window_ = nullptr;
    windowId_ = 0;
    screenWidth_ = 0;
    screenHeight_ = 0;
    windowed_ = false;
    focused_ = false;
    if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    videoStarted_ = false;
}

bool SdlDisplay::pollEvent(Event& event) {
    SDL_Event sdlEvent;
    int width = 0;
    int height = 0;
    // Of X's own events only a change of the screen's size is ours; it counts as an event.
    do {
        if (SDL_PollEvent(&sdlEvent) == 0) return false;
    } while (sdlEvent.type == SDL_SYSWMEVENT && !screenSizeChange(sdlEvent, width, height));
    event = Event{};
    if (sdlEvent.type == SDL_SYSWMEVENT) {
        followScreen(width, height);
        return true;
    }
    if (sdlEvent.type == SDL_QUIT) {
        event.type = EventType::Quit;
    } else if (sdlEvent.type == SDL_KEYDOWN && sdlEvent.key.repeat == 0 &&
               sdlEvent.key.windowID == windowId_) {
        event.type = EventType::KeyPress;
        event.key = gameKeyForScancode(sdlEvent.key.keysym.scancode);
    } else if (sdlEvent.type == SDL_WINDOWEVENT && sdlEvent.window.windowID == windowId_) {
        translateWindowEvent(sdlEvent.window.event, event);
    } else if (controllers_ != nullptr) {
        controllers_->handleEvent(sdlEvent, event);
    }
    return true;
}

// Focus changes are reported only as they happen: a window that never had the
// focus has none to lose.
void SdlDisplay::translateWindowEvent(uint8_t windowEvent, Event& event) {
    switch (windowEvent) {
        case SDL_WINDOWEVENT_CLOSE:
            event.type = EventType::Quit;
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            if (!focused_) event.type = EventType::FocusGained;
            focused_ = true;
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            if (focused_) event.type = EventType::FocusLost;
            focused_ = false;
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            relayout();
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            wholeWindowStale_ = true;  // the bars may have been painted over
            break;
        default:
            break;
    }
}

bool SdlDisplay::setWindowed(bool windowed) {
    if (window_ == nullptr) return false;
    if (windowed == windowed_) return true;
    if (windowed) {
        if (SDL_SetWindowFullscreen(window_, 0) != 0) return false;
        SDL_SetWindowResizable(window_, SDL_TRUE);
        placeWindowed();
        SDL_ShowCursor(SDL_ENABLE);
    } else {
        // Covers the screen first, as at start-up, for X servers without a window
        // manager to carry out the full-screen request.
        const SDL_Rect screen = screenBounds();
        if (screen.w > 0 && screen.h > 0) {
            SDL_SetWindowPosition(window_, screen.x, screen.y);
            SDL_SetWindowSize(window_, screen.w, screen.h);
        }
        if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return false;
        SDL_ShowCursor(SDL_DISABLE);
    }
    windowed_ = windowed;
    return true;
}

// A whole multiple of the picture, centred on the screen.
void SdlDisplay::placeWindowed() {
    const int scale = windowScale();
    const SDL_Rect screen = screenBounds();
    const int width = ScreenWidth * scale;
    const int height = ScreenHeight * scale;
    SDL_SetWindowSize(window_, width, height);
    SDL_SetWindowPosition(window_, screen.x + std::max(0, (screen.w - width) / 2),
                          screen.y + std::max(0, (screen.h - height) / 2));
}

// Full screen covers the new screen; a window gets the size that fits it. The next
// flip finds the window's new size and fits the picture to it.
void SdlDisplay::followScreen(int width, int height) {
    if (window_ == nullptr || (width == screenWidth_ && height == screenHeight_)) return;
    screenWidth_ = width;
    screenHeight_ = height;
    if (windowed_) {
        placeWindowed();
        return;
    }
    SDL_SetWindowPosition(window_, 0, 0);
    SDL_SetWindowSize(window_, width, height);
}

SDL_Rect SdlDisplay::screenBounds() const {
    SDL_Rect screen{};
    if (SDL_GetDisplayBounds(displayIndex(), &screen) != 0) screen = SDL_Rect{};
    if (screenWidth_ > 0 && screenHeight_ > 0) {
        screen.w = screenWidth_;
        screen.h = screenHeight_;
    }
    return screen;
}

int SdlDisplay::displayIndex() const {
    const int index = SDL_GetWindowDisplayIndex(window_);
    return index < 0 ? 0 : index;
}

// The largest whole multiple of the picture that fits the screen's usable area,
// at least one.
int SdlDisplay::windowScale() const {
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(displayIndex(), &usable) != 0) return 1;
    // SDL's usable area is the one at start; a screen shrunk since bounds it too.
    const SDL_Rect screen = screenBounds();
    const int width = std::min(usable.w, screen.w);
    const int height = std::min(usable.h, screen.h);
    return std::max(1, std::min(width / ScreenWidth, height / ScreenHeight));
}

void SdlDisplay::requestClose() {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
}

}  // namespace platform
