// Opens the real window, shows a known picture with a line of text, and presents
// it until Escape, read through the keyboard as the game reads it, closes it.
// Prints "renderer <name>", then "presented" once the picture is on screen and
// "closed" at the end. Exit status 0 after a clean close; 1 when start-up fails.
// With --texture the flips go through the streaming texture even where the picture
// would be written straight into the window, so the two paths can be compared.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

#include "platform/Keys.h"
#include "platform/sdl/SdlDisplay.h"
#include "platform/sdl/SdlPlatform.h"

namespace {

using platform::Rect;

constexpr int64_t FramePauseMicros = 16'000;
constexpr int32_t TextTop = 450;

// Four solid rectangles, one per quarter, on black; the display test checks their
// colours at twice these positions on a 1280x960 screen.
constexpr std::pair<Rect, platform::Pixel> Blocks[] = {{{40, 40, 280, 200}, 0xFF0000},
                                                       {{360, 40, 600, 200}, 0x00FF00},
                                                       {{40, 280, 280, 440}, 0x0000FF},
                                                       {{360, 280, 600, 440}, 0xFFFFFF}};

// The game's start-up steps in its order; the back buffer, or null when one fails.
platform::Surface* start(platform::Display& d, platform::Keyboard& k) {
    const bool display = d.startVideo() && d.createWindow() && d.createRenderer() && d.enterFullScreen() &&
                         d.setLogicalSize() && d.createTexture();
    platform::Surface* backBuffer = display ? d.createBackBuffer() : nullptr;
    const bool keyboard = backBuffer && k.create() && k.createDevice() && k.setDataFormat() &&
                          k.setCooperativeLevel() && k.acquire();
    return keyboard ? backBuffer : nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);  // the display test reads each line as it comes
    const bool texture = argc > 1 && std::strcmp(argv[1], "--texture") == 0;
    const std::unique_ptr<platform::Platform> p = platform::createSdlPlatform(
        texture ? platform::PresentPath::Texture : platform::PresentPath::Automatic);
    platform::Display& display = p->display();
    platform::Surface* backBuffer = start(display, p->keyboard());
    if (backBuffer == nullptr) {
        std::fprintf(stderr, "start-up failed\n");
        return 1;
    }
    if (auto* sdl = dynamic_cast<platform::SdlDisplay*>(&display)) {
        std::printf("renderer %s\n", sdl->rendererName().c_str());
        std::printf("path %s\n", sdl->presentsToWindowSurface() ? "window" : "texture");
    }
    for (const auto& [rect, color] : Blocks)
        for (int32_t y = rect.top; y < rect.bottom; ++y)
            for (int32_t x = rect.left; x < rect.right; ++x) backBuffer->setPixel(x, y, color);
    const platform::FontHandle font = p->text().createFont("Times New Roman", 20);
    p->text().drawText(*backBuffer, font, platform::ScreenWidth / 2, TextTop, "Glintwake window probe",
                       platform::makeColorRef(255, 255, 0), platform::TextAlign::Center);
    p->text().deleteFont(font);
    uint8_t keys[platform::KeyStateSize] = {};
    platform::Event event{};
    for (bool presented = false; event.type != platform::EventType::Quit;) {
        if (display.pollEvent(event)) continue;
        p->keyboard().read(keys);
        if (platform::isKeyDown(keys, platform::key::Escape)) display.requestClose();
        display.present();
        if (!std::exchange(presented, true)) std::printf("presented\n");
        p->clock().sleepMicroseconds(FramePauseMicros);
    }
    p->keyboard().close();
    display.close();
    std::printf("closed\n");
    return 0;
}
