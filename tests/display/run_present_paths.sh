#!/usr/bin/env bash
# The picture written straight into the window must be the one the streaming
# texture path shows, pixel for pixel: on screens of whole and fractional scale
# and at depths 24 and 16 (a 30-bit screen must still be written directly). Each
# screen: the probe once on each path, a screenshot of each, and ImageMagick
# counts the pixels that differ.
# Usage: run_present_paths.sh <window_probe binary> <work directory>
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
probe_says() { grep -q "^$1" "$work/probe.out"; }

# Runs the probe with the given arguments and saves the screen as $work/<name>.png.
shoot() {
    local name=$1
    shift
    # The last probe's output goes first, so its "presented" cannot be mistaken for this one's.
    rm -f "$work/probe.out" "$work/probe.err"
    "$probe" "$@" >"$work/probe.out" 2>"$work/probe.err" &
    probe_pid=$!
    wait_for 300 probe_says presented || die "the probe never presented a frame ($name)"
    sleep 0.3
    grep '^path' "$work/probe.out" >"$work/$name.path"
    import -window root "$work/$name.png" || die "screenshot failed ($name)"
    stop_process "$probe_pid"
    probe_pid=""
}

mkdir -p "$work"
for screen in 1280x960x24 1024x768x24 1366x768x24 1280x960x16; do
    xvfb_start "$screen" || die "could not start Xvfb at $screen"
    shoot "$screen-direct"
    shoot "$screen-texture" --texture
    xvfb_stop
    grep -q 'path window' "$work/$screen-direct.path" || fail "$screen: not written into the window"
    grep -q 'path texture' "$work/$screen-texture.path" || fail "$screen: texture path not taken"
    differing=$(compare -metric AE "$work/$screen-direct.png" "$work/$screen-texture.png" null: 2>&1)
    [[ "$differing" == "0" ]] || fail "$screen: $differing pixels differ between the two paths"
    # Not a black screen compared with another: the probe's blocks must be there.
    colours=$(convert "$work/$screen-direct.png" -unique-colors txt:- | wc -l)
    ((colours > 4)) || fail "$screen: only $((colours - 1)) colours on the screen"
done

# A 30-bit screen has no window pixels SDL can give: the window takes an 8-bit
# visual of it, so the picture is still written straight in and never through OpenGL.
xvfb_start 1280x960x30 || die "could not start Xvfb at 1280x960x30"
shoot 1280x960x30-direct
xvfb_stop
grep -q 'path window' "$work/1280x960x30-direct.path" || fail "1280x960x30: not written into the window"
colours=$(convert "$work/1280x960x30-direct.png" -unique-colors txt:- | wc -l)
((colours > 4)) || fail "1280x960x30: only $((colours - 1)) colours on the screen"

((failures == 0)) || exit 1
echo "present paths agree"
