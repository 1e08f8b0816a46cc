#pragma once
// The services the game asks of the machine: display, keyboard, clocks, text, sound and
// the message box. Two backends implement them: SDL (the real window) and
// headless (memory only, for tests and benchmarks).
#include <cstdint>
#include <string>

#include "platform/Audio.h"
#include "platform/Geometry.h"
#include "platform/Surface.h"

namespace platform {

constexpr int32_t ScreenWidth = 640;
constexpr int32_t ScreenHeight = 480;
constexpr const char* WindowTitle = "Glintwake";

// Quit ends the loop. KeyPress carries one key going down (repeats excluded), in
// the game's key numbering; the comfort keys act on these so a short tap between
// two frames is never lost. The game's own keys stay polled through Keyboard.
enum class EventType { Quit, Other, KeyPress, FocusLost, FocusGained };

struct Event {
    EventType type = EventType::Other;
    uint8_t key = 0;  // KeyPress only
};

// Window, renderer and flip chain. Start-up runs the steps in order; each may
// fail on its own. close() releases whatever was created, newest first, and is
// safe to call at any point, also twice.
class Display {
public:
    virtual ~Display() = default;

    virtual bool startVideo() = 0;       // stands for registering the window class
    virtual bool createWindow() = 0;     // full-screen desktop window titled "Glintwake"
    virtual bool createRenderer() = 0;   // stands for creating the display object
    virtual bool enterFullScreen() = 0;  // stands for the exclusive cooperative level
    virtual bool setLogicalSize() = 0;   // 640x480 scaled presentation
    virtual bool createTexture() = 0;    // streaming texture the back buffer is copied into
    virtual Surface*
    createBackBuffer() = 0;  // the 640x480 back buffer, owned by the display; null on failure

    virtual void present() = 0;  // the flip: shows the back buffer
    virtual void close() = 0;

    // One event from the queue, if any. A closed window or quit request gives Quit.
    virtual bool pollEvent(Event& event) = 0;
    // Asks the window to close; the quit arrives later through pollEvent.
    virtual void requestClose() = 0;

    // Switches between the full-screen desktop window and a resizable window of a
    // whole multiple of the picture. False where the backend cannot.
    virtual bool setWindowed(bool /*windowed*/) { return false; }
    virtual bool isWindowed() const { return false; }
};

// The keyboard, read once per frame into the game's 256-byte state.
class Keyboard {
public:
    virtual ~Keyboard() = default;

    virtual bool create() = 0;               // stands for creating the input object
    virtual bool createDevice() = 0;         // the system keyboard
    virtual bool setDataFormat() = 0;        // the 256-byte state format
    virtual bool setCooperativeLevel() = 0;  // foreground, non-exclusive
    virtual bool acquire() = 0;

    // Fills all 256 bytes: 0x80 for a held key, 0 otherwise. Every key reads as
    // up while the window does not have keyboard focus.
    virtual void read(uint8_t* keys) = 0;
    virtual void close() = 0;
};

class Clock {
public:
    virtual ~Clock() = default;

    // False when no high-resolution counter exists; the game then uses milliseconds.
    virtual bool performanceFrequency(int64_t& ticksPerSecond) = 0;
    virtual int64_t performanceCounter() = 0;
    virtual uint32_t milliseconds() = 0;
    // Idles for about this long so the loop need not spin while no frame is due.
    virtual void sleepMicroseconds(int64_t micros) = 0;
    // Idles until the high-resolution counter reaches `ticks`. Backends with an
    // absolute sleep override this; the default sleeps the difference.
    virtual void sleepUntilCounter(int64_t ticks) {
        constexpr int64_t MicrosPerSecond = 1'000'000;
        int64_t frequency = 0;
        if (!performanceFrequency(frequency) || frequency <= 0) return;
        const int64_t remaining = ticks - performanceCounter();
        if (remaining > 0) sleepMicroseconds(remaining * MicrosPerSecond / frequency);
    }
};

enum class TextAlign { Left, Center, Right };

using FontHandle = int32_t;
constexpr FontHandle NoFont = 0;

// Fonts by face name and pixel height, and text drawn straight onto a surface.
class TextRenderer {
public:
    virtual ~TextRenderer() = default;

    // Returns NoFont only when no font at all can be had.
    virtual FontHandle createFont(const std::string& face, int32_t pixelHeight) = 0;
    virtual void deleteFont(FontHandle font) = 0;
    // Transparent background; x is the left edge, centre or right edge by `align`;
    // y is always the top of the text. Colour is 0x00BBGGRR.
    virtual void drawText(Surface& target, FontHandle font, int32_t x, int32_t y, const char* text,
                          ColorRef color, TextAlign align) = 0;
};

class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Shows the text with an OK button; also writes it to standard error.
    virtual void show(const char* caption, const char* text) = 0;
};

// One backend: the set of services the game runs on.
class Platform {
public:
    virtual ~Platform() = default;
    virtual Display& display() = 0;
    virtual Keyboard& keyboard() = 0;
    virtual Clock& clock() = 0;
    virtual TextRenderer& text() = 0;
    virtual MessageBox& messageBox() = 0;
    // Sound effects; a backend without them stays silent.
    virtual Audio& audio() {
        static Audio silent;
        return silent;
    }
};

}  // namespace platform
