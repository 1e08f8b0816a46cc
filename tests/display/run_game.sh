#!/usr/bin/env bash
# Runs the real game on a private Xvfb.
#   play:          after about a second the screen shows stars (lit pixels in
#                  green, red and yellow shades, no blue); Escape ends the game
#                  with status 0 within two seconds.
#   missing-image: Images/ without invincible.bmp: start-up stops with
#                  "Error Loading Images" on standard error and status 0.
# Usage: run_game.sh <glintwake binary> <work directory> <play|missing-image>
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

# Centre "x y" of the top-level window titled Glintwake, from its geometry.
box_centre() {
    xwininfo -root -tree 2>/dev/null | awk '/"Glintwake"/ && match($0, /[0-9]+x[0-9]+\+[0-9]+\+[0-9]+/) {
        split(substr($0, RSTART, RLENGTH), v, /[x+]/)
        print int(v[3] + v[1] / 2), int(v[4] + v[2] / 2)
        exit
    }'
}

game_ended() { ! kill -0 "$game_pid" 2>/dev/null; }
stderr_says() { grep -q "$1" "$work/game.err"; }

# Starts the game in the folder $1 (which holds Images/).
start_game() {
    (cd "$1" && exec "$game") >"$work/game.out" 2>"$work/game.err" &
    game_pid=$!
}

# Waits for the game to end and checks its status.
expect_exit_zero() {
    wait_for "$1" game_ended || die "the game did not end in time"
    wait "$game_pid"
    local status=$?
    game_pid=""
    [[ $status -eq 0 ]] || die "the game exited with status $status"
}

play() {
    start_game "$root"
    wait_for 300 xdotool search --name '^Glintwake$' >/dev/null || die "no window titled Glintwake"
    local window
    window=$(xdotool search --onlyvisible --name '^Glintwake$' | head -1)
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

missing_image() {
    local folder="$work/folder"
    rm -rf "$folder"
    mkdir -p "$folder"
    cp -r "$root/Images" "$folder/Images"
    rm "$folder/Images/invincible.bmp"
    start_game "$folder"
    wait_for 300 stderr_says "Error Loading Images" || die "no start-up failure reported"
    # The message box waits for its OK: Return with the pointer over the box
    # presses it.
    local box i
    for ((i = 0; i < 40; ++i)); do
        game_ended && break
        sleep 0.25
        box=$(box_centre)
        [[ -n "$box" ]] || continue
        # shellcheck disable=SC2086
        xdotool mousemove $box 2>/dev/null
        sleep 0.1
        xdotool key Return 2>/dev/null
    done
    expect_exit_zero 50
    echo "start-up stopped with: $(grep 'Error Loading Images' "$work/game.err")"
}

mkdir -p "$work"
work=$(cd "$work" && pwd)
rm -f "$work/game.out" "$work/game.err" "$work/shot.png"
[[ -x "$game" ]] || die "no game binary at $game"
xvfb_start 1280x960x24 || die "could not start Xvfb"
echo "Xvfb on $DISPLAY"

case "$mode" in
play) play ;;
missing-image) missing_image ;;
*) die "unknown mode $mode" ;;
esac
