#!/usr/bin/env bash
# Escape tapped for a few milliseconds, shorter than a frame, so that no frame
# need find it held: the game ends within a second, with status 0, and the
# picture was moving before the tap. Several games, one tap each: a tap missed
# even once in a while fails.
# Usage: run_escape_tap.sh <glintwake binary> <work directory> [GAMES]
set -u

game=$(realpath "$1")
work=$2
games=${3:-4}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=xvfb_lib.sh
source "$here/xvfb_lib.sh"

TapSeconds=0.003

game_pid=""
cleanup() {
    stop_process "$game_pid"
    xvfb_stop
}
trap cleanup EXIT

DIE_SHOWS=("$work/game.err")

note() { echo "$*" | tee -a "$work/steps.log"; }
game_ended() { ! kill -0 "$game_pid" 2>/dev/null; }
game_window() { xdotool search --onlyvisible --name '^Glintwake$' 2>/dev/null | sort -n | tail -1; }
focused() {
    window=$(game_window)
    [[ -n "$window" ]] || return 1
    xdotool windowfocus "$window" 2>/dev/null
    [[ "$(xdotool getwindowfocus 2>/dev/null)" == "$window" ]]
}
screenshot() { import -window root "$work/$1.png" 2>/dev/null || die "screenshot $1 failed"; }
same_picture() { [[ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1)" == "0" ]]; }

mkdir -p "$work"
work=$(cd "$work" && pwd)
rm -f "$work"/*.png "$work/game.err" "$work/steps.log"
[[ -x "$game" ]] || die "no game binary at $game"
xvfb_start 640x480x24 || die "could not start Xvfb"
note "Xvfb on $DISPLAY"

for ((i = 1; i <= games; ++i)); do
    (cd "$root" && exec "$game") >/dev/null 2>"$work/game.err" &
    game_pid=$!
    wait_for 300 focused || die "game $i: the window never took the keyboard focus"
    sleep 1
    screenshot "$i-a"
    sleep 0.3
    screenshot "$i-b"
    same_picture "$i-a" "$i-b" && die "game $i: the picture stands still before the tap"
    xdotool keydown Escape sleep "$TapSeconds" keyup Escape || die "xdotool could not tap Escape"
    wait_for 10 game_ended || die "game $i: still running a second after a ${TapSeconds} s tap of Escape"
    wait "$game_pid"
    status=$?
    game_pid=""
    ((status == 0)) || die "game $i: status $status after the tap"
    note "game $i: the picture moved, a ${TapSeconds} s tap of Escape ended it with status 0"
done
