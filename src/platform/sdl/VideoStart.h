#pragma once
// What SDL's video start reads from the process environment, settled once and
// while no other thread of ours runs (changing the environment beside a thread
// that reads it is a race).

namespace platform {

// On the first call: X's compose table is skipped where X11 will be used; libdbus
// is kept from starting a bus daemon where none runs; a Wayland compositor without
// a seat is passed over for X11. False, then and on every later call, when the only
// window system SDL would start on is that seatless compositor.
bool prepareVideoStart();

}  // namespace platform
