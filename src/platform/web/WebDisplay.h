#pragma once
// The page's picture: a 640x480 canvas that the page scales to fill the browser
// window at 4:3 with black bars and no smoothing, and the back buffer in memory,
// copied into the canvas at each flip. The loop's events come from WebInput.
#include <cstdint>
#include <memory>

#include "platform/PixelMemory.h"
#include "platform/Platform.h"
#include "platform/web/WebInput.h"

namespace platform {

// Writes the view's rectangle as the canvas's bytes (red, green, blue, opaque)
// into `rgba`, a whole picture of view.width x view.height pixels.
void toCanvasBytes(const PixelView& view, const Rect& area, uint8_t* rgba);

class WebDisplay final : public Display {
public:
    explicit WebDisplay(WebInput& input) : input_(input) {}
    WebDisplay(const WebDisplay&) = delete;
    WebDisplay& operator=(const WebDisplay&) = delete;
    ~WebDisplay() override { close(); }

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
    // Windowed is the page in the browser's window; otherwise the Fullscreen API.
    bool setWindowed(bool windowed) override;
    bool isWindowed() const override;

    Surface* backBuffer() { return backBuffer_.get(); }
    // Hides the cursor over the picture while the game plays.
    void setPlaying(bool playing);

private:
    WebInput& input_;
    bool canvas_ = false;
    bool context_ = false;
    PixelBytes canvasBytes_;
    std::unique_ptr<Surface> backBuffer_;
};

}  // namespace platform
