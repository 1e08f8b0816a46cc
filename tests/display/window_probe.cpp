// Opens the real window, shows a known picture and waits to be closed: by a
// window close, or by Escape read through the keyboard as the game reads it.
// Prints "renderer <name>" and then "presented" once the picture is on screen.
// Exit status 0 after a clean close; 1 when start-up fails; 2 on timeout.
#include <cstdint>
#include <cstdio>
#include <memory>

#include "platform/Keys.h"
#include "platform/sdl/SdlDisplay.h"
#include "platform/sdl/SdlPlatform.h"

namespace {

using platform::Pixel;

constexpr int64_t FramePauseMicros = 16'000;
constexpr int64_t TimeoutMillis = 60'000;

// Four solid rectangles, one per quarter, on black; the test checks their colours
// at twice these positions on a 1280x960 screen.
struct Block {
    platform::Rect rect;
    Pixel color;
};
constexpr Block Blocks[] = {
    {{40, 40, 280, 200}, 0x00FF0000},
    {{360, 40, 600, 200}, 0x0000FF00},
    {{40, 280, 280, 440}, 0x000000FF},
    {{360, 280, 600, 440}, 0x00FFFFFF},
};

void drawPattern(platform::Surface& backBuffer, platform::TextRenderer& text) {
    backBuffer.fill(0);
    for (const Block& block : Blocks) {
        platform::Surface solid(block.rect.width(), block.rect.height());
        solid.fill(block.color);
        backBuffer.bltFast(block.rect.left, block.rect.top, solid,
                           platform::Rect{0, 0, block.rect.width(), block.rect.height()},
                           platform::BltNoColorKey);
    }
    const platform::FontHandle font = text.createFont("Times New Roman", 20);
    text.drawText(backBuffer, font, platform::ScreenWidth / 2, 450, "Glintwake window probe",
                  platform::makeColorRef(255, 255, 0), platform::TextAlign::Center);
    text.deleteFont(font);
}

bool startDisplay(platform::Display& display) {
    return display.startVideo() && display.createWindow() && display.createRenderer() &&
           display.enterFullScreen() && display.setLogicalSize() && display.createTexture();
}

bool startKeyboard(platform::Keyboard& keyboard) {
    return keyboard.create() && keyboard.createDevice() && keyboard.setDataFormat() &&
           keyboard.setCooperativeLevel() && keyboard.acquire();
}

// Runs until a quit arrives; true unless the time ran out.
bool runUntilQuit(platform::Platform& p) {
    const uint32_t start = p.clock().milliseconds();
    bool announced = false;
    uint8_t keys[platform::KeyStateSize] = {};
    while (p.clock().milliseconds() - start < TimeoutMillis) {
        platform::Event event;
        while (p.display().pollEvent(event)) {
            if (event.type == platform::EventType::Quit) return true;
        }
        p.keyboard().read(keys);
        if (platform::isKeyDown(keys, platform::key::Escape)) p.display().requestClose();
        p.display().present();
        if (!announced) {
            std::printf("presented\n");
            std::fflush(stdout);
            announced = true;
        }
        p.clock().sleepMicroseconds(FramePauseMicros);
    }
    return false;
}

}  // namespace

int main() {
    std::unique_ptr<platform::Platform> p = platform::createSdlPlatform();
    platform::Display& display = p->display();
    if (!startDisplay(display)) {
        std::fprintf(stderr, "display start-up failed\n");
        return 1;
    }
    platform::Surface* backBuffer = display.createBackBuffer();
    if (backBuffer == nullptr || !startKeyboard(p->keyboard())) {
        std::fprintf(stderr, "back buffer or keyboard start-up failed\n");
        return 1;
    }
    if (auto* sdl = dynamic_cast<platform::SdlDisplay*>(&display)) {
        std::printf("renderer %s\n", sdl->rendererName().c_str());
        if (!sdl->glRendererName().empty()) std::printf("gl %s\n", sdl->glRendererName().c_str());
    }
    drawPattern(*backBuffer, p->text());
    const bool quit = runUntilQuit(*p);
    p->keyboard().close();
    display.close();
    display.close();  // a second close must be harmless
    std::printf(quit ? "closed\n" : "timed out\n");
    return quit ? 0 : 2;
}
