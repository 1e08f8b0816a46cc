#!/usr/bin/env bash
# Helpers for display tests: start a private Xvfb on a free display number and
# stop it again. Source this file, call xvfb_start, and always xvfb_stop.
#   xvfb_start [screen-geometry [Xvfb option...]]
#                                 sets XVFB_PID and exports DISPLAY; returns 1 on failure
#   xvfb_stop                     kills the server started by xvfb_start
#   wait_for TENTHS CMD...        retries CMD every 0.1 s for up to TENTHS tenths
#   stop_process PID              ends a process the test started, if still running
#   die MESSAGE                   fails the test, showing the files in DIE_SHOWS
#   fail MESSAGE                  notes a failed check and goes on; counted in $failures

XVFB_PID=""
XVFB_WAIT_TENTHS=${XVFB_WAIT_TENTHS:-100}

# Lets the server pick a free display number itself (-displayfd), so tests that
# run side by side can never end up sharing one server.
xvfb_start() {
    local geometry=${1:-1280x960x24} numberFile n i
    shift || true
    numberFile=$(mktemp)
    # -noreset: a server that resets when its last client leaves (the readiness
    # check below) refuses the next connection for a moment.
    Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp -noreset "$@" 3>"$numberFile" >/dev/null 2>&1 &
    XVFB_PID=$!
    for ((i = 0; i < XVFB_WAIT_TENTHS; ++i)); do
        n=$(head -n 1 "$numberFile" 2>/dev/null)
        if [[ -n "$n" ]] && DISPLAY=":${n}" xdotool getdisplaygeometry >/dev/null 2>&1; then
            rm -f "$numberFile"
            export DISPLAY=":${n}"
            return 0
        fi
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$numberFile"
    xvfb_stop
    echo "xvfb_start: no X display could be started" >&2
    return 1
}

xvfb_stop() {
    if [[ -n "$XVFB_PID" ]]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
        XVFB_PID=""
    fi
}

wait_for() {
    local tenths=$1 i
    shift
    for ((i = 0; i < tenths; ++i)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

stop_process() {
    if [[ -n "$1" ]] && kill -0 "$1" 2>/dev/null; then
        kill "$1" 2>/dev/null
        wait "$1" 2>/dev/null
    fi
}

DIE_SHOWS=()

die() {
    echo "FAIL: $*" >&2
    echo "--- program output:" >&2
    cat "${DIE_SHOWS[@]}" >&2 2>/dev/null
    exit 1
}

failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
