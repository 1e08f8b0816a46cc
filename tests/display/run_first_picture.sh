#!/usr/bin/env bash
# The start-up timer of the side-by-side run (tools/firstpicture) on private Xvfbs:
#   white      a screen that is not black to begin with is refused
#   quiet      with nothing drawn it gives up after its timeout, with status 1
#   black      black drawn over the screen is not a picture; white drawn after it is
#   game       the game started after "ready": the stamp lies between the start and
#              the probe's exit, and a screenshot then shows the picture
# Usage: run_first_picture.sh <first_picture binary> <glintwake binary> <work directory>
set -u

timer=$1
game=$(realpath "$2")
work=$3
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=xvfb_lib.sh
source "$here/xvfb_lib.sh"

timer_pid=""
game_pid=""

cleanup() {
    stop_process "$game_pid"
    stop_process "$timer_pid"
    xvfb_stop
}
trap cleanup EXIT

DIE_SHOWS=("$work/timer.out" "$work/timer.err" "$work/game.out")

now_ns() { date +%s%N; }
timer_ready() { grep -q '^ready$' "$work/timer.out"; }
timer_done() { ! kill -0 "$timer_pid" 2>/dev/null; }

# Starts the timer with a timeout in seconds and waits until it watches.
start_timer() {
    : >"$work/timer.out"
    "$timer" "$1" >"$work/timer.out" 2>"$work/timer.err" &
    timer_pid=$!
    wait_for 100 timer_ready || die "the timer never said ready"
}

# Waits for the timer to end and sets `status` to its exit status.
wait_timer() {
    wait "$timer_pid"
    status=$?
    timer_pid=""
}

mkdir -p "$work"
convert -size 320x240 xc:black "$work/black.png" && convert -size 320x240 xc:white "$work/white.png" ||
    die "could not make the test images"

echo "white: a white screen from the start"
xvfb_start 320x240x24 -wr || die "could not start Xvfb"
"$timer" 5 >"$work/timer.out" 2>"$work/timer.err"
status=$?
[[ $status -eq 1 ]] || fail "white: status $status, expected 1"
grep -q "not black" "$work/timer.err" || fail "white: no word of the screen not being black"
xvfb_stop

echo "quiet: nothing drawn for a second"
xvfb_start 320x240x24 -br || die "could not start Xvfb"
start_timer 1
wait_timer
[[ $status -eq 1 ]] || fail "quiet: status $status, expected 1"
grep -q "nothing shown" "$work/timer.err" || fail "quiet: no word of nothing shown"
grep -q '^[0-9]' "$work/timer.out" && fail "quiet: a time was printed"

echo "black, then white"
start_timer 10
# ImageMagick's display sets the root's background and exits (with status 1).
display -window root "$work/black.png" 2>/dev/null
sleep 0.5
timer_done && fail "black: the timer ended on a black drawing"
before=$(now_ns)
display -window root "$work/white.png" 2>/dev/null
wait_for 50 timer_done || fail "white: the timer did not end"
wait_timer
[[ $status -eq 0 ]] || fail "white: status $status, expected 0"
stamp=$(tail -1 "$work/timer.out")
[[ "$stamp" =~ ^[0-9]+$ && $stamp -ge $before ]] || fail "white: stamp '$stamp' is not after $before"
xvfb_stop

echo "game: the first picture of the game"
xvfb_start 1280x960x24 -br || die "could not start Xvfb"
start_timer 30
start=$(now_ns)
(cd "$root" && exec "$game") >"$work/game.out" 2>&1 &
game_pid=$!
wait_for 300 timer_done || die "the timer saw no picture of the game"
end=$(now_ns)
wait_timer
[[ $status -eq 0 ]] || fail "game: status $status, expected 0"
stamp=$(tail -1 "$work/timer.out")
if [[ "$stamp" =~ ^[0-9]+$ && $stamp -ge $start && $stamp -le $end ]]; then
    echo "first picture $(((stamp - start) / 1000000)) ms after the start"
else
    fail "game: stamp '$stamp' is not between $start and $end"
fi
import -window root "$work/shot.png" || die "screenshot failed"
lit=$(convert "$work/shot.png" -threshold 10% -format '%[fx:mean*w*h]' info:)
[[ ${lit%.*} -gt 100 ]] || fail "game: only ${lit%.*} lit pixels on the screen"

[[ $failures -eq 0 ]] || exit 1
echo "first-picture timer checks passed"
