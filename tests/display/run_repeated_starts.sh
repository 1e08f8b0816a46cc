#!/usr/bin/env bash
# Start-up, over and over, under a private Xvfb:
#   traced   one start under strace: the game never forks a child while another of
#            its threads runs (a child forked while a thread holds the allocator's
#            lock can hang before it execs, and the parent waits on it for ever)
#   repeated COUNT starts (120 by default): each shows its window within the limit
#            and ends with status 0 when asked to; one start in 40 hanging would
#            show in all but about 5 runs in 100
# Usage: run_repeated_starts.sh <glintwake binary> <work directory> [COUNT]
set -u

game=$(realpath "$1")
work=$2
count=${3:-120}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=xvfb_lib.sh
source "$here/xvfb_lib.sh"

WindowTenths=150  # a start under the sanitizers on a busy machine takes about half a second
ExitTenths=100

game_pid=""

# The game and whatever it forked, by their ids.
stop_game() {
    local child
    [[ -n "$game_pid" ]] || return 0
    for child in $(cat "/proc/$game_pid/task/"*/children 2>/dev/null); do kill -9 "$child" 2>/dev/null; done
    stop_process "$game_pid"
    game_pid=""
}
cleanup() {
    stop_game
    xvfb_stop
}
trap cleanup EXIT

DIE_SHOWS=("$work/game.err")

note() { echo "$*" | tee -a "$work/steps.log"; }
has_window() { xdotool search --name '^Glintwake$' >/dev/null 2>&1; }
game_ended() { ! kill -0 "$game_pid" 2>/dev/null; }

# Forks (clones that share no memory) made while another thread of the process was
# alive, from `strace -f` output: one line each, none when there are none.
forks_beside_threads() {
    awk '
        NR == 1 { main = $1 }
        /\+\+\+ exited/ { delete live[$1]; next }
        / (clone|clone3|fork|vfork)\(/ {
            pid = $1
            kind[pid] = /CLONE_THREAD/ ? "thread" : (/CLONE_VM/ ? "shared" : "fork")
            if (kind[pid] == "fork") {
                others = (pid != main)
                for (t in live) if (t != pid) others++
                if (others > 0) print "process " pid " forked with " others " other thread(s) running"
            }
        }
        /(clone|clone3)\(|resumed>/ && match($0, /\) = [0-9]+$/) {
            if (kind[$1] == "thread") live[substr($0, RSTART + 4)] = 1
        }
    ' "$1"
}

mkdir -p "$work"
work=$(cd "$work" && pwd)
rm -f "$work"/game.* "$work/steps.log" "$work/strace.log"
[[ -x "$game" ]] || die "no game binary at $game"
command -v strace >/dev/null || die "strace is not installed"
xvfb_start 640x480x24 || die "could not start Xvfb"
note "Xvfb on $DISPLAY"

# The leak check at every exit would double the time; the other display tests make it.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

(cd "$root" && exec strace -f -q -o "$work/strace.log" -e trace=clone,clone3,fork,vfork -e signal=none \
    "$game") >/dev/null 2>"$work/game.err" &
game_pid=$!
wait_for "$WindowTenths" has_window || die "traced: no window"
traced=$(cat "/proc/$game_pid/task/"*/children 2>/dev/null)
[[ -n "$traced" ]] || die "traced: no game under strace"
kill -TERM $traced
wait_for "$ExitTenths" game_ended || die "traced: the game did not end on SIGTERM"
wait "$game_pid"
game_pid=""
threads=$(grep -c 'CLONE_THREAD' "$work/strace.log")
forks=$(grep -E ' (clone|clone3|fork|vfork)\(' "$work/strace.log" | grep -vc 'CLONE_VM')
bad=$(forks_beside_threads "$work/strace.log")
[[ -z "$bad" ]] || die "traced: $bad"
note "traced: $threads thread(s) and $forks fork(s), no fork beside a running thread"

start=$(date +%s%N)
slowest=0
for ((i = 1; i <= count; ++i)); do
    t0=$(date +%s%N)
    (cd "$root" && exec "$game") >/dev/null 2>"$work/game.err" &
    game_pid=$!
    wait_for "$WindowTenths" has_window || die "start $i of $count: no window after $((WindowTenths / 10)) s (hung)"
    ms=$((($(date +%s%N) - t0) / 1000000))
    ((ms > slowest)) && slowest=$ms
    kill -TERM "$game_pid"
    wait_for "$ExitTenths" game_ended || die "start $i of $count: the game did not end on SIGTERM"
    wait "$game_pid"
    status=$?
    game_pid=""
    ((status == 0)) || die "start $i of $count: status $status"
    wait_for 50 eval '! has_window' || die "start $i of $count: the window stayed"
done
note "repeated: $count starts, each window shown and each game ended with status 0;" \
    "slowest window ${slowest} ms, $((($(date +%s%N) - start) / 1000000 / count)) ms a start"
