#!/usr/bin/env bash
# The game on Wayland, with two weston compositors in a private runtime folder:
# one with weston's X11 backend inside a private Xvfb (it has a seat: the X
# keyboard and pointer), one headless that offers no seat at all.
#   seat      SDL_VIDEODRIVER=wayland: the picture moves inside weston's window,
#             SIGTERM ends the game with status 0, and standard error stays empty
#   seatless  the same on the seatless compositor: the game says so once and
#             shows its window on X instead; status 0
#   nothing   seatless and no X display: start-up fails with status 1 and a
#             message, not a crash
# Usage: run_wayland.sh <glintwake binary> <work directory>
set -u

game=$(realpath "$1")
work=$2
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=xvfb_lib.sh
source "$here/xvfb_lib.sh"

SeatSocket=glintwake-seat
SeatlessSocket=glintwake-seatless
WestonWidth=800
WestonHeight=600

game_pid=""
seat_pid=""
seatless_pid=""
runtime=""
cleanup() {
    stop_process "$game_pid"
    stop_process "$seat_pid"
    stop_process "$seatless_pid"
    xvfb_stop
    [[ -n "$runtime" ]] && rm -rf "$runtime"
}
trap cleanup EXIT

DIE_SHOWS=("$work/game.err")

note() { echo "$*" | tee -a "$work/steps.log"; }
game_ended() { ! kill -0 "$game_pid" 2>/dev/null; }
socket_up() { [[ -S "$runtime/$1" ]]; }
screenshot() { import -window root "$work/$1.png" 2>/dev/null || die "screenshot $1 failed"; }
# Pixels that differ between two screenshots, within a crop.
changed() {
    convert "$work/$1.png" -crop "$3" +repage "$work/crop-a.png" &&
        convert "$work/$2.png" -crop "$3" +repage "$work/crop-b.png" &&
        compare -metric AE "$work/crop-a.png" "$work/crop-b.png" null: 2>&1
}
# Pixels of a crop that are not black.
lit() { convert "$work/$1.png" -crop "$2" +repage -threshold 0 -format '%[fx:round(mean*w*h)]' info:; }

start_game() {
    (cd "$root" && exec env "$@" "$game") >/dev/null 2>"$work/game.err" &
    game_pid=$!
}
end_game() {
    kill -TERM "$game_pid" 2>/dev/null
    wait_for 100 game_ended || die "$1: the game did not end on SIGTERM"
    wait "$game_pid"
    status=$?
    game_pid=""
}

mkdir -p "$work"
work=$(cd "$work" && pwd)
rm -f "$work"/*.png "$work"/*.log "$work/game.err"
[[ -x "$game" ]] || die "no game binary at $game"
command -v weston >/dev/null || die "weston is not installed"
xvfb_start 1024x768x24 || die "could not start Xvfb"
note "Xvfb on $DISPLAY"
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime

weston --backend=x11-backend.so --socket="$SeatSocket" --width="$WestonWidth" --height="$WestonHeight" \
    --idle-time=0 >"$work/weston-seat.log" 2>&1 &
seat_pid=$!
weston --backend=headless-backend.so --socket="$SeatlessSocket" --idle-time=0 >"$work/weston-seatless.log" 2>&1 &
seatless_pid=$!
wait_for 150 socket_up "$SeatSocket" || die "weston (X11 backend) did not start"
wait_for 150 socket_up "$SeatlessSocket" || die "weston (headless) did not start"
# weston's window on X shows the compositor's output; the game goes full screen in it.
weston_window=$(wait_for 100 xdotool search --onlyvisible --class weston >/dev/null &&
    xdotool search --onlyvisible --class weston | head -1)
[[ -n "$weston_window" ]] || die "weston's window is not on the X screen"
area="${WestonWidth}x${WestonHeight}+$(xdotool getwindowgeometry "$weston_window" |
    awk '/Position:/ { split($2, p, ","); print p[1] "+" p[2] }')"
sleep 1

start_game WAYLAND_DISPLAY="$SeatSocket" SDL_VIDEODRIVER=wayland
sleep 4
game_ended && die "seat: the game ended at start-up"
screenshot seat-a
sleep 0.5
screenshot seat-b
moved=$(changed seat-a seat-b "$area")
shown=$(lit seat-b "$area")
end_game seat
((status == 0)) || die "seat: status $status"
((moved > 100)) || die "seat: only $moved pixels of weston's output changed in 0.5 s"
[[ -s "$work/game.err" ]] && die "seat: standard error was not empty"
note "seat: $shown pixels lit and $moved changed in weston's output, status 0, nothing on standard error"

start_game WAYLAND_DISPLAY="$SeatlessSocket" SDL_VIDEODRIVER=wayland
wait_for 300 xdotool search --onlyvisible --name '^Glintwake$' >/dev/null || die "seatless: no window on X"
end_game seatless
((status == 0)) || die "seatless: status $status"
said=$(grep -c 'offers no seat' "$work/game.err")
((said == 1)) || die "seatless: the missing seat was told $said times"
note "seatless: a window on X instead, status 0, one line: $(grep 'offers no seat' "$work/game.err")"

start_game -u DISPLAY WAYLAND_DISPLAY="$SeatlessSocket" SDL_VIDEODRIVER=wayland
wait_for 300 game_ended || die "nothing: start-up did not end"
wait "$game_pid"
status=$?
game_pid=""
((status == 1)) || die "nothing: status $status, not a failed start-up"
grep -q 'Sanitizer' "$work/game.err" && die "nothing: the sanitizer reported a fault"
grep -q 'Error Registering Window Class' "$work/game.err" || die "nothing: no start-up failure message"
note "nothing: start-up failed with status 1: $(tr '\n' ' ' <"$work/game.err")"
