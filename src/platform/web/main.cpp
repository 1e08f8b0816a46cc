// The program in a browser page: the game started once the page has put the
// images in place, then one step of its loop per animation frame. Escape ends it
// and the page says so; a failed start-up leaves its box in the page.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "app/FrameUpdate.h"
#include "app/SteppedGame.h"
#include "platform/Keys.h"
#include "platform/web/WebClock.h"
#include "platform/web/WebDisplay.h"
#include "platform/web/WebMessageBox.h"
#include "platform/web/WebPlatform.h"
#include "world/GameState.h"

namespace {

constexpr double MicrosPerSecond = 1e6;
constexpr uint64_t FnvOffset = 14695981039346656037ull;
constexpr uint64_t FnvPrime = 1099511628211ull;
constexpr int ByteBits = 8;
constexpr int PixelBits = 32;
constexpr uint32_t ByteMask = 0xFF;

EM_JS(void, showEndedPage, (), {
    document.body.classList.remove('playing');
    document.body.classList.add('ended');
    if (Module.onGameEnded) Module.onGameEnded();
});

EM_JS(void, markFirstPicture, (), {
    Module.firstPictureAt = performance.now();
    if (Module.onFirstPicture) Module.onFirstPicture();
});

// What the page asked for in its address: a seed, no text, a log of the frames.
struct Options {
    std::optional<uint32_t> seed;
    bool drawText = true;
    bool recordFrames = false;
};

Options readOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
            options.seed = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (std::strcmp(argv[i], "--no-text") == 0) {
            options.drawText = false;
        } else if (std::strcmp(argv[i], "--record") == 0) {
            options.recordFrames = true;
        }
    }
    return options;
}

// How long the game's own frames took (update and the copy into the canvas), and
// what each frame read, for the page's own measurements and tests.
struct FrameRecord {
    int64_t frames = 0;
    double workMilliseconds = 0.0;
    bool recording = false;
    std::string log;  // one line a frame: dt, then the codes of the keys held
};

FrameRecord g_record;
std::unique_ptr<platform::WebPlatform> g_page;
std::unique_ptr<glintwake::SteppedGame> g_game;

void recordFrame(double dt) {
    char line[64];
    std::snprintf(line, sizeof line, "%.17g", dt);
    g_record.log += line;
    for (int code = 0; code < platform::KeyStateSize; ++code) {
        if (!platform::isKeyDown(glintwake::g_keys, static_cast<uint8_t>(code))) continue;
        std::snprintf(line, sizeof line, " %d", code);
        g_record.log += line;
    }
    g_record.log += '\n';
}

void timedFrame(double dt) {
    if (g_record.recording) recordFrame(dt);
    const double start = emscripten_get_now();
    glintwake::updateFrame(dt);
    g_record.workMilliseconds += emscripten_get_now() - start;
    if (++g_record.frames == 1) markFirstPicture();
}

void endGame() {
    g_game->finish();
    const bool boxShown = g_page->webMessageBox().shown();
    g_game.reset();
    if (!boxShown) showEndedPage();
}

EM_BOOL animationFrame(double, void*) {
    if (g_game->advance()) return EM_TRUE;
    endGame();
    return EM_FALSE;
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int glintwake_frames() {
    return static_cast<int>(g_record.frames);
}

EMSCRIPTEN_KEEPALIVE double glintwake_frame_work_ms() {
    return g_record.workMilliseconds;
}

EMSCRIPTEN_KEEPALIVE const char* glintwake_frame_log() {
    return g_record.log.c_str();
}

// FNV-1a over the back buffer's bytes, as the replay summaries hash their last frame.
EMSCRIPTEN_KEEPALIVE const char* glintwake_frame_hash() {
    static char text[32];
    uint64_t hash = FnvOffset;
    if (glintwake::g_backBuffer != nullptr) {
        const platform::PixelView view = glintwake::g_backBuffer->view();
        for (int32_t y = 0; y < view.height; ++y) {
            const uint32_t* row = view.row(y);
            for (int32_t x = 0; x < view.width; ++x)
                for (int shift = 0; shift < PixelBits; shift += ByteBits)
                    hash = (hash ^ ((row[x] >> shift) & ByteMask)) * FnvPrime;
        }
    }
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

}  // extern "C"

int main(int argc, char** argv) {
    const Options options = readOptions(argc, argv);
    g_record.recording = options.recordFrames;
    g_page = platform::createWebPlatform(options.drawText);
    const double longestWatch = static_cast<double>(platform::WebLongestWatchMicroseconds) / MicrosPerSecond;
    g_game = std::make_unique<glintwake::SteppedGame>(*g_page, timedFrame, longestWatch);
    if (!g_game->start(options.seed)) {
        endGame();
        return 1;
    }
    emscripten_request_animation_frame_loop(animationFrame, nullptr);
    return 0;
}
