#!/usr/bin/env bash
# The Windows program and its installer under wine, on a private Xvfb, a private
# HOME and a private wine prefix (made afresh, about 700 MB, in the work folder):
#   replays    the replay checker built for Windows plays every golden replay and
#              gives exactly the summary in its .expected file
#   play       the window shows stars, the status display's texts and the ship;
#              Left and Space held fly the ship left and fire, and the picture
#              changes; F11 makes a 640x480 window and F11 again the whole screen;
#              Escape ends the game with status 0
#   box        Images\ without invincible.bmp: "Error Loading Images" on standard
#              error and a box titled Glintwake with text in it; Return closes
#              it and the status is 1
#   sound      ALSA's default device goes to a WAV file: Space held is heard,
#              after M it is exactly silent
#   installer  the installer run with /S installs the program, its images, the
#              Start-menu shortcut and the uninstall entry; the installed game
#              started from an empty folder shows its picture; the uninstaller
#              removes all of it
# Screenshots and the recording stay in the work folder.
# Usage: run_windows.sh <Windows build folder> <work folder> [check...]
set -u

build=$(realpath "$1")
work=$2
shift 2
checks=("$@")
((${#checks[@]})) || checks=(replays play box sound installer)
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=../display/xvfb_lib.sh
source "$here/../display/xvfb_lib.sh"
# shellcheck source=windows_lib.sh
source "$here/windows_lib.sh"

version=$(sed -n 's/^project(Glintwake VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
game="$build/glintwake.exe"
setup="$build/glintwake-$version-setup.exe"

mkdir -p "$work"
work=$(cd "$work" && pwd)
DIE_SHOWS=("$work/game.out" "$work/game.err")
trap windows_cleanup EXIT

# The golden replays on the headless game, as Windows' C runtime computes them.
replays() {
    local out="$work/replays.txt"
    (cd "$root" && wine "$build/glintwake_replay_check.exe" tests/replays/*.replay) >"$out" 2>&1
    local status=$?
    cat "$out"
    ((status == 0)) || fail "a replay ended otherwise under wine (status $status)"
    grep -q "^ok " "$out" || fail "no replay was played"
}

play() {
    start_game "$root" "$game"
    wait_window
    sleep 1  # the ship's opening teleport
    game_ended && die "the game ended on its own"
    shoot "$work/play.png"
    picture_checks "$work/play.png" || fail "the first picture is not the game's"
    local before after moved lasers changed
    before=$(measure "$work/play.png" | cut -d' ' -f6)
    xdotool keydown Left space
    sleep 1.2
    shoot "$work/flying.png"
    xdotool keyup Left
    # Still firing from where it stopped: a laser is on screen for well under a
    # second, so three looks a little apart.
    local shot
    for shot in 1 2 3; do
        sleep 0.25
        shoot "$work/firing$shot.png"
    done
    xdotool keyup space
    read -r _ _ _ _ _ after _ < <(measure "$work/flying.png")
    lasers=0
    for shot in 1 2 3; do lasers=$((lasers + $(measure "$work/firing$shot.png" | cut -d' ' -f7))); done
    changed=$(compare -metric AE "$work/play.png" "$work/flying.png" null: 2>&1 | cut -d' ' -f1)
    moved=$((before - after))
    echo "held Left and Space: the ship moved $moved pixels left, $lasers laser pixels in three looks, $changed pixels changed"
    ((moved > 40)) || fail "the ship did not fly left (from x $before to $after)"
    ((lasers > 15)) || fail "no lasers in flight ($lasers laser pixels)"
    ((changed > 2000)) || fail "the picture hardly changed ($changed pixels)"
    window_mode
    press Escape
    expect_exit 100 0
    echo "Escape ended the game with status 0"
}

# F11: a window of a whole multiple of the picture that fits the screen with its
# frame (here 640x480), then the whole screen again.
window_mode() {
    local window
    window=$(visible_glintwake)
    press F11
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$window" | sed 's/^/local /')"
    echo "F11: window ${WIDTH}x${HEIGHT} at $X,$Y"
    [[ "${WIDTH}x${HEIGHT}" == 640x480 ]] || fail "F11 gave a ${WIDTH}x${HEIGHT} window, not 640x480"
    press F11
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$window" | sed 's/^/local /')"
    echo "F11 again: ${WIDTH}x${HEIGHT} at $X,$Y"
    [[ "${WIDTH}x${HEIGHT}" == 1280x960 ]] || fail "F11 again gave ${WIDTH}x${HEIGHT}, not the whole screen"
}

box() {
    local folder="$work/missing"
    rm -rf "$folder"
    mkdir -p "$folder"
    cp -r "$root/Images" "$folder/Images"
    rm "$folder/Images/invincible.bmp"
    start_game "$folder" "$game"
    wait_for 200 stderr_says "Error Loading Images" || die "no start-up failure reported"
    wait_for 100 box_window >/dev/null || die "no box titled Glintwake"
    sleep 0.5
    game_ended && die "the game ended without waiting for OK"
    local window x y w h dark
    window=$(box_window)
    eval "$(xdotool getwindowgeometry --shell "$window" | sed 's/^/local /')"
    x=$X y=$Y w=$WIDTH h=$HEIGHT
    shoot "$work/box.png"
    # A light box with dark letters: the text stands in its upper half, above OK.
    dark=$(convert "$work/box.png" -crop "${w}x$((h / 2))+${x}+${y}" -colorspace gray txt:- |
        awk -F'[(),]' 'NR > 1 && $3 + 0 < 100 { n++ } END { print n + 0 }')
    echo "box ${w}x${h} at $x,$y with $dark dark text pixels; stderr: $(grep -a 'Error Loading' "$work/game.err")"
    ((dark > 150)) || fail "the box shows no text ($dark dark pixels)"
    press Return
    expect_exit 100 1
    echo "Return closed the box; status 1"
}

sound() {
    local wav="$work/sound.wav"
    rm -f "$wav"
    cat >"$HOME/.asoundrc" <<EOF
pcm.!default {
    type file
    slave.pcm "null"
    file "$wav"
    format "wav"
}
EOF
    start_game "$root" "$game"
    wait_window
    sleep 1
    local f0 f1 m0 m1 loud silent
    f0=$(file_bytes "$wav")
    xdotool keydown space
    sleep 2
    xdotool keyup space
    f1=$(file_bytes "$wav")
    press m
    sleep 0.6  # the mixer's fade and the queued blocks play out
    m0=$(file_bytes "$wav")
    xdotool keydown space
    sleep 2
    xdotool keyup space
    m1=$(file_bytes "$wav")
    press Escape
    expect_exit 100 0
    rm -f "$HOME/.asoundrc"
    wav_format "$wav" || { fail "the recording is not a WAV file"; return; }
    loud=$(wav_level "$wav" "$f0" "$f1")
    silent=$(wav_level "$wav" "$m0" "$m1")
    echo "recorded $WAV_RATE Hz, $WAV_CHANNELS channel(s), $WAV_BITS bits"
    echo "Space held: bytes $f0..$f1, peak and rms $loud"
    echo "after M:    bytes $m0..$m1, peak and rms $silent"
    read -r peak rms <<<"$loud"
    awk -v p="$peak" -v r="$rms" 'BEGIN { exit !(p >= 0.05 && r >= 0.005) }' ||
        fail "firing is not heard (peak $peak, rms $rms)"
    read -r peak rms <<<"$silent"
    awk -v p="$peak" 'BEGIN { exit !(p == 0) }' || fail "sound after M (peak $peak)"
}

installer() {
    [[ -f "$setup" ]] || die "no installer at $setup"
    local dir="$WINEPREFIX/drive_c/Program Files/Glintwake"
    local link="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Glintwake.lnk"
    local key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Glintwake'
    wine "$setup" /S >"$work/setup.out" 2>&1 || fail "the installer failed"
    wineserver -w
    [[ -f "$dir/glintwake.exe" ]] || fail "no glintwake.exe in Program Files"
    local images
    images=$(find "$dir/Images" -name '*.bmp' 2>/dev/null | wc -l)
    ((images == 22)) || fail "$images images installed, not 22"
    [[ -f "$dir/uninstall.exe" ]] || fail "no uninstaller"
    grep -aq "glintwake.exe" "$link" 2>/dev/null || fail "no Start-menu shortcut to the program"
    wine reg query "$key" /v UninstallString >"$work/reg.txt" 2>&1 || fail "no uninstall entry"
    grep -aq "uninstall.exe" "$work/reg.txt" || fail "the uninstall entry names no uninstaller"
    echo "installed: program, $images images, uninstaller, shortcut, entry: $(grep -a DisplayVersion -m1 \
        <(wine reg query "$key" /v DisplayVersion 2>/dev/null) | tr -s ' ')"

    local elsewhere="$work/elsewhere"
    rm -rf "$elsewhere"
    mkdir -p "$elsewhere"
    start_game "$elsewhere" "$dir/glintwake.exe"
    wait_window
    sleep 1
    shoot "$work/installed.png"
    picture_checks "$work/installed.png" || fail "the installed game shows no picture of the game"
    press Escape
    expect_exit 100 0

    wine "$dir/uninstall.exe" /S >"$work/uninstall.out" 2>&1 || fail "the uninstaller failed"
    wineserver -w  # it runs on from a copy of itself
    local left=$failures
    [[ ! -e "$dir" ]] || fail "the program's folder is still there: $(find "$dir" | head -5 | tr '\n' ' ')"
    [[ ! -e "$link" ]] || fail "the shortcut is still there"
    wine reg query "$key" >/dev/null 2>&1 && fail "the uninstall entry is still there"
    ((failures == left)) && echo "uninstalled: folder, shortcut and entry gone"
}

[[ -f "$game" ]] || die "no program at $game"
windows_start "$work" || die "could not set up wine and Xvfb"
for check in "${checks[@]}"; do
    started=$SECONDS
    echo "--- $check"
    case "$check" in
    replays | play | box | sound | installer) "$check" ;;
    *) die "unknown check $check" ;;
    esac
    echo "($check: $((SECONDS - started)) s)"
done
((failures == 0)) || {
    echo "$failures Windows check(s) failed; screenshots and output in $work" >&2
    exit 1
}
echo "all Windows checks passed"
