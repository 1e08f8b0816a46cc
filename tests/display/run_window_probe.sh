#!/usr/bin/env bash
# Runs the window probe on a private 1280x960 Xvfb: checks that the 640x480
# picture fills the screen at exactly twice its size, that keys do nothing while
# the window lacks focus, and that Escape read through the keyboard closes it.
# Usage: run_window_probe.sh <window_probe binary> <work directory>
set -u

probe=$1
work=$2
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=xvfb_lib.sh
source "$here/xvfb_lib.sh"

probe_pid=""

cleanup() {
    stop_process "$probe_pid"
    xvfb_stop
}
trap cleanup EXIT

DIE_SHOWS=("$work/probe.out" "$work/probe.err")

probe_running() { kill -0 "$probe_pid" 2>/dev/null; }
probe_says() { grep -q "^$1" "$work/probe.out"; }

# Colour of one screen pixel of the screenshot as RRGGBB.
pixel_at() {
    convert "$work/shot.png" -crop "1x1+$1+$2" +repage txt:- | grep -o '#[0-9A-Fa-f]\{6\}' | head -1 | tr -d '#' |
        tr 'a-f' 'A-F'
}

expect_pixel() {
    local x=$1 y=$2 want=$3 got
    got=$(pixel_at "$x" "$y")
    [[ "$got" == "$want" ]] || fail "pixel ($x,$y) is $got, expected $want"
}

hold_escape() {
    xdotool keydown Escape
    sleep 0.3
    xdotool keyup Escape
}

mkdir -p "$work"
rm -f "$work/probe.out" "$work/probe.err" "$work/shot.png"
xvfb_start 1280x960x24 || die "could not start Xvfb"
echo "Xvfb on $DISPLAY"

"$probe" >"$work/probe.out" 2>"$work/probe.err" &
probe_pid=$!
wait_for 300 probe_says presented || die "the probe never presented a frame"
wait_for 100 xdotool search --name '^Glintwake$' >/dev/null || die "no window titled Glintwake"
window=$(xdotool search --name '^Glintwake$' | head -1)
sleep 0.5

# Under Xvfb OpenGL is a CPU rasteriser at best, so the plain software renderer must be chosen.
probe_says "renderer software" || fail "expected the software renderer: $(grep renderer "$work/probe.out")"

import -window root "$work/shot.png" || die "screenshot failed"
# The four blocks of the probe's picture, doubled: inside at both corners, black just outside.
expect_pixel 80 80 FF0000
expect_pixel 559 399 FF0000
expect_pixel 79 79 000000
expect_pixel 560 400 000000
expect_pixel 720 80 00FF00
expect_pixel 1199 399 00FF00
expect_pixel 80 560 0000FF
expect_pixel 559 879 0000FF
expect_pixel 720 560 FFFFFF
expect_pixel 1199 879 FFFFFF
expect_pixel 1200 880 000000
expect_pixel 0 0 000000
expect_pixel 1279 959 000000
# The yellow line of text near the bottom, centred.
yellow=$(convert "$work/shot.png" -crop 640x80+320+880 +repage txt:- |
    awk -F'[(),]' 'NR > 1 && $3 > 150 && $4 > 150 && $5 < 100 { n++ } END { print n + 0 }')
((yellow > 100)) || fail "only $yellow yellow text pixels near the bottom"

# Focus elsewhere: Escape must not reach the game.
xdotool windowfocus "$(xwininfo -root | awk '/Window id:/ { print $4 }')"
sleep 0.3
hold_escape
sleep 0.5
probe_running || fail "Escape closed the probe while its window had no focus"

# Focus back: Escape read through the keyboard closes the window.
if probe_running; then
    xdotool windowfocus "$window"
    sleep 0.3
    hold_escape
    wait_for 100 bash -c "! kill -0 $probe_pid 2>/dev/null" || die "the probe did not close on Escape"
fi
wait "$probe_pid"
status=$?
probe_pid=""
[[ $status -eq 0 ]] || fail "the probe exited with status $status"
probe_says closed || fail "the probe did not report a clean close"

if ((failures > 0)); then
    echo "--- probe output:" >&2
    cat "$work/probe.out" "$work/probe.err" >&2
    exit 1
fi
echo "window probe passed"
