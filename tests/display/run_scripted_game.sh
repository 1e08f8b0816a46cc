#!/usr/bin/env bash
# Plays a short scripted game on the real window under a private 1280x960 Xvfb
# (the 640x480 picture at twice its size) with xdotool key presses, and checks the
# screen after each step:
#   start     the ship's grey hull in the lower third, the red health bar and the
#             blue shield bar at the top left
#   left      Left held: the ship reaches the left edge
#   fire      Space held: lasers above the ship
#   shield    right Ctrl held: the shield bubble round the ship, the shield bar shorter
#   teleport  right Alt: the ship jumps to the right edge
#   missile   left Shift: the missile ammunition read-out changes from 5
#   escape    Escape held 0.2 s: the game ends with status 0
# Screenshots stay in the work directory (NN-step.png).
# Usage: run_scripted_game.sh <glintwake binary> <work directory>
# The pixel tests below are awk conditions, single-quoted on purpose.
# shellcheck disable=SC2016
set -u

game=$(realpath "$1")
work=$2
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=xvfb_lib.sh
source "$here/xvfb_lib.sh"

game_pid=""
held_keys=()

cleanup() {
    for k in "${held_keys[@]}"; do xdotool keyup "$k" 2>/dev/null; done
    stop_process "$game_pid"
    xvfb_stop
}
trap cleanup EXIT

DIE_SHOWS=("$work/game.out" "$work/game.err")

note() { echo "$*" | tee -a "$work/steps.log"; }

game_ended() { ! kill -0 "$game_pid" 2>/dev/null; }

press() {
    xdotool keydown "$1" || die "xdotool could not press $1"
    held_keys+=("$1")
}
release() {
    xdotool keyup "$1"
    local kept=() k
    for k in "${held_keys[@]}"; do [[ "$k" == "$1" ]] || kept+=("$k"); done
    held_keys=("${kept[@]}")
}
tap() {
    press "$1"
    sleep "$2"
    release "$1"
}

shot=""
screenshot() {
    shot="$work/$1.png"
    import -window root "$shot" 2>/dev/null
}

# Pixels of a crop of the current screenshot as "x y r g b" in screen coordinates,
# so in the conditions below $3, $4 and $5 are red, green and blue.
# $1 = crop geometry WxH+X+Y.
pixels() {
    local ox oy
    ox=$(echo "$1" | cut -d+ -f2)
    oy=$(echo "$1" | cut -d+ -f3)
    convert "$shot" -crop "$1" +repage -depth 8 txt:- |
        awk -F'[(),:]' -v ox="$ox" -v oy="$oy" 'NR > 1 { print $1 + ox, $2 + oy, $4 + 0, $5 + 0, $6 + 0 }'
}

LowerThird=1280x320+0+640
HealthBar=120x52+4+4
ShieldBar=120x52+144+4

# The ship's hull: grey with a slight blue tint. Stars never have blue; enemies
# and shots are strongly coloured.
HULL='$5 > 0 && $3 >= 45 && $5 >= $3 && $5 - $3 <= 35 && $3 - $4 <= 12 && $4 - $3 <= 12'

# Mean x of the hull pixels in the lower third, or nothing when too few are seen.
ship_x() {
    pixels "$LowerThird" | awk "$HULL"' { n++; sx += $1 } END { if (n >= 40) print int(sx / n) }'
}

count() {
    pixels "$1" | awk "$2"' { n++ } END { print n + 0 }'
}
health_red() { count "$HealthBar" '$3 >= 40 && $3 >= 3 * $4 + 10 && $3 >= 3 * $5'; }
shield_blue() { count "$ShieldBar" '$5 >= 50 && $5 >= 2 * $3 + 20 && $5 >= 2 * $4 + 10'; }

# Fully covered pixels of the pure red ammunition digits, relative to the crop, as
# one digest; stars passing behind only touch the digits' soft edges.
ammo_digest() {
    pixels "$1" | awk -v ox="$(echo "$1" | cut -d+ -f2)" \
        '$3 >= 250 && $4 <= 8 && $5 <= 8 { print $1 - ox, $2 }' | sort | md5sum | cut -c1-12
}
ArcAmmo=50x48+1026+0
MissileAmmo=50x48+1126+0

# Takes screenshots named $2 until the check $3.. passes, for up to $1 seconds.
poll_screen() {
    local seconds=$1 name=$2
    shift 2
    local deadline=$((SECONDS + seconds))
    while ((SECONDS <= deadline)); do
        game_ended && die "the game ended during step $name"
        screenshot "$name" && "$@" && return 0
        sleep 0.2
    done
    return 1
}

