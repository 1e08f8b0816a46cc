// Times a program's start to its first picture: connects to $DISPLAY, prints
// "ready", then watches the root window until any pixel is not black and prints
// the wall-clock time of that moment in nanoseconds since the epoch. The caller
// notes the time just before starting the program and takes the difference.
// Exit status 1 when the display cannot be opened or nothing shows in time.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

constexpr auto PollInterval = std::chrono::milliseconds(2);
constexpr double DefaultTimeoutSeconds = 10.0;

// XGetImage leaves the image's colour masks empty: they come from the root's visual.
unsigned long colours = 0;

bool showsAnything(XImage* image) {
    for (int y = 0; y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x) {
            if ((XGetPixel(image, x, y) & colours) != 0) return true;
        }
    }
    return false;
}

// Whole rows are compared as bytes first: XGetPixel is only used on a row that is
// not all zero, so a black screen is scanned at memory speed.
bool anyNonBlack(XImage* image) {
    const size_t rowBytes =
        static_cast<size_t>(image->width) * static_cast<size_t>(image->bits_per_pixel) / 8;
    for (int y = 0; y < image->height; ++y) {
        const char* row = image->data + static_cast<ptrdiff_t>(y) * image->bytes_per_line;
        for (size_t i = 0; i < rowBytes; ++i) {
            if (row[i] == 0) continue;
            XImage* line = XSubImage(image, 0, y, static_cast<unsigned>(image->width), 1);
            const bool shows = line != nullptr && showsAnything(line);
            if (line != nullptr) XDestroyImage(line);
            if (shows) return true;
            break;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const double timeout = argc > 1 ? std::atof(argv[1]) : DefaultTimeoutSeconds;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fputs("first_picture: cannot open the display\n", stderr);
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, root, &attributes);
    colours = attributes.visual->red_mask | attributes.visual->green_mask | attributes.visual->blue_mask;
    std::printf("ready\n");
    std::fflush(stdout);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeout);
    while (std::chrono::steady_clock::now() < deadline) {
        XImage* image = XGetImage(display, root, 0, 0, static_cast<unsigned>(attributes.width),
                                  static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
        const bool shows = image != nullptr && anyNonBlack(image);
        const auto seen = std::chrono::system_clock::now();
        if (image != nullptr) XDestroyImage(image);
        if (shows) {
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(seen.time_since_epoch());
            std::printf("%lld\n", static_cast<long long>(ns.count()));
            XCloseDisplay(display);
            return 0;
        }
        std::this_thread::sleep_for(PollInterval);
    }
    XCloseDisplay(display);
    std::fputs("first_picture: nothing shown in time\n", stderr);
    return 1;
}
