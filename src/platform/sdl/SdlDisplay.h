#pragma once
// The real display: one full-screen desktop window, a renderer, one streaming
// texture and the back buffer in memory that each flip uploads and shows.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Platform.h"

// SDL's own handle types, declared as SDL declares them so that users of this
// header need no SDL include.
typedef struct SDL_Window SDL_Window;
typedef struct SDL_Renderer SDL_Renderer;
typedef struct SDL_Texture SDL_Texture;

namespace platform {

class SdlControllers;

class SdlDisplay final : public Display {
public:
    SdlDisplay() = default;
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
    // Follows the window's focus events; the keyboard reads nothing without it.
    bool hasKeyboardFocus() const { return window_ != nullptr && focused_; }
    // The SDL renderer in use ("software", "opengl", ...); empty before createRenderer.
    const std::string& rendererName() const { return rendererName_; }
    // The OpenGL renderer string seen while choosing, empty when OpenGL was not tried.
    const std::string& glRendererName() const { return glRendererName_; }

private:
    bool acceleratedRendererIsSoftwareGl();
    bool createSoftwareRenderer();
    void rememberRendererName();
    bool pictureFillsOutput() const;
    void translateWindowEvent(uint8_t windowEvent, Event& event);
    int windowScale() const;
    int displayIndex() const;

    bool videoStarted_ = false;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    std::unique_ptr<Surface> backBuffer_;
    uint32_t windowId_ = 0;
    bool focused_ = false;
    bool windowed_ = false;
    SdlControllers* controllers_ = nullptr;
    std::string rendererName_;
    std::string glRendererName_;
};

}  // namespace platform
