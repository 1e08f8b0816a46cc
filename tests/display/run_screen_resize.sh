#!/usr/bin/env bash
# The screen changes size under the game (xrandr on a private 1920x1080 Xvfb that
# also offers 800x600), in full screen and in window mode. After each change the
# window's size is checked, and a screenshot must show the picture where it
# belongs: its lit pixels inside the picture's place, across most of it.
#   full 1920x1080   the picture as high as the screen, centred: 1440x1080+240+0
#   full 800x600     the window follows the screen; the picture fills it
#   F11              a 640x480 window, centred on the small screen
#   window 1920x1080 still a window, now at twice the size: 1280x960
#   F11              full screen on the screen as it is now: 1920x1080 again
# Screenshots stay in the work directory.
# Usage: run_screen_resize.sh <glintwake binary> <work directory>
set -u

game=$(realpath "$1")
work=$2
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=xvfb_lib.sh
source "$here/xvfb_lib.sh"

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
geometry() { xdotool getwindowgeometry "$(game_window)" 2>/dev/null | awk '/Geometry:/ { print $2 }'; }
geometry_is() { [[ "$(geometry)" == "$1" ]]; }
screen_is() { [[ "$(xdotool getdisplaygeometry 2>/dev/null)" == "$1 $2" ]]; }
tap() {
    wait_for 50 focused || die "the window lost the keyboard focus"
    xdotool key --delay 50 "$1" || die "xdotool could not press $1"
}

# Checks that the lit pixels of a screenshot lie inside WxH+X+Y and span at
# least four fifths of it each way: the picture is there and nowhere else.
picture_at() {
    local name=$1 w=$2 h=$3 x=$4 y=$5 box bw bh bx by
    import -window root "$work/$name.png" 2>/dev/null || die "$name: screenshot failed"
    box=$(convert "$work/$name.png" -threshold 0 -format '%@' info:)
    IFS='x+' read -r bw bh bx by <<<"$box"
    ((bx >= x && by >= y && bx + bw <= x + w && by + bh <= y + h)) ||
        die "$name: lit pixels at $box, outside the picture's place ${w}x${h}+${x}+${y}"
    ((bw * 5 >= w * 4 && bh * 5 >= h * 4)) || die "$name: lit pixels only at $box, in ${w}x${h}+${x}+${y}"
    note "$name: window $(geometry), picture lit at $box, inside ${w}x${h}+${x}+${y}"
}

resize_screen() {
    xrandr -s "$1x$2" || die "xrandr could not set $1x$2"
    wait_for 50 screen_is "$1" "$2" || die "the screen did not become $1x$2"
}

mkdir -p "$work"
work=$(cd "$work" && pwd)
rm -f "$work"/*.png "$work/game.err" "$work/steps.log"
[[ -x "$game" ]] || die "no game binary at $game"
command -v xrandr >/dev/null || die "xrandr is not installed"
xvfb_start 1920x1080x24 || die "could not start Xvfb"
note "Xvfb on $DISPLAY"
xrandr --newmode small 40 800 840 968 1056 600 601 605 628 && xrandr --addmode screen small ||
    die "Xvfb took no second screen size"

(cd "$root" && exec "$game") >/dev/null 2>"$work/game.err" &
game_pid=$!
wait_for 300 focused || die "the window never took the keyboard focus"
sleep 2
wait_for 50 geometry_is 1920x1080 || die "full screen: window $(geometry)"
picture_at 01-full-big 1440 1080 240 0

resize_screen 800 600
wait_for 50 geometry_is 800x600 || die "full screen: the window stayed $(geometry) on an 800x600 screen"
sleep 1
picture_at 02-full-small 800 600 0 0

tap F11
wait_for 50 geometry_is 640x480 || die "window mode on 800x600: window $(geometry)"
sleep 1
picture_at 03-window-small 640 480 80 60

resize_screen 1920 1080
wait_for 50 geometry_is 1280x960 || die "window mode on 1920x1080: window $(geometry)"
sleep 1
picture_at 04-window-big 1280 960 320 60

tap F11
wait_for 50 geometry_is 1920x1080 || die "full screen again: window $(geometry)"
sleep 1
picture_at 05-full-again 1440 1080 240 0

game_ended && die "the game ended by itself"
kill -TERM "$game_pid"
wait_for 100 game_ended || die "the game did not end on SIGTERM"
wait "$game_pid"
status=$?
game_pid=""
((status == 0)) || die "status $status at the end"
note "ended with status 0"
