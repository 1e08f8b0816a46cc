#!/usr/bin/env bash
# Sending only what changed must leave the window as whole frames would: a replay's
# frames shown through the real window both ways, on screens of whole and fractional
# scale at depths 24 and 16, and the window read back from the X server at many
# frames. Each read must match the other run's, pixel for pixel (a hash of every
# pixel), and the picture must be there and move.
# Usage: run_damage_presents.sh <replay_window binary> <replay> <work directory>
set -u

player=$1
replay=$2
work=$3
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=xvfb_lib.sh
source "$here/xvfb_lib.sh"
trap xvfb_stop EXIT
DIE_SHOWS=("$work/damage.err" "$work/whole.err")
frames=${DAMAGE_FRAMES:-780}
every=${DAMAGE_EVERY:-13}

mkdir -p "$work"
for screen in 1280x960x24 1366x768x24 1280x960x16 1920x1080x16; do
    xvfb_start "$screen" || die "could not start Xvfb at $screen"
    "$player" "$replay" "$frames" "$every" >"$work/$screen-damage.txt" 2>"$work/damage.err" ||
        die "$screen: the changed-parts run failed"
    "$player" "$replay" "$frames" "$every" --whole >"$work/$screen-whole.txt" 2>"$work/whole.err" ||
        die "$screen: the whole-frames run failed"
    xvfb_stop
    reads=$(wc -l <"$work/$screen-damage.txt")
    ((reads >= frames / every)) || fail "$screen: only $reads frames read back"
    if ! cmp -s "$work/$screen-damage.txt" "$work/$screen-whole.txt"; then
        first=$(diff "$work/$screen-damage.txt" "$work/$screen-whole.txt" | grep -m1 '^<')
        fail "$screen: the window differs from whole frames, first at: ${first#< }"
    fi
    # Most reads show a picture (not a black screen), and the picture changes.
    # (A picture of stars, ship and status lights up at least 1 % of the screen.)
    size=${screen%x*}
    area=$((${size%x*} * ${size#*x}))
    lit=$(awk -v least=$((area / 100)) '$4 > least { n++ } END { print n + 0 }' "$work/$screen-damage.txt")
    ((lit * 10 >= reads * 9)) || fail "$screen: only $lit of $reads reads show a picture"
    distinct=$(awk '{ print $3 }' "$work/$screen-damage.txt" | sort -u | wc -l)
    ((distinct * 10 >= reads * 9)) || fail "$screen: the picture hardly changes ($distinct of $reads distinct)"
    echo "$screen: $reads reads compared, $distinct distinct pictures"
done

((failures == 0)) || exit 1
echo "changed-part presents equal whole presents"
