#pragma once
// The window's own pixels on X11 where SDL cannot give them (a 30-bit screen): a
// shared-memory image in the window's visual, put into the window on each present.
// Kept apart from the display because X11's headers define names that clash with ours.
#include <cstdint>

#include "platform/FrameScaler.h"
#include "platform/Geometry.h"

typedef struct SDL_Window SDL_Window;
// Xlib's connection and graphics context, declared as Xlib declares them.
struct _XDisplay;
struct _XGC;

namespace platform {

class X11Pixels {
public:
    X11Pixels() = default;
    X11Pixels(const X11Pixels&) = delete;
    X11Pixels& operator=(const X11Pixels&) = delete;
    ~X11Pixels() { close(); }

    // False where the window is not on X11, has no shared memory, its visual is not
    // one the scaler writes, or a first image the window's size cannot be made.
    bool open(SDL_Window* window);
    bool isOpen() const { return display_ != nullptr; }
    const PixelLayout& layout() const { return layout_; }
    // An image the window's size, made again when that size has changed; false
    // when it cannot be had. `remade` says whether it is a new one.
    bool fit(bool& remade);
    WindowPixels pixels() const;
    // Puts this part of the image into the window.
    void send(const Rect& area);
    void close();

private:
    void dropImage();

    SDL_Window* window_ = nullptr;
    ::_XDisplay* display_ = nullptr;
    unsigned long drawable_ = 0;
    ::_XGC* gc_ = nullptr;
    struct Image;
    Image* image_ = nullptr;
    PixelLayout layout_;
};

}  // namespace platform
