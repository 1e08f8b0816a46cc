#!/usr/bin/env bash
# Helpers for the Windows checks: wine in a private prefix and HOME on a private
# Xvfb, the game started and ended, screenshots measured, WAV recordings read.
# Source after ../display/xvfb_lib.sh.

game_pid=""

# The private world: HOME (for ~/.asoundrc), a fresh wine prefix inside it, and
# an X server. Wine's Mono and Gecko installers are skipped: the game needs neither.
windows_start() {
    export HOME="$1/home"
    rm -rf "$HOME"
    mkdir -p "$HOME"
    export WINEPREFIX="$HOME/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    unset WINEARCH
    xvfb_start 1280x960x24 || return 1
    echo "Xvfb on $DISPLAY; making the wine prefix"
    wineboot --init >"$1/wineboot.out" 2>&1
    wineserver -w
}

windows_cleanup() {
    xdotool keyup Left space Escape 2>/dev/null
    stop_process "$game_pid"
    [[ -n "${WINEPREFIX:-}" ]] && wineserver -k 2>/dev/null
    xvfb_stop
}

game_ended() { ! kill -0 "$game_pid" 2>/dev/null; }
stderr_says() { grep -aq "$1" "$work/game.err"; }
visible_glintwake() { xdotool search --onlyvisible --name '^Glintwake$' 2>/dev/null | head -1; }
box_window() {
    local id
    id=$(visible_glintwake)
    [[ -n "$id" ]] && echo "$id"
}

# Starts program $2 under wine in folder $1.
start_game() {
    (cd "$1" && exec wine "$2") >"$work/game.out" 2>"$work/game.err" &
    game_pid=$!
}

# Waits for the game's window and gives it the keyboard.
wait_window() {
    wait_for 300 box_window >/dev/null || die "no window titled Glintwake"
    xdotool windowfocus "$(visible_glintwake)" 2>/dev/null
}

# Waits up to $1 tenths for the program to end and checks its status is $2.
expect_exit() {
    wait_for "$1" game_ended || die "the program did not end in time"
    wait "$game_pid"
    local status=$?
    game_pid=""
    ((status == $2)) || fail "the program exited with status $status, not $2"
}

press() {
    xdotool keydown "$1"
    sleep 0.15
    xdotool keyup "$1"
}

shoot() { import -window root "$1" || die "screenshot failed"; }

# One pass over a screenshot, cut to the picture (the 640x480 picture is scaled
# to fit the screen and centred) and sampled back to the game's own pixels: star
# pixels and the rows they lie on, the blue "Wave" text and the green weapon
# levels, the ship's grey-blue pixels and their mean x, and the normal laser's
# own red (no other image has it).
measure() {
    local width height scale pw ph
    read -r width height < <(identify -format '%w %h\n' "$1")
    scale=$((width * 480 < height * 640 ? width * 1000 / 640 : height * 1000 / 480))
    pw=$((640 * scale / 1000))
    ph=$((480 * scale / 1000))
    convert "$1" -crop "${pw}x${ph}+$(((width - pw) / 2))+$(((height - ph) / 2))" +repage -sample 640x480! txt:- |
        awk -F'[(),:]' '
        NR > 1 {
            x = $1 + 0; y = $2 + 0; r = $4 + 0; g = $5 + 0; b = $6 + 0
            if (b == 0 && r > 20 && g > 20) { stars++; if (!row[y]++) rows++ }
            if (y < 22 && x > 270 && x < 370 && b > 100 && r < 60 && g < 60) wave++
            if (y > 17 && y < 30 && x > 495 && g > 100 && r < 60 && b < 60) level++
            if (y > 330 && b > 50 && b > r + 5 && b >= g && b - r < 40) { ship++; shipx += x }
            if (y < 420 && r >= 215 && r <= 235 && g >= 50 && g <= 70 && b >= 10 && b <= 30) lasers++
        }
        END { printf "%d %d %d %d %d %d %d\n", stars, rows, wave, level, ship, ship ? shipx / ship : -1, lasers }'
}

# The game's first picture: stars over many rows, both texts, the ship.
picture_checks() {
    local stars rows wave level ship x lasers ok=0
    read -r stars rows wave level ship x lasers < <(measure "$1")
    echo "$(basename "$1"): $stars star pixels on $rows rows, Wave text $wave, level texts $level, ship $ship pixels at x $x"
    ((stars > 15 && rows > 10)) || { echo "  too few stars"; ok=1; }
    ((wave > 8)) || { echo "  no Wave text"; ok=1; }
    ((level > 6)) || { echo "  no weapon level texts"; ok=1; }
    ((ship > 60)) || { echo "  no ship"; ok=1; }
    return $ok
}


file_bytes() { stat -c %s "$1" 2>/dev/null || echo 0; }

# Reads a WAV header: sets WAV_RATE, WAV_CHANNELS, WAV_BITS and WAV_DATA (where the
# samples begin); false when it is not 16-bit PCM.
wav_format() {
    [[ "$(head -c 4 "$1" 2>/dev/null)" == RIFF ]] || return 1
    local fields
    fields=$(od -An -tu2 -j 20 -N 16 "$1")
    read -r format WAV_CHANNELS rate_low rate_high _ _ _ WAV_BITS <<<"$fields"
    WAV_RATE=$((rate_low + 65536 * rate_high))
    WAV_DATA=44
    [[ "$format" == 1 && "$WAV_BITS" == 16 ]]
}

# Peak and RMS (fractions of full scale) of the recording between two file sizes,
# a tenth of a second left off each end for the steps' timing.
wav_level() {
    local frame=$((WAV_CHANNELS * 2)) margin from to
    margin=$((WAV_RATE / 10 * frame))
    from=$((($2 + margin - WAV_DATA) / frame))
    to=$((($3 - margin - WAV_DATA) / frame))
    ((to > from)) || { echo "0 0"; return; }
    sox -t raw -r "$WAV_RATE" -e signed -b 16 -c "$WAV_CHANNELS" -L <(tail -c +$((WAV_DATA + 1)) "$1") -n \
        trim "${from}s" "$((to - from))s" stat 2>&1 |
        awk -F: '/Maximum amplitude/ { max = $2 } /Minimum amplitude/ { min = -$2 }
                 /RMS +amplitude/ { rms = $2 } END { print (max > min ? max : min) + 0, rms + 0 }'
}
