#pragma once
// The real display: one full-screen desktop window and the back buffer in memory.
// A flip uploads it to a streaming texture where a GPU renders, and otherwise
// scales it straight into the window's own pixels.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Damage.h"
#include "platform/FrameScaler.h"
#include "platform/Platform.h"
#include "platform/sdl/X11Pixels.h"

// SDL's own handle types, declared as SDL declares them so that users of this
// header need no SDL include.
typedef struct SDL_Window SDL_Window;
typedef struct SDL_Renderer SDL_Renderer;
typedef struct SDL_Texture SDL_Texture;
typedef struct SDL_Surface SDL_Surface;
typedef struct SDL_Rect SDL_Rect;

namespace platform {

class SdlControllers;

// How flips reach the window. Automatic chooses by what the machine can do and, on
// the window's own pixels, sends only what changed; the texture path, or whole
// frames every flip, can be forced so that tests can compare them.
enum class PresentPath { Automatic, Texture, WholeFrames };

class SdlDisplay final : public Display {
public:
    explicit SdlDisplay(PresentPath path = PresentPath::Automatic) : path_(path) {}
    SdlDisplay(const SdlDisplay&) = delete;
    SdlDisplay& operator=(const SdlDisplay&) = delete;
    ~SdlDisplay() override;

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

    // Controller events arriving through the queue go to these.
    void attachControllers(SdlControllers* controllers) { controllers_ = controllers; }

    bool hasWindow() const { return window_ != nullptr; }
    SDL_Window* window() const { return window_; }
    // Follows the window's focus events; the keyboard reads nothing without it.
    bool hasKeyboardFocus() const { return window_ != nullptr && focused_; }
    // Fits the picture to the window's current size and blackens the bars. Flips call
    // it when the window's surface changes (a resize, a full-screen toggle).
    bool relayout();
    // True when flips write into the window's own pixels rather than a texture.
    bool presentsToWindowSurface() const { return writesWindowPixels(); }

    // The SDL renderer in use ("software", "opengl", ...); empty before createRenderer.
    const std::string& rendererName() const { return rendererName_; }
    // The OpenGL renderer string seen while choosing, empty when OpenGL was not tried.

private:
    bool acceleratedRendererIsSoftwareGl();
    bool replaceSoftwareGl();
    bool openWindowSurface();
    bool createSoftwareRenderer();
    void presentToWindowSurface();
    bool relayoutX11Pixels();
    void presentToX11Pixels();
    // Writes what changed into `out`; the window areas to send go to sendAreas_.
    void writeChanges(const WindowPixels& out);
    bool writesWindowPixels() const { return surface_ != nullptr || x11Pixels_.isOpen(); }
    void rememberRendererName();
    bool pictureFillsOutput() const;
    void translateWindowEvent(uint8_t windowEvent, Event& event);
    int windowScale() const;
    int displayIndex() const;
    // The screen's size as last reported (SDL's own stays as it was at start).
    SDL_Rect screenBounds() const;
    void followScreen(int width, int height);
    void placeWindowed();

    // Half a frame: more than a frame's own work, less than its sleep.
    static constexpr uint64_t PumpSpacingMs = 8;
    uint64_t lastPumpMs_ = 0;
    bool videoStarted_ = false;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    SDL_Surface* surface_ = nullptr;  // the window's pixels on the direct path
    FrameScaler scaler_;
    // ... or ours on X11, in a segment no other user can read.
    X11Pixels x11Pixels_;
    Damage damage_;
    std::vector<Rect> sendAreas_;  // window areas of the present being made
    int32_t surfaceWidth_ = 0;
    int32_t surfaceHeight_ = 0;
    bool wholeWindowStale_ = true;  // bars not yet shown since the last layout
    PresentPath path_;
    std::unique_ptr<Surface> backBuffer_;
    uint32_t windowId_ = 0;
    bool focused_ = false;
    bool windowed_ = false;
    int screenWidth_ = 0;  // 0 until the window is made
    int screenHeight_ = 0;
    SdlControllers* controllers_ = nullptr;
    std::string rendererName_;
    std::string glRendererName_;
};

}  // namespace platform
