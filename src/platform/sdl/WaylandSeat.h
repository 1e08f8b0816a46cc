#pragma once
// Asks a Wayland compositor, before SDL starts on it, whether it offers a seat:
// the keyboard and pointer that SDL 2.26's Wayland start takes for granted.

namespace platform {

enum class WaylandSeat { Offered, Missing, NoCompositor };

// One round trip to the compositor SDL would reach (WAYLAND_DISPLAY, else wayland-0).
WaylandSeat probeWaylandSeat();

}  // namespace platform
