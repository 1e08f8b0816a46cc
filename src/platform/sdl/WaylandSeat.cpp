#include "platform/sdl/WaylandSeat.h"

#include <wayland-client.h>

#include <cstring>

namespace platform {
namespace {

void noteGlobal(void* seatSeen, wl_registry*, uint32_t, const char* interface, uint32_t) {
    if (std::strcmp(interface, wl_seat_interface.name) == 0) *static_cast<bool*>(seatSeen) = true;
}

void ignoreRemoval(void*, wl_registry*, uint32_t) {}

constexpr wl_registry_listener GlobalsListener = {noteGlobal, ignoreRemoval};

}  // namespace

WaylandSeat probeWaylandSeat() {
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) return WaylandSeat::NoCompositor;
    bool seatSeen = false;
    // The compositor announces all its globals in answer to the registry request.
    wl_registry* registry = wl_display_get_registry(display);
    const bool answered = registry != nullptr &&
                          wl_registry_add_listener(registry, &GlobalsListener, &seatSeen) == 0 &&
                          wl_display_roundtrip(display) >= 0;
    if (registry != nullptr) wl_registry_destroy(registry);
    wl_display_disconnect(display);
    if (!answered) return WaylandSeat::NoCompositor;
    return seatSeen ? WaylandSeat::Offered : WaylandSeat::Missing;
}

}  // namespace platform
