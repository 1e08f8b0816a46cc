#include "platform/sdl/VideoStart.h"

#include <SDL.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/sdl/VideoDriver.h"
#include "platform/sdl/WaylandSeat.h"

namespace platform {
namespace {

// The game reads keys as held state and never takes typed text, so it has no use for
// X's compose table, which Xlib would read and parse (several milliseconds) while SDL
// opens its input method. Only for X11: xkbcommon, on Wayland, cannot map /dev/null
// and reports it as an error. A player's own choice of file is kept.
constexpr const char* ComposeFileVariable = "XCOMPOSEFILE";
constexpr const char* EmptyComposeFile = "/dev/null";

// Without a session bus libdbus forks a dbus-launch child during SDL's video start.
// Forked beside our threads, a child can hang before it execs, and the bus it
// would start has no screen saver or input method on it: an address that refuses
// at once keeps it from trying. A running bus (named, or the user's socket) is used.
constexpr const char* SessionBusVariable = "DBUS_SESSION_BUS_ADDRESS";
constexpr const char* NoSessionBus = "disabled:";
constexpr const char* RuntimeFolderVariable = "XDG_RUNTIME_DIR";
constexpr const char* UserBusSocket = "/bus";

bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

bool sessionBusRuns() {
    if (isSet(SessionBusVariable)) return true;
    const char* runtime = std::getenv(RuntimeFolderVariable);
    if (runtime == nullptr || *runtime == '\0') return false;
    struct stat status {};
    const std::string socket = std::string(runtime) + UserBusSocket;
    return stat(socket.c_str(), &status) == 0 && S_ISSOCK(status.st_mode);
}

// SDL 2.26 crashes starting on a compositor that offers no seat; X11, where there
// is a server, shows the game instead.
bool passOverSeatlessWayland(WindowSystem& first) {
    if (first != WindowSystem::Wayland || probeWaylandSeat() != WaylandSeat::Missing) return true;
    if (!isSet("DISPLAY")) {
        std::fputs(
            "Glintwake: the Wayland compositor offers no seat (no keyboard), and there is no X display\n",
            stderr);
        return false;
    }
    std::fputs("Glintwake: the Wayland compositor offers no seat (no keyboard); using X11\n", stderr);
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "x11", SDL_HINT_OVERRIDE);
    first = WindowSystem::X11;
    return true;
}

bool settle() {
    WindowSystem first = firstWindowSystem(std::getenv("SDL_VIDEODRIVER"), std::getenv("DISPLAY"));
    if (!passOverSeatlessWayland(first)) return false;
    if (first == WindowSystem::X11) setenv(ComposeFileVariable, EmptyComposeFile, 0);
    if (!sessionBusRuns()) setenv(SessionBusVariable, NoSessionBus, 0);
    return true;
}

}  // namespace

bool prepareVideoStart() {
    static const bool usable = settle();
    return usable;
}

}  // namespace platform
