#!/usr/bin/env bash
# Runs the real game on a private Xvfb.
#   play:          after about a second the screen shows stars (lit pixels in
#                  green, red and yellow shades, no blue); Escape ends the game
#                  with status 0 within two seconds.
#   installed:     the same, started from a folder without Images/, so the
#                  images come from the data folder installed beside the program.
#   window-closed: another program destroys the game's window; the game shuts
#                  down with status 0.
#   missing-image: Images/ without invincible.bmp and no zenity on the PATH:
#                  "Error Loading Images" on standard error, then within two
#                  seconds a box titled Glintwake that shows text; Return closes
#                  it and the game ends with status 1.
#   no-display:    DISPLAY unset: status 1 within two seconds with the text on
#                  standard error; SDL_VIDEODRIVER=offscreen still runs the game.
# Usage: run_game.sh <glintwake binary> <work directory> <mode>
set -u

game=$(realpath "$1")
work=$2
mode=$3
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

DIE_SHOWS=("$work/game.out" "$work/game.err")

game_ended() { ! kill -0 "$game_pid" 2>/dev/null; }
stderr_says() { grep -q "$1" "$work/game.err"; }

# Starts the game in the folder $1, with any further arguments as environment
# changes for env (VAR=value, -u VAR).
start_game() {
    local folder=$1
    shift
    (cd "$folder" && exec env "$@" "$game") >"$work/game.out" 2>"$work/game.err" &
    game_pid=$!
}

# Waits up to $1 tenths for the game to end and checks its status is $2 (0 by default).
expect_exit() {
    local expected=${2:-0}
    wait_for "$1" game_ended || die "the game did not end in time"
    wait "$game_pid"
    local status=$?
    game_pid=""
    [[ $status -eq $expected ]] || die "the game exited with status $status, not $expected"
}
expect_exit_zero() { expect_exit "$1" 0; }

# The game's window, once it has one.
game_window() {
    wait_for 300 xdotool search --name '^Glintwake$' >/dev/null || die "no window titled Glintwake"
    xdotool search --onlyvisible --name '^Glintwake$' | head -1
}

play() {
    start_game "${1:-$root}"
    local window
    window=$(game_window)
    sleep 1
    game_ended && die "the game ended on its own"
    import -window root "$work/shot.png" || die "screenshot failed"
    # Stars: pixels with red and green but no blue at all, scattered over many rows
    # (a ship or the status display covers only a few).
    local counts stars rows
    counts=$(convert "$work/shot.png" txt:- |
        awk -F'[(),:]' 'NR > 1 && $6 == 0 && $4 > 20 && $5 > 20 { n++; if (!seen[$2]++) r++ }
                       END { print n + 0, r + 0 }')
    read -r stars rows <<<"$counts"
    ((stars > 60 && rows > 40)) || die "only $stars star-coloured pixels on $rows rows"

    xdotool windowfocus "$window" 2>/dev/null
    sleep 0.2
    xdotool keydown Escape
    sleep 0.2
    xdotool keyup Escape
    expect_exit_zero 20
    echo "game showed $stars star pixels on $rows rows and ended on Escape"
}

# Started where no Images/ lies: the installed program finds its own.
installed() {
    local elsewhere="$work/elsewhere"
    rm -rf "$elsewhere"
    mkdir -p "$elsewhere"
    play "$elsewhere"
}

window_closed() {
    start_game "$root"
    local window
    window=$(game_window)
    sleep 1
    game_ended && die "the game ended on its own"
    # Looked up again: SDL replaces the first X window when its renderer needs another visual.
    window=$(game_window)
    xdotool windowclose "$window" || die "xdotool could not destroy the window"
    expect_exit 100 0
    echo "the game ended with status 0 after its window was destroyed from outside"
}

missing_image() {
    local folder="$work/folder" empty="$work/empty-path"
    rm -rf "$folder" "$empty"
    mkdir -p "$folder" "$empty"
    cp -r "$root/Images" "$folder/Images"
    rm "$folder/Images/invincible.bmp"
    # A PATH with nothing on it hides zenity, installed or not.
    start_game "$folder" PATH="$empty"
    wait_for 300 stderr_says "Error Loading Images" || die "no start-up failure reported"
    wait_for 20 xdotool search --onlyvisible --name '^Glintwake$' >/dev/null ||
        die "no box titled Glintwake within two seconds of the failure"
    sleep 0.3
    game_ended && die "the game ended without waiting for OK"
    local box x y w h
    box=$(xdotool search --onlyvisible --name '^Glintwake$' | head -1)
    eval "$(xdotool getwindowgeometry --shell "$box" | sed 's/^/local /')"
    x=$X y=$Y w=$WIDTH h=$HEIGHT
    import -window root "$work/box.png" || die "screenshot failed"
    # The box is light with dark letters: count the dark pixels of its upper half,
    # above the button, where the text stands.
    local dark
    dark=$(convert "$work/box.png" -crop "${w}x$((h / 2))+${x}+${y}" -colorspace gray txt:- |
        awk -F'[(),]' 'NR > 1 && $3 + 0 < 100 { n++ } END { print n + 0 }')
    ((dark > 150)) || die "the box shows no text ($dark dark pixels)"
    # Return with the pointer in the box's corner, away from its OK button.
    xdotool mousemove $((x + 4)) $((y + 4))
    sleep 0.2
    xdotool key Return
    expect_exit 50 1
    echo "box ${w}x${h} showed $dark text pixels; Return closed it; stderr: $(grep 'Error Loading Images' "$work/game.err")"
}

no_display() {
    start_game "$root" -u DISPLAY
    expect_exit 20 1
    stderr_says "Error Registering Window Class" || die "no failure text on standard error"
    # Asked for by name, the window-less driver still runs the game (tests use it).
    # Mesa leaves nameless allocations behind when its EGL driver unloads.
    start_game "$root" -u DISPLAY SDL_VIDEODRIVER=offscreen ASAN_OPTIONS=detect_leaks=0
    sleep 1.5
    game_ended && die "the game did not run on the offscreen driver"
    kill -TERM "$game_pid"  # SDL turns it into a quit
    expect_exit 50 0
    echo "no display: status 1 with the text on stderr; offscreen on request: ran until asked to quit"
}

mkdir -p "$work"
work=$(cd "$work" && pwd)
rm -f "$work/game.out" "$work/game.err" "$work/shot.png" "$work/box.png"
[[ -x "$game" ]] || die "no game binary at $game"
xvfb_start 1280x960x24 || die "could not start Xvfb"
echo "Xvfb on $DISPLAY"

case "$mode" in
play) play ;;
installed) installed ;;
window-closed) window_closed ;;
missing-image) missing_image ;;
no-display) no_display ;;
*) die "unknown mode $mode" ;;
esac
