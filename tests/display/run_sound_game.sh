#!/usr/bin/env bash
# Plays the real game under a private Xvfb with SDL's disk audio driver, which
# writes what the game mixes (16-bit mono, 44100 Hz) to a file as it plays, and
# reads the file back with sox at the byte offsets noted between steps:
#   fire     Space held 2 s: the lasers are heard (the stretch is loud)
#   mute     M, then Space held 2 s: the stretch is exactly silent
#   unmute   M again, Space held 1 s: heard again
#   pause    left Ctrl held (the charging tone, two seconds long), then P: the
#            stretch while paused is exactly silent
#   no sound runs with SDL's own choice of driver (none works on a machine
#            without sound hardware) and with a driver that does not exist: the
#            game starts and ends with status 0 and writes nothing at all
# The recording is kept as sound.wav in the work directory.
# Usage: run_sound_game.sh <glintwake binary> <work directory>
set -u

game=$(realpath "$1")
work=$2
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=xvfb_lib.sh
source "$here/xvfb_lib.sh"

game_pid=""
cleanup() {
    xdotool keyup space 2>/dev/null
    xdotool keyup Control_L 2>/dev/null
    stop_process "$game_pid"
    xvfb_stop
}
trap cleanup EXIT

DIE_SHOWS=("$work/game.out" "$work/game.err")
note() { echo "$*" | tee -a "$work/steps.log"; }
game_ended() { ! kill -0 "$game_pid" 2>/dev/null; }

raw="$work/sound.raw"
RawFormat=(-t raw -r 44100 -e signed -b 16 -c 1 -L)
bytes() { stat -c %s "$raw" 2>/dev/null || echo 0; }

# Peak and RMS of the recording between two byte offsets, as fractions of full
# scale. A tenth of a second is left off each end for the steps' timing.
Margin=8820
level() {
    local from=$(($1 + Margin)) to=$(($2 - Margin))
    ((to > from)) || die "stretch $1..$2 too short to judge"
    sox "${RawFormat[@]}" "$raw" -n trim "$((from / 2))s" "$(((to - from) / 2))s" stat 2>&1 |
        awk -F: '/Maximum amplitude/ { max = $2 } /Minimum amplitude/ { min = -$2 }
                 /RMS +amplitude/ { rms = $2 } END { print (max > min ? max : min) + 0, rms + 0 }'
}
loud() { awk -v p="$1" -v r="$2" 'BEGIN { exit !(p >= 0.05 && r >= 0.005) }'; }

start_game() {
    (cd "$root" && exec env "$@" "$game") >"$work/game.out" 2>"$work/game.err" &
    game_pid=$!
    wait_for 300 xdotool search --onlyvisible --name '^Glintwake$' >/dev/null || die "no window titled Glintwake"
    window=$(xdotool search --onlyvisible --name '^Glintwake$' | head -1)
    wait_for 100 focused || die "the window never took the keyboard focus"
    sleep 1  # the ship's opening teleport
}
focused() {
    xdotool windowfocus "$window" 2>/dev/null
    [[ "$(xdotool getwindowfocus 2>/dev/null)" == "$window" ]]
}
quit_game() {
    xdotool keydown Escape
    sleep 0.2
    xdotool keyup Escape
    wait_for 100 game_ended || die "the game did not end within 10 s of Escape"
    wait "$game_pid"
    local status=$?
    game_pid=""
    ((status == 0)) || die "the game exited with status $status"
}
# Holds Space for $1 seconds; prints the byte offsets where the hold began and ended.
fire_for() {
    local from
    from=$(bytes)
    xdotool keydown space
    sleep "$1"
    xdotool keyup space
    echo "$from $(bytes)"
}
tap() {
    xdotool keydown "$1"
    sleep 0.1
    xdotool keyup "$1"
    sleep 0.5  # the mixer's fade and the device's queued blocks play out
}

mkdir -p "$work"
work=$(cd "$work" && pwd)
rm -f "$work"/* 2>/dev/null
command -v sox >/dev/null || die "sox is missing"
xvfb_start 640x480x24 || die "could not start Xvfb"
note "Xvfb on $DISPLAY"

start_game SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$raw"
read -r f0 f1 < <(fire_for 2)
tap m
read -r m0 m1 < <(fire_for 2)
tap m
read -r u0 u1 < <(fire_for 1)
xdotool keydown Control_L
sleep 0.3
tap p
p0=$(bytes)
sleep 1.2
p1=$(bytes)
xdotool keyup Control_L
tap p
quit_game
sox "${RawFormat[@]}" "$raw" "$work/sound.wav"

read -r peak rms < <(level "$f0" "$f1")
note "fire: bytes $f0..$f1, peak $peak, rms $rms"
loud "$peak" "$rms" || die "no sound while firing (peak $peak, rms $rms)"
read -r peak rms < <(level "$m0" "$m1")
note "muted fire: bytes $m0..$m1, peak $peak, rms $rms"
[[ "$peak" == 0 ]] || die "sound after M (peak $peak)"
read -r peak rms < <(level "$u0" "$u1")
note "unmuted fire: bytes $u0..$u1, peak $peak, rms $rms"
loud "$peak" "$rms" || die "no sound after the second M (peak $peak, rms $rms)"
read -r peak rms < <(level "$p0" "$p1")
note "paused while charging: bytes $p0..$p1, peak $peak, rms $rms"
[[ "$peak" == 0 ]] || die "sound while paused (peak $peak)"
grep -qE 'AddressSanitizer|LeakSanitizer|runtime error' "$work/game.err" && die "sanitizer report"

# SDL's own choice of driver (on a machine without sound hardware every one of
# them fails) and a driver that does not exist.
for driver in "" no-such-driver; do
    start_game -u SDL_AUDIODRIVER ${driver:+SDL_AUDIODRIVER=$driver}
    fire_for 0.5 >/dev/null
    quit_game
    [[ ! -s "$work/game.out" && ! -s "$work/game.err" ]] || die "the game spoke up about its sound (${driver:-default})"
    note "audio driver ${driver:-default}: ran and ended with status 0, nothing written"
done
