#!/usr/bin/env bash
# The comfort keys on the real window under a private 1600x1000 Xvfb (the picture
# at twice its size, centred, so that the window mode has another size):
#   pause    P: two screenshots a second apart are equal, the picture is dimmed
#            (no channel above half) but for the bright "Paused" in the middle, and
#            the process sleeps; P again: the picture moves on
#   help     F1 over the pause: bright text on many rows; Escape back to the pause
#   focus    another window takes the focus: the game pauses
#   window   F11: the window becomes 1280x960; F11 again: the whole screen
#   stop     SIGSTOP for 3 s, then SIGCONT: the game comes back paused
#   quit     Escape while paused ends the game with status 0
# Screenshots stay in the work directory (NN-step.png).
# Usage: run_comforts.sh <glintwake binary> <work directory>
set -u

game=$(realpath "$1")
work=$2
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=xvfb_lib.sh
source "$here/xvfb_lib.sh"

game_pid=""
other_pid=""

cleanup() {
    stop_process "$other_pid"
    stop_process "$game_pid"
    xvfb_stop
}
trap cleanup EXIT

DIE_SHOWS=("$work/game.out" "$work/game.err")

note() { echo "$*" | tee -a "$work/steps.log"; }
game_ended() { ! kill -0 "$game_pid" 2>/dev/null; }
tap() { xdotool key --delay 50 "$1" || die "xdotool could not press $1"; }

shot=""
screenshot() {
    shot="$work/$1.png"
    import -window root "$shot" 2>/dev/null || die "screenshot $1 failed"
}

# Pixels brighter than anything a dimmed picture holds (every channel above 160),
# in a crop WxH+X+Y of the current screenshot: "count rows". The mask is white
# where all three channels pass; a row scaled down to one pixel stays lit if any did.
bright() {
    local height mask="$work/bright-mask.png"
    height=$(echo "$1" | cut -dx -f2 | cut -d+ -f1)
    convert "$shot" -crop "$1" +repage -channel RGB -threshold 62.75% -separate \
        -evaluate-sequence min "$mask" || die "no mask of $shot"
    echo "$(convert "$mask" -format '%[fx:round(mean*w*h)]' info:)" \
        "$(convert "$mask" -scale "1x${height}!" -threshold 0 -format '%[fx:round(mean*h)]' info:)"
}
# $3: only this crop of the two (the whole screen by default).
same_picture() {
    local crop=${3:-$Screen}
    convert "$work/$1.png" -crop "$crop" +repage "$work/crop-a.png" || return 1
    convert "$work/$2.png" -crop "$crop" +repage "$work/crop-b.png" || return 1
    [[ "$(compare -metric AE "$work/crop-a.png" "$work/crop-b.png" null: 2>&1)" == "0" ]]
}

Screen=1600x1000+0+0
OutsideOther=1600x880+0+120  # below the other window
PausedBand=1600x200+0+390  # "Paused" and its keys at 190..275 of the picture, scaled and shifted down 20

# Two screenshots a second apart, named $1-a and $1-b: equal, dimmed, "Paused" shown.
# $2: the part of the screen that must be the game's alone (the whole by default).
expect_paused() {
    screenshot "$1-a"
    sleep 1
    screenshot "$1-b"
    same_picture "$1-a" "$1-b" || die "$1: the picture changed while paused"
    local all band
    read -r all _ <<<"$(bright "${2:-$Screen}")"
    read -r band _ <<<"$(bright "$PausedBand")"
    ((band > 200)) || die "$1: no bright \"Paused\" in the middle ($band pixels)"
    ((all == band)) || die "$1: $((all - band)) bright pixels outside the text: not dimmed"
    note "$1: two screenshots a second apart equal; $band bright text pixels, the rest dimmed"
}
expect_moving() {
    screenshot "$1-a"
    sleep 0.5
    screenshot "$1-b"
    same_picture "$1-a" "$1-b" && die "$1: the picture stands still"
    note "$1: the picture moves"
}

