// Times a program's start to its first picture: connects to $DISPLAY, prints
// "ready", then waits for drawing on the screen and reads back only the part drawn,
// until a pixel is not black; prints the wall-clock time at which that drawing was
// reported, in nanoseconds since the epoch. The caller notes the time just before starting the
// program and takes the difference.
//
// The drawing is reported by the X server's DAMAGE extension, so the probe costs
// nothing while nothing is drawn: reading the whole screen back in a loop kept a core
// and the X server busy, slowed the start it measured and, on a 1280x960 screen,
// saw a picture only every 55 ms.
// Exit status 1 when the display cannot be opened, has no DAMAGE extension, is not
// black to begin with, or nothing shows in time.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr double DefaultTimeoutSeconds = 10.0;

// XGetImage leaves the image's colour masks empty: they come from the root's visual.
unsigned long colours = 0;

// The bounds of what was drawn since the last look, clipped to the screen.
struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool empty() const { return left >= right || top >= bottom; }
    void add(const XRectangle& r, int screenWidth, int screenHeight) {
        const int l = std::max(0, static_cast<int>(r.x));
        const int t = std::max(0, static_cast<int>(r.y));
        const int rr = std::min(screenWidth, r.x + static_cast<int>(r.width));
        const int b = std::min(screenHeight, r.y + static_cast<int>(r.height));
        if (l >= rr || t >= b) return;
        if (empty()) {
            *this = Box{l, t, rr, b};
            return;
        }
        left = std::min(left, l);
        top = std::min(top, t);
        right = std::max(right, rr);
        bottom = std::max(bottom, b);
    }
};

bool showsAnything(XImage* image) {
    for (int y = 0; y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x) {
            if ((XGetPixel(image, x, y) & colours) != 0) return true;
        }
    }
    return false;
}

// Whole rows are compared as bytes first: XGetPixel is only used on a row that is
// not all zero, so black is scanned at memory speed.
bool anyNonBlack(XImage* image) {
    const size_t rowBytes =
        static_cast<size_t>(image->width) * static_cast<size_t>(image->bits_per_pixel) / 8;
    for (int y = 0; y < image->height; ++y) {
        const char* row = image->data + static_cast<ptrdiff_t>(y) * image->bytes_per_line;
        if (std::all_of(row, row + rowBytes, [](char c) { return c == 0; })) continue;
        XImage* line = XSubImage(image, 0, y, static_cast<unsigned>(image->width), 1);
        const bool shows = line != nullptr && showsAnything(line);
        if (line != nullptr) XDestroyImage(line);
        if (shows) return true;
    }
    return false;
}

bool boxShowsAnything(Display* display, Window root, const Box& box) {
    XImage* image = XGetImage(display, root, box.left, box.top, static_cast<unsigned>(box.right - box.left),
                              static_cast<unsigned>(box.bottom - box.top), AllPlanes, ZPixmap);
    if (image == nullptr) return false;
    const bool shows = anyNonBlack(image);
    XDestroyImage(image);
    return shows;
}

// Waits up to `timeout` for the X connection to have something to read.
void waitForEvents(Display* display, std::chrono::steady_clock::duration timeout) {
    if (XPending(display) > 0) return;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(timeout).count();
    poll(&connection, 1, static_cast<int>(std::max<int64_t>(ms, 1)));
}

int fail(Display* display, const char* why) {
    std::fprintf(stderr, "first_picture: %s\n", why);
    if (display != nullptr) XCloseDisplay(display);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const double timeout = argc > 1 ? std::atof(argv[1]) : DefaultTimeoutSeconds;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return fail(nullptr, "cannot open the display");
    int damageEvents = 0;
    int damageErrors = 0;
    if (!XDamageQueryExtension(display, &damageEvents, &damageErrors))
        return fail(display, "the X server has no DAMAGE extension");
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, root, &attributes);
    colours = attributes.visual->red_mask | attributes.visual->green_mask | attributes.visual->blue_mask;
    const Box screen{0, 0, attributes.width, attributes.height};

    // Every drawing request on the screen, each with the bounds of what it touched.
    XDamageCreate(display, root, XDamageReportRawRectangles);
    XSync(display, False);
    if (boxShowsAnything(display, root, screen))
        return fail(display, "the screen is not black to begin with");
    std::printf("ready\n");
    std::fflush(stdout);

    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                               std::chrono::duration<double>(timeout));
    for (auto now = std::chrono::steady_clock::now(); now < deadline;
         now = std::chrono::steady_clock::now()) {
        waitForEvents(display, deadline - now);
        // The picture showed when the server reported drawing it, not when the
        // read-back of a whole window (milliseconds at 1280x960) has confirmed it.
        const auto reported = std::chrono::system_clock::now();
        Box drawn;
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == damageEvents + XDamageNotify) {
                drawn.add(reinterpret_cast<XDamageNotifyEvent&>(event).area, screen.right, screen.bottom);
            }
        }
        if (drawn.empty() || !boxShowsAnything(display, root, drawn)) continue;
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(reported.time_since_epoch());
        std::printf("%lld\n", static_cast<long long>(ns.count()));
        XCloseDisplay(display);
        return 0;
    }
    return fail(display, "nothing shown in time");
}