ship_in_lower_third() { [[ -n "$(ship_x)" ]]; }
ship_left_of() { local x; x=$(ship_x); [[ -n "$x" ]] && ((x < $1)); }
ship_right_of() { local x; x=$(ship_x); [[ -n "$x" ]] && ((x > $1)); }
status_shown() { (($(health_red) > 1000 && $(shield_blue) > 1000)); }

# Player lasers (orange-red with a little blue, unlike stars and the enemies'
# darker red) above the ship, near the left edge where the ship is.
lasers_above_ship() {
    (($(count 200x400+0+420 '$5 > 0 && $5 <= 60 && $3 >= 200 && $4 <= 100') >= 8))
}
# The shield bubble's blue round the ship.
shield_up() { (($(count "$LowerThird" '$5 >= 180 && $3 <= 90 && $4 >= 90 && $4 <= 150') >= 20)); }
shield_bar_below() { (($(shield_blue) < $1)); }
missile_ammo_changed() { [[ "$(ammo_digest "$MissileAmmo")" != "$1" ]]; }

mkdir -p "$work"
work=$(cd "$work" && pwd)
rm -f "$work"/*.png "$work/game.out" "$work/game.err" "$work/steps.log"
[[ -x "$game" ]] || die "no game binary at $game"
command -v xdotool >/dev/null || die "xdotool is missing"
xvfb_start 1280x960x24 || die "could not start Xvfb"
note "Xvfb on $DISPLAY"

(cd "$root" && exec "$game") >"$work/game.out" 2>"$work/game.err" &
game_pid=$!
wait_for 300 xdotool search --onlyvisible --name '^Glintwake$' >/dev/null || die "no window titled Glintwake"
window=$(xdotool search --onlyvisible --name '^Glintwake$' | head -1)
focused() {
    xdotool windowfocus "$window" 2>/dev/null
    [[ "$(xdotool getwindowfocus 2>/dev/null)" == "$window" ]]
}
wait_for 100 focused || die "the window never took the keyboard focus"

# start: the ship has materialised in the middle of the lower third.
poll_screen 20 01-start ship_in_lower_third || die "no ship in the lower third"
poll_screen 10 01-start status_shown || die "status bars missing: red $(health_red), blue $(shield_blue)"
start_x=$(ship_x)
full_shield=$(shield_blue)
note "start: ship at x $start_x, health bar $(health_red) red pixels, shield bar $full_shield blue"
((start_x > 500 && start_x < 780)) || die "the ship starts at x $start_x, not in the middle"
arc_digest=$(ammo_digest "$ArcAmmo")
missile_digest=$(ammo_digest "$MissileAmmo")
[[ "$arc_digest" == "$missile_digest" ]] || die "the two ammunition read-outs differ at the start"

press Left
poll_screen 15 02-left ship_left_of 150 || die "the ship did not reach the left edge (x $(ship_x))"
release Left
note "left: ship at x $(ship_x)"

press space
poll_screen 10 03-fire lasers_above_ship || die "no lasers above the ship"
release space
note "fire: lasers seen above the ship"

press Control_R
poll_screen 10 04-shield shield_up || die "no shield round the ship"
sleep 0.3
poll_screen 10 04-shield shield_bar_below $((full_shield * 9 / 10)) ||
    die "the shield bar did not shrink: $(shield_blue) of $full_shield"
release Control_R
note "shield: up, bar down to $(shield_blue) of $full_shield blue pixels"

tap Alt_R 0.15
poll_screen 15 05-teleport ship_right_of 1100 || die "right Alt did not teleport the ship (x $(ship_x))"
note "teleport: ship at x $(ship_x)"

tap Shift_L 0.15
poll_screen 10 06-missile missile_ammo_changed "$missile_digest" || die "the missile ammunition did not change"
note "missile: ammunition read-out changed"

press Left
sleep 0.5
release Left
screenshot 07-before-escape
game_ended && die "the game ended before Escape"

tap Escape 0.2
wait_for 100 game_ended || die "the game did not end within 10 s of Escape"
wait "$game_pid"
status=$?
game_pid=""
((status == 0)) || die "the game exited with status $status"
if grep -qE 'AddressSanitizer|LeakSanitizer|runtime error' "$work/game.err"; then
    die "sanitizer report in the game's output"
fi
note "escape: the game ended with status 0"
