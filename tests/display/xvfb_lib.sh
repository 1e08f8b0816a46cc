#!/usr/bin/env bash
# Helpers for display tests: start a private Xvfb on a free display number and
# stop it again. Source this file, call xvfb_start, and always xvfb_stop.
#   xvfb_start [screen-geometry]  sets XVFB_PID and exports DISPLAY; returns 1 on failure
#   xvfb_stop                     kills the server started by xvfb_start

XVFB_PID=""
XVFB_FIRST_DISPLAY=${XVFB_FIRST_DISPLAY:-90}
XVFB_DISPLAY_TRIES=${XVFB_DISPLAY_TRIES:-60}
XVFB_WAIT_TENTHS=${XVFB_WAIT_TENTHS:-100}

xvfb_display_in_use() {
    local n=$1
    [[ -e /tmp/.X${n}-lock || -e /tmp/.X11-unix/X${n} ]]
}

# Waits until the server of display $1 (process $2) accepts clients; fails if it dies.
xvfb_wait_ready() {
    local n=$1 pid=$2 i
    for ((i = 0; i < XVFB_WAIT_TENTHS; ++i)); do
        kill -0 "$pid" 2>/dev/null || return 1
        if [[ -S /tmp/.X11-unix/X${n} ]] && DISPLAY=:${n} xdotool getdisplaygeometry >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

xvfb_start() {
    local geometry=${1:-1280x960x24} n pid
    for ((n = XVFB_FIRST_DISPLAY; n < XVFB_FIRST_DISPLAY + XVFB_DISPLAY_TRIES; ++n)); do
        xvfb_display_in_use "$n" && continue
        Xvfb ":${n}" -screen 0 "$geometry" -nolisten tcp >/dev/null 2>&1 &
        pid=$!
        if xvfb_wait_ready "$n" "$pid"; then
            XVFB_PID=$pid
            export DISPLAY=":${n}"
            return 0
        fi
        # Another test may have taken the number first: try the next one.
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    echo "xvfb_start: no free X display could be started" >&2
    return 1
}

xvfb_stop() {
    if [[ -n "$XVFB_PID" ]]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
        XVFB_PID=""
    fi
}
