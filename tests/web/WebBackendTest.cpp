// The web backend's own rules, run under node: keys latched until a frame reads
// them, focus dropping every key, the page keeping the game's keys, the DOM's key
// names, the canvas's byte order, the standard gamepad's mapping and the CSS
// font names. Prints one line a failed check and "N passed, N failed".
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Keys.h"
#include "platform/PadMapping.h"
#include "platform/Surface.h"
#include "platform/web/WebDisplay.h"
#include "platform/web/WebGamepads.h"
#include "platform/web/WebInput.h"
#include "platform/web/WebKeyTable.h"
#include "platform/web/WebText.h"

namespace {

namespace key = platform::key;

int g_passed = 0;
int g_failed = 0;

void check(bool ok, const char* what, int line) {
    if (ok) {
        ++g_passed;
    } else {
        ++g_failed;
        std::printf("FAILED line %d: %s\n", line, what);
    }
}
#define CHECK(condition) check((condition), #condition, __LINE__)

bool down(const uint8_t* keys, uint8_t code) {
    return platform::isKeyDown(keys, code);
}

int keyPresses(platform::WebInput& input, uint8_t code) {
    int presses = 0;
    platform::Event event;
    while (input.pollEvent(event))
        if (event.type == platform::EventType::KeyPress && event.key == code) ++presses;
    return presses;
}

void tapsAreLatchedUntilAFrameReadsThem() {
    platform::WebInput input;
    uint8_t keys[platform::KeyStateSize];
    input.keyDown("ArrowLeft", false);
    input.keyUp("ArrowLeft");  // let go before any frame read it
    input.readKeys(keys);
    CHECK(down(keys, key::Left));
    input.readKeys(keys);
    CHECK(!down(keys, key::Left));

    input.keyDown("Space", false);
    for (int frame = 0; frame < 3; ++frame) {
        input.keyDown("Space", true);  // the browser's key repeat
        input.readKeys(keys);
        CHECK(down(keys, key::Space));
    }
    CHECK(keyPresses(input, key::Space) == 1);  // repeats are no new presses
    input.keyUp("Space");
    input.readKeys(keys);
    CHECK(!down(keys, key::Space));
}

void losingFocusOrHidingLetsEveryKeyGo() {
    for (const bool byHiding : {false, true}) {
        platform::WebInput input;
        uint8_t keys[platform::KeyStateSize];
        input.keyDown("ArrowRight", false);
        input.keyDown("KeyZ", false);
        platform::Event event;
        while (input.pollEvent(event)) {
        }
        byHiding ? input.visibilityChanged(false) : input.focusChanged(false);
        CHECK(input.pollEvent(event) && event.type == platform::EventType::FocusLost);
        input.readKeys(keys);
        CHECK(!down(keys, key::Right) && !down(keys, key::Z));
        byHiding ? input.visibilityChanged(true) : input.focusChanged(true);
        CHECK(input.pollEvent(event) && event.type == platform::EventType::FocusGained);
        input.readKeys(keys);
        CHECK(!down(keys, key::Right));  // its key-up came while away: it must not stay held
    }
}

void thePageKeepsTheGamesKeysOnly() {
    platform::WebInput input;
    for (const char* code :
         {"ArrowUp",     "ArrowDown",    "ArrowLeft", "ArrowRight", "Space", "AltLeft", "AltRight",
          "ControlLeft", "ControlRight", "ShiftLeft", "KeyZ",       "KeyX",  "KeyQ",    "Enter",
          "Escape",      "KeyP",         "KeyM",      "F1",         "F11",   "Pause"}) {
        CHECK(input.keyDown(code, false));
        CHECK(input.keyUp(code));
    }
    for (const char* code : {"KeyA", "F5", "F12", "Tab", "Digit1", "Lang1"})
        CHECK(!input.keyDown(code, false));
}

void domKeyNamesAreTheGamesCodes() {
    struct Case {
        const char* code;
        uint8_t expected;
    };
    const Case cases[] = {
        {"Escape", key::Escape},
        {"KeyQ", key::Q},
        {"KeyP", key::P},
        {"Enter", key::Return},
        {"ControlLeft", 0x1D},
        {"ShiftLeft", key::LeftShift},
        {"KeyZ", key::Z},
        {"KeyX", key::X},
        {"KeyM", key::M},
        {"AltLeft", key::LeftAlt},
        {"Space", key::Space},
        {"F1", key::F1},
        {"F11", key::F11},
        {"ControlRight", 0x9D},
        {"AltRight", key::RightAlt},
        {"Pause", key::Pause},
        {"ArrowUp", key::Up},
        {"ArrowLeft", key::Left},
        {"ArrowRight", key::Right},
        {"ArrowDown", key::Down},
        {"NumpadEnter", 0x9C},
        {"Lang1", 0},
        {"", 0},
    };
    for (const Case& c : cases) CHECK(platform::gameKeyForDomCode(c.code) == c.expected);
    CHECK(platform::gameKeyForDomCode(nullptr) == 0);
}

// An odd width runs both the four-pixel steps and the single pixels after them.
void canvasBytesAreRedGreenBlueOpaque() {
    constexpr int32_t Width = 7;
    constexpr int32_t Height = 2;
    platform::Surface surface(Width, Height);
    for (int32_t y = 0; y < Height; ++y)
        for (int32_t x = 0; x < Width; ++x)
            surface.setPixel(x, y, (uint32_t(x * 30) << 16) | (uint32_t(y * 100) << 8) | uint32_t(x + 1));
    std::vector<uint8_t> rgba(Width * Height * 4, 7);
    platform::toCanvasBytes(surface.view(), platform::Rect{1, 1, Width, Height}, rgba.data());
    bool allRight = true;
    for (int32_t y = 0; y < Height; ++y) {
        for (int32_t x = 0; x < Width; ++x) {
            const uint8_t* p = &rgba[(y * Width + x) * 4];
            const bool inside = y >= 1 && x >= 1;
            const bool right = inside ? p[0] == x * 30 && p[1] == y * 100 && p[2] == x + 1 && p[3] == 0xFF
                                      : p[0] == 7 && p[1] == 7 && p[2] == 7 && p[3] == 7;
            if (!right) {
                std::printf("pixel %d,%d: %d %d %d %d\n", x, y, p[0], p[1], p[2], p[3]);
                allRight = false;
            }
        }
    }
    CHECK(allRight);
}

void aStandardPadPlaysAsOnTheDesktop() {
    bool buttons[17] = {};
    const double centred[4] = {0.0, 0.0, 0.0, 0.0};
    buttons[9] = true;   // Start
    buttons[8] = true;   // Back (select)
    buttons[0] = true;   // A
    buttons[14] = true;  // D-pad left
    platform::PadReading pad = platform::padReadingFromBrowser(buttons, 17, centred, 4, 0.0, 0.0);
    CHECK(pad.buttons[static_cast<int>(platform::PadButton::Start)]);
    CHECK(pad.buttons[static_cast<int>(platform::PadButton::Back)]);
    CHECK(!pad.buttons[static_cast<int>(platform::PadButton::Guide)]);
    uint8_t keys[platform::KeyStateSize] = {};
    platform::addPadKeys(pad, keys);
    CHECK(down(keys, key::Space) && down(keys, key::Return) && down(keys, key::Left) && down(keys, key::Q));
    CHECK(!down(keys, key::Right) && !down(keys, key::LeftAlt));

    bool none[17] = {};
    const double leaning[4] = {0.9, -0.2, 0.0, 0.0};  // right, and a drift upwards inside the dead zone
    pad = platform::padReadingFromBrowser(none, 17, leaning, 4, 0.6, 0.4);
    uint8_t more[platform::KeyStateSize] = {};
    platform::addPadKeys(pad, more);
    CHECK(down(more, key::Right) && !down(more, key::Up));
    CHECK(down(more, key::LeftAlt) && !down(more, key::RightAlt));  // past half way and not
    CHECK(pad.leftX > platform::StickDeadZone && pad.leftTrigger > platform::TriggerThreshold);
}

void fontNamesBecomeCssFamilies() {
    CHECK(platform::cssFontFamily("Times New Roman") == "'Times New Roman', serif");
    CHECK(platform::cssFontFamily("Small Fonts") == "'Small Fonts', sans-serif");
    CHECK(platform::cssFontFamily("") == "sans-serif");
    // A name cannot close the quotes and add its own CSS.
    CHECK(platform::cssFontFamily("Arial'; color: red") == "'Arial color: red', sans-serif");
}

}  // namespace

int main() {
    tapsAreLatchedUntilAFrameReadsThem();
    losingFocusOrHidingLetsEveryKeyGo();
    thePageKeepsTheGamesKeysOnly();
    domKeyNamesAreTheGamesCodes();
    canvasBytesAreRedGreenBlueOpaque();
    aStandardPadPlaysAsOnTheDesktop();
    fontNamesBecomeCssFamilies();
    std::printf("web backend: %d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}
