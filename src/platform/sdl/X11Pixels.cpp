#include "platform/sdl/X11Pixels.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <string_view>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#endif

namespace platform {

#if defined(SDL_VIDEO_DRIVER_X11)

struct X11Pixels::Image {
    XImage* image = nullptr;
    XShmSegmentInfo segment{};
    int32_t width = 0;
    int32_t height = 0;
    bool attached = false;
};

namespace {
constexpr int SharedMemoryMode = 0600;
constexpr int BitsPerByte = 8;

// Shared memory reaches only a server on this machine, as SDL itself assumes.
bool displayIsLocal(::Display* x) {
    const std::string_view name = DisplayString(x);
    return name.starts_with(":") || name.starts_with("unix:");
}

// Set when the server refuses the shared memory; the refusal comes as an X error.
bool attachRefused = false;
int noteRefusal(::Display*, XErrorEvent*) {
    attachRefused = true;
    return 0;
}

// Attaches the segment and waits for the server's answer, with any error it
// sends noted here instead of ending the program.
bool attach(::Display* x, XShmSegmentInfo* segment) {
    attachRefused = false;
    XSync(x, False);
    const auto previous = XSetErrorHandler(noteRefusal);
    const bool sent = XShmAttach(x, segment) != False;
    XSync(x, False);
    XSetErrorHandler(previous);
    return sent && !attachRefused;
}
}  // namespace

bool X11Pixels::open(SDL_Window* window) {
    close();
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    ::Display* x = info.info.x11.display;
    XWindowAttributes attributes{};
    if (!displayIsLocal(x) || XShmQueryExtension(x) == False ||
        XGetWindowAttributes(x, info.info.x11.window, &attributes) == 0) {
        return false;
    }
    // The bits per pixel of the window's depth, from the server's pixmap formats.
    int formatCount = 0;
    int bitsPerPixel = 0;
    if (XPixmapFormatValues* formats = XListPixmapFormats(x, &formatCount)) {
        for (int i = 0; i < formatCount; ++i) {
            if (formats[i].depth == attributes.depth) bitsPerPixel = formats[i].bits_per_pixel;
        }
        XFree(formats);
    }
    PixelLayout layout;
    layout.bytesPerPixel = bitsPerPixel / BitsPerByte;
    layout.redMask = static_cast<uint32_t>(attributes.visual->red_mask);
    layout.greenMask = static_cast<uint32_t>(attributes.visual->green_mask);
    layout.blueMask = static_cast<uint32_t>(attributes.visual->blue_mask);
    // Direct colour is read through the default colour map's straight ramps, as SDL does.
    const bool masked = attributes.visual->c_class == TrueColor || attributes.visual->c_class == DirectColor;
    if (!masked || !layout.isSupported()) return false;
    gc_ = XCreateGC(x, info.info.x11.window, 0, nullptr);
    if (gc_ == nullptr) return false;
    window_ = window;
    display_ = x;
    drawable_ = info.info.x11.window;
    layout_ = layout;
    // Taken only once a first image works, so that a server refusing shared memory
    // (another IPC namespace) leaves the window to the other paths.
    bool remade = false;
    if (!fit(remade)) {
        close();
        return false;
    }
    return true;
}

bool X11Pixels::fit(bool& remade) {
    remade = false;
    if (display_ == nullptr) return false;
    int width = 0;
    int height = 0;
    SDL_GetWindowSizeInPixels(window_, &width, &height);
    if (image_ != nullptr && image_->width == width && image_->height == height) return true;
    dropImage();
    if (width <= 0 || height <= 0) return false;
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display_, drawable_, &attributes) == 0) return false;
    auto* made = new Image;
    made->segment.shmid = -1;
    made->image =
        XShmCreateImage(display_, attributes.visual, static_cast<unsigned>(attributes.depth), ZPixmap,
                        nullptr, &made->segment, static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (made->image != nullptr) {
        const size_t bytes = static_cast<size_t>(made->image->bytes_per_line) * static_cast<size_t>(height);
        made->segment.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | SharedMemoryMode);
    }
    if (made->segment.shmid >= 0) {
        made->segment.shmaddr = made->image->data =
            static_cast<char*>(shmat(made->segment.shmid, nullptr, 0));
        made->segment.readOnly = False;
        // Marked for removal now: it goes with the last detach, even after a crash.
        shmctl(made->segment.shmid, IPC_RMID, nullptr);
    }
    const bool mapped =
        made->segment.shmaddr != reinterpret_cast<char*>(-1) && made->segment.shmaddr != nullptr;
    made->attached = mapped && attach(display_, &made->segment);
    if (!made->attached) {
        image_ = made;
        dropImage();
        return false;
    }
    made->width = width;
    made->height = height;
    image_ = made;
    remade = true;
    return true;
}

WindowPixels X11Pixels::pixels() const {
    if (image_ == nullptr) return {};
    return WindowPixels{reinterpret_cast<uint8_t*>(image_->image->data), image_->width, image_->height,
                        image_->image->bytes_per_line};
}

void X11Pixels::send(const std::vector<Rect>& areas) {
    if (image_ == nullptr) return;
    for (const Rect& area : areas) {
        XShmPutImage(display_, drawable_, gc_, image_->image, area.left, area.top, area.left, area.top,
                     static_cast<unsigned>(area.width()), static_cast<unsigned>(area.height()), False);
    }
    // No wait for the server: the image always holds the newest picture and each part
    // is sent only once written, so a put the server reads late still ends right.
    XFlush(display_);
}

void X11Pixels::dropImage() {
    if (image_ == nullptr) return;
    if (image_->attached) {
        XShmDetach(display_, &image_->segment);
        XSync(display_, False);
    }
    if (image_->segment.shmaddr != nullptr && image_->segment.shmaddr != reinterpret_cast<char*>(-1)) {
        shmdt(image_->segment.shmaddr);
    }
    if (image_->image != nullptr) {
        image_->image->data = nullptr;  // the shared memory is not XDestroyImage's to free
        XDestroyImage(image_->image);
    }
    delete image_;
    image_ = nullptr;
}

void X11Pixels::close() {
    dropImage();
    if (gc_ != nullptr) XFreeGC(display_, gc_);
    gc_ = nullptr;
    display_ = nullptr;
    window_ = nullptr;
    drawable_ = 0;
}

#else

struct X11Pixels::Image {};
bool X11Pixels::open(SDL_Window*) {
    return false;
}
bool X11Pixels::fit(bool& remade) {
    remade = false;
    return false;
}
WindowPixels X11Pixels::pixels() const {
    return {};
}
void X11Pixels::send(const std::vector<Rect>&) {}
void X11Pixels::dropImage() {}
void X11Pixels::close() {}

#endif

}  // namespace platform