geometry() { xdotool getwindowgeometry "$window" 2>/dev/null | awk '/Geometry:/ { print $2 }'; }
geometry_is() { [[ "$(geometry)" == "$1" ]]; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$game_pid/stat"; }

mkdir -p "$work"
work=$(cd "$work" && pwd)
rm -f "$work"/*.png "$work/game.out" "$work/game.err" "$work/steps.log"
[[ -x "$game" ]] || die "no game binary at $game"
xvfb_start 1600x1000x24 || die "could not start Xvfb"
note "Xvfb on $DISPLAY"

(cd "$root" && exec "$game") >"$work/game.out" 2>"$work/game.err" &
game_pid=$!
wait_for 300 xdotool search --onlyvisible --name '^Glintwake$' >/dev/null || die "no window titled Glintwake"
# Choosing the renderer can make the window again: the newest one is the game's.
game_window() { xdotool search --onlyvisible --name '^Glintwake$' 2>/dev/null | sort -n | tail -1; }
focused() {
    window=$(game_window)
    xdotool windowfocus "$window" 2>/dev/null
    [[ "$(xdotool getwindowfocus 2>/dev/null)" == "$window" ]]
}
sleep 2
wait_for 100 focused || die "the window never took the keyboard focus"
expect_moving 01-play

tap p
sleep 0.5
expect_paused 02-paused
before=$(cpu_ticks)
sleep 3
used=$(($(cpu_ticks) - before))
note "pause: $used CPU ticks of $(getconf CLK_TCK) a second used in 3 s"
((used * 100 <= 3 * $(getconf CLK_TCK))) || die "the paused game used $used ticks in 3 s"

tap F1
sleep 0.5
screenshot 03-help
read -r _ rows <<<"$(bright "$Screen")"
((rows > 150)) || die "help: bright text on only $rows rows"
note "help: bright text on $rows rows"
tap Escape
sleep 0.5
screenshot 04-help-closed
same_picture 02-paused-a 04-help-closed || die "Escape did not bring the pause back"
game_ended && die "Escape in the help ended the game"
note "help: Escape closed it, the pause is back"

tap p
sleep 0.3
expect_moving 05-going-on

xmessage -geometry 300x100+0+0 -title other "another window" >/dev/null 2>&1 &
other_pid=$!
wait_for 100 xdotool search --onlyvisible --name '^other$' >/dev/null || die "the other window did not open"
other=$(xdotool search --onlyvisible --name '^other$' | head -1)
xdotool windowfocus "$other" 2>/dev/null
sleep 0.7
expect_paused 06-focus-lost "$OutsideOther"
stop_process "$other_pid"
other_pid=""
wait_for 100 focused || die "the window did not take the focus back"
sleep 0.3
screenshot 07-focus-back
same_picture 06-focus-lost-a 07-focus-back "$OutsideOther" || die "focus back alone went on"
tap p
sleep 0.3
expect_moving 07-going-on

full=$(geometry)
tap F11
wait_for 50 geometry_is 1280x960 || die "F11: the window is $(geometry), not 1280x960"
sleep 0.5
screenshot 08-window
note "window: $full full screen, $(geometry) after F11"
tap F11
wait_for 50 geometry_is "$full" || die "F11 again: the window is $(geometry), not $full"
note "window: back to $(geometry)"

sleep 0.5
kill -STOP "$game_pid"
sleep 3
kill -CONT "$game_pid"
sleep 0.7
expect_paused 09-after-stop

tap Escape
wait_for 100 game_ended || die "Escape while paused did not end the game"
wait "$game_pid"
status=$?
game_pid=""
((status == 0)) || die "the game exited with status $status"
if grep -qE 'AddressSanitizer|LeakSanitizer|runtime error' "$work/game.err"; then
    die "sanitizer report in the game's output"
fi
note "quit: Escape while paused ended the game with status 0"
