#include "platform/sdl/VideoDriver.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace platform {
namespace {

constexpr std::array<const char*, 2> InvisibleDrivers = {"offscreen", "dummy"};

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

// Whether a comma-separated list (SDL_VIDEODRIVER may hold several) names `name`.
bool listNames(const char* list, std::string_view name) {
    if (list == nullptr) return false;
    std::string_view rest(list);
    while (!rest.empty()) {
        const size_t comma = rest.find(',');
        if (equalsIgnoringCase(rest.substr(0, comma), name)) return true;
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    return false;
}

constexpr std::string_view X11DriverName = "x11";
constexpr std::string_view WaylandDriverName = "wayland";

bool isBlank(const char* text) {
    return text == nullptr || *text == '\0';
}

}  // namespace

WindowSystem firstWindowSystem(const char* requested, const char* display) {
    if (!isBlank(requested)) {
        std::string_view list(requested);
        const std::string_view first = list.substr(0, list.find(','));
        if (equalsIgnoringCase(first, X11DriverName)) return WindowSystem::X11;
        if (equalsIgnoringCase(first, WaylandDriverName)) return WindowSystem::Wayland;
        return WindowSystem::Other;
    }
    return isBlank(display) ? WindowSystem::Wayland : WindowSystem::X11;
}

bool videoDriverAcceptable(const char* driver, const char* requested) {
    if (driver == nullptr) return false;
    const bool invisible = std::any_of(InvisibleDrivers.begin(), InvisibleDrivers.end(),
                                       [&](const char* name) { return equalsIgnoringCase(driver, name); });
    return !invisible || listNames(requested, driver);
}

}  // namespace platform
