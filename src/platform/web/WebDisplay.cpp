#include "platform/web/WebDisplay.h"

#include <emscripten/emscripten.h>
#include <wasm_simd128.h>

namespace platform {
namespace {

constexpr int32_t CanvasBytesPerPixel = 4;
constexpr int32_t PixelsPerVector = 4;
constexpr uint32_t OpaqueAlpha = 0xFF000000u;
constexpr uint8_t OpaqueByte = 0xFF;

// The canvas the page made for the game; false when there is none.
EM_JS(int, findCanvas, (), { return document.getElementById('screen') ? 1 : 0; });

EM_JS(int, openCanvasContext, (), {
    var canvas = document.getElementById('screen');
    var context = canvas.getContext('2d', {alpha : false, desynchronized : true});
    if (!context) return 0;
    context.imageSmoothingEnabled = false;
    Module.glintwakeCanvas = {canvas : canvas, context : context};
    return 1;
});

EM_JS(int, sizeCanvas, (int width, int height), {
    var canvas = document.getElementById('screen');
    canvas.width = width;
    canvas.height = height;
    return canvas.width == width && canvas.height == height ? 1 : 0;
});

EM_JS(void, showCanvas, (int shown), { document.body.classList.toggle('playing', !!shown); });

// Puts the rectangle of the picture's bytes into the canvas.
EM_JS(void, putCanvasBytes, (uint8_t * bytes, int width, int height, int x, int y, int w, int h), {
    var target = Module.glintwakeCanvas;
    var pixels = new Uint8ClampedArray(HEAPU8.buffer, bytes, width * height * 4);
    target.context.putImageData(new ImageData(pixels, width, height), 0, 0, x, y, w, h);
});

EM_JS(int, requestPageFullscreen, (int full), {
    var page = document.documentElement;
    try {
        if (full && !document.fullscreenElement && page.requestFullscreen) {
            page.requestFullscreen().catch(function(){});
        } else if (!full && document.fullscreenElement) {
            document.exitFullscreen().catch(function(){});
        }
        return 1;
    } catch (e) {
        return 0;
    }
});

EM_JS(int, pageIsFullscreen, (), { return document.fullscreenElement ? 1 : 0; });

}  // namespace

void toCanvasBytes(const PixelView& view, const Rect& area, uint8_t* rgba) {
    // The back buffer's little-endian 0x00RRGGBB is blue, green, red, unused in
    // memory; the canvas wants red, green, blue, alpha.
    for (int32_t y = area.top; y < area.bottom; ++y) {
        const uint32_t* from = view.row(y);
        uint8_t* to = rgba + (static_cast<ptrdiff_t>(y) * view.width + area.left) * CanvasBytesPerPixel;
        int32_t x = area.left;
        for (; x + PixelsPerVector <= area.right;
             x += PixelsPerVector, to += PixelsPerVector * CanvasBytesPerPixel) {
            const v128_t source = wasm_v128_load(from + x);
            const v128_t swapped =
                wasm_i8x16_shuffle(source, source, 2, 1, 0, 3, 6, 5, 4, 7, 10, 9, 8, 11, 14, 13, 12, 15);
            wasm_v128_store(to, wasm_v128_or(swapped, wasm_u32x4_splat(OpaqueAlpha)));
        }
        for (; x < area.right; ++x, to += CanvasBytesPerPixel) {
            const uint32_t p = from[x];
            to[0] = static_cast<uint8_t>(p >> 16);
            to[1] = static_cast<uint8_t>(p >> 8);
            to[2] = static_cast<uint8_t>(p);
            to[3] = OpaqueByte;
        }
    }
}

bool WebDisplay::startVideo() {
    return findCanvas() != 0 && input_.listen();
}

bool WebDisplay::createWindow() {
    canvas_ = findCanvas() != 0;
    if (canvas_) showCanvas(1);
    return canvas_;
}

bool WebDisplay::createRenderer() {
    context_ = canvas_ && openCanvasContext() != 0;
    return context_;
}

// The page already fills the browser's window; the Fullscreen API waits for F11.
bool WebDisplay::enterFullScreen() {
    return context_;
}

bool WebDisplay::setLogicalSize() {
    return context_ && sizeCanvas(ScreenWidth, ScreenHeight) != 0;
}

bool WebDisplay::createTexture() {
    canvasBytes_ = allocatePixelBytes(static_cast<size_t>(ScreenWidth) * ScreenHeight * CanvasBytesPerPixel);
    return canvasBytes_ != nullptr;
}

Surface* WebDisplay::createBackBuffer() {
    if (canvasBytes_ == nullptr) return nullptr;
    backBuffer_ = Surface::tryCreate(ScreenWidth, ScreenHeight);
    return backBuffer_.get();
}

void WebDisplay::present() {
    if (!backBuffer_ || !canvasBytes_ || !context_) return;
    const Rect whole{0, 0, ScreenWidth, ScreenHeight};
    toCanvasBytes(backBuffer_->view(), whole, canvasBytes_.get());
    putCanvasBytes(canvasBytes_.get(), ScreenWidth, ScreenHeight, whole.left, whole.top,
                   whole.right - whole.left, whole.bottom - whole.top);
}

void WebDisplay::close() {
    if (canvas_) showCanvas(0);
    backBuffer_.reset();
    canvasBytes_.reset();
    context_ = false;
    canvas_ = false;
    input_.stop();
}

bool WebDisplay::pollEvent(Event& event) {
    return input_.pollEvent(event);
}

void WebDisplay::requestClose() {
    input_.push(Event{EventType::Quit});
}

bool WebDisplay::setWindowed(bool windowed) {
    return requestPageFullscreen(windowed ? 0 : 1) != 0;
}

bool WebDisplay::isWindowed() const {
    return pageIsFullscreen() == 0;
}

void WebDisplay::setPlaying(bool playing) {
    showCanvas(playing ? 1 : 0);
}

}  // namespace platform
